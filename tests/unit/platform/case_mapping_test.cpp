// The platform's case mapping of wide text and comparison without case.
#include "platform/case_mapping.h"

#include <gtest/gtest.h>

namespace
{

using namespace zv::platform;

TEST(PlatformCaseMapping, LatinGreekAndCyrillicLetters)
{
    EXPECT_EQ(to_lower(u"ABC xyz ÀÉÖØÞ ŁŠŽŸ"), u"abc xyz àéöøþ łšžÿ");
    EXPECT_EQ(to_lower(u"ΑΒΓ ΆΏ"), u"αβγ άώ");
    EXPECT_EQ(to_lower(u"ПРОФИЛЬ ЁЇЄЎ Ґ"), u"профиль ёїєў ґ");
    EXPECT_EQ(to_upper(u"профиль ёїєў ґ"), u"ПРОФИЛЬ ЁЇЄЎ Ґ");
    EXPECT_EQ(to_upper(u"abc àéöÿ łšž"), u"ABC ÀÉÖŸ ŁŠŽ");
    EXPECT_EQ(to_upper(u'i'), u'I');
    EXPECT_EQ(to_lower(u'İ'), u'i');
    EXPECT_EQ(to_lower(u'ß'), u'ß');
    EXPECT_EQ(to_lower(u"123 _-.\\"), u"123 _-.\\");
}

TEST(PlatformCaseMapping, CaseInsensitiveComparison)
{
    EXPECT_EQ(compare_no_case(u"ПРОФИЛЬ.SHP", u"профиль.shp"), 0);
    EXPECT_LT(compare_no_case(u"a", u"B"), 0);
    EXPECT_GT(compare_no_case(u"b", u"A"), 0);
    EXPECT_LT(compare_no_case(u"abc", u"ABCD"), 0);
    EXPECT_EQ(compare_no_case(u"", u""), 0);
}

} // namespace
