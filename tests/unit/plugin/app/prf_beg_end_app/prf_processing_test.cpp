// The profile tool's processing on a folder written by pyshp: output tables
// read back by pyshp, their coordinates against PROJ's cs2cs, workbooks read
// by openpyxl and tested by unzip, inputs and temporary folder untouched,
// and the one closing message of every kind of run.
#include "plugin/app/prf_beg_end_app/prf_processing.h"

#include "host/zvk_msgs.h"
#include "kit/command.h"
#include "kit/scoped_env.h"
#include "kit/scratch_folder.h"
#include "platform/environment.h"
#include "support/string_adapter.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace
{

namespace fs = std::filesystem;
using namespace zv::test;

const std::string kGsk2011 = "+proj=longlat +towgs84=0.013,-0.092,-0.03,-0.0017,0.0036,-0.0043,0.0074 "
                             "+ellps=GSK2011 +lon_wrap=45 +no_defs";
const std::string kWgs84 = "+proj=longlat +datum=WGS84 +ellps=WGS84 +lon_wrap=45 +no_defs";

struct message {
    zv_msg_kind kind;
    std::u16string text;
    bool operator==(const message&) const = default;
};
const message kDone{ZV_MSG_INFORMATION, u"Done!"};
const message kErrors{ZV_MSG_ERROR, u"Errors!"};

std::string script(const std::string& name)
{
    return read_bytes(fs::path(ZV_TEST_DATA) / "plugin" / name);
}

std::vector<std::string> split(const std::string& line, char separator)
{
    std::vector<std::string> parts;
    std::istringstream in(line);
    for (std::string part; std::getline(in, part, separator);)
        parts.push_back(part);
    if (!line.empty() && line.back() == separator)
        parts.emplace_back();
    return parts;
}

// The table as pyshp reads it: the fields line, then the records' values.
std::vector<std::vector<std::string>> read_table(const fs::path& table, const std::string& encoding)
{
    std::vector<std::vector<std::string>> rows;
    for (const std::string& line :
         lines_of(run_python(script("read_table.py"), {table.string(), encoding}).output))
        rows.push_back(split(line, '\t'));
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

std::string utf8(const std::u16string& text)
{
    return zv::foundation::to_utf8(text);
}

// A shapefile's system as the projection library reads its .prj.
std::string source_definition(const fs::path& shapefile)
{
    std::u16string definition;
    {
        zv::Tzv_std_wstring_adapter adapter(definition);
        zv_pj4_load_ex(u16(shapefile.string()).c_str(), adapter.handle());
    }
    return utf8(definition);
}

// cs2cs's longitude and latitude of a point.
std::vector<double> cs2cs(const std::string& from, const std::string& to, double x, double y)
{
    char input[80];
    std::snprintf(input, sizeof input, "%.12f %.12f\n", x, y);
    std::istringstream out(run_command("cs2cs -f %.12f " + from + " +to " + to, input).output);
    std::vector<double> lonlat(2, 0.0);
    out >> lonlat[0] >> lonlat[1];
    return lonlat;
}

// The eight coordinate texts of a record (LAT_B_W84 to LON_E_GK11) against
// cs2cs on the first and last vertex, to 1e-7 degree.
void expect_endpoints(const std::vector<std::string>& texts, const std::string& source, double x1, double y1,
                      double x2, double y2)
{
    ASSERT_EQ(texts.size(), 8u);
    std::vector<double> expected;
    for (const auto& [x, y] : {std::pair{x1, y1}, std::pair{x2, y2}})
        for (const std::string& target : {kWgs84, kGsk2011}) {
            const std::vector<double> lonlat = cs2cs(source, target, x, y);
            expected.insert(expected.end(), {lonlat[1], lonlat[0]});
        }
    for (std::size_t i = 0; i < texts.size(); ++i)
        EXPECT_NEAR(std::stod(texts[i]), expected[i], 1e-7) << "coordinate field " << i;
}

class ProfileRun : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        // UTF-8 as the ANSI code page: the output tables are UTF-8, so a
        // Cyrillic field name outgrows the descriptor's 10 bytes.
        env_.set("ZV_ANSI_CODEPAGE", "65001").set("ZV_LANG", "en");
        fs::create_directories(temp_);
        zv::platform::override_environment_variable(u"TEMP", u16(temp_.string()));
        zv_msgs_set_sink(&ProfileRun::record, &messages_);
        ASSERT_TRUE(run_python(script("make_profiles.py"), {data_.string()}).ok());
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
    bool run(const fs::path& folder) { return zv::prf_run(backslashed(folder.string()) + u"\\"); }

    scoped_env env_;
    scratch_folder folder_{"zv_prf"};
    const fs::path data_ = folder_.path() / "data";
    const fs::path temp_ = folder_.path() / "temp";
    std::vector<message> messages_;
};

TEST_F(ProfileRun, OutputTablesHoldTheSourceValuesAndTheEndpointsAsCs2csGivesThem)
{
    ASSERT_TRUE(run(data_));
    EXPECT_EQ(messages_, std::vector<message>{kDone});

    const std::string coordinate_fields =
        "LAT_B_W84:C:20:0\tLON_B_W84:C:20:0\tLAT_B_GK11:C:20:0\tLON_B_GK11:C:20:0\t"
        "LAT_E_W84:C:20:0\tLON_E_W84:C:20:0\tLAT_E_GK11:C:20:0\tLON_E_GK11:C:20:0";
    const auto lines = read_table(data_ / "out" / "lines.dbf", "utf-8");
    const std::string utm = source_definition(data_ / "lines.shp");
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], split("NAME:C:20:0\tNГЛУБ:N:10:2\tNOTE:C:30:0\t" + coordinate_fields, '\t'))
        << "a name cut after 10 UTF-8 bytes ends on a character";
    const std::vector<std::vector<std::string>> values{{"Профиль 1", "12.5", "A & B < C"},
                                                       {"Профиль 2", "0.75", ""},
                                                       {"Точка", "3.25", "один"},
                                                       {"Пусто", "1.0", "null"}};
    for (std::size_t r = 0; r < values.size(); ++r)
        EXPECT_EQ(std::vector<std::string>(lines[r + 1].begin(), lines[r + 1].begin() + 3), values[r]);
    expect_endpoints({lines[1].begin() + 3, lines[1].end()}, utm, 412000, 6170000, 415000, 6170100);
    expect_endpoints({lines[3].begin() + 3, lines[3].end()}, utm, 416000, 6172000, 416000, 6172000);
    const std::vector<std::string> empty(8, "");
    EXPECT_EQ(std::vector<std::string>(lines[2].begin() + 3, lines[2].end()), empty) << "two parts";
    EXPECT_EQ(std::vector<std::string>(lines[4].begin() + 3, lines[4].end()), empty) << "null record";

    // Two folders down, geographic, and a set named in capitals.
    const auto other = read_table(data_ / "out" / "other.dbf", "utf-8");
    ASSERT_EQ(other.size(), 2u);
    EXPECT_EQ(other[1][0], "7");
    expect_endpoints({other[1].begin() + 1, other[1].end()},
                     source_definition(data_ / "sub" / "deep" / "other.shp"), 37.6, 55.75, 38.5, 56.3);
    const auto caps = read_table(data_ / "out" / "CAPS.dbf", "utf-8");
    ASSERT_EQ(caps.size(), 2u);
    expect_endpoints({caps[1].begin() + 1, caps[1].end()}, utm, 412000, 6170000, 415000, 6170100);
}

// Skipped: a file without .prj (after one with), a point file and the one
// in "out", whose table is its output table's path.
TEST_F(ProfileRun, InputsStayAsTheyWereAndASecondRunWritesTheSameOutputs)
{
    const auto inputs = files_below(data_);
    ASSERT_TRUE(run(data_));
    const auto first_table = read_table(data_ / "out" / "lines.dbf", "utf-8");
    ASSERT_TRUE(run(data_));
    EXPECT_EQ(messages_, (std::vector<message>{kDone, kDone}));
    EXPECT_EQ(read_table(data_ / "out" / "lines.dbf", "utf-8"), first_table);

    auto outputs = files_below(data_);
    for (const auto& [name, bytes] : inputs) {
        EXPECT_EQ(outputs[name], bytes) << name << " changed";
        outputs.erase(name);
    }
    std::vector<std::string> added;
    for (const auto& entry : outputs)
        added.push_back(entry.first);
    EXPECT_EQ(added, (std::vector<std::string>{"out/CAPS._src.xlsx", "out/CAPS.cpg", "out/CAPS.dbf",
                                               "out/lines._src.xlsx", "out/lines.cpg", "out/lines.dbf",
                                               "out/other._src.xlsx", "out/other.cpg", "out/other.dbf"}));
    EXPECT_TRUE(fs::is_empty(temp_)) << "the workbooks' part files are gone";

    const fs::path workbook = data_ / "out" / "lines._src.xlsx";
    EXPECT_TRUE(run_command("unzip -tq " + quoted(workbook.string()) + " >/dev/null").ok());
    const std::string report =
        run_python(read_bytes(fs::path(ZV_TEST_DATA) / "xlsx" / "read_workbook.py"), {workbook.string()})
            .output;
    const std::vector<std::string> rows = lines_of(report);
    std::string header = "row1=[\"NAME\", \"NГЛУБ\", \"NOTE\"";
    std::string profile = "row2=[\"Профиль 1\", \"12.50\", \"A & B < C\"";
    for (std::size_t i = 0; i < 8; ++i) {
        header += ", \"" + split(first_table[0][i + 3], ':')[0] + "\"";
        profile += ", \"" + first_table[1][i + 3] + "\"";
    }
    ASSERT_EQ(rows.size(), 9u) << report;
    EXPECT_EQ(rows[2], "sheets=[\"Attributes\"]");
    EXPECT_EQ(rows[3], "max_row=5");
    EXPECT_EQ(rows[4], header + "]");
    EXPECT_EQ(rows[5], profile + "]");
}

TEST_F(ProfileRun, EveryRunOverAPathEndsWithOneMessage)
{
    const fs::path no_shapefiles = folder_.path() / "empty";
    fs::create_directories(no_shapefiles / "sub.txt");
    fs::remove_all(data_ / "out");
    write_bytes(data_ / "out", "a file, not a folder");
    const struct {
        std::u16string folder;
        bool result;
        std::vector<message> messages;
    } cases[] = {
        {u"", false, {}},
        {backslashed((folder_.path() / "missing").string()), false, {kErrors}},
        {backslashed(no_shapefiles.string()), false, {kErrors}},
        {backslashed(data_.string()), true, {kDone}}, // no output table can be made
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(utf8(c.folder));
        messages_.clear();
        EXPECT_EQ(zv::prf_run(c.folder), c.result);
        EXPECT_EQ(messages_, c.messages);
    }
    EXPECT_EQ(read_bytes(data_ / "out"), "a file, not a folder");
    EXPECT_FALSE(fs::exists(no_shapefiles / "out"));
    EXPECT_FALSE(fs::exists(folder_.path() / "missing"));
    EXPECT_TRUE(fs::is_empty(temp_));
}

} // namespace
