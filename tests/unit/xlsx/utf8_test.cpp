// The one UTF-16 to UTF-8 encoder at the edges of each encoded length, with
// surrogates paired and unpaired, through each way the workbook reaches it.
#include "foundation/utf.h"
#include "xlsx/utf8.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

TEST(Utf8Encoding, EveryWayGivesTheSameBytesWithinThreeBytesAUnit)
{
    const struct {
        std::u16string text;
        std::string utf8;
    } cases[] = {
        {u"", ""},
        {u"\u007F", "\x7F"},
        {u"\u0080", "\xC2\x80"},
        {u"\u07FF", "\xDF\xBF"},
        {u"\u0800", "\xE0\xA0\x80"},
        {u"\uFFFF", "\xEF\xBF\xBF"},
        {u"a\U00010000b", "a\xF0\x90\x80\x80"
                          "b"},
        {u"\U0010FFFF", "\xF4\x8F\xBF\xBF"},
        {std::u16string(1, char16_t(0xD800)), "\xEF\xBF\xBD"}, // high at the end
        {std::u16string{char16_t(0xDC00), u'x'}, "\xEF\xBF\xBD"
                                                 "x"}, // low alone
        {std::u16string{char16_t(0xD83D), u'y'}, "\xEF\xBF\xBD"
                                                 "y"}, // high before a non-low
        {std::u16string{char16_t(0xDC00), char16_t(0xD800)}, "\xEF\xBF\xBD\xEF\xBF\xBD"}, // reversed pair
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.utf8));
        EXPECT_EQ(zv::foundation::to_utf8(c.text), c.utf8);
        EXPECT_EQ(zv::xlsx::ToUtf8(c.text), c.utf8);
        std::string appended = "head:";
        zv::xlsx::AppendUtf8(c.text, appended);
        EXPECT_EQ(appended, "head:" + c.utf8);
        std::string buffer(c.text.size() * zv::foundation::utf8_max_bytes_per_unit + 1, '#');
        char* end = zv::foundation::encode_utf8(c.text, buffer.data());
        EXPECT_EQ(std::string(buffer.data(), end), c.utf8);
        EXPECT_EQ(buffer.back(), '#') << "wrote past the room it was given";
    }
}

TEST(Utf8Encoding, MultibytePathsKeepTheLimitAndRefuseNul)
{
    std::string out;
    EXPECT_TRUE(zv::xlsx::ToMultibytePath(std::u16string(zv::xlsx::kMaxMultibytePath, u'a'), out));
    EXPECT_EQ(out.size(), zv::xlsx::kMaxMultibytePath);
    // 130 Cyrillic letters are 260 bytes: one over the limit.
    EXPECT_FALSE(zv::xlsx::ToMultibytePath(std::u16string(130, u'Ж'), out));
    EXPECT_FALSE(zv::xlsx::ToMultibytePath(std::u16string(u"a\0b", 3), out));
}

} // namespace
