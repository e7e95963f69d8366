// An open shape file. The .shx header and every record offset are read and
// checked when it opens; the records are read from a buffered window over
// the .shp and decoded by decode_record, which keeps sequential reading at
// one system call per megabyte.
#pragma once

#include "foundation/file_window.h"
#include "zvk_file_shp/shp_record.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zv::zvk_file_shp
{

class reader
{
  public:
    // Opens the shape file at path (native, with or without its extension);
    // the .shp and .shx are found by name in any letter case
    // (foundation::find_companion). False when the .shp or .shx is missing, either header is damaged, or
    // the .shx is shorter than its header says or holds an impossible
    // offset or length.
    bool open(const std::string& path);

    std::int32_t shape_type() const { return shape_type_; }
    std::uint32_t count() const { return static_cast<std::uint32_t>(offsets_.size()); }

    // Reads and decodes record index; the decoded record stays available
    // through last() until the next read. A record cut off by the end of the
    // .shp, or damaged, gives false.
    bool read(std::uint32_t index);
    const record& last() const { return last_; }
    bool has_record(std::uint32_t index) const { return last_valid_ && last_.header.index == index; }

  private:
    bool read_index(const std::string& shx_path);
    bool open_shp(const std::string& shp_path);

    foundation::file_window shp_;
    std::int32_t shape_type_ = 0;
    std::vector<std::uint32_t> offsets_; // byte offset of each record in the .shp
    record last_;
    bool last_valid_ = false;
};

} // namespace zv::zvk_file_shp
