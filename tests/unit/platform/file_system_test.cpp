// The platform's file system on a real temporary folder: attributes, folder
// creation and removal, copies and moves, the wildcard match and enumeration.
#include "platform/file_system.h"

#include "kit/scratch_folder.h"

#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace
{

namespace stdfs = std::filesystem;
using namespace zv::platform;
using names = std::vector<std::u16string>;

class PlatformFileSystem : public ::testing::Test
{
  protected:
    // Paths in the backslash form the module uses.
    std::u16string at(const std::u16string& relative) const
    {
        std::u16string path = root_.u16string() + u"\\" + relative;
        for (char16_t& unit : path)
            if (unit == u'/')
                unit = u'\\';
        return path;
    }
    void make_file(const std::u16string& relative, const std::string& content = "x") const
    {
        std::ofstream(root_ / stdfs::path(relative), std::ios::binary) << content;
    }
    std::string read(const std::u16string& relative) const
    {
        std::ifstream in(root_ / stdfs::path(relative), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    zv::test::scratch_folder dir_{"zv_platform_fs_"};
    const stdfs::path& root_ = dir_.path();
};

TEST_F(PlatformFileSystem, AttributesOfFilesFoldersAndHiddenNames)
{
    make_file(u"plain.txt", "12345");
    make_file(u".hidden");
    path_status status;
    ASSERT_TRUE(query_path(at(u"plain.txt"), status));
    EXPECT_FALSE(status.directory);
    EXPECT_FALSE(status.hidden);
    ASSERT_TRUE(query_path(at(u".hidden"), status));
    EXPECT_TRUE(status.hidden);
    ASSERT_TRUE(query_path(root_.u16string(), status));
    EXPECT_TRUE(status.directory);
    EXPECT_FALSE(query_path(at(u"absent"), status));
    EXPECT_FALSE(query_path(u"", status));

    path_stat stat;
    ASSERT_TRUE(stat_path(at(u"plain.txt"), stat));
    EXPECT_EQ(stat.size_bytes, 5u);
    EXPECT_NEAR(static_cast<double>(stat.modified_unix), static_cast<double>(std::time(nullptr)), 120.0);
    EXPECT_FALSE(stat_path(at(u"absent"), stat));
}

TEST_F(PlatformFileSystem, FoldersAreMadeOnceAndRemovedOnlyWhenEmpty)
{
    EXPECT_TRUE(make_directory(at(u"Папка")));
    EXPECT_FALSE(make_directory(at(u"Папка")));
    EXPECT_FALSE(make_directory(at(u"missing/child")));
    EXPECT_TRUE(is_directory_path(at(u"Папка")));
    make_file(u"Папка/file.txt");
    EXPECT_FALSE(remove_empty_directory(at(u"Папка")));
    EXPECT_FALSE(delete_file(at(u"Папка")));
    EXPECT_TRUE(delete_file(at(u"Папка/file.txt")));
    EXPECT_TRUE(remove_empty_directory(at(u"Папка")));
    EXPECT_FALSE(path_exists(at(u"Папка")));
}

TEST_F(PlatformFileSystem, CopyKeepsAnExistingTargetUnlessOverwriting)
{
    make_file(u"from.bin", std::string("a\0b", 3));
    make_file(u"to.bin", "old");
    EXPECT_FALSE(copy_file(at(u"from.bin"), at(u"to.bin"), false));
    EXPECT_EQ(read(u"to.bin"), "old");
    EXPECT_TRUE(copy_file(at(u"from.bin"), at(u"to.bin"), true));
    EXPECT_EQ(read(u"to.bin"), std::string("a\0b", 3));
    EXPECT_FALSE(copy_file(at(u"absent"), at(u"new.bin"), true));
    EXPECT_FALSE(copy_file(root_.u16string(), at(u"new.bin"), true));
    EXPECT_FALSE(path_exists(at(u"new.bin")));
    names left;
    find_entries(at(u"*"), left);
    EXPECT_EQ(left, (names{u"from.bin", u"to.bin"}));
}

TEST_F(PlatformFileSystem, MoveReplacesOnlyWhenAsked)
{
    make_file(u"a.txt", "A");
    make_file(u"b.txt", "B");
    EXPECT_FALSE(move_path(at(u"a.txt"), at(u"b.txt"), false));
    EXPECT_EQ(read(u"b.txt"), "B");
    EXPECT_TRUE(move_path(at(u"a.txt"), at(u"b.txt"), true));
    EXPECT_EQ(read(u"b.txt"), "A");
    EXPECT_FALSE(path_exists(at(u"a.txt")));
    EXPECT_FALSE(move_path(at(u"a.txt"), at(u"c.txt"), true));
    EXPECT_TRUE(make_directory(at(u"dir")));
    EXPECT_TRUE(move_path(at(u"dir"), at(u"dir2"), false));
    EXPECT_TRUE(is_directory_path(at(u"dir2")));
}

TEST_F(PlatformFileSystem, OpeningChecksFollowTheFileModes)
{
    make_file(u"f.txt");
    EXPECT_TRUE(can_open_file(at(u"f.txt"), false));
    EXPECT_TRUE(can_open_file(at(u"f.txt"), true));
    EXPECT_FALSE(can_open_file(at(u"absent"), false));
    EXPECT_FALSE(can_open_file(root_.u16string(), false));
    EXPECT_FALSE(can_open_file(root_.u16string(), true));
}

TEST(PlatformWildcards, MatchWithoutRegardToCase)
{
    EXPECT_TRUE(wildcard_match(u"*.shp", u"Line.SHP"));
    EXPECT_TRUE(wildcard_match(u"*.SHP", u"линия.shp"));
    EXPECT_FALSE(wildcard_match(u"*.shp", u"line.shpx"));
    EXPECT_FALSE(wildcard_match(u"*.shp", u"line.dbf"));
    EXPECT_TRUE(wildcard_match(u"*", u"anything at all"));
    EXPECT_TRUE(wildcard_match(u"*.*", u"no_extension"));
    EXPECT_TRUE(wildcard_match(u"?.txt", u"a.TXT"));
    EXPECT_FALSE(wildcard_match(u"?.txt", u"ab.txt"));
    EXPECT_TRUE(wildcard_match(u"a*b*c", u"aXXbYYbZc"));
    EXPECT_FALSE(wildcard_match(u"a*b*c", u"aXXbYY"));
    EXPECT_TRUE(wildcard_match(u"ПРОФИЛЬ", u"профиль"));
    EXPECT_TRUE(wildcard_match(u"**x", u"x"));
    EXPECT_FALSE(wildcard_match(u"", u"x"));
}

TEST_F(PlatformFileSystem, EnumerationIsOrderedByNameWithoutCase)
{
    for (const char16_t* name : {u"b.shp", u"C.shp", u"a.SHP", u"d.dbf", u"Б.shp", u"а.shp"})
        make_file(name);
    stdfs::create_directory(root_ / "sub.shp");
    names found;
    ASSERT_TRUE(find_entries(at(u"*.shp"), found));
    EXPECT_EQ(found, (names{u"a.SHP", u"b.shp", u"C.shp", u"sub.shp", u"а.shp", u"Б.shp"}));
    found.clear();
    ASSERT_TRUE(find_entries(root_.u16string() + u"/D.DBF", found));
    EXPECT_EQ(found, (names{u"d.dbf"}));
}

TEST_F(PlatformFileSystem, EnumerationFailsWhenNothingCanBeFound)
{
    names found{u"kept"};
    EXPECT_FALSE(find_entries(at(u"*.none"), found));
    EXPECT_FALSE(find_entries(at(u"missing\\*"), found));
    EXPECT_FALSE(find_entries(at(u""), found));
    EXPECT_EQ(found, (names{u"kept"}));
}

} // namespace
