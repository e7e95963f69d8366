#include "polygon_ops.h"

#include <gtest/gtest.h>

namespace zv::zvk_gc64lib
{
namespace
{

geom_table mixed_table()
{
    geom_table t;
    t.kind = shape_kind::polygon;
    t.has_prj = true;
    t.objects = {{shape_kind::polygon, {{{0, 0}, {0, 1}, {1, 1}, {1, 0}, {0, 0}}}},
                 {shape_kind::line, {{{0, 0}, {5, 5}}}},
                 {shape_kind::polygon, {{{0, 0}, {0, 2}, {3, 2}, {3, 0}, {0, 0}}}, 2}};
    return t;
}

// What is not a polygon is passed over; an output may replace its input.
TEST(GcPolygonOps, PassOverWhatIsNotAPolygonAndMayWorkInPlace)
{
    for (const bool in_place : {false, true}) {
        SCOPED_TRACE(in_place);
        geom_table t = mixed_table(), u = mixed_table(), separate_longs, shorts, separate_rects;
        geom_table& longs = in_place ? u : separate_longs;
        geom_table& rects = in_place ? t : separate_rects;
        make_axes(u, longs, shorts);
        make_rectangles(t, rects);
        ASSERT_EQ(longs.objects.size(), 2u);
        ASSERT_EQ(shorts.objects.size(), 2u);
        ASSERT_EQ(rects.objects.size(), 2u);
        EXPECT_EQ(longs.kind, shape_kind::line);
        EXPECT_EQ(rects.kind, shape_kind::polygon);
        EXPECT_TRUE(longs.has_prj);
        EXPECT_EQ(rects.computed.size(), 4u);
        EXPECT_EQ(rects.objects[1].source_object, 2);
        // AREA of the 3 x 2 box and the long axis' LENGTH (the values are
        // checked against pyshp in exports_test.cpp).
        EXPECT_NEAR(rects.objects[1].values.at(3), 6.0, 1e-9);
        EXPECT_NEAR(longs.objects[1].values.at(0), 3.0, 1e-9);
    }
}

} // namespace
} // namespace zv::zvk_gc64lib
