// The segment rule: y by linear interpolation when x lies in the closed
// x-range of a non-vertical segment; false otherwise. Expected values are
// worked out by hand.
#include "host/zvk_prg.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace
{

TEST(SegmentGetY, InterpolatesInsideTheRange)
{
    double y = 0.0;
    ASSERT_TRUE(zv_vec_d2_get_y(0.0, 10.0, 4.0, 30.0, 1.0, &y));
    EXPECT_DOUBLE_EQ(y, 15.0);
    ASSERT_TRUE(zv_vec_d2_get_y(0.0, 10.0, 4.0, 30.0, 3.0, &y));
    EXPECT_DOUBLE_EQ(y, 25.0);
}

TEST(SegmentGetY, BothEndsBelongToTheSegmentAndGiveTheirYExactly)
{
    double y = 0.0;
    ASSERT_TRUE(zv_vec_d2_get_y(0.1, 0.7, 0.3, 1.9, 0.1, &y));
    EXPECT_EQ(y, 0.7);
    ASSERT_TRUE(zv_vec_d2_get_y(0.1, 0.7, 0.3, 1.9, 0.3, &y));
    EXPECT_EQ(y, 1.9);
}

TEST(SegmentGetY, DirectionOfTheSegmentDoesNotMatter)
{
    double forward = 0.0, backward = 0.0;
    ASSERT_TRUE(zv_vec_d2_get_y(-2.0, 4.0, 6.0, -4.0, 2.0, &forward));
    ASSERT_TRUE(zv_vec_d2_get_y(6.0, -4.0, -2.0, 4.0, 2.0, &backward));
    EXPECT_DOUBLE_EQ(forward, 0.0);
    EXPECT_DOUBLE_EQ(backward, 0.0);
}

TEST(SegmentGetY, OutsideTheRangeIsFalseAndLeavesYAlone)
{
    double y = 42.0;
    EXPECT_FALSE(zv_vec_d2_get_y(0.0, 0.0, 1.0, 1.0, 1.0000001, &y));
    EXPECT_FALSE(zv_vec_d2_get_y(0.0, 0.0, 1.0, 1.0, -1e-12, &y));
    EXPECT_FALSE(zv_vec_d2_get_y(0.0, 0.0, 1.0, 1.0, std::numeric_limits<double>::infinity(), &y));
    EXPECT_EQ(y, 42.0);
}

TEST(SegmentGetY, VerticalSegmentIsFalseEvenAtItsX)
{
    double y = 42.0;
    EXPECT_FALSE(zv_vec_d2_get_y(5.0, 0.0, 5.0, 10.0, 5.0, &y));
    EXPECT_FALSE(zv_vec_d2_get_y(5.0, 3.0, 5.0, 3.0, 5.0, &y));
    EXPECT_EQ(y, 42.0);
}

TEST(SegmentGetY, HorizontalSegmentGivesItsY)
{
    double y = 0.0;
    ASSERT_TRUE(zv_vec_d2_get_y(-1.0, 7.5, 1.0, 7.5, 0.25, &y));
    EXPECT_EQ(y, 7.5);
}

TEST(SegmentGetY, NonFiniteInputAndNullOutputAreFalse)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    double y = 0.0;
    EXPECT_FALSE(zv_vec_d2_get_y(0.0, 0.0, 1.0, 1.0, nan, &y));
    EXPECT_FALSE(zv_vec_d2_get_y(0.0, nan, 1.0, 1.0, 0.5, &y));
    EXPECT_FALSE(zv_vec_d2_get_y(0.0, 0.0, 1.0, 1.0, 0.5, nullptr));
}

TEST(SegmentGetY, HugeCoordinatesDoNotOverflow)
{
    double y = 0.0;
    ASSERT_TRUE(zv_vec_d2_get_y(-1e308, 0.0, 1e308, 1.0, 0.0, &y));
    EXPECT_DOUBLE_EQ(y, 0.5);
    ASSERT_TRUE(zv_vec_d2_get_y(0.0, -1e308, 1.0, 1e308, 0.5, &y));
    EXPECT_DOUBLE_EQ(y, 0.0);
}

} // namespace
