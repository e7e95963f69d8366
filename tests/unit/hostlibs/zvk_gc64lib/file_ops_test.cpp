#include "file_ops.h"

#include "gc_test_support.h"

#include <gtest/gtest.h>

#include <fstream>

namespace zv::gc
{
namespace
{

TEST(GcFileOps, ExtensionIsWhatFollowsTheLastDotOfTheFileName)
{
    EXPECT_EQ(strip_extension("/data/fields.shp"), "/data/fields");
    EXPECT_EQ(strip_extension("/data/fields.v2.SHP"), "/data/fields.v2");
    EXPECT_EQ(strip_extension("/data/fields"), "/data/fields");
    EXPECT_EQ(strip_extension("/data.d/fields"), "/data.d/fields");
    EXPECT_EQ(strip_extension("/data/.hidden"), "/data/.hidden");
    EXPECT_EQ(strip_extension("fields."), "fields");
}

TEST(GcFileOps, Utf16PathsBecomeUtf8WithSlashes)
{
    EXPECT_EQ(path_from_utf16(u"/tmp/поля.shp"), "/tmp/\xD0\xBF\xD0\xBE\xD0\xBB\xD1\x8F.shp");
    EXPECT_EQ(path_from_utf16(u"\U0001F5FA"), "\xF0\x9F\x97\xBA"); // a surrogate pair
    const char16_t lone_low[] = {u'a', 0xDC00, 0};
    const char16_t high_at_end[] = {u'a', 0xD83D, 0};
    EXPECT_FALSE(path_from_utf16(lone_low));
    EXPECT_FALSE(path_from_utf16(high_at_end));
    EXPECT_FALSE(path_from_utf16(u""));
    EXPECT_FALSE(path_from_utf16(nullptr));
    // Backslashes separate folders.
    EXPECT_EQ(path_from_utf16(u"/data\\out\\поля.shp"), "/data/out/\xD0\xBF\xD0\xBE\xD0\xBB\xD1\x8F.shp");
    EXPECT_EQ(path_from_utf16(u"a\\b\\c"), "a/b/c");
    EXPECT_EQ(strip_extension(*path_from_utf16(u"C:\\d.v2\\fields")), "C:/d.v2/fields");
}

TEST(GcFileOps, CompanionsAreFoundInEitherCase)
{
    test::scratch_folder dir;
    std::ofstream(dir.file("a.prj")) << "x";
    std::ofstream(dir.file("b.PRJ")) << "y";
    EXPECT_EQ(find_companion(dir.file("a"), ".prj"), dir.file("a.prj"));
    EXPECT_EQ(find_companion(dir.file("b"), ".prj"), dir.file("b.PRJ"));
    EXPECT_FALSE(find_companion(dir.file("c"), ".prj"));
    EXPECT_EQ(read_file(dir.file("b.PRJ"), 10), "y");
    EXPECT_FALSE(read_file(dir.file("b.PRJ"), 0));
}

TEST(GcFileOps, TemporaryNamesAreFreshAndInTheSameFolder)
{
    test::scratch_folder dir;
    const std::string first = temporary_base(dir.file("out"));
    std::ofstream(first + ".shp") << "";
    const std::string second = temporary_base(dir.file("out"));
    EXPECT_NE(first, second);
    EXPECT_EQ(first.rfind(dir.file("out~zvtmp"), 0), 0u);
    EXPECT_EQ(strip_extension(first + ".shp"), first);
}

} // namespace
} // namespace zv::gc
