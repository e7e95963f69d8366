#include "command.h"

#include <gtest/gtest.h>

#include <sstream>

namespace zv::hostapp
{
namespace
{

struct outcome {
    int status;
    std::string out;
    std::string err;
};

outcome run(std::vector<std::string> arguments)
{
    std::ostringstream out, err;
    int status = run_command(arguments, out, err);
    return {status, out.str(), err.str()};
}

// zvhost's exit statuses are checked here only.
TEST(ZvhostCommandLine, HelpSucceedsAndMalformedLinesAreUsageErrors)
{
    outcome r = run({"--help"});
    EXPECT_EQ(r.status, exit_ok);
    EXPECT_NE(r.out.find("usage: zvhost"), std::string::npos);
    EXPECT_TRUE(r.err.empty());
    EXPECT_EQ(run({"list", "x.so", "-h"}).status, exit_ok);

    const std::vector<std::vector<std::string>> cases = {
        {},
        {"list", "a.so", "b.so"},
        {"show", "a.so"},
        {"--lang"},
        {"--lang", "de", "list", "a.so"},
        {"--translations"},
        {"--verbose", "list", "a.so"},
    };
    for (const auto& arguments : cases) {
        r = run(arguments);
        EXPECT_EQ(r.status, exit_usage) << ::testing::PrintToString(arguments);
        EXPECT_EQ(r.err.rfind("zvhost: ", 0), 0u);
        EXPECT_TRUE(r.out.empty());
    }
}

TEST(ZvhostCommandLine, UnloadableModuleOrTranslationFileIsStatusTwo)
{
    outcome missing = run({"list", "no-such-module.so"});
    EXPECT_EQ(missing.status, exit_load_error);
    EXPECT_NE(missing.err.find("no-such-module.so"), std::string::npos);
    outcome bad_file = run({"--translations", "no-such-translations.txt", "list", "x.so"});
    EXPECT_EQ(bad_file.status, exit_load_error);
    EXPECT_NE(bad_file.err.find("cannot read no-such-translations.txt"), std::string::npos);
}

} // namespace
} // namespace zv::hostapp
