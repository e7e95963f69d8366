#include "xlsx/worksheet.h"

#include <gtest/gtest.h>

#include <functional>

#include "foundation/code_page.h"
#include "kit/scoped_env.h"
#include "kit/scratch_folder.h"
#include "platform/environment.h"
#include "test_support.h"
#include "xlsx/utf8.h"

using namespace zv::xlsx;

namespace
{

class Worksheet : public ::testing::Test
{
  protected:
    void TearDown() override { zv::platform::clear_environment_overrides(); }

    // Saves the sheet and returns its file's text.
    std::string Finish(CWorksheet& sheet)
    {
        EXPECT_TRUE(sheet.Save());
        return zv::test::read_bytes(folder_.path() / "xl" / "worksheets" /
                                    ("sheet" + std::to_string(sheet.GetIndex()) + ".xml"));
    }
    // Saves the sheet and compares its file with tests/data/xlsx/<golden>.
    void ExpectGolden(CWorksheet& sheet, const std::string& golden)
    {
        const std::string text = Finish(sheet);
        EXPECT_EQ(text, xlsx_test::Golden(golden));
    }

    zv::test::scratch_folder folder_{"zv_xlsx"};
    const std::u16string temp_ = zv::test::u16(folder_.path().string());
};

TEST_F(Worksheet, EmptySheetIsHeadAndTailAndTitlesAreCut)
{
    CWorksheet sheet(1, temp_);
    EXPECT_TRUE(sheet.IsOk());
    EXPECT_EQ(sheet.GetTitle(), u"Sheet 1");
    sheet.SetTitle(u"0123456789012345678901234567890123456789");
    EXPECT_EQ(sheet.GetTitle(), u"0123456789012345678901234567890");
    ExpectGolden(sheet, "sheet_empty.xml");
    EXPECT_FALSE(sheet.IsOk());
}

// Shared indices in order of first use; empty values leave their column
// empty; formulas; numbers of every type with a first column and a row
// height; dates as serial days in local time; cell by cell.
TEST_F(Worksheet, RowsOfEveryKind)
{
    const struct {
        const char* golden;
        std::function<void(CWorksheet&)> fill;
    } cases[] = {
        {"sheet_texts.xml",
         [](CWorksheet& s) {
             s.AddRow({{u"name", 0}, {u"value", 0}});
             s.AddRow({{u"value", 0}, {u"", 0}, {u"Ж", 0}, {u"name", 3}, {u"=SUM(A1:B1)", 0}});
             s.AddRow({{u"", 0}});
             s.AddRow(std::vector<StringCell>{});
             EXPECT_EQ(s.FormulaCells(), std::vector<std::string>{"E2"});
         }},
        {"sheet_numbers.xml",
         [](CWorksheet& s) {
             s.AddRow(std::vector<CellDataInt>{{-5, 0}, {7, 2}}, 2, 20.5f);
             s.AddRow(std::vector<CellDataUInt>{{4000000000u, 0}});
             s.AddRow(std::vector<CellDataDbl>{{55.750001361, 0}});
             s.AddRow(std::vector<CellDataFlt>{{0.5f, 0}});
             s.AddRow(std::vector<CellDataTime>{{86400 * 365 + 3600, 0}}, 1);
         }},
        {"sheet_cells.xml",
         [](CWorksheet& s) {
             s.BeginRow(3, 1);
             s.AddCell(StringCell{u"t", 0});
             s.AddCell(CellDataInt{9, 0});
             s.AddCell(CellDataDbl{2.5, 1});
             s.EndRow();
         }},
    };
    zv::platform::override_local_offset(0);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.golden);
        SharedStringTable strings;
        CWorksheet sheet(1, temp_, &strings);
        c.fill(sheet);
        EXPECT_EQ(sheet.HasFormulas(), c.golden == cases[0].golden);
        ExpectGolden(sheet, c.golden);
    }
    CWorksheet unshared(1, temp_);
    unshared.AddRow({{u"a &amp; b", 0}});
    EXPECT_NE(Finish(unshared).find("<c r=\"A1\"><v>a &amp; b</v></c>"), std::string::npos)
        << "text in the cell";
}

TEST_F(Worksheet, FrozenPanesColumnWidthsMergedRangesAndOrientation)
{
    CWorksheet sheet(1, temp_, nullptr, {{0, 1, 12.5f}, {27, 27, 8.43f}}, FrozenPane{2, 1});
    sheet.MergeCells({1, 0}, {2, 27});
    sheet.MergeCells({0, 0}, {1, 1}); // row 0 does not exist: ignored
    sheet.MergeCells({3, 2}, {3, 4});
    sheet.SetPageOrientation(true);
    ExpectGolden(sheet, "sheet_frozen.xml");
    CWorksheet rows_only(2, temp_, nullptr, {}, FrozenPane{0, 3});
    ExpectGolden(rows_only, "sheet_frozen_rows.xml");
}

// Part paths keep within 259 bytes of the ANSI code page, with no NUL; a
// worksheet whose path does not leaves nothing and ignores its rows.
TEST_F(Worksheet, UnconvertiblePathLeavesNothingAndIgnoresRows)
{
    const struct {
        const char* code_page;
        std::u16string path;
        bool fits;
    } cases[] = {
        {"1252", std::u16string(kMaxMultibytePath, u'a'), true},
        {"1252", std::u16string(kMaxMultibytePath + 1, u'a'), false},
        {"1251", std::u16string(kMaxMultibytePath, u'Ж'), true}, // one byte each
        {"65001", std::u16string(130, u'Ж'), false},             // 260 bytes of UTF-8
        {"1251", std::u16string(u"a\0b", 3), false},
    };
    for (const auto& c : cases) {
        zv::test::scoped_env env;
        env.set("ZV_ANSI_CODEPAGE", c.code_page);
#if defined(_WIN32) // Windows keeps its own code page: only its cases apply
        if (zv::foundation::ansi_code_page() != std::stoul(c.code_page))
            continue;
#endif
        EXPECT_EQ(FitsMultibytePath(c.path), c.fits) << c.code_page << " " << c.path.size();
    }
    SharedStringTable strings;
    CWorksheet sheet(1, temp_ + u"/" + std::u16string(300, u'd'), &strings);
    EXPECT_FALSE(sheet.IsOk());
    sheet.AddRow({{u"a", 0}});
    sheet.AddRow(std::vector<CellDataInt>{{1, 0}});
    EXPECT_TRUE(sheet.Save());
    EXPECT_TRUE(strings.Empty());
    EXPECT_TRUE(std::filesystem::is_empty(folder_.path()));
}

} // namespace
