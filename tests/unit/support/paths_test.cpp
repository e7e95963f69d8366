// What support adds to the foundation's path text rules (tested there): the
// backslash it builds with, lower-cased extensions, new stems and extensions,
// and the rules of valid names.
#include "support/paths.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

using namespace zv::support;

TEST(PathBuild, BackslashSeparatesExtensionsAreLowerCasedAndComparisonIgnoresCase)
{
    EXPECT_EQ(with_trailing_separator(u""), u"");
    EXPECT_EQ(with_trailing_separator(u"C:\\d"), u"C:\\d\\");
    EXPECT_EQ(with_trailing_separator(u"/d/"), u"/d/");
    EXPECT_EQ(extension_lower(u"Отчёт.ДБФ"), u".дбф");
    EXPECT_EQ(moved_to(u"C:\\in\\line1.dbf", u"C:\\in\\out"), u"C:\\in\\out\\line1.dbf");
    EXPECT_TRUE(same_path(u"C:/Данные\\OUT\\Line1.DBF", u"c:\\данные/out/line1.dbf"));
    EXPECT_FALSE(same_path(u"C:\\out\\a.dbf", u"C:\\out\\b.dbf"));
}

TEST(PathChange, NewStemOrExtensionKeepsTheRest)
{
    const struct {
        std::u16string_view path, extension, expected;
    } cases[] = {
        {u"C:\\d.x\\file", u".dbf", u"C:\\d.x\\file.dbf"}, // only the file name's dot counts
        {u"C:\\d\\line1.dbf", u"_src.xlsx", u"C:\\d\\line1._src.xlsx"},
        {u"C:\\d\\line1.dbf", u"", u"C:\\d\\line1"},
        {u".bashrc", u"txt", u".bashrc.txt"}, // a leading dot is no extension
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.expected.begin(), c.expected.end()));
        EXPECT_EQ(with_extension(c.path, c.extension), c.expected);
    }
    EXPECT_EQ(with_stem(u"C:\\d\\Profiles.SHP", u"Profiles_rect2d"), u"C:\\d\\Profiles_rect2d.shp");
    EXPECT_EQ(with_stem(u"C:/d/noext", u"y"), u"C:/d/y");
}

TEST(PathValidity, ColonIsAllowedOnlyInTheDrivePrefixAndSanitizingReplacesEveryDisallowedUnit)
{
    EXPECT_TRUE(is_valid_path(u"C:\\a\\b"));
    EXPECT_FALSE(is_valid_path(u"C:\\a:b"));
    EXPECT_FALSE(is_valid_path(u"C:\\a?"));
    EXPECT_FALSE(is_valid_path(std::u16string(u"C:\\a\0b", 6)));
    EXPECT_TRUE(is_valid_file_name(u"Профиль 1.shp"));
    EXPECT_FALSE(is_valid_file_name(u"a/b"));
    EXPECT_FALSE(is_valid_file_name(u"C:x"));
    EXPECT_EQ(sanitized_path(u"C:\\a:b?c*d"), u"C:\\a_b_c_d");
    EXPECT_EQ(sanitized_file_name(u"a\\b/c:d|e"), u"a_b_c_d_e");
}

} // namespace
