// The numbers the polygon operations write: lengths and areas as the .dbf
// fields hold them, in metres and in degrees alike.
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

// The computed fields of a table's first object as its record writes them.
std::vector<double> written_values(const geom_table& table)
{
    std::vector<double> values;
    for (std::size_t i = 0; i < table.computed.size(); ++i) {
        const computed_field& f = table.computed[i];
        const std::string text = format_number(table.objects.at(0).values.at(i), f.width, f.decimals);
        double value = NAN;
        std::from_chars(text.data() + text.find_first_not_of(' '), text.data() + text.size(), value);
        values.push_back(value);
    }
    return values;
}

// A rectangle of 3.14159 x 1.41421 turned to azimuth 60, scaled to metres, to
// degrees and to a building's size in degrees: every length and area written
// keeps six significant digits (a relative error within half a unit of the
// sixth), and metres keep the six decimals they always had.
TEST(GcPolygonOps, LengthsAndAreasKeepSixSignificantDigitsInAnyUnit)
{
    const struct {
        double scale;
        point origin;
    } cases[] = {{1000, {500000, 6000000}}, {1e-3, {37.6, 55.7}}, {1e-5, {44.1, 56.3}}};
    const double c = std::cos(std::numbers::pi / 6), s = std::sin(std::numbers::pi / 6);
    const double half_long = 3.14159 / 2, half_short = 1.41421 / 2;
    for (const auto& one : cases) {
        const double scale = one.scale;
        const point origin = one.origin;
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
            const auto written = written_values(*table);
            ASSERT_EQ(written.size(), values.size());
            for (std::size_t i = 0; i < values.size(); ++i)
                EXPECT_NEAR(written[i], values[i], 5e-6 * values[i]) << table->computed[i].name;
            if (scale > 1) {
                EXPECT_EQ(table->computed[0].decimals, 6);
            }
        }
    }
}

} // namespace
} // namespace zv::zvk_gc64lib
