// The numbers the polygon operations write: lengths and areas as the .dbf
// records hold them, in metres and in degrees alike.
#include "dbf_output.h"
#include "polygon_ops.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <numbers>
#include <string>

namespace zv::zvk_gc64lib
{
namespace
{

// The computed fields of each object of a table as its records hold them.
std::vector<std::vector<double>> written_values(const geom_table& table)
{
    const auto fields = output_fields(table);
    const std::size_t first_computed = fields.size() - table.computed.size();
    std::vector<std::vector<double>> rows;
    for (const geom_object& obj : table.objects) {
        const std::string record = output_record(table, obj);
        rows.emplace_back();
        std::size_t at = 1; // after the deletion flag
        for (std::size_t f = 0; f < fields.size(); ++f) {
            const auto width = static_cast<std::size_t>(fields[f].width);
            if (f >= first_computed) {
                const std::size_t digits = record.find_first_not_of(' ', at);
                double value = NAN;
                std::from_chars(record.data() + digits, record.data() + at + width, value);
                rows.back().push_back(value);
            }
            at += width;
        }
    }
    return rows;
}

// A rectangle of 3.14159 x 1.41421 turned to azimuth 60, scaled to metres, to
// degrees and to a building's size in degrees: every length and area written keeps six
// significant digits (a relative error within half a unit of the sixth), and
// metres keep the six decimals they always had.
TEST(GcPolygonOps, LengthsAndAreasKeepSixSignificantDigitsInAnyUnit)
{
    const struct {
        double scale;
        point origin;
    } cases[] = {{1000, {500000, 6000000}}, {1e-3, {37.6, 55.7}}, {1e-5, {44.1, 56.3}}};
    const double c = std::cos(std::numbers::pi / 6), s = std::sin(std::numbers::pi / 6);
    const double half_long = 3.14159 / 2, half_short = 1.41421 / 2;
    for (const auto& [scale, origin] : cases) {
        SCOPED_TRACE(scale);
        const auto at = [&](double a, double b) {
            return point{origin.x + scale * (a * c - b * s), origin.y + scale * (a * s + b * c)};
        };
        geom_table polygons;
        polygons.kind = shape_kind::polygon;
        polygons.objects = {
            {shape_kind::polygon,
             {{at(-half_long, -half_short), at(-half_long, half_short), at(half_long, half_short),
               at(half_long, -half_short), at(-half_long, -half_short)}}}};
        geom_table rects, longs, shorts;
        make_rectangles(polygons, rects);
        make_axes(polygons, longs, shorts);
        const std::pair<const geom_table*, std::vector<double>> expected[] = {
            {&rects,
             {2 * half_long * scale, 2 * half_short * scale, 60, 4 * half_long * half_short * scale * scale}},
            {&longs, {2 * half_long * scale}},
            {&shorts, {2 * half_short * scale}}};
        for (const auto& [table, values] : expected) {
            const auto rows = written_values(*table);
            ASSERT_EQ(rows.size(), 1u);
            ASSERT_EQ(rows[0].size(), values.size());
            for (std::size_t i = 0; i < values.size(); ++i)
                EXPECT_NEAR(rows[0][i], values[i], 5e-6 * values[i]) << table->computed[i].name;
            if (scale > 1) {
                EXPECT_EQ(table->computed[0].decimals, 6);
            }
        }
    }
}

} // namespace
} // namespace zv::zvk_gc64lib
