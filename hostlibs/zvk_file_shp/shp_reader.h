// An open shapefile: shapelib reads and checks the file header and the .shx
// index; the records themselves are read from our own buffered window over
// the .shp and decoded by decode_record, which keeps sequential reading at
// one system call per megabyte.
#pragma once

#include "foundation/file.h"
#include "foundation/file_window.h"
#include "zvk_file_shp/shp_record.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zv::shp
{

class reader
{
  public:
    // Opens the shapefile at path (UTF-8, with or without its extension).
    bool open(const std::string& path);

    std::int32_t shape_type() const { return shape_type_; }
    std::uint32_t count() const { return static_cast<std::uint32_t>(offsets_.size()); }

    // Reads and decodes record index; the decoded record stays available
    // through last() until the next read.
    bool read(std::uint32_t index);
    const record& last() const { return last_; }
    bool has_record(std::uint32_t index) const { return last_valid_ && last_.header.index == index; }

  private:
    bool read_index(const std::string& base);
    bool open_shp(const std::string& base);

    foundation::file_window shp_;
    std::int32_t shape_type_ = 0;
    std::vector<std::uint32_t> offsets_; // byte offset of each record in the .shp
    record last_;
    bool last_valid_ = false;
};

} // namespace zv::shp
