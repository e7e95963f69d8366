#include "foundation/file.h"

#include "foundation/case_mapping.h"
#include "foundation/paths.h"
#include "foundation/utf.h"

#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace zv::foundation
{
namespace
{

// pread and pwrite may move fewer bytes than asked; both loops go on until
// every byte has moved, retrying interrupted calls.
template <class Call> bool move_all(Call call, std::size_t length)
{
    std::size_t done = 0;
    while (done < length) {
        const ssize_t moved = call(done);
        if (moved < 0 && errno == EINTR)
            continue;
        if (moved <= 0)
            return false;
        done += static_cast<std::size_t>(moved);
    }
    return true;
}

int fd_of(std::intptr_t handle)
{
    return static_cast<int>(handle);
}

} // namespace

bool file::open(const std::string& path, access mode)
{
    close();
    const int fd = ::open(path.c_str(), (mode == access::read ? O_RDONLY : O_RDWR) | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st {
    };
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return false;
    }
    handle_ = fd;
    return true;
}

bool file::close()
{
    if (handle_ < 0)
        return true;
    const bool ok = ::close(fd_of(handle_)) == 0;
    handle_ = -1;
    return ok;
}

std::optional<std::uint64_t> file::size() const
{
    struct stat st {
    };
    if (handle_ < 0 || ::fstat(fd_of(handle_), &st) != 0)
        return std::nullopt;
    return static_cast<std::uint64_t>(st.st_size);
}

bool file::read_at(std::uint64_t offset, void* out, std::size_t length) const
{
    auto* bytes = static_cast<unsigned char*>(out);
    return handle_ >= 0 && move_all(
                               [&](std::size_t done) {
                                   return ::pread(fd_of(handle_), bytes + done, length - done,
                                                  static_cast<off_t>(offset + done));
                               },
                               length);
}

bool file::write_at(std::uint64_t offset, const void* data, std::size_t length)
{
    const auto* bytes = static_cast<const unsigned char*>(data);
    return handle_ >= 0 && move_all(
                               [&](std::size_t done) {
                                   return ::pwrite(fd_of(handle_), bytes + done, length - done,
                                                   static_cast<off_t>(offset + done));
                               },
                               length);
}

bool replacement_file::create(const std::string& target)
{
    discard();
    std::string pattern = target + ".tmp.XXXXXX";
    const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0)
        return false;
    ::fchmod(fd, 0644);
    file_.handle_ = fd;
    target_ = target;
    temporary_ = pattern;
    appended_ = 0;
    return true;
}

// Without replacing, a hard link refuses an existing target atomically; a
// file system without hard links falls back to a checked rename.
static bool put_in_place(const std::string& temporary, const std::string& target, bool replace_existing)
{
    if (replace_existing)
        return ::rename(temporary.c_str(), target.c_str()) == 0;
    if (::link(temporary.c_str(), target.c_str()) == 0)
        return true;
    return errno != EEXIST && ::access(target.c_str(), F_OK) != 0 &&
           ::rename(temporary.c_str(), target.c_str()) == 0;
}

bool replacement_file::commit(bool replace_existing)
{
    if (temporary_.empty())
        return false;
    const bool ok = file_.close() && put_in_place(temporary_, target_, replace_existing);
    if (ok && replace_existing)
        temporary_.clear(); // renamed; a linked temporary is removed below
    discard();
    return ok;
}

void replacement_file::discard()
{
    file_.close();
    if (!temporary_.empty())
        ::unlink(temporary_.c_str());
    temporary_.clear();
}

bool rename_replacing(const std::string& from, const std::string& to)
{
    return ::rename(from.c_str(), to.c_str()) == 0;
}

bool remove_file(const std::string& path)
{
    return ::unlink(path.c_str()) == 0;
}

bool is_regular_file(const std::string& path)
{
    struct stat st {
    };
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// The first name in byte order of the folder's regular files whose name
// equals `name` without regard to case.
static std::optional<std::string> first_case_variant(const std::string& folder, std::u16string_view name)
{
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.empty() ? "." : folder.c_str()),
                                                  ::closedir);
    if (!dir)
        return std::nullopt;
    std::optional<std::string> first;
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::string_view entry_name(entry->d_name);
        if (first && entry_name >= *first)
            continue;
        const auto wide = to_utf16_strict(entry_name);
        if (wide && compare_no_case(*wide, name) == 0 && is_regular_file(folder + std::string(entry_name)))
            first = entry_name;
    }
    return first;
}

// Names on POSIX are bytes with case: a lookup that Windows answers by
// itself takes a look at the whole folder here, unless the exact or the
// lower-case name is there.
std::optional<std::string> find_file_any_case(const std::string& path)
{
    if (is_regular_file(path))
        return path;
    const std::size_t start = file_name_start(std::string_view(path));
    const std::string folder = path.substr(0, start);
    const auto name = to_utf16_strict(std::string_view(path).substr(start));
    if (!name || name->empty())
        return std::nullopt;
    if (std::string lower = folder + to_utf8(to_lower(*name)); is_regular_file(lower))
        return lower;
    const auto variant = first_case_variant(folder, *name);
    return variant ? std::optional<std::string>(folder + *variant) : std::nullopt;
}

bool is_directory(const std::string& path)
{
    struct stat st {
    };
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

} // namespace zv::foundation
