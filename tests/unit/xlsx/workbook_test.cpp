#include "xlsx/workbook.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "platform/environment.h"
#include "test_support.h"

using namespace zv::xlsx;
using xlsx_test::Widen;

namespace
{

namespace fs = std::filesystem;
namespace zp = zv::platform;

// Runs one of the Python readers in the test data on a workbook and returns its output.
std::string RunPython(const std::string& script, const fs::path& workbook, const std::string& extra)
{
    const std::string command = std::string("\"") + ZV_PYTHON + "\" \"" + ZV_TEST_DATA + "/xlsx/" + script +
                                "\" \"" + workbook.string() + "\"" + extra;
    std::string output;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[4096];
        while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe))
            output.append(buffer, n);
        ::pclose(pipe);
    }
    return output;
}

// The independent readers' report on a workbook.
std::string ReadWithPython(const fs::path& workbook)
{
    return RunPython("read_workbook.py", workbook, " 2>&1");
}

// One entry of a saved archive, as Python's zipfile inflates it.
std::string EntryText(const fs::path& workbook, const std::string& entry)
{
    return RunPython("dump_entry.py", workbook, " \"" + entry + "\"");
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
        zp::override_environment_variable(u"TEMP", Widen(temp_.string()));
        zp::override_environment_variable(u"USERNAME", u"Петров & <Co> \"x\"");
        zp::override_utc_time(zp::civil_time{2026, 12, 6, 10, 0, 0});
    }
    void TearDown() override { zp::clear_environment_overrides(); }

    fs::path Target(const std::string& name) const { return folder_.path() / name; }
    bool TempIsEmpty() const { return fs::is_empty(temp_); }

    xlsx_test::ScratchFolder folder_;
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
        ASSERT_TRUE(book.Save(Widen(target.string())));
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
        ASSERT_TRUE(book.Save(Widen(target.string())));
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
        EXPECT_EQ(EntryText(target, entry), xlsx_test::Golden(golden)) << entry;
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
                row[c].value = Widen("v" + std::to_string((r * 31 + static_cast<int>(c)) % 5000));
            sheet.AddRow(row);
        }
        ASSERT_TRUE(book.Save(Widen(target.string())));
    }
    const std::string report = ReadWithPython(target);
    EXPECT_TRUE(HasLine(report, "crc=ok")) << report.substr(0, 500);
    EXPECT_TRUE(HasLine(report, "max_row=3000"));
    EXPECT_TRUE(HasLine(report, "max_column=28"));
    EXPECT_NE(report.find("row3000=[\"v2969\", \"v2970\""), std::string::npos);
}

TEST_F(Workbook, WithoutStringsTheArchiveHoldsNineEntries)
{
    const fs::path target = Target("empty.xlsx");
    {
        CWorkbook book;
        book.AddSheet(u"Attributes").AddRow({{u"", 0}, {u"", 0}});
        ASSERT_TRUE(book.Save(Widen(target.string())));
    }
    const std::string report = ReadWithPython(target);
    EXPECT_TRUE(HasLine(report,
                        "entries=[Content_Types].xml,_rels/.rels,docProps/core.xml,docProps/app.xml,"
                        "xl/workbook.xml,xl/styles.xml,xl/_rels/workbook.xml.rels,xl/theme/theme1.xml,"
                        "xl/worksheets/sheet1.xml"))
        << report;
    EXPECT_TRUE(HasLine(report, "sheets=[\"Attributes\"]")) << report;
}

TEST_F(Workbook, FormulasBringTheCalculationChain)
{
    const fs::path target = Target("formula.xlsx");
    {
        CWorkbook book;
        book.AddSheet(u"One").AddRow({{u"2", 0}, {u"=A1*2", 0}});
        book.AddSheet(u"0123456789012345678901234567890123456789").AddRow({{u"=One!B1+1", 0}});
        ASSERT_TRUE(book.Save(Widen(target.string())));
    }
    const std::string report = ReadWithPython(target);
    EXPECT_TRUE(HasLine(report,
                        "entries=[Content_Types].xml,_rels/.rels,docProps/core.xml,docProps/app.xml,"
                        "xl/workbook.xml,xl/styles.xml,xl/_rels/workbook.xml.rels,xl/theme/theme1.xml,"
                        "xl/calcChain.xml,xl/sharedStrings.xml,xl/worksheets/sheet1.xml,"
                        "xl/worksheets/sheet2.xml"))
        << report;
    EXPECT_TRUE(HasLine(report, "sheets=[\"One\", \"0123456789012345678901234567890\"]")) << report;
    EXPECT_TRUE(HasLine(report, "row1=[\"2\", \"=A1*2\"]")) << report;
}

TEST_F(Workbook, MarkupInTitleAndUserNameStaysWellFormed)
{
    const fs::path target = Target("markup.xlsx");
    {
        CWorkbook book;
        book.AddSheet(u"R&D <\"1\">").AddRow({{u"x", 0}});
        ASSERT_TRUE(book.Save(Widen(target.string())));
    }
    const std::string report = ReadWithPython(target);
    EXPECT_TRUE(HasLine(report, "sheets=[\"R&D <\\\"1\\\">\"]")) << report;
    EXPECT_TRUE(HasLine(report, "creator=Петров & <Co> \"x\"")) << report;
}

TEST_F(Workbook, TemporaryFolderNameComesFromThreadAndClock)
{
    zp::override_thread_id(4242);
    zp::override_processor_clock(17);
    CWorkbook book;
    EXPECT_EQ(book.TemporaryFolder(), Widen(temp_.string()) + u"/xlsx_4242_17");
    EXPECT_TRUE(TempIsEmpty()); // nothing is created before a sheet is added
    book.AddSheet(u"S");
    EXPECT_TRUE(fs::exists(temp_ / "xlsx_4242_17" / "xl" / "worksheets" / "sheet1.xml"));
    EXPECT_TRUE(book.Save(Widen(Target("named.xlsx").string())));
    EXPECT_TRUE(TempIsEmpty());
}

TEST_F(Workbook, TwoLiveWorkbooksNeverShareAFolder)
{
    zp::override_thread_id(1);
    zp::override_processor_clock(5);
    auto first = std::make_unique<CWorkbook>();
    CWorkbook second;
    EXPECT_NE(first->TemporaryFolder(), second.TemporaryFolder());
    first->AddSheet(u"First").AddRow({{u"one", 0}});
    second.AddSheet(u"Second").AddRow({{u"two", 0}});
    EXPECT_TRUE(first->Save(Widen(Target("first.xlsx").string())));
    first.reset();
    CWorkbook third; // the first one's folder is free again
    EXPECT_EQ(third.TemporaryFolder(), Widen(temp_.string()) + u"/xlsx_1_5");
    EXPECT_TRUE(second.Save(Widen(Target("second.xlsx").string())));
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
        saved = book.Save(Widen(Target("cwd.xlsx").string()));
    }
    const bool left_empty = fs::is_empty(work);
    fs::current_path(previous);
    EXPECT_TRUE(saved);
    EXPECT_TRUE(left_empty);
    EXPECT_TRUE(HasLine(ReadWithPython(Target("cwd.xlsx")), "row1=[\"x\"]"));
}

TEST_F(Workbook, UnsavableTargetFailsAndLeavesNothing)
{
    const fs::path targets[] = {folder_.path() / "no" / "such" / "folder" / "out.xlsx", // unwritable
                                folder_.path() / (std::string(250, 'n') + ".xlsx")};    // too long
    for (const fs::path& target : targets) {
        SCOPED_TRACE(target.string());
        CWorkbook book;
        book.AddSheet(u"Attributes").AddRow({{u"x", 0}});
        EXPECT_FALSE(book.Save(Widen(target.string())));
        EXPECT_FALSE(fs::exists(target));
        EXPECT_TRUE(TempIsEmpty());
    }
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
    zp::override_environment_variable(u"TEMP", Widen(deep.string()));
    const fs::path target = Target("deep.xlsx");
    {
        CWorkbook book;
        ASSERT_EQ(book.TemporaryFolder().size(), folder_length);
        book.AddSheet(u"Attributes").AddRow({{u"x", 0}});
        EXPECT_TRUE(book.AddSheet(u"Attributes").IsOk());
        EXPECT_FALSE(book.Save(Widen(target.string())));
    }
    EXPECT_FALSE(fs::exists(target));
    EXPECT_TRUE(fs::is_empty(deep));
}

TEST_F(Workbook, SecondSaveIsRefused)
{
    CWorkbook book;
    book.AddSheet(u"Attributes").AddRow({{u"x", 0}});
    EXPECT_TRUE(book.Save(Widen(Target("once.xlsx").string())));
    EXPECT_FALSE(book.Save(Widen(Target("twice.xlsx").string())));
    EXPECT_FALSE(fs::exists(Target("twice.xlsx")));
    EXPECT_TRUE(TempIsEmpty());
}

} // namespace
