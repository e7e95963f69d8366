#include "utf_text.h"

#include <gtest/gtest.h>

namespace
{

using zv::hosttext::from_utf8;
using zv::hosttext::native_path;
using zv::hosttext::to_utf8;

TEST(UtfText, RoundTripsCyrillicAndSupplementaryCharacters)
{
    const std::u16string text = u"Ж ж ё € \U0001F600";
    const std::string bytes = to_utf8(text);
    EXPECT_EQ(bytes, "\xD0\x96 \xD0\xB6 \xD1\x91 \xE2\x82\xAC \xF0\x9F\x98\x80");
    ASSERT_TRUE(from_utf8(bytes));
    EXPECT_EQ(*from_utf8(bytes), text);
}

TEST(UtfText, RefusesMalformedUtf8)
{
    EXPECT_FALSE(from_utf8("\xC0\xAF"));         // overlong "/"
    EXPECT_FALSE(from_utf8("\xED\xA0\x80"));     // a surrogate
    EXPECT_FALSE(from_utf8("\xF4\x90\x80\x80")); // above U+10FFFF
    EXPECT_FALSE(from_utf8("\xD0"));             // cut short
    EXPECT_FALSE(from_utf8("\x80"));             // continuation without lead
    EXPECT_TRUE(from_utf8(""));
}

TEST(UtfText, UnpairedSurrogateBecomesReplacementCharacter)
{
    const std::u16string lone = {u'a', char16_t(0xD800), u'b'};
    EXPECT_EQ(to_utf8(lone), "a\xEF\xBF\xBD"
                             "b");
}

TEST(UtfText, NativePathTreatsBackslashAsSeparator)
{
    EXPECT_EQ(native_path(u"/data/folder\\out\\line1.dbf"), "/data/folder/out/line1.dbf");
    EXPECT_EQ(native_path(nullptr), "");
}

} // namespace
