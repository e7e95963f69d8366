// The fixed parts of a package as its content varies: which parts appear,
// the calculation chain's place, chartsheets after worksheets, the user name.
#include "xlsx/package_parts.h"

#include <gtest/gtest.h>

#include "platform/environment.h"
#include "test_support.h"

using namespace zv::xlsx;

namespace
{

bool Contains(const std::string& text, const std::string& piece)
{
    return text.find(piece) != std::string::npos;
}

TEST(PackageParts, UserNameDefaultsAndIsCut)
{
    zv::platform::override_environment_variable(u"USERNAME", std::nullopt);
    EXPECT_EQ(DocumentUserName(), u"Unknown");
    zv::platform::override_environment_variable(u"USERNAME", std::u16string(300, u'u'));
    EXPECT_EQ(DocumentUserName().size(), 259u);
    zv::platform::clear_environment_overrides();
}

TEST(PackageParts, SharedStringsAndSheetsAppearOnlyWhenThere)
{
    const PackageSummary plain{.worksheetTitles = {u"Attributes"}};
    EXPECT_FALSE(Contains(xlsx_test::WriteToString([&](XmlWriter& x) { WriteContentTypesXml(x, plain); }),
                          "sharedStrings"));
    EXPECT_FALSE(Contains(xlsx_test::WriteToString([&](XmlWriter& x) { WriteWorkbookRelsXml(x, plain); }),
                          "sharedStrings"));
    EXPECT_FALSE(Contains(
        xlsx_test::WriteToString([](XmlWriter& x) { WriteWorkbookXml(x, PackageSummary{}); }), "<sheets"));
}

TEST(PackageParts, FormulasAddTheCalculationChainBeforeSharedStrings)
{
    const PackageSummary s{
        .worksheetTitles = {u"Attributes", u"Second"}, .hasSharedStrings = true, .hasFormulas = true};
    const std::string rels = xlsx_test::WriteToString([&](XmlWriter& x) { WriteWorkbookRelsXml(x, s); });
    EXPECT_TRUE(Contains(rels,
                         "<Relationship Id=\"rId4\" Type=\"http://schemas.openxmlformats.org/officeDocument/"
                         "2006/relationships/worksheet\" Target=\"worksheets/sheet2.xml\"/><Relationship "
                         "Id=\"rId5\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
                         "relationships/calcChain\" Target=\"calcChain.xml\"/>"));
    EXPECT_TRUE(Contains(rels, "Id=\"rId6\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
                               "relationships/sharedStrings\""));
    EXPECT_TRUE(Contains(xlsx_test::WriteToString([&](XmlWriter& x) { WriteContentTypesXml(x, s); }),
                         "sheet2.xml\" ContentType=\"application/vnd.openxmlformats-officedocument."
                         "spreadsheetml.worksheet+xml\"/><Override PartName=\"/xl/calcChain.xml\""));
    EXPECT_EQ(xlsx_test::WriteToString([](XmlWriter& x) {
                  WriteCalcChainXml(x, {{"B2", 1}, {"AA10", 2}});
              }),
              xlsx_test::Golden("calcChain.xml"));
}

// Markup in titles is quoted in both parts that name them.
TEST(PackageParts, ChartsheetsAreCountedAfterWorksheets)
{
    const PackageSummary s{.worksheetTitles = {u"Attributes"},
                           .chartsheetTitles = {u"R&D <\"x\">"},
                           .hasSharedStrings = true,
                           .hasFormulas = true};
    const std::string app = xlsx_test::WriteToString([&](XmlWriter& x) { WriteAppXml(x, s); });
    EXPECT_TRUE(Contains(app, "<vt:vector size=\"4\" baseType=\"variant\">"));
    EXPECT_TRUE(Contains(app, "<vt:lpstr>Diagramms</vt:lpstr></vt:variant><vt:variant><vt:i4>1</vt:i4>"));
    EXPECT_TRUE(Contains(app, "<vt:vector size=\"2\" baseType=\"lpstr\"><vt:lpstr>Attributes</vt:lpstr>"
                              "<vt:lpstr>R&amp;D &lt;&quot;x&quot;&gt;</vt:lpstr></vt:vector>"));
    EXPECT_TRUE(Contains(xlsx_test::WriteToString([&](XmlWriter& x) { WriteWorkbookXml(x, s); }),
                         "<sheet name=\"R&amp;D &lt;&quot;x&quot;&gt;\" sheetId=\"2\" r:id=\"rId5\"/>"));
}

} // namespace
