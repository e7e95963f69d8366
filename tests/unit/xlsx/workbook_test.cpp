// Whole workbooks read back by openpyxl (the archive's own readers are the
// ZIP writer's tests), the golden parts of a saved package and the fixed
// parts as its content varies, the temporary folder, and failures: unsavable
// targets and injected create and write faults.
#include "xlsx/workbook.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "kit/command.h"
#include "kit/file_faults.h"
#include "platform/environment.h"
#include "test_support.h"

using namespace zv::xlsx;

namespace
{

namespace fs = std::filesystem;
namespace zp = zv::platform;
using zv::test::u16;

// tests/data/xlsx/read_workbook.py on a workbook: the readers' report, or
// with an entry name the bytes of that entry.
std::string ReadWithPython(const fs::path& workbook, const std::string& entry = "")
{
    const std::string script = zv::test::read_bytes(fs::path(ZV_TEST_DATA) / "xlsx" / "read_workbook.py");
    return zv::test::run_python(script, {workbook.string(), entry}).output;
}

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
// well formed.
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
        book.AddSheet(u"Two").AddRow({{u"=Attributes!B2+1", 0}});
        ASSERT_TRUE(Save(book, "book.xlsx"));
    }
    const std::string report = ReadWithPython(Target("book.xlsx"));
    for (const std::string line :
         {"entries=[Content_Types].xml,_rels/.rels,docProps/core.xml,docProps/app.xml,xl/workbook.xml,"
          "xl/styles.xml,xl/_rels/workbook.xml.rels,xl/theme/theme1.xml,xl/calcChain.xml,xl/"
          "sharedStrings.xml,"
          "xl/worksheets/sheet1.xml,xl/worksheets/sheet2.xml",
          "creator=Петров & <Co> \"x\"", "sheets=[\"Attributes\", \"Two\"]", "max_row=3",
          "row1=[\"NAME\", \"LAT_B_GK11\", \"NOTE\"]",
          "row2=[\"Профиль 1\", \"55.750001361\", \"A & B < C\"]", "row3=[\"Профиль 2\", null, \"=B2*2\"]"})
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
        EXPECT_EQ(ReadWithPython(Target("golden.xlsx"), entry),
                  xlsx_test::Golden(fs::path(entry).filename().string()))
            << entry;
}

// The folder is named from thread and clock (in the current folder without
// TEMP), created with the first sheet, never shared by two live workbooks
// and free again once one is gone.
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
    first.reset();
    CWorkbook third;
    EXPECT_EQ(third.TemporaryFolder(), u16(temp_.string()) + u"/xlsx_1_5");
    EXPECT_TRUE(Save(second, "second.xlsx"));
    if (zv::test::can_run_linux_readers) { // openpyxl is a Linux program
        EXPECT_TRUE(HasLine(ReadWithPython(Target("second.xlsx")), "row1=[\"two\"]"));
    }
    EXPECT_TRUE(fs::is_empty(temp_));
    zp::override_environment_variable(u"TEMP", std::nullopt);
    EXPECT_EQ(CWorkbook().TemporaryFolder(), u"xlsx_1_5");
}

// A target over the multibyte limit; a second save, after the first has
// packed and removed the worksheets.
TEST_F(Workbook, UnsavableTargetOrSecondSaveFailsAndLeavesNothing)
{
    const std::string long_name = std::string(250, 'n') + ".xlsx";
    CWorkbook book, again;
    book.AddSheet(u"Attributes").AddRow({{u"x", 0}});
    EXPECT_FALSE(Save(book, long_name));
    again.AddSheet(u"Attributes").AddRow({{u"x", 0}});
    EXPECT_TRUE(Save(again, "once.xlsx"));
    EXPECT_FALSE(Save(again, "twice.xlsx"));
    EXPECT_FALSE(fs::exists(Target(long_name)));
    EXPECT_FALSE(fs::exists(Target("twice.xlsx")));
    EXPECT_TRUE(fs::is_empty(temp_));
}

// A part that cannot be created or a short write gives a false Save, no
// open handle and no temporary file.
TEST_F(Workbook, InjectedCreateAndWriteFailuresLeaveNothing)
{
    const struct {
        std::u16string failing_create, short_file;
        bool saved;
    } cases[] = {
        {u"", u"", true},                   // the fake alone changes nothing
        {u"xl/styles.xml", u"", false},     // a part that cannot be created
        {u"out.xlsx", u"", false},          // an archive that cannot be created
        {u"", u"sheet1.xml", false},        // a short write of the worksheet
        {u"", u"sharedStrings.xml", false}, // a short write of the shared strings
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        zv::test::file_faults faults;
        faults.failing_create_suffix = c.failing_create;
        faults.short_file_suffix = c.short_file;
        {
            CWorkbook book;
            CWorksheet& sheet = book.AddSheet(u"Attributes");
            for (int i = 0; i < 2000; ++i)
                sheet.AddRow({{u"value " + u16(std::to_string(i)), 0}});
            EXPECT_EQ(Save(book, "out.xlsx"), c.saved);
        }
        if (c.saved) {
            EXPECT_EQ(faults.created_files, 11) << "ten parts and the archive";
        }
        EXPECT_EQ(faults.open_handles, 0);
        EXPECT_TRUE(fs::is_empty(temp_));
    }
}

} // namespace
