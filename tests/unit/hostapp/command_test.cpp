#include "command.h"

#include <gtest/gtest.h>

#include <sstream>

#include "command_line.h"

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

TEST(ZvhostCommandLine, ReadsCommandsOptionsAndSettingsInTheirOrder)
{
    command_options o;
    ASSERT_EQ(parse_command_line({"--lang", "ru", "run", "File", "--set", "File=/a=b.shp", "--set", "#2=x",
                                  "--module", "m.so", "--translations", "t.txt"},
                                 o),
              "");
    EXPECT_EQ(o.command, "run");
    EXPECT_EQ(o.tool, "File");
    EXPECT_EQ(o.lang, "ru");
    EXPECT_EQ(o.module, "m.so");
    EXPECT_EQ(o.translations_file, "t.txt");
    EXPECT_EQ(o.settings, (std::vector<setting>{{"File", "/a=b.shp"}, {"#2", "x"}}));

    command_options l;
    ASSERT_EQ(parse_command_line({"list", "x.so"}, l), "");
    EXPECT_EQ(module_to_load(l, "/opt/zv/bin/zvhost"), "x.so");
    command_options s;
    ASSERT_EQ(parse_command_line({"show", "--json", "Profile: begin,end,length"}, s), "");
    EXPECT_TRUE(s.json);
#if defined(_WIN32) // every DLL beside the programs
    EXPECT_EQ(module_to_load(s, "C:\\zv\\bin\\zvhost.exe"), "C:\\zv\\bin\\zv_geotools.dll");
    EXPECT_EQ(module_to_load(s, "zvhost.exe"), "./zv_geotools.dll");
#else
    EXPECT_EQ(module_to_load(s, "/opt/zv/bin/zvhost"), "/opt/zv/bin/../lib/libzv_geotools.so");
    EXPECT_EQ(module_to_load(s, "zvhost"), "./../lib/libzv_geotools.so");
#endif
}

// zvhost's exit statuses are checked here only.
TEST(ZvhostCommandLine, HelpSucceedsAndMalformedLinesAreUsageErrors)
{
    outcome r = run({"--help"});
    EXPECT_EQ(r.status, exit_ok);
    EXPECT_NE(r.out.find("usage: zvhost"), std::string::npos);
    EXPECT_TRUE(r.err.empty());
    EXPECT_EQ(run({"list", "x.so", "-h"}).status, exit_ok);

    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{}, "no command given"},
        {{"list", "a.so", "b.so"}, "list takes at most one MODULE"},
        {{"list", "a.so", "--module", "b.so"}, "list takes MODULE or --module, not both"},
        {{"show"}, "show needs exactly one TOOL"},
        {{"run", "a", "b"}, "run needs exactly one TOOL"},
        {{"open", "a"}, "unknown command 'open'"},
        {{"run", "a", "--json"}, "--json is for show"},
        {{"list", "--set", "a=b"}, "--set is for show and run"},
        {{"run", "a", "--set", "=b"}, "--set needs LABEL=VALUE, not '=b'"},
        {{"run", "a", "--set"}, "--set needs LABEL=VALUE"},
        {{"run", "a", "--module"}, "--module needs a path"},
        {{"--lang", "de", "list"}, "unknown language 'de'"},
        {{"--translations"}, "--translations needs a file"},
        {{"--verbose", "list"}, "unknown option '--verbose'"},
    };
    for (const auto& [arguments, problem] : cases) {
        r = run(arguments);
        EXPECT_EQ(r.status, exit_usage) << ::testing::PrintToString(arguments);
        EXPECT_EQ(r.err.rfind("zvhost: " + problem + "\n", 0), 0u) << r.err;
        EXPECT_TRUE(r.out.empty());
    }
}

TEST(ZvhostCommandLine, UnloadableModuleOrTranslationFileIsStatusTwo)
{
    outcome missing = run({"list", "no-such-module.so"});
    EXPECT_EQ(missing.status, exit_load_error);
    EXPECT_NE(missing.err.find("no-such-module.so"), std::string::npos);
    outcome bad_file = run({"--translations", "no-such-translations.txt", "show", "x", "--module", "x.so"});
    EXPECT_EQ(bad_file.status, exit_load_error);
    EXPECT_NE(bad_file.err.find("cannot read no-such-translations.txt"), std::string::npos);
}

} // namespace
} // namespace zv::hostapp
