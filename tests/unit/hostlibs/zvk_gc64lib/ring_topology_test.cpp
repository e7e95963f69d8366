// Signed area and containment; how rings group into polygons (an island in
// a hole included) is geom_table_test.cpp's.
#include "ring_topology.h"

#include <gtest/gtest.h>

namespace zv::zvk_gc64lib
{
namespace
{

const ring big{{0, 0}, {0, 10}, {10, 10}, {10, 0}, {0, 0}}; // clockwise
const ring hole{{2, 2}, {8, 2}, {8, 8}, {2, 8}, {2, 2}};    // counter-clockwise

TEST(GcRingTopology, SignedAreaAndContainment)
{
    EXPECT_DOUBLE_EQ(ring_signed_area(big), -100.0);
    EXPECT_DOUBLE_EQ(ring_signed_area(hole), 36.0);
    EXPECT_DOUBLE_EQ(ring_signed_area({{0, 0}, {0, 10}, {10, 10}, {10, 0}}), -100.0) << "unclosed";
    EXPECT_DOUBLE_EQ(ring_signed_area({{0, 0}, {1, 1}}), 0.0);

    // Containment ignores orientation and tolerates touching.
    EXPECT_TRUE(ring_contains(big, hole));
    EXPECT_FALSE(ring_contains(hole, big));
    EXPECT_FALSE(ring_contains(big, big));
    EXPECT_TRUE(ring_contains(big, {{0, 0}, {3, 1}, {1, 3}, {0, 0}})) << "touching at one vertex";
    EXPECT_TRUE(ring_contains(big, {{0, 5}, {5, 10}, {10, 5}, {5, 0}, {0, 5}}))
        << "every vertex on the boundary: decided by an edge midpoint";
}

} // namespace
} // namespace zv::zvk_gc64lib
