// Axes and rectangles of shapes whose principal axes are worked out by hand.
#include "principal_axes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace zv::zvk_gc64lib
{
namespace
{

// Coordinates of a few hundred kilometres: results to a micrometre.
constexpr double tol = 1e-6;

void expect_point(point actual, point expected)
{
    EXPECT_NEAR(actual.x, expected.x, tol);
    EXPECT_NEAR(actual.y, expected.y, tol);
}

double length(const ring& line)
{
    return std::hypot(line[1].x - line[0].x, line[1].y - line[0].y);
}

// A shape with the centroid, the major axis' azimuth and the endpoints of the
// long and the short axis worked out by hand; one per branch of the code.
struct axes_case {
    const char* shape;
    std::vector<ring> rings;
    point centroid;
    double azimuth;
    ring long_axis, short_axis;
};

// L-shape: [0,3]x[0,1] with [0,1]x[1,3], moved by (500000, 6000000) as
// projected coordinates are. Pieces of area 3 at (1.5, 0.5) and 2 at (0.5, 2)
// give the centroid (1.1, 1.1); about it the integral of (x-cx)^2 = (27/12 +
// 3*0.16) + (2/12 + 2*0.36) = 3.61667, the same for y, and of (x-cx)(y-cy) =
// 3*(0.4)(-0.6) + 2*(-0.6)(0.9) = -1.8. Eigenvalues 3.61667 +- 1.8, the larger
// along (1, -1) (azimuth 135). The vertices project on (1,-1)/sqrt2 to
// [-3, 3]/sqrt2 and on (1,1)/sqrt2, about the centroid, to [-2.2, 1.8]/sqrt2.
// Box with a hole, both rings clockwise (the hole known by nesting, not by
// orientation): [0,10]x[0,4] less [1,3]x[1,3]: centroid ((40*5 - 4*2)/36,
// (40*2 - 4*2)/36) = (16/3, 2); integral (x-cx)^2 = (1000*4/12 + 40/9) - (8*2/12 +
// 4*100/9) = 292, (y-cy)^2 = 10*64/12 - 2*8/12 = 52, product 0 (symmetric about
// y = 2): the short axis runs through x = 16/3, not the middle x = 5.
// Square (0,0), (4,3), (1,7), (-3,4): equal moments, so its first longest edge
// decides: azimuth atan(4/3), vertices +-2.5 from (0.5, 3.5) along both axes.
// No area: vertices spread along azimuth 45. A point: due east, zero length.
std::vector<axes_case> axes_cases()
{
    const auto at = [](double x, double y) { return point{500000 + x, 6000000 + y}; };
    const ring l_shape{at(0, 0), at(0, 3), at(1, 3), at(1, 1), at(3, 1), at(3, 0), at(0, 0)};
    const ring outer{{0, 0}, {0, 4}, {10, 4}, {10, 0}, {0, 0}}, hole{{1, 1}, {1, 3}, {3, 3}, {3, 1}, {1, 1}};
    const ring square{{0, 0}, {4, 3}, {1, 7}, {-3, 4}, {0, 0}};
    const double atan_4_3 = std::atan2(4.0, 3.0) * 180 / std::numbers::pi;
    return {
        {"L-shape", {l_shape}, at(1.1, 1.1), 135, {at(-0.4, 2.6), at(2.6, -0.4)}, {at(0, 0), at(2, 2)}},
        {"hole", {outer, hole}, {16.0 / 3, 2}, 90, {{0, 2}, {10, 2}}, {{16.0 / 3, 0}, {16.0 / 3, 4}}},
        {"square", {square}, {0.5, 3.5}, atan_4_3, {{-1.5, 2}, {2.5, 5}}, {{-1, 5.5}, {2, 1.5}}},
        {"no area", {{{0, 0}, {2, 2}, {4, 4}, {0, 0}}}, {2, 2}, 45, {{0, 0}, {4, 4}}, {{2, 2}, {2, 2}}},
        {"one point", {{{5, 7}, {5, 7}, {5, 7}, {5, 7}}}, {5, 7}, 90, {{5, 7}, {5, 7}}, {{5, 7}, {5, 7}}},
    };
}

// Every shape: the frame and axes as worked out; the rectangle a closed
// clockwise ring whose corners are the long axis' ends moved by the short
// axis' offsets from the centroid.
TEST(GcPrincipalAxes, AxesAndRectangleMatchHandCalculations)
{
    for (const axes_case& c : axes_cases()) {
        SCOPED_TRACE(c.shape);
        const auto box = polygon_oriented_box(c.rings);
        ASSERT_TRUE(box);
        expect_point(box->frame.centroid, c.centroid);
        EXPECT_NEAR(line_azimuth_degrees(box->frame.major), c.azimuth, 1e-6);
        for (std::size_t i = 0; i < 2; ++i) {
            expect_point(box->long_axis()[i], c.long_axis[i]);
            expect_point(box->short_axis()[i], c.short_axis[i]);
        }
        const ring rect = box->rectangle();
        ASSERT_EQ(rect.size(), 5u);
        expect_point(rect.front(), rect.back());
        const point o = c.centroid;
        double twice = 0;
        for (std::size_t i = 0; i + 1 < rect.size(); ++i)
            twice += (rect[i].x - o.x) * (rect[i + 1].y - o.y) - (rect[i + 1].x - o.x) * (rect[i].y - o.y);
        EXPECT_NEAR(twice / 2, -length(c.long_axis) * length(c.short_axis), tol);
        for (point l : c.long_axis)
            for (point s : c.short_axis) {
                const point corner{l.x + s.x - o.x, l.y + s.y - o.y};
                const auto at_corner = [&](point p) { return length({p, corner}) < tol; };
                EXPECT_TRUE(std::any_of(rect.begin(), rect.end(), at_corner)) << corner.x << " " << corner.y;
            }
    }
    EXPECT_FALSE(polygon_oriented_box({}));
    EXPECT_FALSE(polygon_oriented_box({{{0, 0}, {NAN, 1}, {1, 1}, {0, 0}}}));
}

// Azimuth of the way from a line's first vertex to its second, in (-180, 180].
double drawn_azimuth(const ring& line)
{
    return std::atan2(line[1].x - line[0].x, line[1].y - line[0].y) * 180 / std::numbers::pi;
}

// A 4 x 2 rectangle turned by every 7.5 degrees of the full circle (due
// north-south and east-west included): both axes are drawn with azimuths in
// [0, 180), whichever way the minor direction turns from the major one.
TEST(GcPrincipalAxes, BothAxesAreDrawnEastwardOrDueNorth)
{
    for (int step = 0; step < 48; ++step) {
        const double turn = step * 7.5 * std::numbers::pi / 180;
        const double c = std::cos(turn), s = std::sin(turn);
        ring r;
        for (const point corner : {point{-2, -1}, point{-2, 1}, point{2, 1}, point{2, -1}, point{-2, -1}})
            r.push_back({500000 + corner.x * c + corner.y * s, 6000000 - corner.x * s + corner.y * c});
        const auto box = polygon_oriented_box({r});
        ASSERT_TRUE(box);
        for (const ring& axis : {box->long_axis(), box->short_axis()}) {
            const double azimuth = drawn_azimuth(axis);
            EXPECT_TRUE(azimuth > -1e-9 && azimuth < 180 - 1e-9) << step * 7.5 << " degrees: " << azimuth;
        }
    }
}

TEST(GcPrincipalAxes, AzimuthIsClockwiseFromNorthAsAnUndirectedLine)
{
    // One per branch: as it comes, folded from below 0, folded from 180, and
    // just below 180 taken as 0.
    const std::pair<point, double> cases[] = {
        {{1, -1}, 135.0}, {{-1, -1}, 45.0}, {{0, -1}, 0.0}, {{-1e-12, 1}, 0.0}};
    for (const auto& [direction, azimuth] : cases)
        EXPECT_NEAR(line_azimuth_degrees(direction), azimuth, 1e-12) << direction.x << " " << direction.y;
}

} // namespace
} // namespace zv::zvk_gc64lib
