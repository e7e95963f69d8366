// Path text: one rule for extensions and stems with either separator, and
// joining.
#include "foundation/paths.h"

#include <gtest/gtest.h>

namespace
{

using namespace zv::foundation;

TEST(Paths, ExtensionAndStemFollowOneRule)
{
    struct sample {
        std::u16string_view path, extension, stem, without;
    };
    const sample samples[] = {
        {u"C:\\data\\line.shp", u".shp", u"line", u"C:\\data\\line"},
        {u"/data/line.one.DBF", u".DBF", u"line.one", u"/data/line.one"},
        {u"папка\\профиль.dbf", u".dbf", u"профиль", u"папка\\профиль"},
        {u"/data/.hidden", u"", u".hidden", u"/data/.hidden"},
        {u"/data/.hidden.shp", u".shp", u".hidden", u"/data/.hidden"},
        {u"C:\\dir.v2\\name", u"", u"name", u"C:\\dir.v2\\name"},
        {u"a/b\\c.txt", u".txt", u"c", u"a/b\\c"},
        {u"name.", u".", u"name", u"name"},
        {u"", u"", u"", u""},
    };
    for (const auto& each : samples) {
        SCOPED_TRACE(std::string(each.path.begin(), each.path.end()));
        EXPECT_EQ(extension(each.path), each.extension);
        EXPECT_EQ(stem(each.path), each.stem);
        EXPECT_EQ(without_extension(each.path), each.without);
    }
    EXPECT_EQ(extension(std::string_view("/data/line.shp")), ".shp") << "narrow paths follow the same rule";
    EXPECT_EQ(file_name(std::string_view("a\\b/c.dbf")), "c.dbf");
}

TEST(Paths, JoinPutsOneSeparatorAndKeepsAbsoluteTails)
{
    EXPECT_EQ(join<char16_t>(u"C:\\data", u"out", u'\\'), u"C:\\data\\out");
    EXPECT_EQ(join<char16_t>(u"C:\\data\\", u"out", u'\\'), u"C:\\data\\out");
    EXPECT_EQ(join<char16_t>(u"C:\\data", u"D:\\x", u'\\'), u"D:\\x");
    EXPECT_EQ(join<char16_t>(u"", u"out", u'\\'), u"out");
    EXPECT_EQ(join<char16_t>(u"C:\\data", u"", u'\\'), u"C:\\data");
    EXPECT_EQ(join<char>("/data", "out", '/'), "/data/out");
    EXPECT_EQ(join<char>("/data", "/abs", '/'), "/abs");
}

TEST(Paths, NativePathUsesSlashesAndRefusesDamagedNames)
{
#if defined(_WIN32)
    // Windows takes either separator as it is.
    EXPECT_EQ(native_path(u"/data/folder\\out\\line1.dbf"), "/data/folder\\out\\line1.dbf");
#else
    EXPECT_EQ(native_path(u"/data/folder\\out\\line1.dbf"), "/data/folder/out/line1.dbf");
    EXPECT_EQ(native_path(u"\\\\server\\папка"), "//server/\xD0\xBF\xD0\xB0\xD0\xBF\xD0\xBA\xD0\xB0");
#endif
    const std::u16string lone = {u'a', char16_t(0xD800)};
    EXPECT_FALSE(native_path(lone));
}

} // namespace
