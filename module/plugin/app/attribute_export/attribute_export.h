// The export of one dBASE attribute table to an Office Open XML workbook: a
// single worksheet "Attributes" with the field names in its first row and
// one row per record below, every cell as the text the table stores.
#pragma once

#include <string>

namespace zv
{

// Writes the table at table_path to a workbook at workbook_path. Values are
// XML-quoted by the host's I/O library before the worksheet writer gets them;
// a value beginning with "=" becomes a formula cell. False, writing nothing,
// when the table does not open or has no fields or no records; false when
// the workbook could not be saved. Never throws.
bool export_attributes_to_workbook(const std::u16string& table_path, const std::u16string& workbook_path);

} // namespace zv
