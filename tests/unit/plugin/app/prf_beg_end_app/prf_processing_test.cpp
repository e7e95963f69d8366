// The profile tool's processing on a folder written by pyshp
// (tests/data/plugin/make_profiles.py) under a UTF-8 ANSI code page: which
// files it processes and which it passes over, the output tables where a
// name outgrows its descriptor or a profile has no endpoints, and the one
// closing message of every kind of run. Coordinates against cs2cs, the
// workbooks, unchanged inputs and a second run are profile_e2e.py's.
#include "plugin/app/prf_beg_end_app/prf_processing.h"

#include "kit/command.h"
#include "kit/scoped_env.h"
#include "kit/scratch_folder.h"
#include "kit/shown_messages.h"
#include "platform/environment.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace
{

namespace fs = std::filesystem;
using namespace zv::test;
using row = std::vector<std::string>;

const shown_message kDone{ZV_MSG_INFORMATION, u"Done!"};
const shown_message kErrors{ZV_MSG_ERROR, u"Errors!"};

std::string script(const fs::path& name)
{
    return read_bytes(fs::path(ZV_TEST_DATA) / name);
}

// The UTF-8 table as pyshp reads it: the fields' descriptions, then the
// values of each record.
std::vector<row> read_table(const fs::path& table)
{
    std::vector<row> rows;
    for (const std::string& line :
         lines_of(run_python(script("plugin/read_table.py"), {table.string(), "utf-8"}).output)) {
        std::istringstream items(line);
        rows.emplace_back();
        for (std::string item; std::getline(items, item, '\t');)
            rows.back().push_back(item);
    }
    return rows;
}

// Every file below a folder with its bytes, by path relative to the folder.
std::map<std::string, std::string> files_below(const fs::path& folder)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file())
            files[fs::relative(entry.path(), folder).string()] = read_bytes(entry.path());
    return files;
}

class ProfileRun : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        // UTF-8 as the ANSI code page: the output tables are UTF-8, where a
        // Cyrillic field name outgrows the descriptor's 10 bytes.
        env_.set("ZV_ANSI_CODEPAGE", "65001").set("ZV_LANG", "en");
        fs::create_directories(temp_);
        zv::platform::override_environment_variable(u"TEMP", u16(temp_.string()));
        ASSERT_TRUE(run_python(script("plugin/make_profiles.py"), {data_.string()}).ok());
    }
    void TearDown() override { zv::platform::clear_environment_overrides(); }

    scoped_env env_;
    scratch_folder folder_{"zv_prf"};
    const fs::path data_ = folder_.path() / "data";
    const fs::path temp_ = folder_.path() / "temp";
    shown_messages messages_;
};

// Passed over: a file without .prj (listed after one with), a point file,
// and the one in "out", whose output table would be its own table.
TEST_F(ProfileRun, OutputsForEveryProfileFileAndEmptyEndpointsWhereAProfileHasNone)
{
    const auto inputs = files_below(data_);
    // The folder as the dialog hands it over: backslashes and a final one.
    ASSERT_TRUE(zv::prf_run(backslashed(data_.string()) + u"\\"));
    EXPECT_EQ(messages_.boxes, std::vector<shown_message>{kDone});
    auto outputs = files_below(data_);
    for (const auto& [name, bytes] : inputs) {
        EXPECT_TRUE(outputs[name] == bytes) << name << " changed";
        outputs.erase(name);
    }
    row added;
    for (const auto& entry : outputs)
        added.push_back(entry.first);
    EXPECT_EQ(added, (row{"out/CAPS._src.xlsx", "out/CAPS.cpg", "out/CAPS.dbf", "out/lines._src.xlsx",
                          "out/lines.cpg", "out/lines.dbf", "out/other._src.xlsx", "out/other.cpg",
                          "out/other.dbf"}));
    EXPECT_TRUE(fs::is_empty(temp_)) << "the workbooks' part files are gone";

    const auto lines = read_table(data_ / "out" / "lines.dbf");
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], (row{"NAME:C:20:0", "NГЛУБ:N:10:2", "NOTE:C:30:0", "LAT_B_W84:C:20:0",
                             "LON_B_W84:C:20:0", "LAT_B_GK11:C:20:0", "LON_B_GK11:C:20:0", "LAT_E_W84:C:20:0",
                             "LON_E_W84:C:20:0", "LAT_E_GK11:C:20:0", "LON_E_GK11:C:20:0"}))
        << "a name cut after 10 UTF-8 bytes ends on a character";
    EXPECT_EQ(row(lines[1].begin(), lines[1].begin() + 3), (row{"Профиль 1", "12.5", "A & B < C"}));
    const auto without_endpoints = [](row values) {
        values.resize(values.size() + 8);
        return values;
    };
    EXPECT_EQ(lines[2], without_endpoints({"Профиль 2", "0.75", ""})) << "two parts";
    EXPECT_EQ(lines[4], without_endpoints({"Пусто", "1.0", "null"})) << "null record";
}

TEST_F(ProfileRun, EveryRunOverAPathEndsWithOneMessage)
{
    const fs::path no_shapefiles = folder_.path() / "empty";
    fs::create_directories(no_shapefiles / "sub.txt");
    fs::remove_all(data_ / "out");
    write_bytes(data_ / "out", "a file, not a folder");
    const struct {
        fs::path folder;
        bool result;
        std::vector<shown_message> messages;
    } cases[] = {
        {"", false, {}},
        {folder_.path() / "missing", false, {kErrors}},
        {no_shapefiles, false, {kErrors}},
        {data_, true, {kDone}}, // but no output table can be made
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.folder);
        messages_.boxes.clear();
        EXPECT_EQ(zv::prf_run(backslashed(c.folder.string())), c.result);
        EXPECT_EQ(messages_.boxes, c.messages);
    }
    EXPECT_EQ(read_bytes(data_ / "out"), "a file, not a folder");
    EXPECT_FALSE(fs::exists(no_shapefiles / "out"));
    EXPECT_TRUE(fs::is_empty(temp_));
}

} // namespace
