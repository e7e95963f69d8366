#include "geom_table.h"

#include "gc_test_support.h"
#include "polygon_ops.h"

#include <gtest/gtest.h>

namespace zv::zvk_gc64lib
{
namespace
{

using test::make_ring;

geom_object object(shape_kind kind, int32_t number, std::vector<ring> parts)
{
    geom_object obj;
    obj.kind = kind;
    obj.parts = std::move(parts);
    obj.source_object = number;
    obj.attribute_row = number;
    return obj;
}

geom_table polygon_table()
{
    geom_table t;
    t.kind = shape_kind::polygon;
    t.prj = "PROJCS[]";
    t.has_prj = true;
    // Record 0: a square with a hole, then a second square apart from it,
    // the hole listed last.
    t.objects.push_back(
        object(shape_kind::polygon, 0,
               {make_ring({0, 0, 0, 10, 10, 10, 10, 0, 0, 0}), make_ring({20, 0, 20, 5, 25, 5, 25, 0, 20, 0}),
                make_ring({2, 2, 8, 2, 8, 8, 2, 8, 2, 2})}));
    t.objects.push_back(object(shape_kind::null, 1, {}));
    t.objects.push_back(object(shape_kind::polygon, 2, {make_ring({0, 0, 0, 1, 1, 1, 1, 0, 0, 0})}));
    return t;
}

TEST(GcSplitParts, PolygonBecomesOneObjectPerOuterRingWithItsHoles)
{
    const geom_table source = polygon_table();
    geom_table parts;
    split_parts(source, parts);
    ASSERT_EQ(parts.objects.size(), 4u);
    EXPECT_EQ(parts.kind, shape_kind::polygon);
    EXPECT_TRUE(parts.has_prj);
    const geom_object& first = parts.objects[0];
    ASSERT_EQ(first.parts.size(), 2u);
    EXPECT_EQ(first.parts[1][0].x, 2.0); // the hole went with the ring around it
    EXPECT_EQ(first.source_object, 0);
    EXPECT_EQ(first.source_part, 0);
    EXPECT_EQ(parts.objects[1].parts.size(), 1u);
    EXPECT_EQ(parts.objects[1].source_part, 1);
    EXPECT_EQ(parts.objects[1].attribute_row, 0);
    EXPECT_EQ(parts.objects[2].kind, shape_kind::null);
    EXPECT_EQ(parts.objects[3].source_object, 2);
    EXPECT_EQ(parts.objects[3].source_part, 0);
}

TEST(GcSplitParts, LineBecomesOneObjectPerPartAndInPlaceWorks)
{
    geom_table t;
    t.kind = shape_kind::line;
    t.objects.push_back(
        object(shape_kind::line, 0,
               {make_ring({0, 0, 1, 1}), make_ring({5, 5, 6, 6, 7, 5}), make_ring({9, 9, 9, 10})}));
    split_parts(t, t);
    ASSERT_EQ(t.objects.size(), 3u);
    for (int32_t i = 0; i < 3; ++i) {
        EXPECT_EQ(t.objects[static_cast<std::size_t>(i)].parts.size(), 1u);
        EXPECT_EQ(t.objects[static_cast<std::size_t>(i)].source_part, i);
    }
    EXPECT_EQ(t.objects[1].parts[0].size(), 3u);
}

TEST(GcPolygonOps, PassOverWhatIsNotAPolygon)
{
    geom_table t = polygon_table();
    t.objects.push_back(object(shape_kind::line, 3, {make_ring({0, 0, 5, 5})}));
    geom_table longs, shorts, rects;
    make_axes(t, longs, shorts);
    make_rectangles(t, rects);
    // Record 0 unsplit is one polygon (both squares and the hole), then record 2.
    ASSERT_EQ(longs.objects.size(), 2u);
    ASSERT_EQ(shorts.objects.size(), 2u);
    ASSERT_EQ(rects.objects.size(), 2u);
    EXPECT_EQ(longs.kind, shape_kind::line);
    EXPECT_EQ(rects.kind, shape_kind::polygon);
    EXPECT_EQ(rects.objects[1].source_object, 2);
    ASSERT_EQ(rects.objects[1].values.size(), 4u);
    EXPECT_NEAR(rects.objects[1].values[0], 1.0, 1e-9); // LENGTH of the unit square
    EXPECT_NEAR(rects.objects[1].values[3], 1.0, 1e-9); // AREA
    EXPECT_TRUE(longs.has_prj);
}

TEST(GcPolygonOps, OutputMayReplaceItsInput)
{
    geom_table t = polygon_table();
    make_rectangles(t, t);
    ASSERT_EQ(t.objects.size(), 2u);
    EXPECT_EQ(t.computed.size(), 4u);
    geom_table u = polygon_table(), shorts;
    make_axes(u, u, shorts);
    EXPECT_EQ(u.objects.size(), 2u);
    EXPECT_EQ(shorts.objects.size(), 2u);
    EXPECT_EQ(u.kind, shape_kind::line);
}

} // namespace
} // namespace zv::zvk_gc64lib
