// The UTF-8 / UTF-16 codec: lenient for text, strict for paths. (The byte
// order helpers beside it are checked by every file format's tests against
// independent readers and writers, the guard by the protocol's thunks and
// the host libraries' callbacks that throw.)
#include "foundation/utf.h"

#include <gtest/gtest.h>

namespace
{

using namespace zv::foundation;

// Every encoded length at its edges, paired and unpaired surrogates: the
// encoder never writes past three bytes a unit, and what is well formed
// comes back unchanged.
TEST(Utf, EncodesEveryLengthEdgeWithinThreeBytesAUnit)
{
    const struct {
        std::u16string text;
        std::string utf8;
    } cases[] = {
        {u"", ""},
        {u"\u007F\u0080", "\x7F\xC2\x80"},
        {u"\u07FF\u0800", "\xDF\xBF\xE0\xA0\x80"},
        {u"Жук \uFFFF", "\xD0\x96\xD1\x83\xD0\xBA \xEF\xBF\xBF"},
        {u"a\U00010000\U0010FFFF", "a\xF0\x90\x80\x80\xF4\x8F\xBF\xBF"},
        {std::u16string(1, char16_t(0xD800)), "\xEF\xBF\xBD"},
        {std::u16string{char16_t(0xDC00), char16_t(0xD800)}, "\xEF\xBF\xBD\xEF\xBF\xBD"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.utf8));
        std::string buffer(c.text.size() * utf8_max_bytes_per_unit + 1, '#');
        EXPECT_EQ(std::string(buffer.data(), encode_utf8(c.text, buffer.data())), c.utf8);
        EXPECT_EQ(buffer.back(), '#') << "wrote past the room it was given";
        EXPECT_EQ(to_utf8(c.text), c.utf8);
        if (is_well_formed(c.text)) {
            EXPECT_EQ(to_utf16(c.utf8), c.text);
            EXPECT_EQ(to_utf16_strict(c.utf8), c.text);
            EXPECT_EQ(to_utf8_strict(c.text), c.utf8);
        }
    }
}

TEST(Utf, IllFormedInputIsReplacedInTextAndRefusedForPaths)
{
    struct sample {
        std::string bytes;
        std::u16string text;
    };
    const sample samples[] = {
        {"\xC0\xAF", u"\uFFFD\uFFFD"},                     // overlong "/"
        {"\xE0\x80\x80", u"\uFFFD\uFFFD\uFFFD"},           // overlong NUL
        {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},           // an encoded surrogate
        {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"}, // above U+10FFFF
        {"a\xD0", u"a\uFFFD"},                             // cut short
        {"\xE2\x82x", u"\uFFFDx"},                         // cut short inside
        {"\x80", u"\uFFFD"},                               // continuation without lead
    };
    for (const auto& each : samples) {
        SCOPED_TRACE(testing::PrintToString(each.bytes));
        EXPECT_EQ(to_utf16(each.bytes), each.text);
        EXPECT_FALSE(to_utf16_strict(each.bytes));
    }
    const std::u16string lone_high = {u'a', char16_t(0xD800), u'b'};
    const std::u16string lone_low = {char16_t(0xDC00)};
    const std::u16string swapped = {char16_t(0xDE00), char16_t(0xD83D)};
    for (const auto& text : {lone_high, lone_low, swapped}) {
        EXPECT_FALSE(is_well_formed(text));
        EXPECT_FALSE(to_utf8_strict(text));
        EXPECT_EQ(to_utf16(to_utf8(text)).find(u'\uFFFD') != std::u16string::npos, true);
    }
    EXPECT_EQ(to_utf8(lone_high), "a\xEF\xBF\xBD"
                                  "b");
    EXPECT_TRUE(is_well_formed(u"\uFFFD is a character of its own"));
    EXPECT_EQ(length(nullptr), 0u);
    EXPECT_EQ(length(u"Жук"), 3u);
}

} // namespace
