#include "polygon_ops.h"

#include "principal_axes.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace zv::zvk_gc64lib
{
namespace
{

// Lengths and areas in the data's units with room for continental extents;
// the azimuth to a millionth of a degree.
constexpr computed_field length_field{"LENGTH", 20, 6};
constexpr computed_field width_field{"WIDTH", 20, 6};
constexpr computed_field azimuth_field{"AZIMUTH", 11, 6};
constexpr computed_field area_field{"AREA", 24, 6};

// The data's units may be degrees, where six decimals leave an area of
// 1.234e-5 as 0.000012: a length or area field keeps at least this many
// significant digits of its smallest non-zero value by taking more decimals,
// up to about as many as a double holds.
constexpr int kSignificantDigits = 6;
constexpr int kMaxDecimals = 15;

computed_field fitted(computed_field field, const std::vector<geom_object>& objects, std::size_t column)
{
    double smallest = INFINITY;
    for (const geom_object& obj : objects) {
        const double value = std::fabs(obj.values[column]);
        if (value > 0 && value < smallest)
            smallest = value;
    }
    if (std::isfinite(smallest)) {
        const int needed = kSignificantDigits - 1 - static_cast<int>(std::floor(std::log10(smallest)));
        field.decimals = std::clamp(needed, field.decimals, kMaxDecimals);
    }
    return field;
}

geom_object derived(const geom_object& source, shape_kind kind, ring r, std::vector<double> values)
{
    geom_object obj;
    obj.kind = kind;
    obj.parts.push_back(std::move(r));
    obj.source_object = source.source_object;
    obj.source_part = source.source_part;
    obj.attribute_row = source.attribute_row;
    obj.values = std::move(values);
    return obj;
}

// Calls fn(object, box) for every polygon of the table that has an oriented
// box (degenerate polygons have none and give no output).
template <typename Fn> void for_each_box(const geom_table& polygons, Fn&& fn)
{
    for (const geom_object& obj : polygons.objects) {
        if (obj.kind != shape_kind::polygon)
            continue;
        if (const auto box = polygon_oriented_box(obj.parts))
            fn(obj, *box);
    }
}

} // namespace

void make_axes(const geom_table& polygons, geom_table& long_axes, geom_table& short_axes)
{
    std::vector<geom_object> longs, shorts;
    for_each_box(polygons, [&](const geom_object& obj, const auto& box) {
        longs.push_back(derived(obj, shape_kind::line, box.long_axis(), {box.major_max - box.major_min}));
        shorts.push_back(derived(obj, shape_kind::line, box.short_axis(), {box.minor_max - box.minor_min}));
    });
    // Derive after reading: either output may be the input table.
    const geom_table source_meta = [&] {
        geom_table meta;
        meta.derive_from(polygons, shape_kind::line, {});
        return meta;
    }();
    long_axes.derive_from(source_meta, shape_kind::line, {fitted(length_field, longs, 0)});
    long_axes.objects = std::move(longs);
    short_axes.derive_from(source_meta, shape_kind::line, {fitted(length_field, shorts, 0)});
    short_axes.objects = std::move(shorts);
}

void make_rectangles(const geom_table& polygons, geom_table& rectangles)
{
    std::vector<geom_object> rects;
    for_each_box(polygons, [&](const geom_object& obj, const auto& box) {
        const double along_major = box.major_max - box.major_min;
        const double along_minor = box.minor_max - box.minor_min;
        const bool major_is_long = along_major >= along_minor;
        const point long_dir = major_is_long ? box.frame.major : box.frame.minor;
        rects.push_back(derived(obj, shape_kind::polygon, box.rectangle(),
                                {std::max(along_major, along_minor), std::min(along_major, along_minor),
                                 line_azimuth_degrees(long_dir), along_major * along_minor}));
    });
    rectangles.derive_from(polygons, shape_kind::polygon,
                           {fitted(length_field, rects, 0), fitted(width_field, rects, 1), azimuth_field,
                            fitted(area_field, rects, 3)});
    rectangles.objects = std::move(rects);
}

} // namespace zv::zvk_gc64lib
