#include "geom_table.h"

#include <gtest/gtest.h>

namespace zv::zvk_gc64lib
{
namespace
{

// Which rings are holes is decided by nesting (ring_topology_test.cpp has the
// containment edge cases): an island in a hole is a polygon of its own.
TEST(GcSplitParts, PolygonsSplitByOuterRingWithTheirHolesLinesByPart)
{
    // Record 0: a hole listed before the square around it, a second square
    // apart from them and an island in the hole; record 1 null; record 2 a
    // line of two parts.
    geom_table t;
    t.kind = shape_kind::polygon;
    const ring square{{0, 0}, {0, 10}, {10, 10}, {10, 0}, {0, 0}},
        hole{{2, 2}, {8, 2}, {8, 8}, {2, 8}, {2, 2}};
    const ring apart{{20, 0}, {20, 5}, {25, 5}, {25, 0}, {20, 0}},
        island{{4, 4}, {4, 6}, {6, 6}, {6, 4}, {4, 4}};
    t.objects = {{shape_kind::polygon, {hole, square, apart, island}, 0, 0, 0},
                 {shape_kind::null, {}, 1, 0, 1},
                 {shape_kind::line, {{{0, 0}, {1, 1}}, {{5, 5}, {6, 6}, {7, 5}}}, 2, 0, 2}};
    for (const bool in_place : {false, true}) {
        SCOPED_TRACE(in_place);
        geom_table copy = t, separate;
        geom_table& parts = in_place ? copy : separate;
        split_parts(copy, parts);
        ASSERT_EQ(parts.objects.size(), 6u);
        EXPECT_EQ(parts.kind, shape_kind::polygon);
        const int32_t source_objects[] = {0, 0, 0, 1, 2, 2}, source_parts[] = {0, 1, 2, 0, 0, 1};
        const std::size_t part_counts[] = {2, 1, 1, 0, 1, 1};
        for (std::size_t i = 0; i < 6; ++i) {
            EXPECT_EQ(parts.objects[i].source_object, source_objects[i]) << i;
            EXPECT_EQ(parts.objects[i].source_part, source_parts[i]) << i;
            EXPECT_EQ(parts.objects[i].attribute_row, source_objects[i]) << i;
            EXPECT_EQ(parts.objects[i].parts.size(), part_counts[i]) << i;
        }
        EXPECT_EQ(parts.objects[0].parts[1][0].x, 2.0) << "the hole went with the ring around it";
        EXPECT_EQ(parts.objects[2].parts[0][0].x, 4.0) << "the island";
        EXPECT_EQ(parts.objects[3].kind, shape_kind::null);
        EXPECT_EQ(parts.objects[5].parts[0].size(), 3u);
    }
}

} // namespace
} // namespace zv::zvk_gc64lib
