#include "zvk_file_shp/shp_writer.h"

#include "foundation/byte_order.h"
#include "zvk_file_shp/shp_format.h"

#include <algorithm>
#include <climits>

namespace zv::zvk_file_shp
{
namespace
{

using foundation::append_be;
using foundation::append_le;
using foundation::store_be;
using foundation::store_le;

constexpr std::size_t flush_bytes = std::size_t{1} << 20;
// Offsets and lengths are signed 32-bit counts of 16-bit words.
constexpr std::uint64_t max_file_bytes = std::uint64_t{INT_MAX} * 2;
constexpr std::uint64_t point_bytes = 16;

void append_points(std::vector<unsigned char>& out, std::span<const zv_vertex_d2> vertices)
{
    for (const zv_vertex_d2& v : vertices) {
        append_le(out, v.x);
        append_le(out, v.y);
    }
}

std::uint64_t content_bytes(std::int32_t type, std::uint64_t parts, std::uint64_t points)
{
    switch (type) {
    case ZV_SHP_NULL:
        return 4;
    case ZV_SHP_POINT:
        return 4 + point_bytes;
    case ZV_SHP_MULTIPOINT:
        return 40 + point_bytes * points;
    default: // polyline, polygon
        return 44 + 4 * parts + point_bytes * points;
    }
}

bool starts_fit(std::span<const std::uint32_t> starts, std::size_t points)
{
    return !starts.empty() && starts.front() == 0 && std::is_sorted(starts.begin(), starts.end()) &&
           starts.back() <= points;
}

} // namespace

void writer::bounds::add(const zv_vertex_d2& v)
{
    if (empty) {
        xmin = xmax = v.x;
        ymin = ymax = v.y;
        empty = false;
        return;
    }
    xmin = std::min(xmin, v.x);
    ymin = std::min(ymin, v.y);
    xmax = std::max(xmax, v.x);
    ymax = std::max(ymax, v.y);
}

bool writer::create(const std::string& base, std::int32_t shape_type)
{
    discard();
    if (shape_type != ZV_SHP_POINT && shape_type != ZV_SHP_POLYLINE && shape_type != ZV_SHP_POLYGON &&
        shape_type != ZV_SHP_MULTIPOINT)
        return false;
    shape_type_ = shape_type;
    // Room for the headers, written when the lengths are known.
    shp_buffer_.assign(file_header_bytes, 0);
    shx_buffer_.assign(file_header_bytes, 0);
    shp_bytes_ = file_header_bytes;
    return shp_.create(base + ".shp") && shx_.create(base + ".shx");
}

bool writer::add(std::span<const zv_vertex_d2> vertices, std::span<const std::uint32_t> starts)
{
    if (shape_type_ == ZV_SHP_NULL) // not created
        return false;
    if (vertices.empty())
        return append_record(ZV_SHP_NULL, {}, {});
    switch (shape_type_) {
    case ZV_SHP_POINT:
        return append_record(shape_type_, vertices.first(1), {});
    case ZV_SHP_MULTIPOINT:
        return append_record(shape_type_, vertices, {});
    case ZV_SHP_POLYLINE:
    case ZV_SHP_POLYGON:
        return starts_fit(starts, vertices.size()) && append_record(shape_type_, vertices, starts);
    default:
        return false;
    }
}

// Record header, shape type, then for the types with more than a point
// their bounds, counts, part starts and points.
bool writer::append_record(std::int32_t type, std::span<const zv_vertex_d2> vertices,
                           std::span<const std::uint32_t> starts)
{
    const std::uint64_t content = content_bytes(type, starts.size(), vertices.size());
    if (shp_bytes_ + record_header_bytes + content > max_file_bytes)
        return false;
    append_be(shx_buffer_, static_cast<std::uint32_t>(shp_bytes_ / 2));
    append_be(shx_buffer_, static_cast<std::uint32_t>(content / 2));
    append_be(shp_buffer_, ++records_);
    append_be(shp_buffer_, static_cast<std::uint32_t>(content / 2));
    append_le(shp_buffer_, type);
    bounds box;
    for (const zv_vertex_d2& v : vertices)
        box.add(v);
    if (type == ZV_SHP_MULTIPOINT || type == ZV_SHP_POLYLINE || type == ZV_SHP_POLYGON) {
        for (double edge : {box.xmin, box.ymin, box.xmax, box.ymax})
            append_le(shp_buffer_, edge);
        if (type != ZV_SHP_MULTIPOINT)
            append_le(shp_buffer_, static_cast<std::int32_t>(starts.size()));
        append_le(shp_buffer_, static_cast<std::int32_t>(vertices.size()));
        for (std::uint32_t start : starts)
            append_le(shp_buffer_, static_cast<std::int32_t>(start));
    }
    append_points(shp_buffer_, vertices);
    if (!box.empty) {
        file_bounds_.add({box.xmin, box.ymin});
        file_bounds_.add({box.xmax, box.ymax});
    }
    shp_bytes_ += record_header_bytes + content;
    return shp_buffer_.size() < flush_bytes || flush();
}

bool writer::flush()
{
    const bool ok = shp_.append(shp_buffer_.data(), shp_buffer_.size()) &&
                    shx_.append(shx_buffer_.data(), shx_buffer_.size());
    shp_buffer_.clear();
    shx_buffer_.clear();
    return ok;
}

// The header of the .shp (file_bytes long) or of the .shx: code, length in
// words, version, shape type, bounds; z and m ranges stay zero.
std::vector<unsigned char> writer::header(std::uint64_t file_bytes) const
{
    std::vector<unsigned char> out(file_header_bytes, 0);
    store_be(out.data(), file_code);
    store_be(out.data() + length_offset, static_cast<std::uint32_t>(file_bytes / 2));
    store_le(out.data() + version_offset, file_version);
    store_le(out.data() + type_offset, shape_type_);
    const double edges[] = {file_bounds_.xmin, file_bounds_.ymin, file_bounds_.xmax, file_bounds_.ymax};
    for (std::size_t i = 0; i < 4; ++i)
        store_le(out.data() + bounds_offset + 8 * i, edges[i]);
    return out;
}

bool writer::commit()
{
    const std::uint64_t shx_bytes = file_header_bytes + std::uint64_t{records_} * index_entry_bytes;
    const auto shp_header = header(shp_bytes_);
    const auto shx_header = header(shx_bytes);
    const bool ok = flush() && shp_.output().write_at(0, shp_header.data(), shp_header.size()) &&
                    shx_.output().write_at(0, shx_header.data(), shx_header.size()) && shx_.commit() &&
                    shp_.commit();
    if (!ok)
        discard();
    return ok;
}

void writer::discard()
{
    shp_.discard();
    shx_.discard();
    shp_buffer_.clear();
    shx_buffer_.clear();
    shp_bytes_ = 0;
    records_ = 0;
    file_bounds_ = {};
    shape_type_ = ZV_SHP_NULL;
}

} // namespace zv::zvk_file_shp
