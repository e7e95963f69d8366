#include "pgrid_values.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>

namespace
{

using namespace zv::zvk_file_tos4;

constexpr std::uint32_t kQuietNaN = 0x7FC00000u;

property_info prop(stored_type type, double nodata)
{
    return {"p", "", type, nodata};
}

TEST(PgridValues, NoDataReadsAsTheQuietNaNUnlessKeptAndIsWrittenForNaNAndOutOfRangeValues)
{
    EXPECT_EQ(std::bit_cast<std::uint32_t>(nodata_float()), kQuietNaN);
    const double signalling = std::bit_cast<double>(std::uint64_t{0xFFF0000000000001u});
    const struct {
        property_info p;
        double stored;
    } nodata[] = {{prop(stored_type::i16, -32768), -32768},
                  {prop(stored_type::f64, -9999), -9999},
                  {prop(stored_type::f64, -9999), signalling}}; // any NaN of a float property
    for (const auto& c : nodata)
        EXPECT_EQ(std::bit_cast<std::uint32_t>(to_float(c.p, c.stored, false)), kQuietNaN) << c.stored;
    EXPECT_EQ(to_float(prop(stored_type::i16, -32768), -32768, true), -32768.0f);
    EXPECT_TRUE(std::isnan(to_float(prop(stored_type::f32, NAN), NAN, true)));
    EXPECT_EQ(to_float(prop(stored_type::f64, NAN), 0.1, false), 0.1f);
    EXPECT_EQ(from_float(prop(stored_type::f32, NAN), 0.1f), static_cast<double>(0.1f));
    // Written back, NaN is the no-data value, integers round to the nearest,
    // out of range is no-data.
    EXPECT_EQ(from_float(prop(stored_type::i16, -32768), nodata_float()), -32768.0);
    EXPECT_EQ(from_float(prop(stored_type::u8, 0), std::numeric_limits<float>::quiet_NaN()), 0.0);
    EXPECT_TRUE(std::isnan(from_float(prop(stored_type::f32, NAN), nodata_float())));
    const auto i16 = prop(stored_type::i16, -32768);
    const auto u8 = prop(stored_type::u8, 255);
    const struct {
        property_info p;
        float value;
        double stored;
    } cases[] = {{i16, -2.6f, -3.0},        {i16, 2.5f, 2.0} /* ties to even */,
                 {i16, 32767.0f, 32767.0},  {i16, 32768.0f, -32768.0},
                 {i16, INFINITY, -32768.0}, {u8, 254.6f, 255.0} /* rounds to the no-data 255 */};
    for (const auto& c : cases)
        EXPECT_EQ(from_float(c.p, c.value), c.stored) << c.value;
}

} // namespace
