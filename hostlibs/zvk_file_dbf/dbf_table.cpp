#include "zvk_file_dbf/dbf_table.h"

#include "common/codepage.h"
#include "zvk_file_dbf/dbf_codepage.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zv::dbf {
namespace {

constexpr std::uint64_t max_created_bytes = std::uint64_t{1} << 32;

bool write_all(int fd, const unsigned char* data, std::size_t length)
{
    while (length > 0) {
        const ssize_t put = ::write(fd, data, length);
        if (put < 0 && errno == EINTR) {
            continue;
        }
        if (put <= 0) {
            return false;
        }
        data += put;
        length -= static_cast<std::size_t>(put);
    }
    return true;
}

// A temporary file beside target, readable like a file made with open().
int make_temporary(const std::string& target, std::string& temp_path)
{
    std::string pattern = target + ".tmp.XXXXXX";
    const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0) {
        return -1;
    }
    ::fchmod(fd, 0644);
    temp_path = pattern;
    return fd;
}

// Writes a small file through a temporary and a rename.
bool replace_file(const std::string& target, std::string_view text)
{
    std::string temp;
    const int fd = make_temporary(target, temp);
    if (fd < 0) {
        return false;
    }
    const bool ok = write_all(fd, reinterpret_cast<const unsigned char*>(text.data()), text.size());
    if (::close(fd) != 0 || !ok || std::rename(temp.c_str(), target.c_str()) != 0) {
        ::unlink(temp.c_str());
        return false;
    }
    return true;
}

bool is_directory(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Turns every zero byte of p into a blank, eight bytes at a time: a byte's
// top bit in `zero` is set exactly when the byte is zero, and or-ing 0x20
// into a zero byte makes it a blank while other bytes stay as they are.
void blanks_for_zeros(unsigned char* p, std::size_t n)
{
    constexpr std::uint64_t low7 = 0x7F7F7F7F7F7F7F7FULL;
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        std::uint64_t w;
        std::memcpy(&w, p + i, 8);
        const std::uint64_t zero = ~(((w & low7) + low7) | w | low7);
        w |= (zero >> 7) * 0x20;
        std::memcpy(p + i, &w, 8);
    }
    for (; i < n; ++i) {
        p[i] = p[i] != 0 ? p[i] : static_cast<unsigned char>(' ');
    }
}

} // namespace

table::~table()
{
    discard_temporary();
}

bool table::open(const std::string& path, bool writable, unsigned ansi_page)
{
    if (!file_.open(path, writable) || file_.size() < prefix_bytes) {
        return false;
    }
    const unsigned char* prefix = file_.view(0, prefix_bytes);
    const std::uint32_t header_bytes = prefix != nullptr ? header_length(prefix) : 0;
    const unsigned char* header = header_bytes != 0 ? file_.view(0, header_bytes) : nullptr;
    if (header == nullptr || !parse_header(header, header_bytes, layout_)
        || layout_.header_bytes + layout_.data_bytes() > file_.size()) {
        return false;
    }
    writable_ = writable;
    ansi_page_ = ansi_page;
    code_page_ = table_code_page(path, layout_.driver, ansi_page);
    return true;
}

bool table::create(const std::string& path, const dbf_field_desc* fields,
                   std::uint32_t field_count, std::uint32_t record_count, unsigned ansi_page)
{
    if (!layout_from_descriptors(fields, field_count, record_count,
                                 driver_of_code_page(ansi_page), layout_)
        || layout_.data_bytes() > max_created_bytes || is_directory(path)) {
        return false;
    }
    temp_fd_ = make_temporary(path, temp_path_);
    if (temp_fd_ < 0) {
        return false;
    }
    if (!records_.allocate(static_cast<std::size_t>(layout_.data_bytes()))) {
        discard_temporary();
        return false;
    }
    created_ = true;
    target_path_ = path;
    writable_ = true;
    ansi_page_ = ansi_page;
    code_page_ = ansi_page;
    return true;
}

bool table::commit()
{
    if (temp_fd_ < 0) {
        return true;
    }
    const std::vector<unsigned char> header = build_header(layout_);
    const unsigned char end = file_end;
    bool ok = write_all(temp_fd_, header.data(), header.size())
              && write_records()
              && write_all(temp_fd_, &end, 1);
    ok = ::close(temp_fd_) == 0 && ok;
    temp_fd_ = -1;
    ok = ok && std::rename(temp_path_.c_str(), target_path_.c_str()) == 0;
    if (!ok) {
        ::unlink(temp_path_.c_str());
        temp_path_.clear();
        return false;
    }
    temp_path_.clear();
    return replace_file(replace_extension(target_path_, ".cpg"), cpg_text(code_page_));
}

// Anonymous pages, asked for as huge pages where the system offers them:
// a large table then costs a few hundred page faults instead of thousands.
bool table::zeroed_memory::allocate(std::size_t bytes)
{
    const std::size_t size = bytes > 0 ? bytes : 1;
    void* p = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED) {
        return false;
    }
    ::madvise(p, size, MADV_HUGEPAGE);
    data_ = static_cast<unsigned char*>(p);
    bytes_ = size;
    return true;
}

table::zeroed_memory::~zeroed_memory()
{
    if (data_ != nullptr) {
        ::munmap(data_, bytes_);
    }
}

// The records, with the zero bytes of cells never written made blanks in
// place (the memory is not used again once the table is written).
bool table::write_records()
{
    const auto total = static_cast<std::size_t>(layout_.data_bytes());
    blanks_for_zeros(records_.get(), total);
    return write_all(temp_fd_, records_.get(), total);
}

void table::discard_temporary()
{
    if (temp_fd_ >= 0) {
        ::close(temp_fd_);
        temp_fd_ = -1;
    }
    if (!temp_path_.empty()) {
        ::unlink(temp_path_.c_str());
        temp_path_.clear();
    }
}

const unsigned char* table::cell(std::uint32_t field, std::uint32_t record)
{
    if (!exists(field, record)) {
        return nullptr;
    }
    const std::uint64_t at = cell_offset(field, record);
    if (created_) {
        return records_.get() + at;
    }
    return file_.view(layout_.header_bytes + at, layout_.fields[field].length);
}

bool table::write_cell(std::uint32_t field, std::uint32_t record, std::string_view text)
{
    if (!writable_ || !exists(field, record)) {
        return false;
    }
    const struct field& f = layout_.fields[field];
    const bool utf8 = code_page_ == hostcommon::utf8_code_page;
    const std::uint64_t at = cell_offset(field, record);
    if (created_) {
        return store_cell(records_.get() + at, f, text, utf8);
    }
    cell_scratch_.resize(f.length);
    return store_cell(cell_scratch_.data(), f, text, utf8)
           && file_.write(layout_.header_bytes + at, cell_scratch_.data(), f.length);
}

} // namespace zv::dbf
