#include "xlsx/package_parts.h"

#include <cstdio>

#include "xlsx/cell_text.h"
#include "xlsx/utf8.h"

namespace zv::xlsx
{
namespace
{

constexpr const char* kMainNs = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
constexpr const char* kRelsNs = "http://schemas.openxmlformats.org/package/2006/relationships";
constexpr const char* kOfficeRels = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
constexpr const char* kOpenXml = "application/vnd.openxmlformats-officedocument.";

// Titles and the user name are plain text: quote them so that &, < and "
// cannot break the document.
std::u16string Quoted(const std::u16string& text)
{
    return XmlEscape(text);
}

std::string RelId(std::size_t n)
{
    return "rId" + std::to_string(n);
}

void Relationship(XmlWriter& xml, const std::string& id, const std::string& type, const std::string& target)
{
    xml.Tag("Relationship").Attr("Id", id).Attr("Type", type).Attr("Target", target).End();
}

void Override(XmlWriter& xml, const std::string& part, const std::string& type)
{
    xml.Tag("Override").Attr("PartName", part).Attr("ContentType", type).End();
}

void Default(XmlWriter& xml, const char* extension, const char* type)
{
    xml.Tag("Default").Attr("Extension", extension).Attr("ContentType", type).End();
}

void WriteHeadingPairs(XmlWriter& xml, const PackageSummary& s)
{
    const bool charts = !s.chartsheetTitles.empty();
    xml.Tag("HeadingPairs").Tag("vt:vector").Attr("size", charts ? 4 : 2).Attr("baseType", "variant");
    xml.Tag("vt:variant").Element("vt:lpstr", "Worksheets").End("vt:variant");
    xml.Tag("vt:variant").Element("vt:i4", s.worksheetTitles.size()).End("vt:variant");
    if (charts) {
        xml.Tag("vt:variant").Element("vt:lpstr", "Diagramms").End("vt:variant");
        xml.Tag("vt:variant").Element("vt:i4", s.chartsheetTitles.size()).End("vt:variant");
    }
    xml.End("HeadingPairs");
}

void WriteTitlesOfParts(XmlWriter& xml, const PackageSummary& s)
{
    xml.Tag("TitlesOfParts").Tag("vt:vector");
    xml.Attr("size", s.worksheetTitles.size() + s.chartsheetTitles.size()).Attr("baseType", "lpstr");
    for (const auto& title : s.worksheetTitles)
        xml.Element("vt:lpstr", Quoted(title));
    for (const auto& title : s.chartsheetTitles)
        xml.Element("vt:lpstr", Quoted(title));
    xml.End("TitlesOfParts");
}

void WriteSheetEntry(XmlWriter& xml, const std::u16string& title, std::size_t id, const std::string& rel)
{
    xml.Tag("sheet").Attr("name", Quoted(title)).Attr("sheetId", id).Attr("r:id", rel).End();
}

} // namespace

std::u16string DocumentUserName()
{
    auto user = zv::platform::get_environment_variable(u"USERNAME");
    if (!user)
        return u"Unknown";
    if (user->size() > 259)
        user->resize(259);
    return *user;
}

std::string W3cdtfTimeStamp(const zv::platform::civil_time& t)
{
    char text[64];
    std::snprintf(text, sizeof text, "%4d-%02d-%02dT%02d:%02d:%02dZ", t.year, t.month, t.day, t.hour,
                  t.minute, t.second);
    return text;
}

void WriteCoreXml(XmlWriter& xml, const std::u16string& user, const std::string& stamp)
{
    xml.Tag("cp:coreProperties")
        .Attr("xmlns:cp", "http://schemas.openxmlformats.org/package/2006/metadata/core-properties")
        .Attr("xmlns:dc", "http://purl.org/dc/elements/1.1/")
        .Attr("xmlns:dcterms", "http://purl.org/dc/terms/")
        .Attr("xmlns:dcmitype", "http://purl.org/dc/dcmitype/")
        .Attr("xmlns:xsi", "http://www.w3.org/2001/XMLSchema-instance");
    xml.Element("dc:creator", Quoted(user));
    xml.Element("cp:lastModifiedBy", Quoted(user));
    xml.Tag("dcterms:created").Attr("xsi:type", "dcterms:W3CDTF").Text(stamp).End("dcterms:created");
    xml.Tag("dcterms:modified").Attr("xsi:type", "dcterms:W3CDTF").Text(stamp).End("dcterms:modified");
    xml.End("cp:coreProperties");
}

void WriteRootRelsXml(XmlWriter& xml)
{
    const std::string office = kOfficeRels;
    xml.Tag("Relationships").Attr("xmlns", kRelsNs);
    Relationship(xml, "rId3", office + "/extended-properties", "docProps/app.xml");
    Relationship(xml, "rId2",
                 "http://schemas.openxmlformats.org/package/2006/relationships/metadata/core-properties",
                 "docProps/core.xml");
    Relationship(xml, "rId1", office + "/officeDocument", "xl/workbook.xml");
    xml.End("Relationships");
}

void WriteAppXml(XmlWriter& xml, const PackageSummary& s)
{
    xml.Tag("Properties")
        .Attr("xmlns", "http://schemas.openxmlformats.org/officeDocument/2006/extended-properties");
    xml.Attr("xmlns:vt", "http://schemas.openxmlformats.org/officeDocument/2006/docPropsVTypes");
    xml.Element("Application", "Microsoft Excel").Element("DocSecurity", 0).Element("ScaleCrop", "false");
    WriteHeadingPairs(xml, s);
    WriteTitlesOfParts(xml, s);
    xml.Element("Company", "");
    xml.Element("LinksUpToDate", "false").Element("SharedDoc", "false").Element("HyperlinksChanged", "false");
    xml.Element("AppVersion", 14.03);
    xml.End("Properties");
}

void WriteContentTypesXml(XmlWriter& xml, const PackageSummary& s)
{
    const std::string type = kOpenXml;
    xml.Tag("Types").Attr("xmlns", "http://schemas.openxmlformats.org/package/2006/content-types");
    Default(xml, "rels", "application/vnd.openxmlformats-package.relationships+xml");
    Default(xml, "xml", "application/xml");
    Override(xml, "/xl/workbook.xml", type + "spreadsheetml.sheet.main+xml");
    Override(xml, "/xl/theme/theme1.xml", type + "theme+xml");
    Override(xml, "/xl/styles.xml", type + "spreadsheetml.styles+xml");
    Override(xml, "/docProps/core.xml", "application/vnd.openxmlformats-package.core-properties+xml");
    Override(xml, "/docProps/app.xml", type + "extended-properties+xml");
    if (s.hasSharedStrings)
        Override(xml, "/xl/sharedStrings.xml", type + "spreadsheetml.sharedStrings+xml");
    for (std::size_t i = 1; i <= s.worksheetTitles.size(); ++i)
        Override(xml, "/xl/worksheets/sheet" + std::to_string(i) + ".xml",
                 type + "spreadsheetml.worksheet+xml");
    if (s.hasFormulas)
        Override(xml, "/xl/calcChain.xml", type + "spreadsheetml.calcChain+xml");
    for (std::size_t i = 1; i <= s.chartsheetTitles.size(); ++i) {
        const std::string n = std::to_string(i);
        Override(xml, "/xl/charts/chart" + n + ".xml", type + "drawingml.chart+xml");
        Override(xml, "/xl/drawings/drawing" + n + ".xml", type + "drawing+xml");
        Override(xml, "/xl/chartsheets/sheet" + n + ".xml", type + "spreadsheetml.chartsheet+xml");
    }
    xml.End("Types");
}

void WriteWorkbookXml(XmlWriter& xml, const PackageSummary& s)
{
    xml.Tag("workbook").Attr("xmlns", kMainNs).Attr("xmlns:r", kOfficeRels);
    xml.Tag("fileVersion").Attr("appName", "xl").Attr("lastEdited", 5).Attr("lowestEdited", 5);
    xml.Attr("rupBuild", 9302).End();
    xml.Tag("workbookPr").Attr("codeName", "ThisWorkbook").Attr("defaultThemeVersion", 124226).End();
    xml.Tag("bookViews").Tag("workbookView").Attr("xWindow", 270).Attr("yWindow", 630);
    xml.Attr("windowWidth", 24615).Attr("windowHeight", 11445).End("bookViews");
    const std::size_t sheets = s.worksheetTitles.size();
    if (sheets + s.chartsheetTitles.size() != 0) {
        xml.Tag("sheets");
        // Worksheets take rId3 on; chartsheets follow the calculation chain's number.
        const std::size_t chart_base = 3 + sheets + (s.hasFormulas ? 1 : 0);
        std::size_t id = 1;
        for (std::size_t i = 0; i < sheets; ++i, ++id)
            WriteSheetEntry(xml, s.worksheetTitles[i], id, RelId(3 + i));
        for (std::size_t i = 0; i < s.chartsheetTitles.size(); ++i, ++id)
            WriteSheetEntry(xml, s.chartsheetTitles[i], id, RelId(chart_base + i));
        xml.End("sheets");
    }
    xml.Tag("calcPr").Attr("calcId", 124519).End();
    xml.End("workbook");
}

void WriteWorkbookRelsXml(XmlWriter& xml, const PackageSummary& s)
{
    const std::string office = kOfficeRels;
    xml.Tag("Relationships").Attr("xmlns", kRelsNs);
    Relationship(xml, "rId1", office + "/styles", "styles.xml");
    Relationship(xml, "rId2", office + "/theme", "theme/theme1.xml");
    std::size_t id = 3;
    for (std::size_t i = 1; i <= s.worksheetTitles.size(); ++i)
        Relationship(xml, RelId(id++), office + "/worksheet",
                     "worksheets/sheet" + std::to_string(i) + ".xml");
    if (s.hasFormulas)
        Relationship(xml, RelId(id++), office + "/calcChain", "calcChain.xml");
    for (std::size_t i = 1; i <= s.chartsheetTitles.size(); ++i)
        Relationship(xml, RelId(id++), office + "/chartsheet",
                     "chartsheets/sheet" + std::to_string(i) + ".xml");
    if (s.hasSharedStrings)
        Relationship(xml, RelId(id++), office + "/sharedStrings", "sharedStrings.xml");
    xml.End("Relationships");
}

void WriteSharedStringsXml(XmlWriter& xml, const SharedStringTable& strings)
{
    xml.Tag("sst").Attr("xmlns", kMainNs).Attr("count", strings.Count()).Attr("uniqueCount", strings.Count());
    // One string element per text, so its tags are written whole.
    strings.ForEach([&xml](std::string_view text) {
        xml.Markup(HasEdgeSpace(text) ? "<si><t xml:space=\"preserve\">" : "<si><t>");
        WriteCellText(xml, text);
        xml << "</t></si>";
    });
    xml.End("sst");
}

void WriteCalcChainXml(XmlWriter& xml, const std::vector<FormulaCell>& cells)
{
    xml.Tag("calcChain").Attr("xmlns", kMainNs);
    for (const FormulaCell& cell : cells)
        xml.Tag("c").Attr("r", cell.reference).Attr("i", cell.sheet).End();
    xml.End("calcChain");
}

} // namespace zv::xlsx
