// The host libraries' one UTF-8/UTF-16 codec, native paths, delivering text
// to a string adapter, and the guard of the exported C functions.
#include "captured_text.h"
#include "common/adapter_text.h"
#include "common/guard.h"
#include "common/utf_text.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace
{

using zv::hostcommon::from_utf8;
using zv::hostcommon::is_well_formed;
using zv::hostcommon::length;
using zv::hostcommon::native_path;
using zv::hostcommon::to_utf8;

TEST(UtfText, RoundTripsCyrillicAndSupplementaryCharacters)
{
    const std::u16string text = u"Ж ж ё € \U0001F600";
    const std::string bytes = to_utf8(text);
    EXPECT_EQ(bytes, "\xD0\x96 \xD0\xB6 \xD1\x91 \xE2\x82\xAC \xF0\x9F\x98\x80");
    ASSERT_TRUE(from_utf8(bytes));
    EXPECT_EQ(*from_utf8(bytes), text);
    const std::u16string lone = {u'a', char16_t(0xD800), u'b'};
    EXPECT_EQ(to_utf8(lone), "a\xEF\xBF\xBD"
                             "b")
        << "an unpaired surrogate becomes the replacement character";
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

TEST(UtfText, NativePathTreatsBackslashAsSeparator)
{
    EXPECT_EQ(native_path(u"/data/folder\\out\\line1.dbf"), "/data/folder/out/line1.dbf");
    EXPECT_EQ(native_path(nullptr), "");
    EXPECT_EQ(native_path(u"a\\b\\c"), "a/b/c") << "relative paths too";
    EXPECT_EQ(native_path(u"\\\\server\\папка"), "//server/\xD0\xBF\xD0\xB0\xD0\xBF\xD0\xBA\xD0\xB0");
}

TEST(UtfText, WellFormedMeansEverySurrogateIsPairedLengthCountsUnits)
{
    EXPECT_TRUE(is_well_formed(u""));
    EXPECT_TRUE(is_well_formed(u"plain Ж"));
    EXPECT_TRUE(is_well_formed(u"\U0001F5FA at the end"));
    const std::u16string high_at_end = {u'a', char16_t(0xD83D)};
    const std::u16string lone_low = {char16_t(0xDC00), u'a'};
    const std::u16string swapped = {char16_t(0xDE00), char16_t(0xD83D)};
    EXPECT_FALSE(is_well_formed(high_at_end));
    EXPECT_FALSE(is_well_formed(lone_low));
    EXPECT_FALSE(is_well_formed(swapped));
    // Length counts code units up to the terminator.
    EXPECT_EQ(length(nullptr), 0u);
    EXPECT_EQ(length(u""), 0u);
    EXPECT_EQ(length(u"\U0001F600x"), 3u);
}

TEST(AdapterText, DeliversWellFormedUtf8AndLeavesTheAdapterOtherwise)
{
    zv::test::captured_text text;
    text.wide = u"untouched";
    EXPECT_FALSE(zv::hostcommon::assign_utf8(text.handle(), "\xC0\xAF"));
    EXPECT_EQ(text.calls, 0);
    EXPECT_EQ(text.wide, u"untouched");
    EXPECT_TRUE(zv::hostcommon::assign_utf8(text.handle(), "\xD0\x96\xF0\x9F\x98\x80"));
    EXPECT_EQ(text.calls, 1);
    EXPECT_EQ(text.wide, u"Ж\U0001F600");
}

TEST(Guard, AnExceptionBecomesTheFailureValue)
{
    EXPECT_EQ(zv::hostcommon::guarded(-1, []() -> int { throw std::runtime_error("x"); }), -1);
    EXPECT_EQ(zv::hostcommon::guarded(-1, [] { return 7; }), 7);
    bool ran = false;
    zv::hostcommon::guarded_void([&] {
        ran = true;
        throw 1;
    });
    EXPECT_TRUE(ran);
}

} // namespace
