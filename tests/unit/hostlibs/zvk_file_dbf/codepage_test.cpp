// The code pages of tables and of the system: how a .cpg text and a
// language-driver byte are read, how the ANSI code page follows the locale,
// and what conversions make of text a code page cannot hold.
#include "common/codepage.h"
#include "common/utf_text.h"
#include "host_test_files.h"
#include "zvk_file_dbf/dbf_codepage.h"

#include <gtest/gtest.h>

#include <utility>

namespace
{

using namespace zv;
using zv::test::scoped_env;

TEST(CpgText, NamesInTheFormsWritersUse)
{
    const std::pair<const char*, unsigned> cases[] = {
        {"UTF-8", 65001},  {"utf8\r\n", 65001},   {"1251", 1251},
        {"CP1251", 1251},  {"ANSI 1251", 1251},   {"windows-1250", 1250},
        {"OEM 866", 866},  {"ISO-8859-5", 28595}, {"ISO8859-1", 28591},
        {"", 0},           {"Klingon", 0},        {"CP12a51", 0},
        {"ISO-8859-99", 0}};
    for (const auto& [text, code_page] : cases)
        EXPECT_EQ(dbf::code_page_of_cpg(text), code_page) << text;
}

TEST(LanguageDriver, BytesAndCodePagesMapBothWays)
{
    EXPECT_EQ(dbf::code_page_of_driver(0xC9, 1252), 1251u);
    EXPECT_EQ(dbf::code_page_of_driver(0x65, 1252), 866u);
    EXPECT_EQ(dbf::code_page_of_driver(0x26, 1252), 866u);
    EXPECT_EQ(dbf::code_page_of_driver(0x57, 1250), 1250u) << "0x57 is the ANSI code page";
    EXPECT_EQ(dbf::code_page_of_driver(0x00, 1251), 0u);
    EXPECT_EQ(dbf::code_page_of_driver(0xEE, 1251), 0u);
    for (const unsigned cp : {1250u, 1251u, 1252u, 1253u, 1254u, 1257u, 866u, 437u}) {
        EXPECT_EQ(dbf::code_page_of_driver(dbf::driver_of_code_page(cp), 0), cp) << cp;
    }
    EXPECT_EQ(dbf::driver_of_code_page(65001), 0);
    EXPECT_EQ(dbf::cpg_text(65001), "UTF-8");
    EXPECT_EQ(dbf::cpg_text(1251), "1251");
}

TEST(ReplaceExtension, OnlyTheLastNameCounts)
{
    EXPECT_EQ(dbf::replace_extension("/a/b.c/table.dbf", ".cpg"), "/a/b.c/table.cpg");
    EXPECT_EQ(dbf::replace_extension("/a/b.c/table", ".cpg"), "/a/b.c/table.cpg");
    EXPECT_EQ(dbf::replace_extension("/a/.hidden", ".cpg"), "/a/.hidden.cpg");
}

TEST(AnsiCodePage, ForcedNumberWinsOverTheLocale)
{
    scoped_env lang("LC_ALL", "ru_RU.UTF-8");
    scoped_env forced("ZV_ANSI_CODEPAGE", "1257");
    EXPECT_EQ(hostcommon::ansi_code_page(), 1257u);
    scoped_env junk("ZV_ANSI_CODEPAGE", "abc");
    EXPECT_EQ(hostcommon::ansi_code_page(), 1251u) << "a forced value that is no number is ignored";
}

TEST(AnsiCodePage, FollowsTheLanguageOfTheLocale)
{
    scoped_env forced("ZV_ANSI_CODEPAGE", "");
    scoped_env ctype("LC_CTYPE", "pl_PL.UTF-8");
    scoped_env lang("LANG", "el_GR");
    {
        scoped_env all("LC_ALL", "");
        EXPECT_EQ(hostcommon::ansi_code_page(), 1250u) << "an empty LC_ALL is skipped";
    }
    scoped_env all("LC_ALL", "C");
    EXPECT_EQ(hostcommon::ansi_code_page(), 1252u);
    const std::pair<const char*, unsigned> languages[] = {
        {"uk_UA", 1251}, {"kk", 1251},    {"tr_TR.ISO-8859-9", 1254},
        {"he_IL", 1255}, {"ar_EG", 1256}, {"lv_LV", 1257},
        {"vi_VN", 1258}, {"de_DE", 1252}, {"POSIX", 1252}};
    for (const auto& [language, code_page] : languages)
        EXPECT_EQ(hostcommon::code_page_of_language(language), code_page) << language;
}

TEST(Conversion, RoundTripsCyrillicThroughEveryTableCodePage)
{
    const std::u16string text = u"Широта, Ёж";
    for (const unsigned cp : {1251u, 866u, 65001u, 28595u}) {
        std::string narrow;
        ASSERT_TRUE(hostcommon::from_utf16(text, cp, narrow)) << cp;
        std::u16string back;
        ASSERT_TRUE(hostcommon::to_utf16(narrow, cp, back));
        EXPECT_EQ(back, text) << cp;
    }
}

TEST(Conversion, UnrepresentableAndInvalidTextIsReplacedNotDropped)
{
    std::string narrow;
    ASSERT_TRUE(hostcommon::from_utf16(u"a€Жb", 866, narrow));
    EXPECT_EQ(narrow, "a?\x86"
                      "b");
    ASSERT_TRUE(hostcommon::from_utf16(u"x\xD800y", 65001, narrow)) << "unpaired surrogate";
    EXPECT_EQ(narrow, "x?y");
    std::u16string wide;
    ASSERT_TRUE(hostcommon::to_utf16("a\xFF"
                                     "b\xC3",
                                     65001, wide));
    EXPECT_EQ(wide, u"a\xFFFD"
                    u"b\xFFFD");
    ASSERT_TRUE(hostcommon::to_utf16("\x98", 1251, wide)) << "a hole of 1251";
    EXPECT_EQ(wide.size(), 1u);
}

TEST(Conversion, UnknownCodePagesFail)
{
    std::string narrow;
    std::u16string wide;
    EXPECT_FALSE(hostcommon::from_utf16(u"Ж", 0, narrow));
    EXPECT_FALSE(hostcommon::to_utf16("\xC6", 4, wide));
    EXPECT_FALSE(hostcommon::is_supported(4));
    EXPECT_TRUE(hostcommon::is_supported(1251));
}

TEST(Conversion, RecodeBetweenNarrowPagesAndPathsToUtf8)
{
    std::string out;
    ASSERT_TRUE(hostcommon::recode("\xC6\xE5", 1251, 866, out));
    EXPECT_EQ(out, "\x86\xA5");
    ASSERT_TRUE(hostcommon::recode("same", 1251, 1251, out));
    EXPECT_EQ(out, "same");
    EXPECT_EQ(hostcommon::to_utf8(u"D:/данные/😀"), "D:/данные/😀");
    EXPECT_EQ(hostcommon::to_utf8(u"\xDC00"), "\xEF\xBF\xBD");
}

} // namespace
