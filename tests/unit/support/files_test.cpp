// File-system functions on a real temporary tree made and removed by each
// test. The one-call wrappers of the platform layer are the platform tests'.
#include "support/files.h"

#include "support/paths.h"

#include "kit/scratch_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace
{

namespace stdfs = std::filesystem;
using paths = std::vector<std::u16string>;

class SupportFiles : public ::testing::Test
{
  protected:
    // The test folder in backslash form, as listings hand paths out.
    std::u16string root() const { return zv::test::backslashed(root_.string()); }
    std::u16string at(const std::u16string& relative) const { return zv::support::join(root(), relative); }

    void make_file(const std::u16string& relative, const std::string& content = "x") const
    {
        std::ofstream(stdfs::path(root_) / stdfs::path(relative), std::ios::binary) << content;
    }
    void make_dir(const std::u16string& relative) const
    {
        stdfs::create_directories(stdfs::path(root_) / stdfs::path(relative));
    }
    stdfs::path native(const std::u16string& relative) const { return root_ / stdfs::path(relative); }

    zv::test::scratch_folder dir_{"zv_files_"};
    const stdfs::path& root_ = dir_.path();
};

TEST_F(SupportFiles, ListingFlatFilesMatchesOnlyDirectEntries)
{
    make_file(u"a.shp");
    make_file(u"B.SHP");
    make_file(u"c.txt");
    make_file(u"d.shpx");
    make_dir(u"sub");
    make_file(u"sub/e.shp");
    make_dir(u"dir.shp");
    EXPECT_EQ(zv::support::list(root(), u"*.shp", zv::support::list_files),
              (paths{at(u"a.shp"), at(u"B.SHP")}));
    EXPECT_EQ(zv::support::list(root(), u"*.shp", zv::support::list_directories), (paths{at(u"dir.shp")}));
    EXPECT_EQ(zv::support::list(root(), u"*", 3).size(), 6u);
    EXPECT_EQ(zv::support::list(root(), u"?.TXT", 2), (paths{at(u"c.txt")}));
    EXPECT_TRUE(zv::support::list(root(), u"*.none", 7).empty());
    EXPECT_TRUE(zv::support::list(at(u"missing"), u"*", 7).empty());
}

TEST_F(SupportFiles, RecursiveListingPutsSubfoldersAfterTheirOwnSubfolders)
{
    make_dir(u"a/b/c");
    make_file(u"a/x.shp");
    make_file(u"a/b/y.shp");
    make_file(u"a/b/c/z.shp");
    make_file(u"a/b/c/notes.txt");
    const std::u16string a = at(u"a");
    EXPECT_EQ(zv::support::list(a, u"*.shp", 6),
              (paths{at(u"a\\x.shp"), at(u"a\\b\\c\\z.shp"), at(u"a\\b\\y.shp")}));
    EXPECT_EQ(zv::support::list(a, u"*", 7),
              (paths{at(u"a\\b"), at(u"a\\x.shp"), at(u"a\\b\\c\\notes.txt"), at(u"a\\b\\c\\z.shp"),
                     at(u"a\\b\\c"), at(u"a\\b\\y.shp")}));
    EXPECT_EQ(zv::support::list(a, u"*", 5), (paths{at(u"a\\b"), at(u"a\\b\\c")}));
}

TEST_F(SupportFiles, ListingAcceptsSlashesAndNonAsciiNames)
{
    make_dir(u"Профили/Участок");
    make_file(u"Профили/Участок/Линия.SHP");
    const paths found = zv::support::list(root_.u16string() + u"/Профили", u"*.shp", 6);
    EXPECT_EQ(found, (paths{at(u"Профили\\Участок\\Линия.SHP")}));
}

TEST_F(SupportFiles, CreateDirectoriesWalksEveryComponent)
{
    const std::u16string deep = at(u"one\\two//three\\");
    EXPECT_TRUE(zv::support::create_directories(deep));
    EXPECT_TRUE(zv::support::is_directory(at(u"one\\two\\three")));
    EXPECT_TRUE(zv::support::create_directories(deep));
    EXPECT_TRUE(zv::support::create_directory(at(u"one")));
    EXPECT_TRUE(zv::support::create_directory(at(u"single")));
    EXPECT_FALSE(zv::support::create_directory(at(u"no\\parent")));
    make_file(u"blocker");
    EXPECT_FALSE(zv::support::create_directories(at(u"blocker\\below")));
}

TEST_F(SupportFiles, TreesAreCopiedMovedAndRemoved)
{
    make_dir(u"src/inner");
    make_file(u"src/a.txt", "aa");
    make_file(u"src/inner/b.txt", "bbb");
    EXPECT_TRUE(zv::support::copy_directory(at(u"src"), at(u"copy"), false));
    EXPECT_EQ(zv::support::file_size(at(u"copy\\inner\\b.txt")), 3u);
    EXPECT_FALSE(zv::support::copy_directory(at(u"src"), at(u"copy"), false));
    EXPECT_TRUE(zv::support::copy_directory(at(u"src"), at(u"copy"), true));

    EXPECT_TRUE(zv::support::move_directory(at(u"copy"), at(u"moved"), false));
    EXPECT_FALSE(zv::support::exists(at(u"copy")));
    EXPECT_EQ(zv::support::file_size(at(u"moved\\a.txt")), 2u);

    EXPECT_FALSE(zv::support::remove_directory(at(u"moved")));
    EXPECT_TRUE(zv::support::remove_tree(at(u"moved")));
    EXPECT_FALSE(zv::support::exists(at(u"moved")));
    make_dir(u"empty");
    EXPECT_TRUE(zv::support::remove_directory(at(u"empty")));
    EXPECT_FALSE(zv::support::remove_tree(at(u"src\\a.txt")));
}

// A link cycle cannot make a listing endless; removal never follows a link.
TEST_F(SupportFiles, LinkedFoldersAreListedButNeitherDescendedNorRemovedThrough)
{
    make_dir(u"keep/sub");
    make_file(u"keep/sub/precious.shp");
    make_dir(u"doomed");
    std::error_code failed;
    stdfs::create_directory_symlink(native(u"keep"), native(u"keep/sub/loop"), failed);
    stdfs::create_directory_symlink(native(u"keep"), native(u"doomed/link"), failed);
    if (failed)
        GTEST_SKIP() << "no symbolic links here";
    const paths found = zv::support::list(at(u"keep"), u"*", 7);
    EXPECT_NE(std::find(found.begin(), found.end(), at(u"keep\\sub\\loop")), found.end());
    EXPECT_LT(found.size(), 10u);
    EXPECT_TRUE(zv::support::remove_tree(at(u"doomed")));
    EXPECT_FALSE(zv::support::exists(at(u"doomed")));
    EXPECT_TRUE(zv::support::exists(at(u"keep\\sub\\precious.shp")));
}

TEST(SupportSystemFacts, NamesAndTemporaryFiles)
{
    EXPECT_FALSE(zv::support::user_name().empty());
    EXPECT_FALSE(zv::support::computer_name().empty());
    EXPECT_TRUE(zv::support::is_directory(zv::support::temp_directory()));
    const std::u16string first = zv::support::temp_file_name();
    const std::u16string second = zv::support::temp_file_name();
    ASSERT_FALSE(first.empty());
    EXPECT_NE(first, second);
    EXPECT_TRUE(zv::support::exists(first));
    EXPECT_EQ(zv::support::file_size(first), 0u);
    EXPECT_TRUE(zv::support::delete_file(first));
    EXPECT_TRUE(zv::support::delete_file(second));
}

} // namespace
