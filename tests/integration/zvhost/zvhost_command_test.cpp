// The zvhost program itself, run as a user runs it.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace
{

struct result {
    int status = -1;
    std::string output;
};

// Runs zvhost with `arguments` (already quoted), standard error discarded.
result zvhost(const std::string& arguments)
{
    std::string command = std::string(ZV_BIN_DIR) + "/zvhost " + arguments + " 2>/dev/null";
    result r;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr)
        return r;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr)
        r.output += buffer;
    int raw = ::pclose(pipe);
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return r;
}

std::vector<std::string> lines_of(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
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
    auto dir =
        std::filesystem::temp_directory_path() / ("zvhost-list-" + std::to_string(std::random_device{}()));
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "good.txt") << "10\tProfile\n12\tFinished\n";
    std::ofstream(dir / "bad.txt") << "10 Profile\n";
    result good = zvhost("--translations '" + (dir / "good.txt").string() + "' list '" + module_path + "'");
    EXPECT_EQ(good.status, 0);
    EXPECT_EQ(lines_of(good.output).size(), 5u);
    result bad = zvhost("--translations '" + (dir / "bad.txt").string() + "' list '" + module_path + "'");
    EXPECT_EQ(bad.status, 2);
    EXPECT_TRUE(bad.output.empty());
    std::filesystem::remove_all(dir);
}

TEST(ZvhostList, UnloadableModulesExitWithTwoUsageErrorsWithOne)
{
    EXPECT_EQ(zvhost("list '" + std::string(ZV_LIB_DIR) + "/libzv_no_such_module.so'").status, 2);
    EXPECT_EQ(zvhost("list '" + std::string(ZV_LIB_DIR) + "/libzv_test_no_entry.so'").status, 2);
    EXPECT_EQ(zvhost("list '" + std::string(ZV_TEST_DATA) + "'").status, 2);
    EXPECT_EQ(zvhost("").status, 1);
    EXPECT_EQ(zvhost("--lang fr list x.so").status, 1);
    EXPECT_EQ(zvhost("--help").status, 0);
}

} // namespace
