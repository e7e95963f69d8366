// Writers of the package parts that describe the workbook as a whole:
// content types, relationships, document properties, the workbook part,
// shared strings and the calculation chain. Each writes one document after
// the declaration line; the workbook decides when and where.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/environment.h"
#include "xlsx/shared_strings.h"
#include "xlsx/xml_writer.h"

namespace zv::xlsx
{

// What the describing parts need to know about a workbook.
struct PackageSummary {
    std::vector<std::u16string> worksheetTitles;  // in worksheet order
    std::vector<std::u16string> chartsheetTitles; // in chartsheet order
    bool hasSharedStrings = false;
    bool hasFormulas = false;
};

// A formula cell of the calculation chain.
struct FormulaCell {
    std::string reference;   // e.g. "C7"
    std::uint32_t sheet = 0; // worksheet number
};

// The user name for the document properties: USERNAME, or "Unknown" when unset;
// at most 259 characters.
std::u16string DocumentUserName();
// "%4d-%02d-%02dT%02d:%02d:%02dZ".
std::string W3cdtfTimeStamp(const zv::platform::civil_time& utc);

void WriteCoreXml(XmlWriter& xml, const std::u16string& user, const std::string& stamp);
void WriteRootRelsXml(XmlWriter& xml);
void WriteAppXml(XmlWriter& xml, const PackageSummary& summary);
void WriteContentTypesXml(XmlWriter& xml, const PackageSummary& summary);
void WriteWorkbookXml(XmlWriter& xml, const PackageSummary& summary);
void WriteWorkbookRelsXml(XmlWriter& xml, const PackageSummary& summary);
void WriteSharedStringsXml(XmlWriter& xml, const SharedStringTable& strings);
void WriteCalcChainXml(XmlWriter& xml, const std::vector<FormulaCell>& cells);

} // namespace zv::xlsx
