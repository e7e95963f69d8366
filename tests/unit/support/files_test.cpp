// File-system functions on a real temporary tree made and removed by each
// test. The one-call wrappers of the platform layer (single files and
// folders, names, temporary files) are the platform tests'.
#include "support/files.h"

#include "support/paths.h"

#include "kit/scratch_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

namespace
{

namespace stdfs = std::filesystem;
using namespace zv::support;
using paths = std::vector<std::u16string>;

class SupportFiles : public ::testing::Test
{
  protected:
    // The test folder in backslash form, as listings hand paths out.
    std::u16string root() const { return zv::test::backslashed(root_.string()); }
    std::u16string at(const std::u16string& relative) const { return join(root(), relative); }

    // Makes each entry with its parents: a folder when it ends with '/', else a file.
    void make(std::initializer_list<std::u16string> relatives) const
    {
        for (const std::u16string& relative : relatives) {
            const stdfs::path at = root_ / stdfs::path(relative);
            stdfs::create_directories(relative.ends_with(u'/') ? at : at.parent_path());
            if (!relative.ends_with(u'/'))
                zv::test::write_bytes(at, "x");
        }
    }
    stdfs::path native(const std::u16string& relative) const { return root_ / stdfs::path(relative); }

    zv::test::scratch_folder dir_{"zv_files_"};
    const stdfs::path& root_ = dir_.path();
};

TEST_F(SupportFiles, ListingFlatFilesMatchesOnlyDirectEntries)
{
    make({u"a.shp", u"B.SHP", u"c.txt", u"d.shpx", u"sub/e.shp", u"dir.shp/"});
#if defined(_WIN32)
    // Windows matches the pattern against the short name too (D~1.SHP).
    EXPECT_EQ(list(root(), u"*.shp", list_files), (paths{at(u"a.shp"), at(u"B.SHP"), at(u"d.shpx")}));
#else
    EXPECT_EQ(list(root(), u"*.shp", list_files), (paths{at(u"a.shp"), at(u"B.SHP")}));
#endif
    EXPECT_EQ(list(root(), u"*.shp", list_directories), (paths{at(u"dir.shp")}));
    EXPECT_EQ(list(root(), u"*", 3).size(), 6u);
    EXPECT_EQ(list(root(), u"?.TXT", 2), (paths{at(u"c.txt")}));
    EXPECT_TRUE(list(root(), u"*.none", 7).empty());
    EXPECT_TRUE(list(at(u"missing"), u"*", 7).empty());
}

TEST_F(SupportFiles, RecursiveListingPutsSubfoldersAfterTheirOwnSubfolders)
{
    make({u"a/x.shp", u"a/b/y.shp", u"a/b/c/z.shp", u"a/b/c/notes.txt"});
    const std::u16string a = at(u"a");
    EXPECT_EQ(list(a, u"*.shp", 6), (paths{at(u"a\\x.shp"), at(u"a\\b\\c\\z.shp"), at(u"a\\b\\y.shp")}));
    EXPECT_EQ(list(a, u"*", 7), (paths{at(u"a\\b"), at(u"a\\x.shp"), at(u"a\\b\\c\\notes.txt"),
                                       at(u"a\\b\\c\\z.shp"), at(u"a\\b\\c"), at(u"a\\b\\y.shp")}));
    EXPECT_EQ(list(a, u"*", 5), (paths{at(u"a\\b"), at(u"a\\b\\c")}));
}

TEST_F(SupportFiles, CreateDirectoriesWalksEveryComponent)
{
    const std::u16string deep = at(u"one\\two//three\\");
    EXPECT_TRUE(create_directories(deep));
    EXPECT_TRUE(is_directory(at(u"one\\two\\three")));
    EXPECT_TRUE(create_directories(deep));
    EXPECT_TRUE(create_directory(at(u"one")));
    EXPECT_TRUE(create_directory(at(u"single")));
    EXPECT_FALSE(create_directory(at(u"no\\parent")));
    make({u"blocker"});
    EXPECT_FALSE(create_directories(at(u"blocker\\below")));
}

TEST_F(SupportFiles, TreesAreCopiedMovedAndRemoved)
{
    make({u"src/a.txt", u"src/inner/b.txt"});
    zv::test::write_bytes(native(u"src/inner/b.txt"), "bbb");
    EXPECT_TRUE(copy_directory(at(u"src"), at(u"copy"), false));
    EXPECT_EQ(file_size(at(u"copy\\inner\\b.txt")), 3u);
    EXPECT_FALSE(copy_directory(at(u"src"), at(u"copy"), false));
    EXPECT_TRUE(copy_directory(at(u"src"), at(u"copy"), true));

    EXPECT_TRUE(move_directory(at(u"copy"), at(u"moved"), false));
    EXPECT_FALSE(exists(at(u"copy")));
    EXPECT_EQ(file_size(at(u"moved\\inner\\b.txt")), 3u);

    EXPECT_TRUE(remove_tree(at(u"moved")));
    EXPECT_FALSE(exists(at(u"moved")));
    EXPECT_FALSE(remove_tree(at(u"src\\a.txt")));
}

// A link cycle cannot make a listing endless; removal never follows a link.
TEST_F(SupportFiles, LinkedFoldersAreListedButNeitherDescendedNorRemovedThrough)
{
    make({u"keep/sub/precious.shp", u"doomed/"});
    std::error_code failed;
    stdfs::create_directory_symlink(native(u"keep"), native(u"keep/sub/loop"), failed);
    stdfs::create_directory_symlink(native(u"keep"), native(u"doomed/link"), failed);
    if (failed)
        GTEST_SKIP() << "no symbolic links here";
    const paths found = list(at(u"keep"), u"*", 7);
    EXPECT_NE(std::find(found.begin(), found.end(), at(u"keep\\sub\\loop")), found.end());
    EXPECT_LT(found.size(), 10u);
    EXPECT_TRUE(remove_tree(at(u"doomed")));
    EXPECT_FALSE(exists(at(u"doomed")));
    EXPECT_TRUE(exists(at(u"keep\\sub\\precious.shp")));
}

} // namespace
