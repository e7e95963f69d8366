#include "xlsx/package_parts.h"

#include <gtest/gtest.h>

#include "test_support.h"
#include "xlsx/theme_xml.h"

using namespace zv::xlsx;
using xlsx_test::Golden;
using xlsx_test::WriteToString;

namespace
{

// The workbook of the attribute export: one sheet, shared strings, no formulas.
PackageSummary AttributeExport()
{
    PackageSummary s;
    s.worksheetTitles = {u"Attributes"};
    s.hasSharedStrings = true;
    return s;
}

bool Contains(const std::string& text, const std::string& piece)
{
    return text.find(piece) != std::string::npos;
}

class DocumentProperties : public ::testing::Test
{
  protected:
    void TearDown() override { zv::platform::clear_environment_overrides(); }
};

TEST_F(DocumentProperties, CoreMatchesGoldenWithInjectedUserAndTime)
{
    zv::platform::override_environment_variable(u"USERNAME", u"Иванов");
    const std::string stamp = W3cdtfTimeStamp({2026, 3, 7, 9, 5, 1});
    EXPECT_EQ(stamp, "2026-03-07T09:05:01Z");
    EXPECT_EQ(WriteToString([&](XmlWriter& x) { WriteCoreXml(x, DocumentUserName(), stamp); }),
              Golden("core.xml"));
}

TEST_F(DocumentProperties, UserNameDefaultsAndIsCut)
{
    zv::platform::override_environment_variable(u"USERNAME", std::nullopt);
    EXPECT_EQ(DocumentUserName(), u"Unknown");
    zv::platform::override_environment_variable(u"USERNAME", std::u16string(300, u'u'));
    EXPECT_EQ(DocumentUserName().size(), 259u);
}

TEST_F(DocumentProperties, MarkupInUserNameIsQuoted)
{
    const std::string xml =
        WriteToString([](XmlWriter& x) { WriteCoreXml(x, u"A&B <\"C\">", "2026-01-01T00:00:00Z"); });
    EXPECT_TRUE(Contains(xml, "<dc:creator>A&amp;B &lt;&quot;C&quot;&gt;</dc:creator>"));
    EXPECT_TRUE(Contains(xml, "<cp:lastModifiedBy>A&amp;B &lt;&quot;C&quot;&gt;</cp:lastModifiedBy>"));
}

TEST(PackageParts, FixedPartsMatchGolden)
{
    const PackageSummary s = AttributeExport();
    EXPECT_EQ(WriteToString([](XmlWriter& x) { WriteRootRelsXml(x); }), Golden("rels.xml"));
    EXPECT_EQ(WriteToString([&](XmlWriter& x) { WriteAppXml(x, s); }), Golden("app.xml"));
    EXPECT_EQ(WriteToString([&](XmlWriter& x) { WriteContentTypesXml(x, s); }), Golden("content_types.xml"));
    EXPECT_EQ(WriteToString([&](XmlWriter& x) { WriteWorkbookXml(x, s); }), Golden("workbook.xml"));
    EXPECT_EQ(WriteToString([&](XmlWriter& x) { WriteWorkbookRelsXml(x, s); }), Golden("workbook_rels.xml"));
    EXPECT_EQ(WriteToString([](XmlWriter& x) { WriteThemeXml(x); }), Golden("theme1.xml"));
}

TEST(PackageParts, WithoutSharedStringsNothingRefersToThem)
{
    PackageSummary s = AttributeExport();
    s.hasSharedStrings = false;
    EXPECT_FALSE(Contains(WriteToString([&](XmlWriter& x) { WriteContentTypesXml(x, s); }), "sharedStrings"));
    EXPECT_FALSE(Contains(WriteToString([&](XmlWriter& x) { WriteWorkbookRelsXml(x, s); }), "sharedStrings"));
}

TEST(PackageParts, FormulasAddTheCalculationChainBeforeSharedStrings)
{
    PackageSummary s = AttributeExport();
    s.worksheetTitles.push_back(u"Second");
    s.hasFormulas = true;
    const std::string rels = WriteToString([&](XmlWriter& x) { WriteWorkbookRelsXml(x, s); });
    EXPECT_TRUE(Contains(rels,
                         "<Relationship Id=\"rId4\" Type=\"http://schemas.openxmlformats.org/officeDocument/"
                         "2006/relationships/worksheet\" Target=\"worksheets/sheet2.xml\"/><Relationship "
                         "Id=\"rId5\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
                         "relationships/calcChain\" Target=\"calcChain.xml\"/>"));
    EXPECT_TRUE(Contains(rels, "Id=\"rId6\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
                               "relationships/sharedStrings\""));
    const std::string types = WriteToString([&](XmlWriter& x) { WriteContentTypesXml(x, s); });
    EXPECT_TRUE(Contains(types, "sheet2.xml\" ContentType=\"application/vnd.openxmlformats-officedocument."
                                "spreadsheetml.worksheet+xml\"/><Override PartName=\"/xl/calcChain.xml\""));
    const std::string chain = WriteToString([](XmlWriter& x) {
        WriteCalcChainXml(x, {{"B2", 1}, {"AA10", 2}});
    });
    EXPECT_EQ(chain, Golden("calcChain.xml"));
}

TEST(PackageParts, ChartsheetsAreCountedAfterWorksheets)
{
    PackageSummary s = AttributeExport();
    s.chartsheetTitles = {u"Chart"};
    s.hasFormulas = true;
    const std::string app = WriteToString([&](XmlWriter& x) { WriteAppXml(x, s); });
    EXPECT_TRUE(Contains(app, "<vt:vector size=\"4\" baseType=\"variant\">"));
    EXPECT_TRUE(Contains(app, "<vt:lpstr>Diagramms</vt:lpstr></vt:variant><vt:variant><vt:i4>1</vt:i4>"));
    EXPECT_TRUE(Contains(app, "<vt:vector size=\"2\" baseType=\"lpstr\"><vt:lpstr>Attributes</vt:lpstr>"
                              "<vt:lpstr>Chart</vt:lpstr></vt:vector>"));
    const std::string book = WriteToString([&](XmlWriter& x) { WriteWorkbookXml(x, s); });
    EXPECT_TRUE(Contains(book, "<sheet name=\"Chart\" sheetId=\"2\" r:id=\"rId5\"/>"));
}

TEST(PackageParts, MarkupInTitlesIsQuoted)
{
    PackageSummary s;
    s.worksheetTitles = {u"R&D <\"x\">"};
    EXPECT_TRUE(Contains(WriteToString([&](XmlWriter& x) { WriteWorkbookXml(x, s); }),
                         "<sheet name=\"R&amp;D &lt;&quot;x&quot;&gt;\" sheetId=\"1\" r:id=\"rId3\"/>"));
    EXPECT_TRUE(Contains(WriteToString([&](XmlWriter& x) { WriteAppXml(x, s); }),
                         "<vt:lpstr>R&amp;D &lt;&quot;x&quot;&gt;</vt:lpstr>"));
}

TEST(PackageParts, WorkbookWithoutSheetsHasNoSheetsElement)
{
    EXPECT_FALSE(
        Contains(WriteToString([](XmlWriter& x) { WriteWorkbookXml(x, PackageSummary{}); }), "<sheets"));
}

TEST(PackageParts, SharedStringsInIndexOrder)
{
    SharedStringTable table;
    table.IndexOf("second");
    table.IndexOf("\xD0\x96 &amp; x");
    table.IndexOf("second");
    EXPECT_EQ(WriteToString([&](XmlWriter& x) { WriteSharedStringsXml(x, table); }),
              Golden("sharedStrings.xml"));
}

} // namespace
