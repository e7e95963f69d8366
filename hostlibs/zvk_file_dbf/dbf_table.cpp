#include "zvk_file_dbf/dbf_table.h"

#include "foundation/code_page.h"
#include "foundation/file.h"
#include "zvk_file_dbf/dbf_codepage.h"

#include <algorithm>
#include <cstring>

namespace zv::zvk_file_dbf
{
namespace
{

constexpr std::uint64_t max_created_bytes = std::uint64_t{1} << 32;
// Bytes of records a created table holds while it is filled front to back:
// small enough to stay in the processor's cache, large enough that writing
// it out costs little beside filling it.
constexpr std::size_t window_bytes = std::size_t{1} << 20;

// Removes the file at path and every other file that a lookup of path
// would find (the same name in another letter case).
void remove_any_case(const std::string& path)
{
    while (const auto found = foundation::find_file_any_case(path)) {
        if (!foundation::remove_file(*found)) {
            return;
        }
    }
}

} // namespace

table::~table()
{
    discard_temporary();
}

bool table::open(const std::string& path, bool writable, unsigned ansi_page)
{
    const auto found = foundation::find_file_any_case(path);
    if (!found || !file_.open(*found, writable) || file_.size() < prefix_bytes) {
        return false;
    }
    const unsigned char* prefix = file_.view(0, prefix_bytes);
    const std::uint32_t header_bytes = prefix != nullptr ? header_length(prefix) : 0;
    const unsigned char* header = header_bytes != 0 ? file_.view(0, header_bytes) : nullptr;
    if (header == nullptr || !parse_header(header, header_bytes, layout_) ||
        layout_.header_bytes + layout_.data_bytes() > file_.size()) {
        return false;
    }
    writable_ = writable;
    ansi_page_ = ansi_page;
    code_page_ = table_code_page(*found, layout_.driver, ansi_page);
    return true;
}

bool table::create(const std::string& path, const dbf_field_desc* fields, std::uint32_t field_count,
                   std::uint32_t record_count, unsigned ansi_page)
{
    if (!layout_from_descriptors(fields, field_count, record_count, driver_of_code_page(ansi_page),
                                 layout_) ||
        layout_.data_bytes() > max_created_bytes || foundation::is_directory(path)) {
        return false;
    }
    if (!temp_.create(path)) {
        return false;
    }
    const std::uint32_t fit = static_cast<std::uint32_t>(window_bytes / layout_.record_bytes);
    window_records_ = std::max<std::uint32_t>(1, std::min(fit, record_count));
    held_ = std::min(window_records_, record_count);
    records_ =
        std::make_unique_for_overwrite<unsigned char[]>(std::size_t{window_records_} * layout_.record_bytes);
    std::memset(records_.get(), ' ', std::size_t{held_} * layout_.record_bytes);
    created_ = true;
    target_path_ = path;
    writable_ = true;
    ansi_page_ = ansi_page;
    code_page_ = ansi_page;
    return true;
}

bool table::commit()
{
    if (temp_.temporary_path().empty()) {
        return true;
    }
    const std::string cpg = replace_extension(target_path_, ".cpg");
    if (finish() && put_in_place() && foundation::write_file_replacing(cpg, cpg_text(code_page_))) {
        return true;
    }
    // An older table left at the path would be read in place of the one
    // that failed, and a .cpg may no longer describe what is there.
    remove_any_case(target_path_);
    remove_any_case(cpg);
    return false;
}

bool table::finish()
{
    const std::vector<unsigned char> header = build_header(layout_);
    const unsigned char end = file_end;
    foundation::file& out = temp_.output();
    const bool written = write_records() &&
                         out.write_at(layout_.header_bytes + layout_.data_bytes(), &end, 1) &&
                         out.write_at(0, header.data(), header.size());
    if (!written) {
        temp_.discard();
    }
    return written;
}

bool table::put_in_place()
{
    return temp_.commit();
}

// Writes the held records to their place in the temporary file.
bool table::write_held()
{
    const std::size_t bytes = std::size_t{held_} * layout_.record_bytes;
    return temp_.output().write_at(layout_.header_bytes + std::uint64_t{first_} * layout_.record_bytes,
                                   records_.get(), bytes);
}

// Makes record part of the held ones: the window moves forward over it
// (records it passes are written, blank or filled), or, for a record
// already written, the whole table is taken into memory.
bool table::hold(std::uint32_t record)
{
    if (record < first_) {
        return hold_whole_table();
    }
    while (record - first_ >= held_) {
        if (!write_held()) {
            return false;
        }
        first_ += held_;
        held_ = std::min(window_records_, layout_.record_count - first_);
        std::memset(records_.get(), ' ', std::size_t{held_} * layout_.record_bytes);
    }
    return true;
}

// Cells are filled out of order: from now on every record is held, the
// ones written so far read back from the temporary file.
bool table::hold_whole_table()
{
    const std::size_t rb = layout_.record_bytes;
    const auto total = static_cast<std::size_t>(layout_.data_bytes());
    auto whole = std::make_unique_for_overwrite<unsigned char[]>(total);
    const std::size_t before = std::size_t{first_} * rb;
    const std::size_t held = std::size_t{held_} * rb;
    if (!temp_.output().read_at(layout_.header_bytes, whole.get(), before)) {
        return false;
    }
    std::memcpy(whole.get() + before, records_.get(), held);
    std::memset(whole.get() + before + held, ' ', total - before - held);
    records_ = std::move(whole);
    first_ = 0;
    held_ = layout_.record_count;
    window_records_ = held_;
    return true;
}

// Writes every record not yet written: the held ones, then the blank rest.
bool table::write_records()
{
    return layout_.record_count == 0 || (hold(layout_.record_count - 1) && write_held());
}

void table::discard_temporary()
{
    temp_.discard();
}

const unsigned char* table::cell(std::uint32_t field, std::uint32_t record)
{
    if (!exists(field, record)) {
        return nullptr;
    }
    if (!created_) {
        return file_.view(layout_.header_bytes + cell_offset(field, record), layout_.fields[field].length);
    }
    if (record - first_ < held_) {
        return records_.get() + cell_offset(field, record - first_);
    }
    // Reading does not move the window: a cell after it is still blank, one
    // before it is read back from the temporary file.
    const std::size_t length = layout_.fields[field].length;
    cell_scratch_.assign(length, ' ');
    if (record < first_ && !temp_.output().read_at(layout_.header_bytes + cell_offset(field, record),
                                                   cell_scratch_.data(), length)) {
        return nullptr;
    }
    return cell_scratch_.data();
}

stored table::write_cell(std::uint32_t field, std::uint32_t record, std::string_view text)
{
    if (!writable_ || !exists(field, record)) {
        return stored::refused;
    }
    const struct field& f = layout_.fields[field];
    if (created_) {
        unsigned char* cell = memory_cell(field, record);
        return cell != nullptr ? store_cell(cell, f, text, code_page_) : stored::refused;
    }
    cell_scratch_.resize(f.length);
    const stored result = store_cell(cell_scratch_.data(), f, text, code_page_);
    const std::uint64_t at = layout_.header_bytes + cell_offset(field, record);
    return result == stored::refused || file_.write(at, cell_scratch_.data(), f.length) ? result
                                                                                        : stored::refused;
}

} // namespace zv::zvk_file_dbf
