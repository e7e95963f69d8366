#include "proj_tools.h"

#include "host/zvk_proj4_d2.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <string>
#include <utility>

namespace
{

std::string text_of(double value, bool expect_ok = true)
{
    zv::test::captured_text sink;
    sink.narrow = "previous";
    EXPECT_EQ(zv_geocoord_tostring(value, sink.handle()), expect_ok);
    EXPECT_EQ(sink.calls, 1);
    return sink.narrow;
}

// Nine decimals resolve a millimetre; every text fits twenty characters.
TEST(CoordText, NineDecimalsWithinTwentyCharacters)
{
    const std::pair<double, const char*> cases[] = {
        {37.6, "37.600000000"},
        {-135.123456789, "-135.123456789"},
        {224.9999999994, "224.999999999"},
        {0.0, "0.000000000"},
        {-1e-12, "0.000000000"}, // rounds to zero: no minus sign
        {-0.0, "0.000000000"},
        {-179.999999999, "-179.999999999"},
        {12345678.25, "12345678.250000000"}, // projected metres still fit
        {-1234567890123.5, "-1234567890123.50000"},
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(text_of(value), text);
    for (double v = 1e-3; v < 1e19; v *= 7.3) {
        EXPECT_LE(text_of(v).size(), 20u);
        EXPECT_LE(text_of(-v).size(), 20u);
    }
}

TEST(CoordText, NonFiniteOrHugeValueGivesEmptyText)
{
    EXPECT_EQ(text_of(NAN, false), "");
    EXPECT_EQ(text_of(INFINITY, false), "");
    EXPECT_EQ(text_of(-1e20, false), "");
}

TEST(CoordText, DecimalPointWhateverTheLocale)
{
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr &&
        std::setlocale(LC_NUMERIC, "ru_RU.UTF-8") == nullptr) {
        GTEST_SKIP() << "no locale with a decimal comma installed";
    }
    const std::string text = text_of(1.5);
    std::setlocale(LC_NUMERIC, "C");
    EXPECT_EQ(text, "1.500000000");
}

} // namespace
