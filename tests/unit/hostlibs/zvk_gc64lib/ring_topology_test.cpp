#include "ring_topology.h"

#include <gtest/gtest.h>

namespace zv::zvk_gc64lib
{
namespace
{

const ring big{{0, 0}, {0, 10}, {10, 10}, {10, 0}, {0, 0}}; // clockwise
const ring hole{{2, 2}, {8, 2}, {8, 8}, {2, 8}, {2, 2}};    // counter-clockwise
const ring island{{4, 4}, {4, 6}, {6, 6}, {6, 4}, {4, 4}};
const ring apart{{20, 0}, {20, 5}, {25, 5}, {25, 0}, {20, 0}};

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

TEST(GcRingTopology, GroupsHolesWithTheirSmallestOuterRing)
{
    // Two polygons; the first has a hole with an island in it, which is an
    // outer ring of its own.
    const std::vector<ring> rings{hole, big, apart, island};
    EXPECT_EQ(ring_depths(rings), (std::vector<int>{1, 0, 0, 2}));
    const auto groups = group_rings(rings);
    ASSERT_EQ(groups.size(), 3u);
    const std::size_t outers[] = {1, 2, 3};
    const std::vector<std::size_t> holes[] = {{0}, {}, {}};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(groups[i].outer, outers[i]) << i;
        EXPECT_EQ(groups[i].holes, holes[i]) << i;
    }
}

} // namespace
} // namespace zv::zvk_gc64lib
