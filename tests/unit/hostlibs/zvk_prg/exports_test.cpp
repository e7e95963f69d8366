// Object vectors of 2-D parts, and the segment rule: y by linear
// interpolation when x lies in the closed x-range of a non-vertical segment,
// false otherwise (expected values worked out by hand).
#include "host/zvk_prg.h"

#include <gtest/gtest.h>

#include <limits>

namespace
{

// Parts keep their order and vertices, and a part's handle survives later
// appends; null and out-of-range arguments give defaults.
TEST(ObjectVector, KeepsPartsInOrderNullAndOutOfRangeGiveDefaults)
{
    zv_ov_d2_t vector = zv_ov_d2_create();
    ASSERT_NE(vector, nullptr);
    const zv_vertex_d2 line[] = {{1, 2}, {3, 4}, {5, 6}};
    ASSERT_EQ(zv_ov_d2_add_part(vector, line, 3), 1);
    ASSERT_EQ(zv_ov_d2_add_part(vector, nullptr, 0), 1) << "an empty part is allowed";
    EXPECT_EQ(zv_ov_d2_add_part(vector, nullptr, 3), 0) << "null vertices";
    const zv_pv_d2_t first = zv_ov_d2_get_pv_ptr(vector, 0);
    for (int i = 0; i < 100; ++i)
        zv_ov_d2_add_part(vector, line + 2, 1);
    ASSERT_EQ(zv_ov_d2_get_size(vector), 102u);
    ASSERT_EQ(zv_pv_d2_get_size(first), 3u);
    EXPECT_EQ(zv_pv_d2_get_vtx(first, 2).x, 5.0);
    EXPECT_EQ(zv_pv_d2_get_vtx(first, 2).y, 6.0);
    EXPECT_EQ(zv_pv_d2_get_vtx(first, 3).x, 0.0) << "past the last vertex";
    EXPECT_EQ(zv_pv_d2_get_vtx(first, 3).y, 0.0);
    EXPECT_EQ(zv_pv_d2_get_size(zv_ov_d2_get_pv_ptr(vector, 1)), 0u);
    EXPECT_EQ(zv_pv_d2_get_vtx(zv_ov_d2_get_pv_ptr(vector, 101), 0).y, 6.0);
    EXPECT_EQ(zv_ov_d2_get_pv_ptr(vector, 102), nullptr);
    zv_ov_d2_clear(vector);
    EXPECT_EQ(zv_ov_d2_get_size(vector), 0u);
    EXPECT_EQ(zv_ov_d2_get_pv_ptr(vector, 0), nullptr);
    zv_ov_d2_destroy(vector);
    EXPECT_EQ(zv_ov_d2_get_size(nullptr), 0u);
    EXPECT_EQ(zv_pv_d2_get_size(nullptr), 0u);
    EXPECT_EQ(zv_ov_d2_add_part(nullptr, line, 1), 0);
    zv_ov_d2_clear(nullptr);
    zv_ov_d2_destroy(nullptr);
}

struct segment_case {
    double x1, y1, x2, y2, x;
    double y; // expected, exactly; NaN where the call must return false
};

TEST(SegmentGetY, InsideTheRangeInterpolatesOutsideOrVerticalIsFalse)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    // One per branch: inside; at the far end, exactly; the other direction;
    // huge x and huge y without overflow; just past the end; vertical, even
    // at its x; non-finite input.
    const segment_case cases[] = {{0.0, 10.0, 4.0, 30.0, 1.0, 15.0},   {0.1, 0.7, 0.3, 1.9, 0.3, 1.9},
                                  {6.0, -4.0, -2.0, 4.0, 2.0, 0.0},    {-1e308, 0.0, 1e308, 1.0, 0.0, 0.5},
                                  {0.0, -1e308, 1.0, 1e308, 0.5, 0.0}, {0.0, 0.0, 1.0, 1.0, 1.0000001, nan},
                                  {5.0, 0.0, 5.0, 10.0, 5.0, nan},     {0.0, nan, 1.0, 1.0, 0.5, nan}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << c.x1 << "," << c.y1 << " " << c.x2 << "," << c.y2 << " at " << c.x);
        double y = 42.0;
        const bool found = zv_vec_d2_get_y(c.x1, c.y1, c.x2, c.y2, c.x, &y);
        if (c.y != c.y) {
            EXPECT_FALSE(found);
            EXPECT_EQ(y, 42.0) << "y is left alone";
        } else {
            ASSERT_TRUE(found);
            EXPECT_EQ(y, c.y);
        }
    }
    EXPECT_FALSE(zv_vec_d2_get_y(0.0, 0.0, 1.0, 1.0, 0.5, nullptr));
}

} // namespace
