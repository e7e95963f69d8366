// One table, opened from a file or created new. An opened table is read
// through a buffered window over its own file descriptor (so a file renamed
// over it later does not disturb it). A created table is written to a
// temporary file in the target folder, which commit() renames over the
// target only once it is complete. Its records pass through a window of
// about a megabyte that moves forward as the cells are filled, so filling a
// table record by record stays in the processor's cache and costs one write
// a megabyte; a cell behind the window brings the whole table into memory.
#pragma once

#include "foundation/file.h"
#include "foundation/file_window.h"
#include "zvk_file_dbf/dbf_format.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace zv::zvk_file_dbf
{

class table
{
  public:
    table() = default;
    ~table();
    table(const table&) = delete;
    table& operator=(const table&) = delete;

    // Opens the table at path (UTF-8), found by its name without regard to
    // case as Windows finds it (foundation::find_file_any_case), its .cpg
    // likewise. False when it is missing, damaged or shorter than its header
    // says.
    bool open(const std::string& path, bool writable, unsigned ansi_page);

    // Starts a new table of record_count empty records in the ANSI code
    // page. Its temporary file is made now, so a folder that cannot take the
    // table fails here. False for invalid descriptors.
    bool create(const std::string& path, const dbf_field_desc* fields, std::uint32_t field_count,
                std::uint32_t record_count, unsigned ansi_page);

    // Writes a created table and its .cpg into place; nothing for an opened
    // one. On failure the temporary file is removed, and so is any table at
    // the path and its .cpg (in any letter case): no older table is left to
    // be taken for the one that failed.
    bool commit();

    // The writing of commit() in two steps, for a caller that puts several
    // files in place together, writes the .cpg its own way and decides what
    // a failure leaves: finish() completes the temporary file,
    // put_in_place() renames it over the target. Either removes the
    // temporary file when it fails, and nothing else.
    bool finish();
    bool put_in_place();

    const layout& shape() const { return layout_; }
    unsigned code_page() const { return code_page_; }
    unsigned ansi_page() const { return ansi_page_; }

    // The stored bytes of a cell (field length long); null when the cell does
    // not exist or cannot be read.
    const unsigned char* cell(std::uint32_t field, std::uint32_t record);

    // The bytes of a cell of a created table, to be written directly; null
    // for an opened table, a cell that does not exist, or when moving the
    // window fails.
    unsigned char* memory_cell(std::uint32_t field, std::uint32_t record)
    {
        if (!created_ || !exists(field, record)) {
            return nullptr;
        }
        if (record - first_ >= held_ && !hold(record)) {
            return nullptr;
        }
        return records_.get() + cell_offset(field, record - first_);
    }

    // Stores text (already in the table's code page) into a cell; refused
    // as well when the cell does not exist, the table is read-only or the
    // write fails.
    stored write_cell(std::uint32_t field, std::uint32_t record, std::string_view text);

  private:
    bool exists(std::uint32_t field, std::uint32_t record) const
    {
        return field < layout_.fields.size() && record < layout_.record_count;
    }
    std::uint64_t cell_offset(std::uint32_t field, std::uint32_t record) const
    {
        return std::uint64_t{record} * layout_.record_bytes + layout_.fields[field].offset;
    }
    void discard_temporary();
    bool hold(std::uint32_t record);
    bool write_held();
    bool hold_whole_table();
    bool write_records();

    layout layout_;
    unsigned code_page_ = 0;
    unsigned ansi_page_ = 0;
    bool writable_ = false;
    bool created_ = false;
    foundation::file_window file_; // opened tables
    // Records of a created table held in memory: held_ records from first_
    // on, blank until written. Records before first_ are in the temporary
    // file already, those after the held ones are still blank.
    std::unique_ptr<unsigned char[]> records_;
    std::uint32_t first_ = 0;
    std::uint32_t held_ = 0;
    std::uint32_t window_records_ = 0;        // records held while moving forward
    std::vector<unsigned char> cell_scratch_; // in-place writes, cells read from the file
    std::string target_path_;
    foundation::replacement_file temp_; // created tables, until commit()
};

} // namespace zv::zvk_file_dbf
