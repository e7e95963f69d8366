// Code pages: the locale rule that the module and every host library share,
// and the conversions.
#include "foundation/code_page.h"

#include "kit/scoped_env.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <utility>

namespace
{

using namespace zv::foundation;

std::u16string decode(unsigned code_page, const std::string& bytes)
{
    std::u16string out;
    EXPECT_TRUE(to_utf16(bytes, code_page, out));
    return out;
}

std::string encode(unsigned code_page, const std::u16string& text)
{
    std::string out;
    EXPECT_TRUE(from_utf16(text, code_page, out));
    return out;
}

// More locales, each through a table and the module: the encoding tests.
TEST(CodePages, LocalesMapAsWindowsMapsTheirLanguages)
{
    const std::pair<const char*, unsigned> samples[] = {{"ru_RU.UTF-8", 1251},
                                                        {"sq_AL.UTF-8", 1250},
                                                        {"de_DE.utf8", 65001},
                                                        {"de_DE.ISO-8859-1", 1252},
                                                        {"", 1252},
                                                        {"ja_JP.UTF-8@x", 65001}};
    for (const auto& [locale, code_page] : samples)
        EXPECT_EQ(code_page_of_locale(locale), code_page) << locale;
}

#if defined(_WIN32)
TEST(CodePages, AnsiCodePageIsTheSystemsWhateverTheVariablesSay)
{
    const unsigned system = ansi_code_page();
    zv::test::scoped_env env;
    env.set("ZV_ANSI_CODEPAGE", "866").set("LC_ALL", "el_GR").set("LANG", "ru_RU.UTF-8");
    EXPECT_EQ(ansi_code_page(), system);
    EXPECT_TRUE(is_supported(system));
}
#else
TEST(CodePages, AnsiCodePageComesFromTheOverrideElseTheFirstSetLocaleVariable)
{
    zv::test::scoped_env env;
    env.set("ZV_ANSI_CODEPAGE", std::nullopt).set("LC_ALL", std::nullopt).set("LC_CTYPE", "");
    env.set("LANG", "ru_RU.UTF-8");
    EXPECT_EQ(ansi_code_page(), 1251u);
    env.set("LC_CTYPE", "el_GR");
    EXPECT_EQ(ansi_code_page(), 1253u) << "LC_CTYPE before LANG";
    env.set("LC_ALL", "C.UTF-8");
    EXPECT_EQ(ansi_code_page(), 65001u) << "LC_ALL before both";
    env.set("ZV_ANSI_CODEPAGE", "866");
    EXPECT_EQ(ansi_code_page(), 866u);
    env.set("ZV_ANSI_CODEPAGE", "not a number");
    EXPECT_EQ(ansi_code_page(), 65001u);
    env.set("ZV_ANSI_CODEPAGE", std::nullopt).set("LC_ALL", std::nullopt).set("LC_CTYPE", std::nullopt);
    env.set("LANG", std::nullopt);
    EXPECT_EQ(ansi_code_page(), 1252u) << "no locale is the C locale";
}
#endif

TEST(CodePages, EachCodePageMapsItsCharacteristicLettersBothWays)
{
    struct sample {
        unsigned code_page;
        std::string bytes;
        std::u16string text;
    };
    const sample samples[] = {
        {1250, "\x8A", u"Š"},
        {1251, "\xC6\xF3\xEA \xB8", u"Жук ё"},
        {1252, "\x80", u"€"},
        {1255, "\xE0", u"א"},
        {866, "\x80\xF0", u"АЁ"},
        {20127, "A", u"A"},
        {65001, "\xE2\x82\xAC \xF0\x9F\x98\x80", u"€ \U0001F600"},
        {936, "\xD6\xD0", u"中"},
        {932, "\x93\xFA\x96\x7B", u"日本"},
        // A combining mark stays apart: single bytes are never composed.
        {1258, "a\xCC", u"a\u0300"},
        // Bytes a Windows code page leaves undefined pass through as C1
        // controls, as on Windows, and survive a round trip.
        {1251, "\x98", u"\u0098"},
        {1252, "\x81\x8D", u"\u0081\u008D"},
    };
    for (const auto& each : samples) {
        SCOPED_TRACE(each.code_page);
        EXPECT_EQ(decode(each.code_page, each.bytes), each.text);
        EXPECT_EQ(encode(each.code_page, each.text), each.bytes);
    }
}

// Text a page cannot carry, or ill-formed, is replaced, and the exact
// conversions tell a replacement from the same character given: U+FFFD has
// bytes in UTF-8, '?' in every page.
TEST(CodePages, ReplacedCharactersAreToldFromTheSameCharactersGiven)
{
    const struct {
        unsigned code_page;
        std::u16string text;
        std::string bytes;
        bool exact;
    } encoded[] = {
        {1252, u"Яx", "?x", false},
        {20127, u"é", "?", false},
        {866, u"€", "?", false},
        {1251, u"\U0001F600", "?", false}, // one replacement for a surrogate pair
        {936, {char16_t(0xD800)}, "?", false},
        {1251, u"Жук ?", "\xC6\xF3\xEA ?", true},
        {20127, u"plain", "plain", true},
        {932, u"日本", "\x93\xFA\x96\x7B", true},
        {1251, u"\uFFFD", "?", false},
        {65001, u"\uFFFD\U0001F600", "\xEF\xBF\xBD\xF0\x9F\x98\x80", true},
        {65001, {u'a', char16_t(0xDC00)}, "a\xEF\xBF\xBD", false},
        {936, u"中\u0639", "\xD6\xD0?", false},
    };
    for (const auto& each : encoded) {
        std::string out;
        bool exact = !each.exact;
        EXPECT_TRUE(from_utf16(each.text, each.code_page, out, exact));
        EXPECT_EQ(out, each.bytes) << each.code_page;
        EXPECT_EQ(exact, each.exact) << each.code_page << " " << out;
    }
    const struct {
        unsigned code_page;
        std::string bytes;
        std::u16string text;
        bool exact;
    } decoded[] = {
        {65001,
         "a\xFF"
         "b",
         u"a\uFFFDb", false},
        {65001, "\xC0\xAF", u"\uFFFD\uFFFD", false},
#if !defined(_WIN32)                     // Windows gives its own replacement there
        {936, "\xD6", u"\uFFFD", false}, // a double-byte character cut short
#endif
        {65001, "\xEF\xBF\xBD", u"\uFFFD", true},
        {1251, "\x98\xC6", u"\u0098Ж", true},
    };
    for (const auto& each : decoded) {
        std::u16string out;
        bool exact = !each.exact;
        EXPECT_TRUE(to_utf16(each.bytes, each.code_page, out, exact));
        EXPECT_EQ(out, each.text) << each.code_page;
        EXPECT_EQ(exact, each.exact) << each.code_page << " " << each.bytes;
    }
}

TEST(CodePages, FittingLengthNeverEndsInsideACharacter)
{
    struct sample {
        unsigned code_page;
        std::string bytes;
        std::size_t max_bytes;
        std::size_t fitting;
    };
    const sample samples[] = {
        {65001, "ab", 5, 2},
        {65001, "\xD0\x96\xD1\x83\xD0\xBA", 5, 4}, // Жук
        {65001, "\xE2\x82\xAC", 2, 0},
        {65001, "a\xF0\x9F\x98\x80", 4, 1},
        {1251, "\xC6\xF3\xEA", 2, 2},
        {932, "\x93\xFA\x96\x7B", 3, 2}, // 日本: the second byte of 本 is an ASCII brace
        {936, "a\xD6\xD0", 2, 1},
        {4242, "abc", 2, 2},
    };
    for (const auto& each : samples)
        EXPECT_EQ(fitting_length(each.bytes, each.code_page, each.max_bytes), each.fitting) << each.code_page;
}

TEST(CodePages, UnknownCodePagesFailAndRecodingGoesThroughUtf16)
{
    EXPECT_FALSE(is_supported(4242));
    EXPECT_TRUE(is_supported(1251));
    std::u16string wide = u"left over";
    EXPECT_FALSE(to_utf16("abc", 4242, wide));
    EXPECT_TRUE(wide.empty());
    std::string narrow = "left over";
    EXPECT_FALSE(from_utf16(u"abc", 4242, narrow));
    EXPECT_TRUE(narrow.empty());
    std::string recoded;
    bool exact = false;
    ASSERT_TRUE(recode("\xC6\xF3\xEA", 1251, 866, recoded, exact));
    EXPECT_EQ(recoded, "\x86\xE3\xAA");
    EXPECT_TRUE(exact);
    EXPECT_TRUE(recode("\xE2\x9C\x93", 65001, 1251, recoded, exact));
    EXPECT_FALSE(exact) << "no check mark in 1251";
    EXPECT_TRUE(recode("\xFF\xFE", 65001, 65001, recoded, exact));
    EXPECT_TRUE(exact) << "the same page: the bytes are kept as they are";
}

// Arbitrary bytes and units never break a conversion, and what a single-byte
// code page decodes it encodes back to the same bytes.
TEST(CodePages, ArbitraryInputConvertsWithoutHarm)
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

} // namespace
