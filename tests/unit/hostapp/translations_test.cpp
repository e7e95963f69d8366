#include "translations.h"

#include <gtest/gtest.h>

#include <string>

#include "kit/scratch_folder.h"

namespace zv::hostapp
{
namespace
{

translations parsed(std::string_view content)
{
    std::string error;
    std::optional<translations> t = translations::parse(content, error);
    EXPECT_TRUE(t.has_value()) << error;
    return t ? *t : translations{};
}

std::string error_of(std::string_view content)
{
    std::string error;
    EXPECT_FALSE(translations::parse(content, error).has_value());
    return error;
}

TEST(TranslationFile, ReadsEntriesSkippingCommentsAndBlankLinesKeepingTabsAndUnescaping)
{
    translations t = parsed("\xEF\xBB\xBF# texts\n10\tПрофиль\r\n\n1\ta\tb\n2\tline\\none\\ttab\\\\\n3\t\n");
    EXPECT_EQ(t.size(), 4u);
    ASSERT_NE(t.find(10), nullptr);
    EXPECT_EQ(*t.find(10), u"Профиль");
    EXPECT_EQ(t.find(11), nullptr);
    EXPECT_EQ(*t.find(1), u"a\tb");
    EXPECT_EQ(*t.find(2), u"line\none\ttab\\");
    EXPECT_EQ(*t.find(3), u"");
    // A later entry replaces an earlier one; the last line needs no newline.
    EXPECT_EQ(*parsed("7\told\n7\tnew").find(7), u"new");
}

TEST(TranslationFile, RejectsMalformedLinesAndInvalidUtf8NamingTheLine)
{
    EXPECT_EQ(error_of("1\tok\nno tab here\n"), "line 2: expected <id> TAB <text>");
    EXPECT_NE(error_of("0\tzero\n").find("line 1"), std::string::npos);
    EXPECT_NE(error_of("4294967296\ttoo big\n").find("number"), std::string::npos);
    EXPECT_NE(error_of("5\tbad \\q escape\n").find("escape"), std::string::npos);
    EXPECT_NE(error_of("5\ttrailing \\").find("line 1"), std::string::npos);
    EXPECT_NE(error_of("1\t\xC0\xAF\n").find("UTF-8"), std::string::npos); // the decoder is the foundation's
}

TEST(TranslationFile, LoadReportsUnreadableFilesAndPrefixesErrorsWithThePath)
{
    // An unreadable file: zvhost's command tests.
    std::string error;
    const zv::test::scratch_folder dir("zvhost");
    const std::string path = dir.file("texts.txt");
    zv::test::write_bytes(path, "10\tgood\nbad\n");
    EXPECT_FALSE(translations::load(path, error));
    EXPECT_EQ(error, path + ": line 2: expected <id> TAB <text>");
}

} // namespace
} // namespace zv::hostapp
