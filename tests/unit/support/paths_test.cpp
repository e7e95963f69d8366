#include "support/paths.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

using namespace zv::support;

TEST(PathJoin, AddsOneSeparatorOnlyWhenMissingAndKeepsAbsoluteTails)
{
    EXPECT_EQ(join(u"C:\\data", u"x.shp"), u"C:\\data\\x.shp");
    EXPECT_EQ(join(u"C:\\data\\", u"x.shp"), u"C:\\data\\x.shp");
    EXPECT_EQ(join(u"a", u"D:\\b"), u"D:\\b");
    EXPECT_EQ(join(u"", u"x.shp"), u"x.shp");
    EXPECT_EQ(join(u"C:\\data", u""), u"C:\\data");
    EXPECT_EQ(join(u"a", u"b\\c"), u"a\\b\\c");
    EXPECT_EQ(with_trailing_separator(u""), u"");
    EXPECT_EQ(with_trailing_separator(u"C:\\d"), u"C:\\d\\");
    EXPECT_EQ(with_trailing_separator(u"/d/"), u"/d/");
}

TEST(PathKind, RelativeMeansNoLeadingSeparatorAndNoDrive)
{
    EXPECT_TRUE(is_relative(u""));
    EXPECT_TRUE(is_relative(u"a\\b"));
    EXPECT_FALSE(is_relative(u"\\a"));
    EXPECT_FALSE(is_relative(u"/a"));
    EXPECT_FALSE(is_relative(u"c:rel"));
}

TEST(PathParts, FileNameStemAndExtensionBeyondAscii)
{
    EXPECT_EQ(file_name(u"C:\\d\\line1.dbf"), u"line1.dbf");
    EXPECT_EQ(file_name(u"C:/d/line1.dbf"), u"line1.dbf");
    EXPECT_EQ(file_name(u"C:\\d\\"), u"");
    EXPECT_EQ(stem(u"C:\\d\\line1.dbf"), u"line1");
    EXPECT_EQ(stem(u"C:\\d\\archive.tar.gz"), u"archive.tar");
    EXPECT_EQ(stem(u"C:\\d\\.hidden"), u".hidden");
    EXPECT_EQ(stem(u"C:\\d.x\\file"), u"file");
    EXPECT_EQ(extension_lower(u"A.SHP"), u".shp");
    EXPECT_EQ(extension_lower(u"C:\\d\\.hidden"), u"");
    EXPECT_EQ(extension_lower(u"name."), u".");
    EXPECT_EQ(extension_lower(u"Отчёт.ДБФ"), u".дбф");
    EXPECT_EQ(extension_lower(u"x.ÀÉÎ"), u".àéî");
}

TEST(PathChange, NewStemExtensionOrFolderKeepTheRest)
{
    EXPECT_EQ(with_stem(u"C:\\d\\Profiles.SHP", u"Profiles_rect2d"), u"C:\\d\\Profiles_rect2d.shp");
    EXPECT_EQ(with_stem(u"C:/d/noext", u"y"), u"C:/d/y");
    // A new extension replaces only the file name's extension.
    EXPECT_EQ(with_extension(u"C:\\d.x\\file", u".dbf"), u"C:\\d.x\\file.dbf");
    EXPECT_EQ(with_extension(u"C:\\d\\line1.dbf", u"_src.xlsx"), u"C:\\d\\line1._src.xlsx");
    EXPECT_EQ(with_extension(u"C:\\d\\line1", u"shp"), u"C:\\d\\line1.shp");
    EXPECT_EQ(with_extension(u"C:\\d\\line1.dbf", u""), u"C:\\d\\line1");
    EXPECT_EQ(with_extension(u".bashrc", u"txt"), u".bashrc.txt");
    // moved_to puts the file name into another folder.
    EXPECT_EQ(moved_to(u"C:\\in\\line1.dbf", u"C:\\in\\out"), u"C:\\in\\out\\line1.dbf");
    EXPECT_EQ(moved_to(u"C:\\in\\line1.dbf", u""), u"line1.dbf");
}

TEST(PathValidity, ColonIsAllowedOnlyInTheDrivePrefix)
{
    EXPECT_TRUE(is_valid_path(u"C:\\a\\b"));
    EXPECT_FALSE(is_valid_path(u"C:\\a:b"));
    EXPECT_TRUE(is_valid_path(u""));
    for (char16_t bad : std::u16string(u"<>\"|?*")) {
        SCOPED_TRACE(static_cast<int>(bad));
        EXPECT_FALSE(is_valid_path_char(bad));
        EXPECT_FALSE(is_valid_path(std::u16string(u"C:\\a") + bad));
    }
    EXPECT_FALSE(is_valid_path(std::u16string(u"C:\\a\0b", 6)));
    EXPECT_TRUE(is_valid_path_char(u'Ж'));
    // File names also reject separators.
    EXPECT_TRUE(is_valid_file_name(u"Профиль 1.shp"));
    EXPECT_FALSE(is_valid_file_name(u"a/b"));
    EXPECT_FALSE(is_valid_file_name(u"C:x"));
    EXPECT_FALSE(is_valid_file_name_char(u'/'));
    EXPECT_TRUE(is_valid_file_name_char(u'.'));
}

TEST(PathValidity, SanitizingReplacesEveryDisallowedUnit)
{
    EXPECT_EQ(sanitized_path(u"C:\\a:b?c*d"), u"C:\\a_b_c_d");
    EXPECT_EQ(sanitized_path(u"rel<>|\"x"), u"rel____x");
    EXPECT_EQ(sanitized_file_name(u"a\\b/c:d"), u"a_b_c_d");
    EXPECT_TRUE(is_valid_path(sanitized_path(u"C:\\x|y")));
    EXPECT_TRUE(is_valid_file_name(sanitized_file_name(u"x|y\\z")));
}

} // namespace
