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

ring reversed(ring r)
{
    std::reverse(r.begin(), r.end());
    return r;
}

// The box of `rings` has the centroid, the major axis' azimuth and the
// endpoints of the long and the short axis worked out by hand.
void expect_axes(const std::vector<ring>& rings, point centroid, double azimuth, ring long_axis,
                 ring short_axis)
{
    const auto box = polygon_oriented_box(rings);
    ASSERT_TRUE(box);
    expect_point(box->frame.centroid, centroid);
    EXPECT_NEAR(line_azimuth_degrees(box->frame.major), azimuth, 1e-6);
    for (std::size_t i = 0; i < 2; ++i) {
        expect_point(box->long_axis()[i], long_axis[i]);
        expect_point(box->short_axis()[i], short_axis[i]);
    }
}

// A 4 x 2 rectangle centred on (500000, 6000000) whose long side points 30
// degrees counter-clockwise from east, i.e. at azimuth 60.
// By hand: a w x h rectangle has, in its own frame, central second moments
// w^3 h / 12 along its length and w h^3 / 12 across, and no product moment, so
// its principal axes are its sides; the long axis is the middle line of length
// 4, the short one of length 2, and the rectangle is the shape itself.
TEST(GcPrincipalAxes, RotatedRectangleIsItsOwnFrameAndClockwiseRectangle)
{
    const point c{500000, 6000000}, u{std::cos(std::numbers::pi / 6), std::sin(std::numbers::pi / 6)};
    auto at = [&](double s, double t) { return point{c.x + s * u.x - t * u.y, c.y + s * u.y + t * u.x}; };
    const ring outline{at(-2, -1), at(-2, 1), at(2, 1), at(2, -1), at(-2, -1)};
    expect_axes({outline}, c, 60.0, {at(-2, 0), at(2, 0)}, {at(0, -1), at(0, 1)});

    // The rectangle ring, of either orientation of the input, is closed,
    // clockwise (negative shoelace sum) and holds the corners.
    const auto box = polygon_oriented_box({reversed(outline)});
    ASSERT_TRUE(box);
    EXPECT_NEAR(box->major_max - box->major_min, 4.0, tol);
    EXPECT_NEAR(box->minor_max - box->minor_min, 2.0, tol);
    const ring rect = box->rectangle();
    ASSERT_EQ(rect.size(), 5u);
    expect_point(rect.front(), rect.back());
    for (point corner : {at(-2, -1), at(-2, 1), at(2, 1), at(2, -1)}) {
        const bool found = std::any_of(rect.begin(), rect.end(), [&](point p) {
            return std::hypot(p.x - corner.x, p.y - corner.y) < tol;
        });
        EXPECT_TRUE(found) << corner.x << " " << corner.y;
    }
    double twice = 0;
    for (std::size_t i = 0; i + 1 < rect.size(); ++i)
        twice += (rect[i].x - c.x) * (rect[i + 1].y - c.y) - (rect[i + 1].x - c.x) * (rect[i].y - c.y);
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
    const ring l_shape{{0, 0}, {0, 3}, {1, 3}, {1, 1}, {3, 1}, {3, 0}, {0, 0}};
    expect_axes({l_shape}, {1.1, 1.1}, 135.0, {{-0.4, 2.6}, {2.6, -0.4}}, {{0, 0}, {2, 2}});
    const auto box = polygon_oriented_box({l_shape});
    ASSERT_TRUE(box);
    EXPECT_NEAR((box->major_max - box->major_min) * (box->minor_max - box->minor_min), 12.0, tol);
}

// Outer [0,10]x[0,4] (area 40) with the hole [1,3]x[1,3] (area 4).
// By hand: centroid ((40*5 - 4*2)/36, (40*2 - 4*2)/36) = (16/3, 2).
// integral (x-cx)^2 = (1000*4/12 + 40/9) - (8*2/12 + 4*100/9) = 292,
// integral (y-cy)^2 = 10*64/12 - 2*8/12 = 52, product moment 0 (both pieces
// are symmetric about y = 2). So the long axis runs east from (0, 2) to
// (10, 2), and the short axis north through x = 16/3 -- not through the
// middle x = 5, which is where the hole shows. Ring orientation does not matter.
TEST(GcPrincipalAxes, HoleSubtractsFromTheMoments)
{
    const ring outer{{0, 0}, {0, 4}, {10, 4}, {10, 0}, {0, 0}};
    const ring hole{{1, 1}, {3, 1}, {3, 3}, {1, 3}, {1, 1}};
    for (const std::vector<ring>& rings :
         {std::vector<ring>{outer, hole}, {reversed(outer), reversed(hole)}, {outer, reversed(hole)}})
        expect_axes(rings, {16.0 / 3, 2}, 90.0, {{0, 2}, {10, 2}}, {{16.0 / 3, 0}, {16.0 / 3, 4}});
}

// A square has equal principal moments; its longest edge decides, so the
// rectangle of a rotated square is the square itself, the same every time.
TEST(GcPrincipalAxes, IsotropicSquareTakesItsEdgeDirection)
{
    const double a = 20 * std::numbers::pi / 180;
    const point u{std::cos(a), std::sin(a)};
    auto at = [&](double s, double t) { return point{100 + s * u.x - t * u.y, 200 + s * u.y + t * u.x}; };
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
    const auto line = polygon_oriented_box({{{0, 0}, {2, 2}, {4, 4}, {0, 0}}});
    ASSERT_TRUE(line);
    EXPECT_NEAR(line->major_max - line->major_min, 4 * std::sqrt(2.0), tol);
    EXPECT_NEAR(line->minor_max - line->minor_min, 0.0, tol);
    expect_axes({{{0, 0}, {2, 2}, {4, 4}, {0, 0}}}, {2, 2}, 45.0, {{0, 0}, {4, 4}}, {{2, 2}, {2, 2}});
    // A single point: zero-length axes at the point.
    expect_axes({{{5, 7}, {5, 7}, {5, 7}, {5, 7}}}, {5, 7}, 90.0, {{5, 7}, {5, 7}}, {{5, 7}, {5, 7}});
    EXPECT_FALSE(polygon_oriented_box({}));
    EXPECT_FALSE(polygon_oriented_box({{{0, 0}, {NAN, 1}, {1, 1}, {0, 0}}}));
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
