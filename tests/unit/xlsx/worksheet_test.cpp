#include "xlsx/worksheet.h"

#include <gtest/gtest.h>

#include "kit/scratch_folder.h"
#include "platform/environment.h"

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
const std::string kPlainView = "<sheetViews><sheetView tabSelected=\"0\" workbookViewId=\"0\"/></sheetViews>";
const std::string kFormat = "<sheetFormatPr defaultRowHeight=\"15\" x14ac:dyDescent=\"0.25\"/>";

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
    std::string SheetData(CWorksheet& sheet)
    {
        const std::string text = Finish(sheet);
        const auto begin = text.find("<sheetData");
        const auto end = text.find("<pageMargins");
        return text.substr(begin, end - begin);
    }

    zv::test::scratch_folder folder_{"zv_xlsx"};
    const std::u16string temp_ = zv::test::u16(folder_.path().string());
    SharedStringTable strings_;
};

TEST_F(Worksheet, EmptySheetIsHeadAndTailAndTitlesAreCut)
{
    CWorksheet sheet(1, temp_, &strings_);
    EXPECT_TRUE(sheet.IsOk());
    EXPECT_EQ(sheet.GetTitle(), u"Sheet 1");
    sheet.SetTitle(u"0123456789012345678901234567890123456789");
    EXPECT_EQ(sheet.GetTitle(), u"0123456789012345678901234567890");
    EXPECT_EQ(Finish(sheet), kHead + kPlainView + kFormat + "<sheetData/>" + kTail);
    EXPECT_FALSE(sheet.IsOk());
}

TEST_F(Worksheet, StringRowsUseSharedIndicesInOrderOfFirstUse)
{
    CWorksheet sheet(1, temp_, &strings_);
    sheet.AddRow({{u"name", 0}, {u"value", 0}});
    sheet.AddRow({{u"value", 0}, {u"Ж", 0}, {u"name", 0}});
    EXPECT_EQ(SheetData(sheet),
              "<sheetData><row r=\"1\" spans=\"1:3\" x14ac:dyDescent=\"0.25\">"
              "<c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"B1\" t=\"s\"><v>1</v></c></row>"
              "<row r=\"2\" spans=\"1:4\" x14ac:dyDescent=\"0.25\"><c r=\"A2\" t=\"s\"><v>1</v></c>"
              "<c r=\"B2\" t=\"s\"><v>2</v></c><c r=\"C2\" t=\"s\"><v>0</v></c></row></sheetData>");
    EXPECT_EQ(strings_.Count(), 3u);
    EXPECT_EQ(strings_.At(2), "\xD0\x96");
}

TEST_F(Worksheet, EmptyValuesLeaveTheirColumnEmpty)
{
    CWorksheet sheet(1, temp_, &strings_);
    sheet.AddRow({{u"a", 0}, {u"b", 0}, {u"", 0}, {u"d", 3}});
    sheet.AddRow({{u"", 0}});
    sheet.AddRow(std::vector<StringCell>{});
    EXPECT_EQ(
        SheetData(sheet),
        "<sheetData><row r=\"1\" spans=\"1:5\" x14ac:dyDescent=\"0.25\"><c r=\"A1\" t=\"s\"><v>0</v></c>"
        "<c r=\"B1\" t=\"s\"><v>1</v></c><c r=\"D1\" s=\"3\" t=\"s\"><v>2</v></c></row>"
        "<row r=\"2\" spans=\"1:2\" x14ac:dyDescent=\"0.25\"/><row r=\"3\" spans=\"1:1\" "
        "x14ac:dyDescent=\"0.25\"/></sheetData>");
}

TEST_F(Worksheet, ReferencesPastZ)
{
    CWorksheet sheet(1, temp_, &strings_);
    std::vector<StringCell> row(703);
    for (int c : {0, 25, 26, 701, 702})
        row[static_cast<std::size_t>(c)].value = u"x" + zv::test::u16(std::to_string(c));
    sheet.AddRow(row);
    const std::string data = SheetData(sheet);
    for (const char* ref : {"\"A1\"", "\"Z1\"", "\"AA1\"", "\"ZZ1\"", "\"AAA1\""})
        EXPECT_NE(data.find(std::string("<c r=") + ref), std::string::npos) << ref;
    EXPECT_NE(data.find("spans=\"1:704\""), std::string::npos);
    EXPECT_NE(data.find("<c r=\"AAA1\" t=\"s\"><v>4</v></c></row>"), std::string::npos);
}

TEST_F(Worksheet, FormulasAreRecorded)
{
    CWorksheet sheet(2, temp_, &strings_);
    sheet.AddRow({{u"1", 0}, {u"=A1*2", 0}});
    sheet.AddRow({{u"", 0}, {u"", 0}, {u"=SUM(B1:B1)", 0}});
    EXPECT_TRUE(sheet.HasFormulas());
    EXPECT_EQ(sheet.FormulaCells(), (std::vector<std::string>{"B1", "C2"}));
    EXPECT_EQ(
        SheetData(sheet),
        "<sheetData><row r=\"1\" spans=\"1:3\" x14ac:dyDescent=\"0.25\"><c r=\"A1\" t=\"s\"><v>0</v></c>"
        "<c r=\"B1\"><f>A1*2</f></c></row><row r=\"2\" spans=\"1:4\" x14ac:dyDescent=\"0.25\">"
        "<c r=\"C2\"><f>SUM(B1:B1)</f></c></row></sheetData>");
}

TEST_F(Worksheet, WithoutSharedTableTextGoesIntoTheCell)
{
    CWorksheet sheet(1, temp_);
    sheet.AddRow({{u"a &amp; b", 0}});
    EXPECT_NE(SheetData(sheet).find("<c r=\"A1\"><v>a &amp; b</v></c>"), std::string::npos);
}

TEST_F(Worksheet, NumberRowsWithOffsetAndHeight)
{
    zv::platform::override_local_offset(0);
    CWorksheet sheet(1, temp_, &strings_);
    sheet.AddRow(std::vector<CellDataInt>{{-5, 0}, {7, 2}}, 2, 20.5f);
    sheet.AddRow(std::vector<CellDataUInt>{{4000000000u, 0}});
    sheet.AddRow(std::vector<CellDataDbl>{{0.1 + 0.2, 0}, {55.750001361, 0}});
    sheet.AddRow(std::vector<CellDataFlt>{{0.5f, 0}});
    sheet.AddRow(std::vector<CellDataTime>{{0, 0}, {86400 * 365 + 3600, 0}}, 1);
    EXPECT_EQ(SheetData(sheet),
              "<sheetData><row r=\"1\" spans=\"3:5\" ht=\"20.5\" customHeight=\"1\" x14ac:dyDescent=\"0.25\">"
              "<c r=\"C1\"><v>-5</v></c><c r=\"D1\" s=\"2\"><v>7</v></c></row>"
              "<row r=\"2\" spans=\"1:2\" x14ac:dyDescent=\"0.25\"><c r=\"A2\"><v>4000000000</v></c></row>"
              "<row r=\"3\" spans=\"1:3\" x14ac:dyDescent=\"0.25\"><c r=\"A3\"><v>0.3</v></c>"
              "<c r=\"B3\"><v>55.750001361</v></c></row>"
              "<row r=\"4\" spans=\"1:2\" x14ac:dyDescent=\"0.25\"><c r=\"A4\"><v>0.5</v></c></row>"
              "<row r=\"5\" spans=\"2:4\" x14ac:dyDescent=\"0.25\"><c r=\"B5\"><v>25569</v></c>"
              "<c r=\"C5\"><v>25934.0416666667</v></c></row></sheetData>");
}

TEST_F(Worksheet, CellByCellRows)
{
    CWorksheet sheet(1, temp_, &strings_);
    sheet.BeginRow(3, 1);
    sheet.AddCell(StringCell{u"t", 0});
    sheet.AddCell(CellDataInt{9, 0});
    sheet.AddCell(CellDataDbl{2.5, 1});
    sheet.EndRow();
    EXPECT_EQ(
        SheetData(sheet),
        "<sheetData><row r=\"1\" spans=\"2:5\" x14ac:dyDescent=\"0.25\"><c r=\"B1\" t=\"s\"><v>0</v></c>"
        "<c r=\"C1\"><v>9</v></c><c r=\"D1\" s=\"1\"><v>2.5</v></c></row></sheetData>");
}

TEST_F(Worksheet, FrozenPanesAndColumnWidths)
{
    CWorksheet sheet(1, temp_, &strings_, {{0, 1, 12.5f}, {27, 27, 8.43f}}, FrozenPane{2, 1});
    const std::string text = Finish(sheet);
    EXPECT_NE(text.find("<sheetView tabSelected=\"0\" workbookViewId=\"0\"><pane xSplit=\"2\" ySplit=\"1\" "
                        "topLeftCell=\"C2\" activePane=\"bottomRight\" state=\"frozen\"/>"
                        "<selection pane=\"topRight\" activeCell=\"C1\" sqref=\"C1\"/>"
                        "<selection pane=\"bottomLeft\" activeCell=\"A2\" sqref=\"A2\"/>"
                        "<selection pane=\"bottomRight\" activeCell=\"C2\" sqref=\"C2\"/></sheetView>"),
              std::string::npos);
    EXPECT_NE(text.find(kFormat +
                        "<cols><col min=\"1\" max=\"2\" width=\"12.5\"/>"
                        "<col min=\"28\" max=\"28\" width=\"8.43000030517578\"/></cols><sheetData/>"),
              std::string::npos);
    CWorksheet rows_only(2, temp_, &strings_, {}, FrozenPane{0, 3});
    EXPECT_NE(Finish(rows_only).find(
                  "<pane ySplit=\"3\" topLeftCell=\"A4\" activePane=\"bottomLeft\" state=\"frozen\"/>"
                  "<selection pane=\"bottomLeft\" activeCell=\"A4\" sqref=\"A4\"/></sheetView>"),
              std::string::npos);
}

TEST_F(Worksheet, MergedRangesAndOrientation)
{
    CWorksheet sheet(1, temp_, &strings_);
    sheet.MergeCells({1, 0}, {2, 27});
    sheet.MergeCells({0, 0}, {1, 1}); // row 0 does not exist: ignored
    sheet.MergeCells({3, 2}, {3, 4});
    sheet.SetPageOrientation(true);
    const std::string text = Finish(sheet);
    EXPECT_NE(
        text.find("<sheetData/><mergeCells count=\"2\"><mergeCell ref=\"A1:AB2\"/><mergeCell ref=\"C3:E3\"/>"
                  "</mergeCells><pageMargins"),
        std::string::npos);
    EXPECT_NE(text.find("orientation=\"landscape\""), std::string::npos);
}

TEST_F(Worksheet, UnconvertiblePathLeavesNothingAndIgnoresRows)
{
    const std::u16string deep = temp_ + u"/" + std::u16string(300, u'd');
    CWorksheet sheet(1, deep, &strings_);
    EXPECT_FALSE(sheet.IsOk());
    sheet.AddRow({{u"a", 0}});
    sheet.AddRow(std::vector<CellDataInt>{{1, 0}});
    EXPECT_TRUE(sheet.Save());
    EXPECT_TRUE(strings_.Empty());
    EXPECT_TRUE(std::filesystem::is_empty(folder_.path()));
}

} // namespace
