// Code-page conversions with the platform's conventions, the ANSI code page
// rule, and the case mapping of wide text.
#include "platform/text_codec.h"

#include "kit/scoped_env.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

namespace
{

using namespace zv::platform;

std::u16string decode(unsigned code_page, const std::string& bytes)
{
    const int needed =
        multi_byte_to_wide(code_page, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::u16string out(static_cast<std::size_t>(needed), u'\0');
    if (needed > 0)
        multi_byte_to_wide(code_page, bytes.data(), static_cast<int>(bytes.size()), out.data(), needed);
    return out;
}

std::string encode(unsigned code_page, const std::u16string& text)
{
    const int needed = wide_to_multi_byte(code_page, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::string out(static_cast<std::size_t>(needed), '\0');
    if (needed > 0)
        wide_to_multi_byte(code_page, text.data(), static_cast<int>(text.size()), out.data(), needed);
    return out;
}

TEST(PlatformCodePages, EachSupportedCodePageMapsItsCharacteristicLetterBothWays)
{
    struct sample {
        unsigned code_page;
        std::string byte;
        std::u16string unit;
    };
    const sample samples[] = {
        {1250, "\x8A", u"Š"},
        {1251, "\xDF", u"Я"},
        {1252, "\x80", u"€"},
        {1253, "\xC1", u"Α"},
        {1254, "\xD0", u"Ğ"},
        {1255, "\xE0", u"א"},
        {1256, "\xC7", u"ا"},
        {1257, "\xC0", u"Ą"},
        {1258, "\xC3", u"Ă"},
        {866, "\x80", u"А"},
        {866, "\xF0", u"Ё"},
        {20127, "A", u"A"},
        {65001, "\xE2\x82\xAC", u"€"},
        // Undefined bytes of Windows code pages survive a round trip.
        {1251, "\x98", u"\u0098"},
        {1252, "\x81\x8D", u"\u0081\u008D"},
    };
    for (const auto& each : samples) {
        SCOPED_TRACE(each.code_page);
        EXPECT_EQ(decode(each.code_page, each.byte), each.unit);
        EXPECT_EQ(encode(each.code_page, each.unit), each.byte);
    }
}

TEST(PlatformCodePages, AsciiIsTheSameInEverySingleByteCodePage)
{
    std::string ascii;
    for (char c = 0x20; c < 0x7F; ++c)
        ascii.push_back(c);
    const std::u16string wide(ascii.begin(), ascii.end());
    for (unsigned code_page : {1250u, 1251u, 1252u, 1253u, 1254u, 1255u, 1256u, 1257u, 1258u, 866u, 20127u}) {
        SCOPED_TRACE(code_page);
        EXPECT_EQ(decode(code_page, ascii), wide);
        EXPECT_EQ(encode(code_page, wide), ascii);
    }
}

TEST(PlatformCodePages, SizeQueryCountsTheTerminatorOfZeroTerminatedText)
{
    EXPECT_EQ(multi_byte_to_wide(1251, "abc", -1, nullptr, 0), 4);
    char16_t buffer[4] = {};
    EXPECT_EQ(multi_byte_to_wide(1251, "abc", -1, buffer, 4), 4);
    EXPECT_EQ(std::u16string(buffer), u"abc");
    EXPECT_EQ(multi_byte_to_wide(1251, "abc", -1, buffer, 3), 0);
    EXPECT_EQ(wide_to_multi_byte(1251, u"Жук", -1, nullptr, 0), 4);
}

TEST(PlatformCodePages, InvalidRequestsFail)
{
    char16_t wide[8];
    char narrow[8];
    EXPECT_EQ(multi_byte_to_wide(1251, "abc", 0, wide, 8), 0);
    EXPECT_EQ(multi_byte_to_wide(1251, nullptr, 3, wide, 8), 0);
    EXPECT_EQ(multi_byte_to_wide(4242, "abc", 3, wide, 8), 0);
    EXPECT_EQ(wide_to_multi_byte(1251, u"abc", 0, narrow, 8), 0);
    EXPECT_EQ(wide_to_multi_byte(4242, u"abc", 3, narrow, 8), 0);
}

TEST(PlatformCodePages, UnrepresentableCharactersBecomeQuestionMarks)
{
    EXPECT_EQ(encode(1252, u"Яx"), "?x");
    EXPECT_EQ(encode(20127, u"é"), "?");
    EXPECT_EQ(encode(866, u"€"), "?");
}

TEST(PlatformCodePages, Utf8HandlesSupplementaryAndIllFormedText)
{
    const std::string smile = "\xF0\x9F\x98\x80";
    EXPECT_EQ(decode(65001, smile), u"\U0001F600");
    EXPECT_EQ(encode(65001, u"\U0001F600"), smile);
    EXPECT_EQ(decode(65001, "a\xFF"
                            "b"),
              u"a\uFFFDb");
    EXPECT_EQ(decode(65001, "\xC0\xAF"), u"\uFFFD\uFFFD");           // overlong form
    EXPECT_EQ(decode(65001, "\xE0\x80\x80"), u"\uFFFD\uFFFD\uFFFD"); // overlong form
    EXPECT_EQ(decode(65001, "\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD"); // a surrogate
    EXPECT_EQ(decode(65001, "\xF4\x90\x80\x80"), u"\uFFFD\uFFFD\uFFFD\uFFFD");
    EXPECT_EQ(decode(65001, "\xE2\x82"
                            "a"),
              u"\uFFFDa"); // cut short
    EXPECT_EQ(encode(65001, std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
    EXPECT_EQ(utf8_to_utf16(utf16_to_utf8(u"Профиль/é")), u"Профиль/é");
}

TEST(PlatformCodePages, VietnameseCombiningMarksStayApart)
{
    // 0xCC is the combining grave accent: decoded byte by byte, never composed.
    EXPECT_EQ(decode(1258, "a\xCC"), u"a\u0300");
}

TEST(PlatformCodePages, DoubleByteCodePagesGoThroughTheSystemConverter)
{
    const std::u16string text = u"日本";
    const std::string bytes = encode(932, text);
    EXPECT_EQ(bytes.size(), 4u);
    EXPECT_EQ(decode(932, bytes), text);
}

// Arbitrary bytes and units never break a conversion, and what a single-byte
// code page decodes it encodes back to the same bytes.
TEST(PlatformCodePages, ArbitraryInputConvertsWithoutHarm)
{
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> unit(0, 0xFFFF);
    for (unsigned code_page : {1250u, 1251u, 1252u, 1255u, 1258u, 866u, 20127u, 65001u, 932u, 936u}) {
        SCOPED_TRACE(code_page);
        for (int round = 0; round < 50; ++round) {
            std::string bytes(static_cast<std::size_t>(1 + round), '\0');
            for (char& b : bytes)
                b = static_cast<char>(byte(random));
            std::u16string units(static_cast<std::size_t>(1 + round), u'\0');
            for (char16_t& u : units)
                u = static_cast<char16_t>(unit(random));
            const std::u16string wide = decode(code_page, bytes);
            EXPECT_FALSE(wide.empty());
            EXPECT_FALSE(encode(code_page, units).empty());
            if (code_page == 65001 || code_page == 932 || code_page == 936)
                continue;
            // Bytes the code page leaves undefined come back as the replacement.
            std::u16string expected = wide;
            std::replace(expected.begin(), expected.end(), u'\uFFFD', u'?');
            EXPECT_EQ(decode(code_page, encode(code_page, wide)), expected);
        }
    }
}

TEST(PlatformAnsiCodePage, OverrideWinsOverTheLocale)
{
    zv::test::scoped_env env;
    env.set("LC_ALL", "ru_RU.UTF-8").set("ZV_ANSI_CODEPAGE", "866");
    EXPECT_EQ(ansi_code_page(), 866u);
    env.set("ZV_ANSI_CODEPAGE", "not a number");
    EXPECT_EQ(ansi_code_page(), 1251u);
}

TEST(PlatformAnsiCodePage, LanguageOfTheLocaleDecides)
{
    zv::test::scoped_env env;
    env.set("ZV_ANSI_CODEPAGE", std::nullopt).set("LC_ALL", std::nullopt).set("LC_CTYPE", std::nullopt);
    const std::pair<const char*, unsigned> cases[] = {
        {"ru_RU.UTF-8", 1251}, {"uk_UA", 1251},    {"kk_KZ.UTF-8", 1251}, {"pl_PL.ISO-8859-2", 1250},
        {"ro_RO", 1250},       {"el_GR", 1253},    {"tr_TR", 1254},       {"he_IL", 1255},
        {"ar_EG", 1256},       {"lv_LV", 1257},    {"vi_VN", 1258},       {"en_US.UTF-8", 1252},
        {"C", 1252},           {"sr@latin", 1251},
    };
    for (const auto& [locale, code_page] : cases) {
        SCOPED_TRACE(locale);
        env.set("LANG", locale);
        EXPECT_EQ(ansi_code_page(), code_page);
    }
    env.set("LANG", std::nullopt);
    EXPECT_EQ(ansi_code_page(), 1252u);
    // LC_ALL overrides LC_CTYPE, which overrides LANG.
    env.set("LANG", "de_DE").set("LC_CTYPE", "cs_CZ");
    EXPECT_EQ(ansi_code_page(), 1250u);
    env.set("LC_ALL", "el_GR");
    EXPECT_EQ(ansi_code_page(), 1253u);
}

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
