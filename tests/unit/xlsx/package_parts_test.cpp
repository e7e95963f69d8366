// The fixed parts of a package as its content varies, and the user name.
#include "xlsx/package_parts.h"

#include <gtest/gtest.h>

#include <functional>

#include "platform/environment.h"
#include "test_support.h"

using namespace zv::xlsx;

namespace
{

TEST(PackageParts, UserNameDefaultsAndIsCut)
{
    zv::platform::override_environment_variable(u"USERNAME", std::nullopt);
    EXPECT_EQ(DocumentUserName(), u"Unknown");
    zv::platform::override_environment_variable(u"USERNAME", std::u16string(300, u'u'));
    EXPECT_EQ(DocumentUserName().size(), 259u);
    zv::platform::clear_environment_overrides();
}

// The fixed parts as the content varies, each against its golden file: no
// shared strings and no sheets where there are none; formulas add the
// calculation chain before the shared strings; a chartsheet is counted
// after the worksheets, with the markup in its title quoted.
TEST(PackageParts, FixedPartsFollowTheContent)
{
    const PackageSummary plain{.worksheetTitles = {u"Attributes"}};
    const PackageSummary formulas{
        .worksheetTitles = {u"Attributes", u"Second"}, .hasSharedStrings = true, .hasFormulas = true};
    const PackageSummary chart{.worksheetTitles = {u"Attributes"},
                               .chartsheetTitles = {u"R&D <\"x\">"},
                               .hasSharedStrings = true,
                               .hasFormulas = true};
    const std::pair<std::string, std::function<void(XmlWriter&)>> parts[] = {
        {"plain.[Content_Types].xml", [&](XmlWriter& x) { WriteContentTypesXml(x, plain); }},
        {"plain.workbook.xml.rels", [&](XmlWriter& x) { WriteWorkbookRelsXml(x, plain); }},
        {"no_sheets.workbook.xml", [](XmlWriter& x) { WriteWorkbookXml(x, PackageSummary{}); }},
        {"formulas.[Content_Types].xml", [&](XmlWriter& x) { WriteContentTypesXml(x, formulas); }},
        {"formulas.workbook.xml.rels", [&](XmlWriter& x) { WriteWorkbookRelsXml(x, formulas); }},
        {"calcChain.xml",
         [](XmlWriter& x) {
             WriteCalcChainXml(x, {{"B2", 1}, {"AA10", 2}});
         }},
        {"chartsheet.app.xml", [&](XmlWriter& x) { WriteAppXml(x, chart); }},
        {"chartsheet.workbook.xml", [&](XmlWriter& x) { WriteWorkbookXml(x, chart); }},
    };
    for (const auto& [golden, write] : parts) {
        const std::string xml = xlsx_test::WriteToString(write);
        EXPECT_EQ(xml, xlsx_test::Golden(golden)) << golden;
    }
}

} // namespace
