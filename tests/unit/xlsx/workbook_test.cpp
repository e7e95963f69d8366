#include "xlsx/workbook.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "kit/command.h"
#include "platform/environment.h"
#include "test_support.h"

using namespace zv::xlsx;

namespace
{

namespace fs = std::filesystem;
namespace zp = zv::platform;

// Runs one of the Python readers in the test data on a workbook.
std::string RunPython(const std::string& script, const fs::path& workbook, const std::string& extra = "")
{
    return zv::test::run_command(zv::test::quoted(ZV_PYTHON) + " " +
                                 zv::test::quoted(std::string(ZV_TEST_DATA) + "/xlsx/" + script) + " " +
                                 zv::test::quoted(workbook.string()) + extra)
        .output;
}

// The independent readers' report on a workbook.
std::string ReadWithPython(const fs::path& workbook)
{
    return RunPython("read_workbook.py", workbook, " 2>&1");
}

bool HasLine(const std::string& report, const std::string& line)
{
    return ("\n" + report).find("\n" + line + "\n") != std::string::npos;
}

const std::string kAttributeEntries =
    "entries=[Content_Types].xml,_rels/.rels,docProps/core.xml,docProps/app.xml,xl/workbook.xml,xl/"
    "styles.xml,"
    "xl/_rels/workbook.xml.rels,xl/theme/theme1.xml,xl/sharedStrings.xml,xl/worksheets/sheet1.xml";

class Workbook : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        temp_ = folder_.path() / "temp";
        fs::create_directories(temp_);
        zp::override_environment_variable(u"TEMP", zv::test::u16(temp_.string()));
        zp::override_environment_variable(u"USERNAME", u"Петров & <Co> \"x\"");
        zp::override_utc_time(zp::civil_time{2026, 12, 6, 10, 0, 0});
    }
    void TearDown() override { zp::clear_environment_overrides(); }

    fs::path Target(const std::string& name) const { return folder_.path() / name; }
    bool TempIsEmpty() const { return fs::is_empty(temp_); }

    zv::test::scratch_folder folder_{"zv_xlsx"};
    fs::path temp_;
};

TEST_F(Workbook, AttributeExportIsReadByIndependentReaders)
{
    const fs::path target = Target("attributes.xlsx");
    {
        CWorkbook book;
        CWorksheet& sheet = book.AddSheet(u"Attributes");
        sheet.AddRow({{u"NAME", 0}, {u"LAT_B_GK11", 0}, {u"NOTE", 0}});
        sheet.AddRow({{u"Профиль 1", 0}, {u"55.750001361", 0}, {u"A &amp; B &lt; C", 0}});
        sheet.AddRow({{u"Профиль 2", 0}, {u"", 0}, {u"55.750001361", 0}});
        ASSERT_TRUE(book.Save(zv::test::u16(target.string())));
    }
    const std::string report = ReadWithPython(target);
    EXPECT_TRUE(HasLine(report, kAttributeEntries)) << report;
    EXPECT_TRUE(HasLine(report, "testzip=None")) << report;
    EXPECT_TRUE(HasLine(report, "crc=ok")) << report;
    EXPECT_TRUE(HasLine(report, "unzip=ok")) << report;
    EXPECT_TRUE(HasLine(report, "methods=8,8,8,8,8,8,8,8,8,8")) << report;
    EXPECT_TRUE(HasLine(report, "sheets=[\"Attributes\"]")) << report;
    EXPECT_TRUE(HasLine(report, "max_row=3")) << report;
    EXPECT_TRUE(HasLine(report, "max_column=3")) << report;
    EXPECT_TRUE(HasLine(report, "row1=[\"NAME\", \"LAT_B_GK11\", \"NOTE\"]")) << report;
    EXPECT_TRUE(HasLine(report, "row2=[\"Профиль 1\", \"55.750001361\", \"A & B < C\"]")) << report;
    EXPECT_TRUE(HasLine(report, "row3=[\"Профиль 2\", null, \"55.750001361\"]")) << report;
    EXPECT_TRUE(TempIsEmpty());
}

TEST_F(Workbook, SavedPackageMatchesGoldenParts)
{
    zp::override_environment_variable(u"USERNAME", u"Иванов");
    zp::override_utc_time(zp::civil_time{2026, 3, 7, 9, 5, 1});
    const fs::path target = Target("golden.xlsx");
    {
        CWorkbook book;
        book.AddSheet(u"Attributes").AddRow({{u"second", 0}, {u"\u0416 &amp; x", 0}, {u"second", 0}});
        ASSERT_TRUE(book.Save(zv::test::u16(target.string())));
    }
    const std::pair<const char*, const char*> parts[] = {{"[Content_Types].xml", "content_types.xml"},
                                                         {"_rels/.rels", "rels.xml"},
                                                         {"docProps/core.xml", "core.xml"},
                                                         {"docProps/app.xml", "app.xml"},
                                                         {"xl/workbook.xml", "workbook.xml"},
                                                         {"xl/styles.xml", "styles.xml"},
                                                         {"xl/_rels/workbook.xml.rels", "workbook_rels.xml"},
                                                         {"xl/theme/theme1.xml", "theme1.xml"},
                                                         {"xl/sharedStrings.xml", "sharedStrings.xml"}};
    for (const auto& [entry, golden] : parts)
        EXPECT_EQ(RunPython("dump_entry.py", target, " " + zv::test::quoted(entry)),
                  xlsx_test::Golden(golden))
            << entry;
}

TEST_F(Workbook, ManyRowsRoundTrip)
{
    const fs::path target = Target("many.xlsx");
    {
        CWorkbook book;
        CWorksheet& sheet = book.AddSheet(u"Data");
        std::vector<StringCell> row(28);
        for (int r = 0; r < 3000; ++r) {
            for (std::size_t c = 0; c < row.size(); ++c)
                row[c].value = zv::test::u16("v" + std::to_string((r * 31 + static_cast<int>(c)) % 5000));
            sheet.AddRow(row);
        }
        ASSERT_TRUE(book.Save(zv::test::u16(target.string())));
    }
    const std::string report = ReadWithPython(target);
    EXPECT_TRUE(HasLine(report, "crc=ok")) << report.substr(0, 500);
    EXPECT_TRUE(HasLine(report, "max_row=3000"));
    EXPECT_TRUE(HasLine(report, "max_column=28"));
    EXPECT_NE(report.find("row3000=[\"v2969\", \"v2970\""), std::string::npos);
}

// Which parts a package holds follows from its content: no shared strings
// part without texts, a calculation chain with formulas; titles are cut to 31
// characters and markup in them and in the user name stays well formed.
TEST_F(Workbook, PartsAndTitlesFollowTheContent)
{
    const std::string head = "entries=[Content_Types].xml,_rels/.rels,docProps/core.xml,docProps/app.xml,"
                             "xl/workbook.xml,xl/styles.xml,xl/_rels/workbook.xml.rels,xl/theme/theme1.xml,";
    const struct {
        const char* name;
        std::function<void(CWorkbook&)> fill;
        std::vector<std::string> lines;
    } cases[] = {
        {"empty.xlsx",
         [](CWorkbook& b) {
             b.AddSheet(u"Attributes").AddRow({{u"", 0}, {u"", 0}});
         },
         {head + "xl/worksheets/sheet1.xml", "sheets=[\"Attributes\"]"}},
        {"formula.xlsx",
         [](CWorkbook& b) {
             b.AddSheet(u"One").AddRow({{u"2", 0}, {u"=A1*2", 0}});
             b.AddSheet(u"0123456789012345678901234567890123456789").AddRow({{u"=One!B1+1", 0}});
         },
         {head + "xl/calcChain.xml,xl/sharedStrings.xml,xl/worksheets/sheet1.xml,xl/worksheets/sheet2.xml",
          "sheets=[\"One\", \"0123456789012345678901234567890\"]", "row1=[\"2\", \"=A1*2\"]"}},
        {"markup.xlsx",
         [](CWorkbook& b) {
             b.AddSheet(u"R&D <\"1\">").AddRow({{u"x", 0}});
         },
         {"sheets=[\"R&D <\\\"1\\\">\"]", "creator=Петров & <Co> \"x\""}},
    };
    for (const auto& c : cases) {
        {
            CWorkbook book;
            c.fill(book);
            ASSERT_TRUE(book.Save(zv::test::u16(Target(c.name).string())));
        }
        const std::string report = ReadWithPython(Target(c.name));
        for (const std::string& line : c.lines)
            EXPECT_TRUE(HasLine(report, line)) << c.name << "\n" << report;
    }
}

// The folder is named from thread and clock, created with the first sheet,
// never shared by two live workbooks and free again once one is gone.
TEST_F(Workbook, TemporaryFolderNamesAreUniqueAmongLiveWorkbooks)
{
    zp::override_thread_id(1);
    zp::override_processor_clock(5);
    auto first = std::make_unique<CWorkbook>();
    CWorkbook second;
    EXPECT_EQ(first->TemporaryFolder(), zv::test::u16(temp_.string()) + u"/xlsx_1_5");
    EXPECT_NE(first->TemporaryFolder(), second.TemporaryFolder());
    EXPECT_TRUE(TempIsEmpty()); // nothing is created before a sheet is added
    first->AddSheet(u"First").AddRow({{u"one", 0}});
    EXPECT_TRUE(fs::exists(temp_ / "xlsx_1_5" / "xl" / "worksheets" / "sheet1.xml"));
    second.AddSheet(u"Second").AddRow({{u"two", 0}});
    EXPECT_TRUE(first->Save(zv::test::u16(Target("first.xlsx").string())));
    first.reset();
    CWorkbook third;
    EXPECT_EQ(third.TemporaryFolder(), zv::test::u16(temp_.string()) + u"/xlsx_1_5");
    EXPECT_TRUE(second.Save(zv::test::u16(Target("second.xlsx").string())));
    EXPECT_TRUE(HasLine(ReadWithPython(Target("first.xlsx")), "row1=[\"one\"]"));
    EXPECT_TRUE(HasLine(ReadWithPython(Target("second.xlsx")), "row1=[\"two\"]"));
    EXPECT_TRUE(TempIsEmpty());
}

TEST_F(Workbook, MissingTempUsesTheCurrentFolder)
{
    zp::override_environment_variable(u"TEMP", std::nullopt);
    const fs::path work = folder_.path() / "cwd";
    fs::create_directories(work);
    const fs::path previous = fs::current_path();
    fs::current_path(work);
    bool saved = false;
    {
        CWorkbook book;
        EXPECT_EQ(book.TemporaryFolder().find(u'/'), std::u16string::npos);
        book.AddSheet(u"Attributes").AddRow({{u"x", 0}});
        EXPECT_FALSE(fs::is_empty(work));
        saved = book.Save(zv::test::u16(Target("cwd.xlsx").string()));
    }
    const bool left_empty = fs::is_empty(work);
    fs::current_path(previous);
    EXPECT_TRUE(saved);
    EXPECT_TRUE(left_empty);
    EXPECT_TRUE(HasLine(ReadWithPython(Target("cwd.xlsx")), "row1=[\"x\"]"));
}

TEST_F(Workbook, UnsavableTargetOrSecondSaveFailsAndLeavesNothing)
{
    const fs::path targets[] = {folder_.path() / "no" / "such" / "folder" / "out.xlsx", // unwritable
                                folder_.path() / (std::string(250, 'n') + ".xlsx")};    // too long
    for (const fs::path& target : targets) {
        SCOPED_TRACE(target.string());
        CWorkbook book;
        book.AddSheet(u"Attributes").AddRow({{u"x", 0}});
        EXPECT_FALSE(book.Save(zv::test::u16(target.string())));
        EXPECT_FALSE(fs::exists(target));
        EXPECT_TRUE(TempIsEmpty());
    }
    CWorkbook book; // a second save is refused
    book.AddSheet(u"Attributes").AddRow({{u"x", 0}});
    EXPECT_TRUE(book.Save(zv::test::u16(Target("once.xlsx").string())));
    EXPECT_FALSE(book.Save(zv::test::u16(Target("twice.xlsx").string())));
    EXPECT_FALSE(fs::exists(Target("twice.xlsx")));
    EXPECT_TRUE(TempIsEmpty());
}

TEST_F(Workbook, TooLongTemporaryFolderFailsAndLeavesNothing)
{
    // The worksheet's part path fits the multibyte limit, the workbook's
    // relationships part (two characters longer) does not.
    zp::override_thread_id(1);
    zp::override_processor_clock(5);
    const std::size_t folder_length = 259 - 1 - std::string("xl/worksheets/sheet1.xml").size();
    const std::size_t padding = folder_length - temp_.string().size() - std::string("//xlsx_1_5").size();
    const fs::path deep = temp_ / std::string(padding, 't');
    fs::create_directories(deep);
    zp::override_environment_variable(u"TEMP", zv::test::u16(deep.string()));
    const fs::path target = Target("deep.xlsx");
    {
        CWorkbook book;
        ASSERT_EQ(book.TemporaryFolder().size(), folder_length);
        book.AddSheet(u"Attributes").AddRow({{u"x", 0}});
        EXPECT_TRUE(book.AddSheet(u"Attributes").IsOk());
        EXPECT_FALSE(book.Save(zv::test::u16(target.string())));
    }
    EXPECT_FALSE(fs::exists(target));
    EXPECT_TRUE(fs::is_empty(deep));
}

} // namespace
