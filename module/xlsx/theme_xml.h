// Writes the fixed theme part ("xl/theme/theme1.xml"): the colour, font and
// format schemes of the default office theme. Nothing in it depends on the
// workbook.
#pragma once

#include "xlsx/xml_writer.h"

namespace zv::xlsx
{

// Writes the "a:theme" document (after the declaration line).
void WriteThemeXml(XmlWriter& xml);

} // namespace zv::xlsx
