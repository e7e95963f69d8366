// The zvhost program itself, run as a user runs it. Its exit statuses are
// checked in process by the host application's unit tests.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kit/command.h"

namespace
{

using zv::test::quoted;

zv::test::command_result zvhost(const std::string& options)
{
    return zv::test::run_command(std::string(ZV_BIN_DIR) + "/zvhost " + options + " list " +
                                 quoted(std::string(ZV_LIB_DIR) + "/libzv_geotools.so") + " 2>/dev/null");
}

TEST(ZvhostList, PrintsTheFiveServicesInRegistrationOrderWhateverTheLanguage)
{
    const zv::test::command_result r = zvhost("");
    ASSERT_TRUE(r.ok());
    const std::vector<std::string> lines = zv::test::lines_of(r.output);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_TRUE(lines[0].ends_with("/app/pgn_oriented_axes2d_app\ttool"));
    EXPECT_EQ(lines[1], "(client)\tclient");
    EXPECT_TRUE(lines[2].ends_with("/app/prf_beg_end_app\ttool"));
    EXPECT_TRUE(lines[3].ends_with("/app/tos_graph_x2y_app\ttool"));
    EXPECT_EQ(lines[4], "(client)\tclient");

    const zv::test::scratch_folder dir("zvhost");
    zv::test::write_bytes(dir / "texts.txt", "10\tProfile\n12\tFinished\n");
    for (const std::string& options :
         {std::string("--lang en"), "--translations " + quoted(dir.file("texts.txt"))}) {
        SCOPED_TRACE(options);
        const zv::test::command_result other = zvhost(options);
        EXPECT_TRUE(other.ok());
        EXPECT_EQ(other.output, r.output);
    }
}

} // namespace
