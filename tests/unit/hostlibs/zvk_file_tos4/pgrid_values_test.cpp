// Conversions between stored values and the floats of the host functions.
#include "pgrid_values.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstring>
#include <limits>

namespace
{

using namespace zv::zvk_file_tos4;

std::uint32_t bits(float f)
{
    return std::bit_cast<std::uint32_t>(f);
}

property_info prop(stored_type type, double nodata)
{
    return {"p", "", type, nodata};
}

TEST(PgridValues, NoDataBecomesTheQuietNaNOtherValuesPassThrough)
{
    EXPECT_EQ(bits(nodata_float()), 0x7FC00000u);
    EXPECT_EQ(bits(to_float(prop(stored_type::i16, -32768), -32768, false)), 0x7FC00000u);
    EXPECT_EQ(bits(to_float(prop(stored_type::u8, 255), 255, false)), 0x7FC00000u);
    EXPECT_EQ(bits(to_float(prop(stored_type::f64, -9999), -9999, false)), 0x7FC00000u);
    // Any NaN in a float property reads as the one quiet NaN.
    const double signalling = std::bit_cast<double>(std::uint64_t{0xFFF0000000000001u});
    EXPECT_EQ(bits(to_float(prop(stored_type::f64, -9999), signalling, false)), 0x7FC00000u);
    // Unless asked to keep it: then the stored number is handed out.
    EXPECT_EQ(to_float(prop(stored_type::i16, -32768), -32768, true), -32768.0f);
    EXPECT_TRUE(std::isnan(to_float(prop(stored_type::f32, NAN), NAN, true)));
    // Ordinary values pass through.
    EXPECT_EQ(to_float(prop(stored_type::i32, -2147483648.0), 123456, false), 123456.0f);
    EXPECT_EQ(to_float(prop(stored_type::f64, NAN), 0.1, false), 0.1f);
    EXPECT_EQ(from_float(prop(stored_type::f32, NAN), 0.1f), static_cast<double>(0.1f));
}

TEST(PgridValues, NaNIsWrittenAsTheNoDataValue)
{
    EXPECT_EQ(from_float(prop(stored_type::i16, -32768), nodata_float()), -32768.0);
    EXPECT_EQ(from_float(prop(stored_type::u8, 0), std::numeric_limits<float>::quiet_NaN()), 0.0);
    EXPECT_TRUE(std::isnan(from_float(prop(stored_type::f32, NAN), nodata_float())));
}

TEST(PgridValues, IntegersAreRoundedToNearestAndOutOfRangeIsNoData)
{
    const auto i16 = prop(stored_type::i16, -32768);
    EXPECT_EQ(from_float(i16, 2.4f), 2.0);
    EXPECT_EQ(from_float(i16, -2.6f), -3.0);
    EXPECT_EQ(from_float(i16, 2.5f), 2.0); // ties to even
    EXPECT_EQ(from_float(i16, 32767.0f), 32767.0);
    EXPECT_EQ(from_float(i16, 32768.0f), -32768.0);
    EXPECT_EQ(from_float(i16, INFINITY), -32768.0);
    const auto u8 = prop(stored_type::u8, 255);
    EXPECT_EQ(from_float(u8, -1.0f), 255.0);
    EXPECT_EQ(from_float(u8, 254.6f), 255.0); // rounds to 255, which is no-data
    EXPECT_EQ(from_float(prop(stored_type::i32, -2147483648.0), 3e9f), -2147483648.0);
}

TEST(PgridValues, EncodeAndDecodeAreLittleEndianAndExact)
{
    unsigned char b[8] = {};
    encode(stored_type::i16, -2, b);
    EXPECT_EQ(b[0], 0xFE);
    EXPECT_EQ(b[1], 0xFF);
    EXPECT_EQ(decode(stored_type::i16, b), -2.0);
    encode(stored_type::i32, 0x01020304, b);
    EXPECT_EQ(b[0], 0x04);
    EXPECT_EQ(decode(stored_type::i32, b), 0x01020304);
    encode(stored_type::f64, 0.1, b);
    EXPECT_EQ(decode(stored_type::f64, b), 0.1);
    encode(stored_type::f32, NAN, b);
    std::uint32_t raw = 0;
    std::memcpy(&raw, b, 4);
    EXPECT_EQ(raw, 0x7FC00000u);
    encode(stored_type::u8, 200, b);
    EXPECT_EQ(decode(stored_type::u8, b), 200.0);
}

} // namespace
