// Whole workbooks read back by openpyxl (the archive's own readers are the
// ZIP writer's tests), the golden parts of a saved package and the fixed
// parts as its content varies, the temporary folder, and failures: unsavable
// targets and injected create and write faults.
#include "xlsx/workbook.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "kit/command.h"
#include "kit/file_faults.h"
#include "kit/scoped_env.h"
#include "platform/environment.h"
#include "test_support.h"

using namespace zv::xlsx;

namespace
{

namespace fs = std::filesystem;
namespace zp = zv::platform;
using zv::test::u16;

// Whether the report has this whole line.
bool HasLine(const std::string& report, const std::string& line)
{
    return ("\n" + report).find("\n" + line + "\n") != std::string::npos;
}

class Workbook : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        fs::create_directories(temp_);
        zp::override_environment_variable(u"TEMP", u16(temp_.string()));
        zp::override_environment_variable(u"USERNAME", u"Петров & <Co> \"x\"");
        zp::override_utc_time(zp::civil_time{2026, 12, 6, 10, 0, 0});
        zp::override_thread_id(1);
        zp::override_processor_clock(5);
    }
    void TearDown() override { zp::clear_environment_overrides(); }

    fs::path Target(const std::string& name) const { return folder_.path() / name; }
    bool Save(CWorkbook& book, const std::string& name) const
    {
        return book.Save(u16(Target(name).string()));
    }

    zv::test::scratch_folder folder_{"zv_xlsx"};
    const fs::path temp_ = folder_.path() / "temp";
};

// Which parts a package holds follows from its content: shared strings with
// texts, a calculation chain with formulas; markup in the user name stays
// well formed. Control characters that XML cannot carry, white space at
// either end, a carriage return and a literal escape sequence all come back
// as they were (openpyxl leaves "_xHHHH_" of controls undecoded).
TEST_F(Workbook, OpenpyxlReadsWhatWasWritten)
{
    if (!zv::test::can_run_linux_readers)
        GTEST_SKIP() << "openpyxl is a Linux program";
    {
        CWorkbook book;
        CWorksheet& sheet = book.AddSheet(u"Attributes");
        sheet.AddRow({{u"NAME", 0}, {u"LAT_B_GK11", 0}, {u"NOTE", 0}});
        sheet.AddRow({{u"Профиль 1", 0}, {u"55.750001361", 0}, {u"A &amp; B &lt; C", 0}});
        sheet.AddRow({{u"Профиль 2", 0}, {u"", 0}, {u"=B2*2", 0}});
        sheet.AddRow({{u"bell\u0007 unit\u001F", 0},
                      {u"  two leading", 0},
                      {u"trailing ", 0},
                      {u"_x0041_ stays", 0},
                      {u"cr\r\nlf\ttab", 0}});
        book.AddSheet(u"Two").AddRow({{u"=Attributes!B2+1", 0}});
        ASSERT_TRUE(Save(book, "book.xlsx"));
    }
    const std::string report = zv::test::read_workbook(Target("book.xlsx"));
    for (
        const std::string line :
        {"entries=[Content_Types].xml,_rels/.rels,docProps/core.xml,docProps/app.xml,xl/workbook.xml,"
         "xl/styles.xml,xl/_rels/workbook.xml.rels,xl/theme/theme1.xml,xl/calcChain.xml,xl/"
         "sharedStrings.xml,"
         "xl/worksheets/sheet1.xml,xl/worksheets/sheet2.xml",
         "creator=Петров & <Co> \"x\"", "sheets=[\"Attributes\", \"Two\"]", "max_row=4",
         R"(row1=["NAME", "LAT_B_GK11", "NOTE", null, null])",
         R"(row2=["Профиль 1", "55.750001361", "A & B < C", null, null])",
         R"(row3=["Профиль 2", null, "=B2*2", null, null])",
         R"(row4=["bell_x0007_ unit_x001F_", "  two leading", "trailing ", "_x0041_ stays", "cr\r\nlf\ttab"])",
         R"(string7=["bell\u0007 unit\u001f", false])", R"(string8=["  two leading", true])",
         R"(string9=["trailing ", true])", R"(string10=["_x0041_ stays", false])",
         R"(string11=["cr\r\nlf\ttab", false])"})
        EXPECT_TRUE(HasLine(report, line)) << line << "\n" << report;
    EXPECT_TRUE(fs::is_empty(temp_));
}

TEST_F(Workbook, SavedPackageMatchesGoldenParts)
{
    if (!zv::test::can_run_linux_readers)
        GTEST_SKIP() << "the parts are taken out by Python's zipfile, a Linux program";
    zp::override_environment_variable(u"USERNAME", u"Иванов");
    zp::override_utc_time(zp::civil_time{2026, 3, 7, 9, 5, 1});
    {
        CWorkbook book;
        book.AddSheet(u"Attributes").AddRow({{u"second", 0}, {u"\u0416 &amp; x", 0}, {u"second", 0}});
        ASSERT_TRUE(Save(book, "golden.xlsx"));
    }
    // Each golden file is named as the last part of its entry's name.
    for (const char* entry :
         {"[Content_Types].xml", "_rels/.rels", "docProps/core.xml", "docProps/app.xml", "xl/workbook.xml",
          "xl/styles.xml", "xl/_rels/workbook.xml.rels", "xl/theme/theme1.xml", "xl/sharedStrings.xml"})
        EXPECT_EQ(zv::test::read_workbook(Target("golden.xlsx"), entry),
                  xlsx_test::Golden(fs::path(entry).filename().string()))
            << entry;
}

// The folder is named from thread and clock (in the current folder without
// TEMP), created with the first sheet (TEMP's missing folders too), never
// shared by two live workbooks and free again once one is gone; a second save
// of a workbook fails.
TEST_F(Workbook, TemporaryFolderNamesAreUniqueAmongLiveWorkbooks)
{
    auto first = std::make_unique<CWorkbook>();
    CWorkbook second;
    EXPECT_EQ(first->TemporaryFolder(), u16(temp_.string()) + u"/xlsx_1_5");
    EXPECT_NE(first->TemporaryFolder(), second.TemporaryFolder());
    EXPECT_TRUE(fs::is_empty(temp_)) << "nothing is created before a sheet is added";
    first->AddSheet(u"First").AddRow({{u"one", 0}});
    EXPECT_TRUE(fs::exists(temp_ / "xlsx_1_5" / "xl" / "worksheets" / "sheet1.xml"));
    second.AddSheet(u"Second").AddRow({{u"two", 0}});
    EXPECT_TRUE(Save(*first, "first.xlsx"));
    EXPECT_FALSE(Save(*first, "twice.xlsx")) << "the first save packed and removed the worksheets";
    EXPECT_FALSE(fs::exists(Target("twice.xlsx")));
    first.reset();
    CWorkbook third;
    EXPECT_EQ(third.TemporaryFolder(), u16(temp_.string()) + u"/xlsx_1_5");
    EXPECT_TRUE(Save(second, "second.xlsx"));
    if (zv::test::can_run_linux_readers) { // openpyxl is a Linux program
        EXPECT_TRUE(HasLine(zv::test::read_workbook(Target("second.xlsx")), "row1=[\"two\"]"));
    }
    EXPECT_TRUE(fs::is_empty(temp_));
    // A TEMP that does not exist yet is made, whichever separators it has.
    zp::override_environment_variable(u"TEMP", u16(temp_.string()) + u"\\made\\here");
    CWorkbook fourth;
    fourth.AddSheet(u"Fourth").AddRow({{u"four", 0}});
    EXPECT_TRUE(Save(fourth, "fourth.xlsx"));
    const fs::path made = temp_ / "made" / "here";
    EXPECT_TRUE(fs::is_directory(made) && fs::is_empty(made));
    zp::override_environment_variable(u"TEMP", std::nullopt);
    EXPECT_EQ(CWorkbook().TemporaryFolder(), u"xlsx_1_5");
}

// The target is opened by its wide path, whatever its length; part paths
// keep within 259 bytes as the ANSI code page encodes them.
TEST_F(Workbook, OnlyPartPathsAreLimitedAndInAnsiBytes)
{
    if (!zv::test::can_run_linux_readers)
        GTEST_SKIP() << "code pages chosen through ZV_ANSI_CODEPAGE, the workbook read by openpyxl";
    const std::string letters = "абвгдеёжзийклмнопрстуфхцчшщъыьэюя";      // 33 letters, 66 bytes
    const std::string deep = letters + letters + "/" + letters + letters; // 133 characters
    const std::string folder = deep + "/" + letters + letters + letters;
    fs::create_directories(folder_.path() / folder);
    const std::string target = folder + "/" + letters + ".xlsx"; // ~300 characters in all
    const fs::path temp = temp_ / deep; // part paths of ~200 characters, ~330 UTF-8 bytes
    zp::override_environment_variable(u"TEMP", u16(temp.string()));
    const struct {
        const char* code_page;
        bool saved;
    } cases[] = {{"65001", false}, {"1251", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code_page);
        zv::test::scoped_env env;
        env.set("ZV_ANSI_CODEPAGE", c.code_page);
        {
            CWorkbook book;
            book.AddSheet(u"Attributes").AddRow({{u"Профиль", 0}});
            EXPECT_EQ(Save(book, target), c.saved);
        }
        EXPECT_EQ(fs::exists(Target(target)), c.saved);
        EXPECT_FALSE(fs::exists(temp / "xlsx_1_5"));
    }
    EXPECT_TRUE(HasLine(zv::test::read_workbook(Target(target)), R"(row1=["Профиль"])"));
}

// A part that cannot be created, a short write, or an archive whose last
// record falls one byte short (the archive writer removes it) gives a false
// Save, no open handle, no temporary file, and leaves the workbook saved
// before under that name as it was.
TEST_F(Workbook, InjectedCreateAndWriteFailuresLeaveNothing)
{
    const struct {
        std::u16string failing_create, short_file;
        bool last_byte_missing, saved;
    } cases[] = {
        {u"", u"", false, true},                   // the fake alone changes nothing
        {u"xl/styles.xml", u"", false, false},     // a part that cannot be created
        {u"out.xlsx.partial", u"", false, false},  // an archive that cannot be created
        {u"", u"sheet1.xml", false, false},        // a short write of the worksheet
        {u"", u"sharedStrings.xml", false, false}, // a short write of the shared strings
        {u"", u"", true, false},
    };
    const std::int64_t unlimited = std::int64_t{1} << 40;
    std::int64_t bytes_written = 0;
    std::string saved_before;
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        zv::test::file_faults faults;
        faults.failing_create_suffix = c.failing_create;
        faults.short_file_suffix = c.short_file;
        faults.write_budget = c.last_byte_missing ? bytes_written - 1 : unlimited;
        {
            CWorkbook book;
            CWorksheet& sheet = book.AddSheet(u"Attributes");
            for (int i = 0; i < 2000; ++i)
                sheet.AddRow({{u"value " + u16(std::to_string(i)), 0}});
            EXPECT_EQ(Save(book, "out.xlsx"), c.saved);
        }
        if (c.saved) {
            EXPECT_EQ(faults.created_files, 11) << "ten parts and the archive";
            bytes_written = unlimited - faults.write_budget;
            saved_before = zv::test::read_bytes(Target("out.xlsx"));
        }
        EXPECT_TRUE(zv::test::read_bytes(Target("out.xlsx")) == saved_before);
        EXPECT_EQ(faults.open_handles, 0);
        EXPECT_TRUE(fs::is_empty(temp_));
    }
    EXPECT_FALSE(fs::exists(Target("out.xlsx.partial")));
}

} // namespace
