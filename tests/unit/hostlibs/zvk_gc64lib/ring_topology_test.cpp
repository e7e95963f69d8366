#include "ring_topology.h"

#include "gc_test_support.h"

#include <gtest/gtest.h>

namespace zv::zvk_gc64lib
{
namespace
{

using test::make_ring;

const ring big = make_ring({0, 0, 0, 10, 10, 10, 10, 0, 0, 0}); // clockwise
const ring hole = make_ring({2, 2, 8, 2, 8, 8, 2, 8, 2, 2});    // counter-clockwise
const ring island = make_ring({4, 4, 4, 6, 6, 6, 6, 4, 4, 4});
const ring apart = make_ring({20, 0, 20, 5, 25, 5, 25, 0, 20, 0});

TEST(GcRingTopology, SignedAreaFollowsOrientation)
{
    EXPECT_DOUBLE_EQ(ring_signed_area(big), -100.0);
    EXPECT_DOUBLE_EQ(ring_signed_area(hole), 36.0);
    // An unclosed ring is measured as if closed.
    EXPECT_DOUBLE_EQ(ring_signed_area(make_ring({0, 0, 0, 10, 10, 10, 10, 0})), -100.0);
    EXPECT_DOUBLE_EQ(ring_signed_area(make_ring({0, 0, 1, 1})), 0.0);
}

TEST(GcRingTopology, ContainmentIgnoresOrientationAndToleratesTouching)
{
    EXPECT_TRUE(ring_contains(big, hole));
    EXPECT_FALSE(ring_contains(hole, big));
    EXPECT_FALSE(ring_contains(big, apart));
    // A hole touching the outer ring at one vertex is still inside.
    EXPECT_TRUE(ring_contains(big, make_ring({0, 0, 3, 1, 1, 3, 0, 0})));
    // A hole whose every vertex lies on the outer boundary: decided by an edge midpoint.
    EXPECT_TRUE(ring_contains(big, make_ring({0, 5, 5, 10, 10, 5, 5, 0, 0, 5})));
    EXPECT_FALSE(ring_contains(big, big));
}

TEST(GcRingTopology, GroupsHolesWithTheirSmallestOuterRing)
{
    // Two polygons; the first has a hole with an island in it, which is an
    // outer ring of its own.
    const std::vector<ring> rings{hole, big, apart, island};
    const std::vector<int> depth = ring_depths(rings);
    EXPECT_EQ(depth, (std::vector<int>{1, 0, 0, 2}));
    const auto groups = group_rings(rings);
    ASSERT_EQ(groups.size(), 3u);
    EXPECT_EQ(groups[0].outer, 1u);
    EXPECT_EQ(groups[0].holes, std::vector<std::size_t>{0});
    EXPECT_EQ(groups[1].outer, 2u);
    EXPECT_TRUE(groups[1].holes.empty());
    EXPECT_EQ(groups[2].outer, 3u);
    EXPECT_TRUE(groups[2].holes.empty());
}

} // namespace
} // namespace zv::zvk_gc64lib
