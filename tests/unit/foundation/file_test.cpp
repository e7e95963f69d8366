// Files written through a temporary name: the target changes only on commit,
// and no temporary is left behind on any path. Files found by name without
// regard to case, as Windows finds them.
#include "foundation/file.h"
#include "foundation/file_window.h"

#include "kit/scratch_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace
{

using namespace zv::foundation;

TEST(ReplacementFile, TargetChangesOnlyOnCommitAndNoTemporaryRemains)
{
    zv::test::scratch_folder dir;
    const std::string target = dir.file("table.dbf");
    zv::test::write_bytes(target, "old");
    {
        replacement_file out;
        ASSERT_TRUE(out.create(target));
        ASSERT_TRUE(out.append("new ", 4));
        EXPECT_EQ(zv::test::read_bytes(target), "old") << "not before the commit";
    } // dropped: discarded
    EXPECT_EQ(zv::test::read_bytes(target), "old");
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"table.dbf"});

    replacement_file out;
    ASSERT_TRUE(out.create(target));
    ASSERT_TRUE(out.append("new ", 4));
    ASSERT_TRUE(out.append("text", 4));
    ASSERT_TRUE(out.commit());
    EXPECT_EQ(zv::test::read_bytes(target), "new text");
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"table.dbf"});
    EXPECT_FALSE(out.commit()) << "a second commit has nothing to commit";
}

// A create in a missing folder: the pgrid command's refusals.
TEST(ReplacementFile, AFailedRenameLeavesNothingAndSmallFilesAreReadWithinTheirLimit)
{
    zv::test::scratch_folder dir;
    // A rename onto a folder fails; the temporary goes and the folder stays.
    std::filesystem::create_directory(dir.path() / "taken");
    replacement_file out;
    ASSERT_TRUE(out.create(dir.file("taken")));
    EXPECT_FALSE(out.commit());
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"taken"});
    EXPECT_TRUE(write_file_replacing(dir.file("small.cpg"), "UTF-8"));
    EXPECT_EQ(read_small_file(dir.file("small.cpg"), 16), "UTF-8");
    EXPECT_FALSE(read_small_file(dir.file("small.cpg"), 4)) << "larger than allowed";
    EXPECT_FALSE(read_small_file(dir.file("taken"), 16)) << "a folder is not a file";
}

TEST(FileWindow, ViewsAnyRangeInsideTheFileAndWritesInPlace)
{
    zv::test::scratch_folder dir;
    std::string content(3 * file_window::default_window_bytes, '\0');
    for (std::size_t i = 0; i < content.size(); ++i)
        content[i] = static_cast<char>(i * 7);
    zv::test::write_bytes(dir.file("big"), content);
    file_window window;
    ASSERT_TRUE(window.open(dir.file("big"), true));
    EXPECT_EQ(window.size(), content.size());
    for (std::uint64_t at :
         {std::uint64_t{0}, std::uint64_t{5}, file_window::default_window_bytes - 2, content.size() - 10}) {
        const unsigned char* bytes = window.view(at, 10);
        ASSERT_NE(bytes, nullptr);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes), 10), content.substr(at, 10));
    }
    EXPECT_EQ(window.view(content.size() - 9, 10), nullptr) << "past the end";
    ASSERT_TRUE(window.write(4, "ABCD", 4));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(window.view(4, 4)), 4), "ABCD");
    EXPECT_FALSE(window.write(content.size() - 2, "ABCD", 4)) << "a write never grows the file";
    window.close();
    EXPECT_EQ(zv::test::read_bytes(dir.file("big")).substr(4, 4), "ABCD");
}

// What a folder holds, the name looked up, and the name found ("" for none).
struct any_case_lookup {
    std::vector<std::string> files;
    const char* looked_up;
    const char* found;
};

TEST(FindFileAnyCase, ExactNameFirstThenLowerCaseThenTheFirstOtherVariant)
{
#if defined(_WIN32)
    GTEST_SKIP() << "Windows itself finds a file by any letter case of its name";
#endif
    const any_case_lookup cases[] = {
        {{"LINE1.DBF"}, "LINE1.dbf", "LINE1.DBF"},
        {{"line1.DBF", "LINE1.dbf", "Line1.Dbf"}, "Line1.Dbf", "Line1.Dbf"},
        {{"LINE1.DBF", "line1.dbf"}, "Line1.dbf", "line1.dbf"},
        {{"Line1.dBf", "LINE1.DBF", "Line1.DBF"}, "line1.Dbf", "LINE1.DBF"},
        {{"ПРОФИЛЬ Ё.CPG"}, "Профиль ё.cpg", "ПРОФИЛЬ Ё.CPG"},
        {{"line1.dbf.bak", "line.dbf", "\xC0.dbf"}, "line1.dbf", ""},
        {{"\xC0.dbf"}, "\xC0.dbf", "\xC0.dbf"},
    };
    for (const auto& c : cases) {
        zv::test::scratch_folder dir;
        for (const std::string& name : c.files)
            zv::test::write_bytes(dir / name, name);
        const auto found = find_file_any_case(dir.file(c.looked_up));
        EXPECT_EQ(found.value_or(dir.file("")), dir.file(c.found)) << c.looked_up;
        if (found) {
            EXPECT_EQ(zv::test::read_bytes(*found), c.found) << "the file of that name";
        }
    }
    zv::test::scratch_folder dir;
    std::filesystem::create_directory(dir / "T.DBF");
    EXPECT_FALSE(find_companion(dir.file("t"), ".dbf")) << "a folder is not a table";
    zv::test::write_bytes(dir / "T.Cpg", "1251");
    EXPECT_EQ(find_companion(dir.file("t"), ".cpg"), dir.file("T.Cpg"));
}

} // namespace
