#include "xlsx/worksheet.h"

#include <gtest/gtest.h>

#include <functional>

#include "foundation/code_page.h"
#include "kit/scoped_env.h"
#include "kit/scratch_folder.h"
#include "platform/environment.h"
#include "xlsx/utf8.h"

using namespace zv::xlsx;

namespace
{

const std::string kHead =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\" ?>\n"
    "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
    "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\" "
    "xmlns:mc=\"http://schemas.openxmlformats.org/markup-compatibility/2006\" mc:Ignorable=\"x14ac\" "
    "xmlns:x14ac=\"http://schemas.microsoft.com/office/spreadsheetml/2009/9/ac\"><dimension ref=\"A1\"/>";
const std::string kTail =
    "<pageMargins left=\"0.7\" right=\"0.7\" top=\"0.75\" bottom=\"0.75\" header=\"0.3\" "
    "footer=\"0.3\"/><pageSetup paperSize=\"9\" orientation=\"portrait\"/></worksheet>";
const std::string kFormat = "<sheetFormatPr defaultRowHeight=\"15\" x14ac:dyDescent=\"0.25\"/>";

// A row element as the sheet data holds it.
std::string Row(int r, const std::string& spans, const std::string& cells, const std::string& height = "")
{
    return "<row r=\"" + std::to_string(r) + "\" spans=\"" + spans + "\"" + height +
           " x14ac:dyDescent=\"0.25\"" + (cells.empty() ? "/>" : ">" + cells + "</row>");
}

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
    EXPECT_EQ(Finish(sheet),
              kHead + "<sheetViews><sheetView tabSelected=\"0\" workbookViewId=\"0\"/></sheetViews>" +
                  kFormat + "<sheetData/>" + kTail);
    EXPECT_FALSE(sheet.IsOk());
}

// Shared indices in order of first use; empty values leave their column
// empty; formulas; numbers of every type with a first column and a row
// height; dates as serial days in local time; cell by cell.
TEST_F(Worksheet, RowsOfEveryKind)
{
    const struct {
        const char* what;
        std::function<void(CWorksheet&)> fill;
        std::string data;
    } cases[] = {
        {"texts, empty values and formulas",
         [](CWorksheet& s) {
             s.AddRow({{u"name", 0}, {u"value", 0}});
             s.AddRow({{u"value", 0}, {u"", 0}, {u"Ж", 0}, {u"name", 3}, {u"=SUM(A1:B1)", 0}});
             s.AddRow({{u"", 0}});
             s.AddRow(std::vector<StringCell>{});
             EXPECT_EQ(s.FormulaCells(), std::vector<std::string>{"E2"});
         },
         Row(1, "1:3", "<c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"B1\" t=\"s\"><v>1</v></c>") +
             Row(2, "1:6",
                 "<c r=\"A2\" t=\"s\"><v>1</v></c><c r=\"C2\" t=\"s\"><v>2</v></c><c r=\"D2\" s=\"3\" "
                 "t=\"s\"><v>0</v></c><c r=\"E2\"><f>SUM(A1:B1)</f></c>") +
             Row(3, "1:2", "") + Row(4, "1:1", "")},
        {"numbers",
         [](CWorksheet& s) {
             s.AddRow(std::vector<CellDataInt>{{-5, 0}, {7, 2}}, 2, 20.5f);
             s.AddRow(std::vector<CellDataUInt>{{4000000000u, 0}});
             s.AddRow(std::vector<CellDataDbl>{{55.750001361, 0}});
             s.AddRow(std::vector<CellDataFlt>{{0.5f, 0}});
             s.AddRow(std::vector<CellDataTime>{{86400 * 365 + 3600, 0}}, 1);
         },
         Row(1, "3:5", "<c r=\"C1\"><v>-5</v></c><c r=\"D1\" s=\"2\"><v>7</v></c>",
             " ht=\"20.5\" customHeight=\"1\"") +
             Row(2, "1:2", "<c r=\"A2\"><v>4000000000</v></c>") +
             Row(3, "1:2", "<c r=\"A3\"><v>55.750001361</v></c>") +
             Row(4, "1:2", "<c r=\"A4\"><v>0.5</v></c>") +
             Row(5, "2:3", "<c r=\"B5\"><v>25934.0416666667</v></c>")},
        {"cell by cell",
         [](CWorksheet& s) {
             s.BeginRow(3, 1);
             s.AddCell(StringCell{u"t", 0});
             s.AddCell(CellDataInt{9, 0});
             s.AddCell(CellDataDbl{2.5, 1});
             s.EndRow();
         },
         Row(1, "2:5",
             "<c r=\"B1\" t=\"s\"><v>0</v></c><c r=\"C1\"><v>9</v></c><c r=\"D1\" s=\"1\"><v>2.5</v></c>")},
    };
    zv::platform::override_local_offset(0);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SharedStringTable strings;
        CWorksheet sheet(1, temp_, &strings);
        c.fill(sheet);
        EXPECT_EQ(sheet.HasFormulas(), c.what == cases[0].what);
        const std::string text = Finish(sheet);
        const auto begin = text.find("<sheetData>");
        EXPECT_EQ(text.substr(begin, text.find("<pageMargins") - begin),
                  "<sheetData>" + c.data + "</sheetData>");
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
    const std::string text = Finish(sheet);
    EXPECT_NE(text.find("<sheetView tabSelected=\"0\" workbookViewId=\"0\"><pane xSplit=\"2\" ySplit=\"1\" "
                        "topLeftCell=\"C2\" activePane=\"bottomRight\" state=\"frozen\"/>"
                        "<selection pane=\"topRight\" activeCell=\"C1\" sqref=\"C1\"/>"
                        "<selection pane=\"bottomLeft\" activeCell=\"A2\" sqref=\"A2\"/>"
                        "<selection pane=\"bottomRight\" activeCell=\"C2\" sqref=\"C2\"/></sheetView>"),
              std::string::npos);
    EXPECT_NE(text.find(kFormat +
                        "<cols><col min=\"1\" max=\"2\" width=\"12.5\"/>"
                        "<col min=\"28\" max=\"28\" width=\"8.43000030517578\"/></cols><sheetData/>"
                        "<mergeCells count=\"2\"><mergeCell ref=\"A1:AB2\"/><mergeCell ref=\"C3:E3\"/>"
                        "</mergeCells><pageMargins"),
              std::string::npos);
    EXPECT_NE(text.find("orientation=\"landscape\""), std::string::npos);
    CWorksheet rows_only(2, temp_, nullptr, {}, FrozenPane{0, 3});
    EXPECT_NE(Finish(rows_only).find("<pane ySplit=\"3\" topLeftCell=\"A4\" activePane=\"bottomLeft\" "
                                     "state=\"frozen\"/><selection pane=\"bottomLeft\" activeCell=\"A4\" "
                                     "sqref=\"A4\"/></sheetView>"),
              std::string::npos);
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
