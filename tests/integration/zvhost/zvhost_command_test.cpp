// The zvhost program itself, run as a user runs it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kit/command.h"

namespace
{

using result = zv::test::command_result;
using zv::test::lines_of;
using zv::test::quoted;

// Runs zvhost with `arguments` (already quoted), standard error discarded.
result zvhost(const std::string& arguments)
{
    return zv::test::run_command(std::string(ZV_BIN_DIR) + "/zvhost " + arguments + " 2>/dev/null");
}

const std::string module_path = std::string(ZV_LIB_DIR) + "/libzv_geotools.so";

TEST(ZvhostList, PrintsTheFiveServicesInRegistrationOrder)
{
    result r = zvhost("list '" + module_path + "'");
    ASSERT_EQ(r.status, 0);
    std::vector<std::string> lines = lines_of(r.output);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_TRUE(lines[0].ends_with("/app/pgn_oriented_axes2d_app\ttool"));
    EXPECT_EQ(lines[1], "(client)\tclient");
    EXPECT_TRUE(lines[2].ends_with("/app/prf_beg_end_app\ttool"));
    EXPECT_TRUE(lines[3].ends_with("/app/tos_graph_x2y_app\ttool"));
    EXPECT_EQ(lines[4], "(client)\tclient");
}

TEST(ZvhostList, LanguageDoesNotChangeTheListing)
{
    result plain = zvhost("list '" + module_path + "'");
    result english = zvhost("--lang en list '" + module_path + "'");
    EXPECT_EQ(english.status, 0);
    EXPECT_EQ(english.output, plain.output);
}

TEST(ZvhostList, TranslationFileIsCheckedBeforeTheModuleIsLoaded)
{
    const zv::test::scratch_folder dir("zvhost");
    zv::test::write_bytes(dir / "good.txt", "10\tProfile\n12\tFinished\n");
    zv::test::write_bytes(dir / "bad.txt", "10 Profile\n");
    result good = zvhost("--translations " + quoted(dir.file("good.txt")) + " list " + quoted(module_path));
    EXPECT_EQ(good.status, 0);
    EXPECT_EQ(lines_of(good.output).size(), 5u);
    result bad = zvhost("--translations " + quoted(dir.file("bad.txt")) + " list " + quoted(module_path));
    EXPECT_EQ(bad.status, 2);
    EXPECT_TRUE(bad.output.empty());
}

// The program's exit status is the command's: the statuses themselves are
// checked in process by the host application's unit tests.
TEST(ZvhostList, ExitStatusReachesTheShell)
{
    EXPECT_EQ(zvhost("list " + quoted(std::string(ZV_LIB_DIR) + "/libzv_test_no_entry.so")).status, 2);
    EXPECT_EQ(zvhost("").status, 1);
    EXPECT_EQ(zvhost("--help").status, 0);
}

} // namespace
