// Axes and rectangles of shapes whose principal axes are worked out by hand.
#include "principal_axes.h"

#include "gc_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace zv::zvk_gc64lib
{
namespace
{

using test::make_ring;

// Coordinates of a few hundred kilometres: results to a micrometre.
constexpr double tol = 1e-6;

void expect_point(point actual, point expected)
{
    EXPECT_NEAR(actual.x, expected.x, tol);
    EXPECT_NEAR(actual.y, expected.y, tol);
}

ring reversed(ring r)
{
    std::reverse(r.begin(), r.end());
    return r;
}

// A 4 x 2 rectangle centred on (500000, 6000000) whose long side points 30
// degrees counter-clockwise from east, i.e. at azimuth 60.
// By hand: a w x h rectangle has, in its own frame, central second moments
// w^3 h / 12 along its length and w h^3 / 12 across, and no product moment, so
// its principal axes are its sides; the long axis is the middle line of length
// 4, the short one of length 2, and the rectangle is the shape itself.
struct rotated_rectangle {
    point c{500000, 6000000};
    point u{std::cos(std::numbers::pi / 6), std::sin(std::numbers::pi / 6)};
    point v{-u.y, u.x};
    point at(double s, double t) const { return {c.x + s * u.x + t * v.x, c.y + s * u.y + t * v.y}; }
    ring outline() const { return {at(-2, -1), at(-2, 1), at(2, 1), at(2, -1), at(-2, -1)}; }
};

TEST(GcPrincipalAxes, RotatedRectangleIsItsOwnFrameAndClockwiseRectangle)
{
    const rotated_rectangle rr;
    const auto box = polygon_oriented_box({rr.outline()});
    ASSERT_TRUE(box);
    expect_point(box->frame.centroid, rr.c);
    expect_point(box->frame.major, rr.u);
    EXPECT_NEAR(box->major_max - box->major_min, 4.0, tol);
    EXPECT_NEAR(box->minor_max - box->minor_min, 2.0, tol);
    const ring long_axis = box->long_axis();
    expect_point(long_axis[0], rr.at(-2, 0));
    expect_point(long_axis[1], rr.at(2, 0));
    const ring short_axis = box->short_axis();
    expect_point(short_axis[0], rr.at(0, -1));
    expect_point(short_axis[1], rr.at(0, 1));
    // The corners themselves are rounded to 1e-9 m at this distance from the origin.
    EXPECT_NEAR(line_azimuth_degrees(box->frame.major), 60.0, 1e-6);

    // The rectangle ring, of either orientation of the input, is closed,
    // clockwise and holds the corners.
    const auto reversed_box = polygon_oriented_box({reversed(rr.outline())});
    ASSERT_TRUE(reversed_box);
    const ring rect = reversed_box->rectangle();
    ASSERT_EQ(rect.size(), 5u);
    expect_point(rect.front(), rect.back());
    for (point corner : {rr.at(-2, -1), rr.at(-2, 1), rr.at(2, 1), rr.at(2, -1)}) {
        const bool found = std::any_of(rect.begin(), rect.end(), [&](point p) {
            return std::hypot(p.x - corner.x, p.y - corner.y) < tol;
        });
        EXPECT_TRUE(found) << corner.x << " " << corner.y;
    }
    // Shoelace sum negative: clockwise, the shapefile's outer-ring order.
    double twice = 0;
    for (std::size_t i = 0; i + 1 < rect.size(); ++i)
        twice +=
            (rect[i].x - rr.c.x) * (rect[i + 1].y - rr.c.y) - (rect[i + 1].x - rr.c.x) * (rect[i].y - rr.c.y);
    EXPECT_NEAR(twice / 2, -8.0, tol);
}

// L-shape: [0,3]x[0,1] together with [0,1]x[1,3], area 5.
// By hand: pieces A (area 3, centroid (1.5, 0.5)) and B (area 2, centroid
// (0.5, 2)) give the centroid (1.1, 1.1). About it:
//   integral of (x-cx)^2 = (27/12 + 3*0.16) + (2/12 + 2*0.36) = 3.61667, the same for y;
//   integral of (x-cx)(y-cy) = 3*(0.4)(-0.6) + 2*(-0.6)(0.9) = -1.8.
// Eigenvalues 3.61667 +- 1.8: the larger along (1, -1) (azimuth 135), the smaller
// along (1, 1) (azimuth 45). Projections of the vertices on (1,-1)/sqrt2 are
// (x - y)/sqrt2 in [-3, 3]/sqrt2, on (1,1)/sqrt2 about the centroid
// (x + y - 2.2)/sqrt2 in [-2.2, 1.8]/sqrt2. So the long axis runs from
// (-0.4, 2.6) to (2.6, -0.4), length 3 sqrt2; the short axis from (0, 0) to
// (2, 2), length 2 sqrt2; the rectangle's area is 12.
TEST(GcPrincipalAxes, LShapeMatchesHandCalculation)
{
    const ring l_shape = make_ring({0, 0, 0, 3, 1, 3, 1, 1, 3, 1, 3, 0, 0, 0});
    const auto box = polygon_oriented_box({l_shape});
    ASSERT_TRUE(box);
    expect_point(box->frame.centroid, {1.1, 1.1});
    EXPECT_NEAR(line_azimuth_degrees(box->frame.major), 135.0, 1e-9);
    const ring long_axis = box->long_axis();
    expect_point(long_axis[0], {-0.4, 2.6});
    expect_point(long_axis[1], {2.6, -0.4});
    const ring short_axis = box->short_axis();
    expect_point(short_axis[0], {0, 0});
    expect_point(short_axis[1], {2, 2});
    const double area = (box->major_max - box->major_min) * (box->minor_max - box->minor_min);
    EXPECT_NEAR(area, 12.0, tol);
}

// Outer [0,10]x[0,4] (area 40) with the hole [1,3]x[1,3] (area 4).
// By hand: centroid ((40*5 - 4*2)/36, (40*2 - 4*2)/36) = (16/3, 2).
// integral (x-cx)^2 = (1000*4/12 + 40/9) - (8*2/12 + 4*100/9) = 292,
// integral (y-cy)^2 = 10*64/12 - 2*8/12 = 52, product moment 0 (both pieces
// are symmetric about y = 2). So the long axis runs east from (0, 2) to
// (10, 2), and the short axis north through x = 16/3 -- not through the
// middle x = 5, which is where the hole shows.
TEST(GcPrincipalAxes, HoleSubtractsFromTheMoments)
{
    const ring outer = make_ring({0, 0, 0, 4, 10, 4, 10, 0, 0, 0});
    const ring hole = make_ring({1, 1, 3, 1, 3, 3, 1, 3, 1, 1});
    for (const std::vector<ring>& rings :
         {std::vector<ring>{outer, hole}, std::vector<ring>{reversed(outer), reversed(hole)},
          std::vector<ring>{outer, reversed(hole)}}) {
        const auto box = polygon_oriented_box(rings);
        ASSERT_TRUE(box);
        expect_point(box->frame.centroid, {16.0 / 3, 2});
        EXPECT_NEAR(line_azimuth_degrees(box->frame.major), 90.0, 1e-9);
        const ring long_axis = box->long_axis();
        expect_point(long_axis[0], {0, 2});
        expect_point(long_axis[1], {10, 2});
        const ring short_axis = box->short_axis();
        expect_point(short_axis[0], {16.0 / 3, 0});
        expect_point(short_axis[1], {16.0 / 3, 4});
    }
}

// A square has equal principal moments; its longest edge decides, so the
// rectangle of a rotated square is the square itself.
TEST(GcPrincipalAxes, IsotropicSquareTakesItsEdgeDirection)
{
    const double a = 20 * std::numbers::pi / 180;
    const point u{std::cos(a), std::sin(a)}, v{-u.y, u.x};
    auto at = [&](double s, double t) { return point{100 + s * u.x + t * v.x, 200 + s * u.y + t * v.y}; };
    const ring square{at(0, 0), at(0, 3), at(3, 3), at(3, 0), at(0, 0)};
    const auto box = polygon_oriented_box({square});
    ASSERT_TRUE(box);
    EXPECT_NEAR(box->major_max - box->major_min, 3.0, tol);
    EXPECT_NEAR(box->minor_max - box->minor_min, 3.0, tol);
    expect_point(box->frame.centroid, at(1.5, 1.5));
    const auto again = polygon_oriented_box({square});
    EXPECT_EQ(again->frame.major.x, box->frame.major.x);
    EXPECT_EQ(again->frame.major.y, box->frame.major.y);
}

TEST(GcPrincipalAxes, DegenerateShapesFallBackToVertices)
{
    // No area: the vertices (0,0), (2,2), (4,4) spread along azimuth 45.
    const auto line = polygon_oriented_box({make_ring({0, 0, 2, 2, 4, 4, 0, 0})});
    ASSERT_TRUE(line);
    expect_point(line->frame.centroid, {2, 2});
    EXPECT_NEAR(line_azimuth_degrees(line->frame.major), 45.0, 1e-9);
    EXPECT_NEAR(line->major_max - line->major_min, 4 * std::sqrt(2.0), tol);
    EXPECT_NEAR(line->minor_max - line->minor_min, 0.0, tol);

    // A single point: zero-length axes at the point.
    const auto dot = polygon_oriented_box({make_ring({5, 7, 5, 7, 5, 7, 5, 7})});
    ASSERT_TRUE(dot);
    expect_point(dot->frame.centroid, {5, 7});
    expect_point(dot->long_axis()[0], {5, 7});
    expect_point(dot->long_axis()[1], {5, 7});
    expect_point(dot->short_axis()[1], {5, 7});

    EXPECT_FALSE(polygon_oriented_box({}));
    EXPECT_FALSE(polygon_oriented_box({make_ring({0, 0, NAN, 1, 1, 1, 0, 0})}));
}

TEST(GcPrincipalAxes, AzimuthIsClockwiseFromNorthAsAnUndirectedLine)
{
    const std::pair<point, double> cases[] = {{{0, 1}, 0.0},   {{0, -1}, 0.0},   {{1, 0}, 90.0},
                                              {{-1, 0}, 90.0}, {{1, -1}, 135.0}, {{-1, -1}, 45.0}};
    for (const auto& [direction, azimuth] : cases)
        EXPECT_NEAR(line_azimuth_degrees(direction), azimuth, 1e-12) << direction.x << " " << direction.y;
}

} // namespace
} // namespace zv::zvk_gc64lib
