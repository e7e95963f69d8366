// Writes the styles part ("xl/styles.xml") from a workbook's style list.
#pragma once

#include "xlsx/style_list.h"
#include "xlsx/xml_writer.h"

namespace zv::xlsx
{

// Writes the "styleSheet" document (after the declaration line).
void WriteStylesXml(XmlWriter& xml, const StyleList& styles);

// Name of a fill pattern; empty for a value outside the enumeration.
const char* PatternName(std::int32_t pattern);
// Name of a border line style; null when the value means no line.
const char* BorderStyleName(std::int32_t style);

} // namespace zv::xlsx
