#include "geom_table.h"

#include <gtest/gtest.h>

namespace zv::zvk_gc64lib
{
namespace
{

TEST(GcSplitParts, PolygonsSplitByOuterRingWithTheirHolesLinesByPart)
{
    // Record 0: a square with a hole, then a second square apart from it,
    // the hole listed last; record 1 null; record 2 a line of two parts.
    geom_table t;
    t.kind = shape_kind::polygon;
    const ring square{{0, 0}, {0, 10}, {10, 10}, {10, 0}, {0, 0}},
        hole{{2, 2}, {8, 2}, {8, 8}, {2, 8}, {2, 2}};
    const ring apart{{20, 0}, {20, 5}, {25, 5}, {25, 0}, {20, 0}};
    t.objects = {{shape_kind::polygon, {square, apart, hole}, 0, 0, 0},
                 {shape_kind::null, {}, 1, 0, 1},
                 {shape_kind::line, {{{0, 0}, {1, 1}}, {{5, 5}, {6, 6}, {7, 5}}}, 2, 0, 2}};
    for (const bool in_place : {false, true}) {
        SCOPED_TRACE(in_place);
        geom_table copy = t, separate;
        geom_table& parts = in_place ? copy : separate;
        split_parts(copy, parts);
        ASSERT_EQ(parts.objects.size(), 5u);
        EXPECT_EQ(parts.kind, shape_kind::polygon);
        const int32_t source_objects[] = {0, 0, 1, 2, 2}, source_parts[] = {0, 1, 0, 0, 1};
        const std::size_t part_counts[] = {2, 1, 0, 1, 1};
        for (std::size_t i = 0; i < 5; ++i) {
            EXPECT_EQ(parts.objects[i].source_object, source_objects[i]) << i;
            EXPECT_EQ(parts.objects[i].source_part, source_parts[i]) << i;
            EXPECT_EQ(parts.objects[i].attribute_row, source_objects[i]) << i;
            EXPECT_EQ(parts.objects[i].parts.size(), part_counts[i]) << i;
        }
        EXPECT_EQ(parts.objects[0].parts[1][0].x, 2.0) << "the hole went with the ring around it";
        EXPECT_EQ(parts.objects[2].kind, shape_kind::null);
        EXPECT_EQ(parts.objects[4].parts[0].size(), 3u);
    }
}

} // namespace
} // namespace zv::zvk_gc64lib
