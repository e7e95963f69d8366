#include "platform/file_system.h"

#include "kit/scratch_folder.h"

#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
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
    std::u16string at(const std::string& relative) const
    {
        return zv::test::backslashed(zv::test::utf8(root_ / zv::test::path_of(relative)));
    }
    void make_file(const std::string& relative, const std::string& content = "x") const
    {
        zv::test::write_bytes(root_ / zv::test::path_of(relative), content);
    }
    std::string read(const std::string& relative) const
    {
        return zv::test::read_bytes(root_ / zv::test::path_of(relative));
    }

    zv::test::scratch_folder dir_{"zv_platform_fs_"};
    const stdfs::path& root_ = dir_.path();
};

TEST_F(PlatformFileSystem, AttributesStatAndOpeningChecks)
{
    make_file("plain.txt", "12345");
    make_file(".hidden");
    path_status status;
    ASSERT_TRUE(query_path(at("plain.txt"), status));
    EXPECT_FALSE(status.directory);
    EXPECT_FALSE(status.hidden);
    ASSERT_TRUE(query_path(at(".hidden"), status));
    EXPECT_TRUE(status.hidden);
    ASSERT_TRUE(query_path(root_.u16string(), status));
    EXPECT_TRUE(status.directory);
    EXPECT_FALSE(query_path(at("absent"), status));

    path_stat stat;
    ASSERT_TRUE(stat_path(at("plain.txt"), stat));
    EXPECT_EQ(stat.size_bytes, 5u);
    EXPECT_NEAR(static_cast<double>(stat.modified_unix), static_cast<double>(std::time(nullptr)), 120.0);
    EXPECT_FALSE(stat_path(at("absent"), stat));

    EXPECT_TRUE(can_open_file(at("plain.txt"), true));
    EXPECT_FALSE(can_open_file(at("absent"), false));
    EXPECT_FALSE(can_open_file(root_.u16string(), false));
}

TEST_F(PlatformFileSystem, FoldersAreMadeOnceAndRemovedOnlyWhenEmpty)
{
    EXPECT_TRUE(make_directory(at("Папка")));
    EXPECT_FALSE(make_directory(at("Папка")));
    EXPECT_FALSE(make_directory(at("missing/child")));
    EXPECT_TRUE(is_directory_path(at("Папка")));
    make_file("Папка/file.txt");
    EXPECT_FALSE(remove_empty_directory(at("Папка")));
    EXPECT_FALSE(delete_file(at("Папка")));
    EXPECT_TRUE(delete_file(at("Папка/file.txt")));
    EXPECT_TRUE(remove_empty_directory(at("Папка")));
    EXPECT_FALSE(path_exists(at("Папка")));
}

TEST_F(PlatformFileSystem, CopyAndMoveReplaceAnExistingTargetOnlyWhenAsked)
{
    make_file("from.bin", std::string("a\0b", 3));
    make_file("to.bin", "old");
    EXPECT_FALSE(copy_file(at("from.bin"), at("to.bin"), false));
    EXPECT_EQ(read("to.bin"), "old");
    EXPECT_TRUE(copy_file(at("from.bin"), at("to.bin"), true));
    EXPECT_EQ(read("to.bin"), std::string("a\0b", 3));
    EXPECT_FALSE(copy_file(at("absent"), at("new.bin"), true));
    EXPECT_FALSE(copy_file(root_.u16string(), at("new.bin"), true));
    EXPECT_FALSE(path_exists(at("new.bin")));

    EXPECT_FALSE(move_path(at("from.bin"), at("to.bin"), false));
    EXPECT_TRUE(move_path(at("to.bin"), at("from.bin"), true));
    EXPECT_EQ(read("from.bin"), std::string("a\0b", 3));
    EXPECT_FALSE(path_exists(at("to.bin")));
    EXPECT_FALSE(move_path(at("to.bin"), at("c.txt"), true));
    EXPECT_TRUE(make_directory(at("dir")));
    EXPECT_TRUE(move_path(at("dir"), at("dir2"), false));
    EXPECT_TRUE(is_directory_path(at("dir2")));
}

TEST(PlatformWildcards, MatchWithoutRegardToCase)
{
    const struct {
        const char16_t* pattern;
        const char16_t* name;
        bool matches;
    } cases[] = {
        {u"*.SHP", u"линия.shp", true},  {u"*.shp", u"line.shpx", false},
        {u"*.*", u"no_extension", true}, {u"?.txt", u"a.TXT", true},
        {u"?.txt", u"ab.txt", false},    {u"a*b*c", u"aXXbYYbZc", true},
        {u"a*b*c", u"aXXbYY", false},    {u"", u"x", false},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(wildcard_match(cases[i].pattern, cases[i].name), cases[i].matches) << "case " << i;
}

TEST_F(PlatformFileSystem, EnumerationIsOrderedByNameWithoutCaseAndFailsWhenNothingMatches)
{
    for (const char* name : {"b.shp", "C.shp", "a.SHP", "d.dbf", "Б.shp", "а.shp"})
        make_file(name);
    stdfs::create_directory(root_ / "sub.shp");
    names found;
    ASSERT_TRUE(find_entries(at("*.shp"), found));
    EXPECT_EQ(found, (names{u"a.SHP", u"b.shp", u"C.shp", u"sub.shp", u"а.shp", u"Б.shp"}));
    found.clear();
    ASSERT_TRUE(find_entries(root_.u16string() + u"/D.DBF", found));
    EXPECT_EQ(found, (names{u"d.dbf"}));
    EXPECT_FALSE(find_entries(at("*.none"), found));
    EXPECT_FALSE(find_entries(at("missing\\*"), found));
    EXPECT_FALSE(find_entries(at(""), found));
    EXPECT_EQ(found, (names{u"d.dbf"})); // failures append nothing
}

} // namespace
