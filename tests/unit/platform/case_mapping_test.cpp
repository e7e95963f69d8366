// The platform's case mapping of wide text and comparison without case.
#include "platform/case_mapping.h"

#include <gtest/gtest.h>

namespace
{

using namespace zv::platform;

TEST(PlatformCaseMapping, LatinGreekAndCyrillicLettersAndComparisonWithoutCase)
{
    EXPECT_EQ(to_lower(u"ABC ÀÉÖØÞ ŁŠŽŸ ΑΒΓ ΆΏ ПРОФИЛЬ ЁЇЄЎ Ґ 123 _-.\\"),
              u"abc àéöøþ łšžÿ αβγ άώ профиль ёїєў ґ 123 _-.\\");
    EXPECT_EQ(to_upper(u"abc àéöÿ łšž профиль ёїєў ґ"), u"ABC ÀÉÖŸ ŁŠŽ ПРОФИЛЬ ЁЇЄЎ Ґ");
    EXPECT_EQ(to_upper(u'i'), u'I');
#if !defined(_WIN32) // Windows (as Wine has it) leaves the dotted capital I as it is
    EXPECT_EQ(to_lower(u'İ'), u'i');
#endif
    EXPECT_EQ(to_lower(u'ß'), u'ß');
    EXPECT_EQ(compare_no_case(u"ПРОФИЛЬ.SHP", u"профиль.shp"), 0);
    EXPECT_LT(compare_no_case(u"a", u"B"), 0);
    EXPECT_LT(compare_no_case(u"abc", u"ABCD"), 0);
}

} // namespace
