// Writing a shape file's .shp and .shx: records are gathered in a buffer and
// appended a megabyte at a time to temporary files beside the targets; the
// headers, which need the file lengths and the bounds of every record, are
// written last. Nothing is at the targets until commit().
#pragma once

#include "foundation/file.h"
#include "host/zvk_file_shp.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace zv::zvk_file_shp
{

class writer
{
  public:
    // Starts base.shp and base.shx of a 2-D shape type (point, polyline,
    // polygon, multipoint). False for another type or when a temporary file
    // cannot be made in base's folder.
    bool create(const std::string& base, std::int32_t shape_type);

    // Appends a record of the file's shape type: a point file takes the
    // first vertex, a multipoint file all of them, a polyline or polygon file
    // the parts that begin at starts (rising, inside vertices). No vertices
    // make a null record. False on a write failure, bad part starts or a
    // .shp that would outgrow the format's 32-bit word offsets.
    bool add(std::span<const zv_vertex_d2> vertices, std::span<const std::uint32_t> starts);

    // Writes what is buffered and both headers, then renames the .shx and
    // the .shp (last, so a new .shp never stands beside an old .shx) into
    // place. On failure the temporaries are removed; a .shx already renamed
    // stays (the caller that needs all or nothing removes its outputs).
    bool commit();

    // Removes the temporaries; the targets stay as they were.
    void discard();

  private:
    struct bounds {
        double xmin = 0, ymin = 0, xmax = 0, ymax = 0;
        bool empty = true;
        void add(const zv_vertex_d2& v);
    };
    bool append_record(std::int32_t type, std::span<const zv_vertex_d2> vertices,
                       std::span<const std::uint32_t> starts);
    bool flush();
    std::vector<unsigned char> header(std::uint64_t file_bytes) const;

    foundation::replacement_file shp_;
    foundation::replacement_file shx_;
    std::int32_t shape_type_ = ZV_SHP_NULL;
    std::vector<unsigned char> shp_buffer_;
    std::vector<unsigned char> shx_buffer_;
    std::uint64_t shp_bytes_ = 0; // header and records so far, flushed or not
    std::uint32_t records_ = 0;
    bounds file_bounds_;
};

} // namespace zv::zvk_file_shp
