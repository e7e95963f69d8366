// The profile tool's processing on a folder written by pyshp: output tables
// read back by pyshp, their coordinates against PROJ's cs2cs, the workbook
// read by openpyxl and tested by unzip, inputs and temporary folder left as
// they were, and the one closing message of every kind of run.
#include "plugin/app/prf_beg_end_app/prf_processing.h"

#include "host/zvk_msgs.h"
#include "host/zvk_proj4_d2.h"
#include "kit/command.h"
#include "kit/scoped_env.h"
#include "kit/scratch_folder.h"
#include "platform/environment.h"
#include "support/string_adapter.h"

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

// The targets in the order of the coordinate columns: WGS84, then GSK-2011.
const std::string kTargets[] = {
    "+proj=longlat +datum=WGS84 +ellps=WGS84 +lon_wrap=45 +no_defs",
    "+proj=longlat +towgs84=0.013,-0.092,-0.03,-0.0017,0.0036,-0.0043,0.0074 +ellps=GSK2011 +lon_wrap=45 "
    "+no_defs"};

struct message {
    zv_msg_kind kind;
    std::u16string text;
    bool operator==(const message&) const = default;
};
const message kDone{ZV_MSG_INFORMATION, u"Done!"};
const message kErrors{ZV_MSG_ERROR, u"Errors!"};

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

// The coordinate columns of a record (LAT_B_W84 to LON_E_GK11, after the
// source's fields) against cs2cs from the system the projection library reads
// from the shapefile's .prj, for the profile from (x1, y1) to (x2, y2).
void expect_endpoints(const row& record, const fs::path& shapefile, double x1, double y1, double x2,
                      double y2)
{
    std::u16string source;
    {
        zv::Tzv_std_wstring_adapter adapter(source);
        zv_pj4_load_ex(u16(shapefile.string()).c_str(), adapter.handle());
    }
    std::ostringstream points;
    points.precision(12);
    points << x1 << ' ' << y1 << '\n' << x2 << ' ' << y2 << '\n';
    std::vector<double> expected(8);
    for (std::size_t t = 0; t < 2; ++t) {
        const std::string command =
            "cs2cs -f %.12f " + zv::foundation::to_utf8(source) + " +to " + kTargets[t];
        std::istringstream lonlat(run_command(command, points.str()).output);
        double height = 0;
        lonlat >> expected[2 * t + 1] >> expected[2 * t] >> height >> expected[2 * t + 5] >>
            expected[2 * t + 4];
    }
    ASSERT_GE(record.size(), 8u);
    for (std::size_t i = 0; i < 8; ++i)
        EXPECT_NEAR(std::stod(record[record.size() - 8 + i]), expected[i], 1e-7) << "coordinate column " << i;
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
        zv_msgs_set_sink(&ProfileRun::record, &messages_);
        ASSERT_TRUE(run_python(script("plugin/make_profiles.py"), {data_.string()}).ok());
    }
    void TearDown() override
    {
        zv_msgs_set_sink(nullptr, nullptr);
        zv::platform::clear_environment_overrides();
    }
    static void record(zv_msg_kind kind, const char16_t* text, void* context)
    {
        static_cast<std::vector<message>*>(context)->push_back({kind, text});
    }
    // The folder as the dialog hands it over: backslashes and a final one.
    bool run() { return zv::prf_run(backslashed(data_.string()) + u"\\"); }

    scoped_env env_;
    scratch_folder folder_{"zv_prf"};
    const fs::path data_ = folder_.path() / "data";
    const fs::path temp_ = folder_.path() / "temp";
    std::vector<message> messages_;
};

TEST_F(ProfileRun, OutputTablesHoldTheSourceValuesAndTheEndpointsAsCs2csGivesThem)
{
    ASSERT_TRUE(run());
    EXPECT_EQ(messages_, std::vector<message>{kDone});

    const auto lines = read_table(data_ / "out" / "lines.dbf");
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], (row{"NAME:C:20:0", "NГЛУБ:N:10:2", "NOTE:C:30:0", "LAT_B_W84:C:20:0",
                             "LON_B_W84:C:20:0", "LAT_B_GK11:C:20:0", "LON_B_GK11:C:20:0", "LAT_E_W84:C:20:0",
                             "LON_E_W84:C:20:0", "LAT_E_GK11:C:20:0", "LON_E_GK11:C:20:0"}))
        << "a name cut after 10 UTF-8 bytes ends on a character";
    EXPECT_EQ(row(lines[1].begin(), lines[1].begin() + 3), (row{"Профиль 1", "12.5", "A & B < C"}));
    EXPECT_EQ(row(lines[3].begin(), lines[3].begin() + 3), (row{"Точка", "3.25", "один"}));
    expect_endpoints(lines[1], data_ / "lines.shp", 412000, 6170000, 415000, 6170100);
    expect_endpoints(lines[3], data_ / "lines.shp", 416000, 6172000, 416000, 6172000); // one vertex
    const auto without_endpoints = [](row values) {
        values.resize(values.size() + 8);
        return values;
    };
    EXPECT_EQ(lines[2], without_endpoints({"Профиль 2", "0.75", ""})) << "two parts";
    EXPECT_EQ(lines[4], without_endpoints({"Пусто", "1.0", "null"})) << "null record";

    // Two folders down, geographic; and a set named in capitals.
    const auto other = read_table(data_ / "out" / "other.dbf");
    ASSERT_EQ(other.size(), 2u);
    EXPECT_EQ(other[1][0], "7");
    expect_endpoints(other[1], data_ / "sub" / "deep" / "other.shp", 37.6, 55.75, 38.5, 56.3);
    const auto caps = read_table(data_ / "out" / "CAPS.dbf");
    ASSERT_EQ(caps.size(), 2u);
    expect_endpoints(caps[1], data_ / "CAPS.SHP", 412000, 6170000, 415000, 6170100);
}

// Skipped: a file without .prj (listed after one with), a point file, and
// the one in "out", whose output table would be its own table.
TEST_F(ProfileRun, InputsStayAsTheyWereAndASecondRunWritesTheSameOutputs)
{
    const auto inputs = files_below(data_);
    ASSERT_TRUE(run());
    const auto first_table = read_table(data_ / "out" / "lines.dbf");
    ASSERT_TRUE(run());
    EXPECT_EQ(messages_, (std::vector<message>{kDone, kDone}));
    EXPECT_EQ(read_table(data_ / "out" / "lines.dbf"), first_table);

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

    // The workbook holds the output table: names, then the stored texts.
    const fs::path workbook = data_ / "out" / "lines._src.xlsx";
    EXPECT_TRUE(run_command("unzip -tq " + quoted(workbook.string()) + " >/dev/null").ok());
    row report = lines_of(run_python(script("xlsx/read_workbook.py"), {workbook.string()}).output);
    std::erase_if(report, [](const std::string& line) { return line.starts_with("string"); }); // rows only
    ASSERT_EQ(report.size(), 9u);
    EXPECT_EQ(report[3], "max_row=5");
    EXPECT_TRUE(report[4].starts_with("row1=[\"NAME\", \"NГЛУБ\", \"NOTE\", \"LAT_B_W84\", ")) << report[4];
    EXPECT_TRUE(
        report[5].starts_with("row2=[\"Профиль 1\", \"12.50\", \"A & B < C\", \"" + first_table[1][3]))
        << report[5];
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
        std::vector<message> messages;
    } cases[] = {
        {"", false, {}},
        {folder_.path() / "missing", false, {kErrors}},
        {no_shapefiles, false, {kErrors}},
        {data_, true, {kDone}}, // but no output table can be made
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.folder);
        messages_.clear();
        EXPECT_EQ(zv::prf_run(backslashed(c.folder.string())), c.result);
        EXPECT_EQ(messages_, c.messages);
    }
    EXPECT_EQ(read_bytes(data_ / "out"), "a file, not a folder");
    EXPECT_FALSE(fs::exists(no_shapefiles / "out"));
    EXPECT_TRUE(fs::is_empty(temp_));
}

} // namespace
