#include "zvk_file_shp/shp_record.h"

#include "foundation/byte_order.h"

#include <cstring>

namespace zv::zvk_file_shp
{
namespace
{

// Byte offsets inside a record's content (published shape file layout).
constexpr std::size_t box_offset = 4;          // xmin, ymin, xmax, ymax
constexpr std::size_t multi_count_offset = 36; // numParts, or numPoints of a multipoint
constexpr std::size_t multipoint_points_offset = 40;
constexpr std::size_t parts_offset = 44; // part starts of a poly record
constexpr std::size_t point_bytes = 16;

std::int32_t le_i32(const unsigned char* p)
{
    return foundation::load_le<std::int32_t>(p);
}

double le_f64(const unsigned char* p)
{
    return foundation::load_le<double>(p);
}

enum class layout { null, point, multipoint, poly, multipatch, unknown };

layout layout_of(std::int32_t type)
{
    switch (type) {
    case ZV_SHP_NULL:
        return layout::null;
    case ZV_SHP_POINT:
    case ZV_SHP_POINTZ:
    case ZV_SHP_POINTM:
        return layout::point;
    case ZV_SHP_MULTIPOINT:
    case ZV_SHP_MULTIPOINTZ:
    case ZV_SHP_MULTIPOINTM:
        return layout::multipoint;
    case ZV_SHP_POLYLINE:
    case ZV_SHP_POLYGON:
    case ZV_SHP_POLYLINEZ:
    case ZV_SHP_POLYGONZ:
    case ZV_SHP_POLYLINEM:
    case ZV_SHP_POLYGONM:
        return layout::poly;
    case ZV_SHP_MULTIPATCH:
        return layout::multipatch;
    default:
        return layout::unknown;
    }
}

void read_box(const unsigned char* content, zv_shp_record_header& h)
{
    h.xmin = le_f64(content + box_offset);
    h.ymin = le_f64(content + box_offset + 8);
    h.xmax = le_f64(content + box_offset + 16);
    h.ymax = le_f64(content + box_offset + 24);
}

void read_points(const unsigned char* src, std::size_t count, std::vector<zv_vertex_d2>& out)
{
    out.resize(count);
    if (count > 0) { // an empty vector may have no storage at all
        std::memcpy(static_cast<void*>(out.data()), src, count * point_bytes);
    }
}

bool decode_point(const unsigned char* c, std::size_t n, record& out)
{
    if (n < 4 + point_bytes) {
        return false;
    }
    read_points(c + 4, 1, out.vertices);
    out.starts.assign(1, 0);
    out.header.part_count = 1;
    out.header.point_count = 1;
    out.header.xmin = out.header.xmax = out.vertices[0].x;
    out.header.ymin = out.header.ymax = out.vertices[0].y;
    return true;
}

bool decode_multipoint(const unsigned char* c, std::size_t n, record& out)
{
    if (n < multipoint_points_offset) {
        return false;
    }
    const std::int32_t points = le_i32(c + multi_count_offset);
    if (points < 0 || static_cast<std::uint64_t>(points) * point_bytes > n - multipoint_points_offset) {
        return false;
    }
    read_box(c, out.header);
    read_points(c + multipoint_points_offset, static_cast<std::size_t>(points), out.vertices);
    out.starts.assign(points > 0 ? 1 : 0, 0);
    out.header.part_count = points > 0 ? 1 : 0;
    out.header.point_count = static_cast<std::uint32_t>(points);
    return true;
}

// Poly records and multipatches: part starts must rise and stay inside the
// point list; a multipatch carries one part type per part before its points.
bool decode_parts(const unsigned char* c, std::size_t n, bool multipatch, record& out)
{
    if (n < parts_offset) {
        return false;
    }
    const std::int32_t parts = le_i32(c + multi_count_offset);
    const std::int32_t points = le_i32(c + multi_count_offset + 4);
    if (parts < 0 || points < 0) {
        return false;
    }
    const std::uint64_t index_bytes =
        std::uint64_t{4} * static_cast<std::uint64_t>(parts) * (multipatch ? 2 : 1);
    const std::uint64_t need = parts_offset + index_bytes + point_bytes * static_cast<std::uint64_t>(points);
    if (need > n) {
        return false;
    }
    out.starts.resize(static_cast<std::size_t>(parts));
    for (std::int32_t i = 0; i < parts; ++i) {
        const std::int32_t start = le_i32(c + parts_offset + 4 * static_cast<std::size_t>(i));
        const std::int32_t floor = i == 0 ? 0 : static_cast<std::int32_t>(out.starts[i - 1]);
        if (start < floor || start > points) {
            return false;
        }
        out.starts[static_cast<std::size_t>(i)] = static_cast<std::uint32_t>(start);
    }
    read_box(c, out.header);
    read_points(c + parts_offset + index_bytes, static_cast<std::size_t>(points), out.vertices);
    out.header.part_count = static_cast<std::uint32_t>(parts);
    out.header.point_count = static_cast<std::uint32_t>(points);
    return true;
}

} // namespace

bool decode_record(const unsigned char* content, std::size_t content_bytes, std::uint32_t index, record& out)
{
    out.header = zv_shp_record_header{};
    out.header.index = index;
    out.vertices.clear();
    out.starts.clear();
    if (content == nullptr || content_bytes < 4) {
        return false;
    }
    const std::int32_t type = le_i32(content);
    out.header.shape_type = type;
    switch (layout_of(type)) {
    case layout::null:
        return true;
    case layout::point:
        return decode_point(content, content_bytes, out);
    case layout::multipoint:
        return decode_multipoint(content, content_bytes, out);
    case layout::poly:
        return decode_parts(content, content_bytes, false, out);
    case layout::multipatch:
        return decode_parts(content, content_bytes, true, out);
    case layout::unknown:
        break;
    }
    return false;
}

} // namespace zv::zvk_file_shp
