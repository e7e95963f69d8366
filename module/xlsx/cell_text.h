// Cell text as the package carries it.
//
// XML 1.0 cannot hold most C0 control characters at all, not even as
// character references, and a single one makes spreadsheet programs refuse
// the whole part. The spreadsheet format has an escape of its own for them:
// "_xHHHH_", the character's UTF-16 code in four hex digits. A text that holds
// such a sequence literally has its underscore escaped as "_x005F_", so that
// readers give it back unchanged. Readers also drop white space at either end
// of a text unless its element carries xml:space="preserve".
#pragma once

#include <string_view>

#include "xlsx/xml_writer.h"

namespace zv::xlsx
{

// True when the UTF-8 text begins or ends with white space (space, tab,
// line feed, carriage return).
bool HasEdgeSpace(std::string_view utf8);

// Writes the UTF-8 text as the content of the open element: C0 controls
// other than tab, line feed and carriage return, U+FFFE, U+FFFF and the
// underscore of a literal "_xHHHH_" in the "_xHHHH_" form; a carriage return
// as a character reference, which the XML reader's line-end handling keeps.
// Everything else is written as it is (the caller has XML-quoted it).
void WriteCellText(XmlWriter& xml, std::string_view utf8);

} // namespace zv::xlsx
