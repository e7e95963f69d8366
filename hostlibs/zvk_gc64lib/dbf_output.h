// The attribute table of a saved geometry table: its field list and the raw
// bytes of each record.
#pragma once

#include "geom_table.h"

#include <string>
#include <vector>

namespace zv::gc
{

// SRC_OBJ and SRC_PART, the source fields, then the table's computed
// fields. A source field whose name is already taken (case-insensitively)
// is renamed NAME_1, NAME_2, ... within the 10-character limit.
std::vector<field_desc> output_fields(const geom_table& table);

// A number right-aligned in width characters with at most decimals
// decimals (fewer when it does not fit); blank when it cannot be written.
std::string format_number(double value, int width, int decimals);

// One record as the .dbf stores it: deletion flag, then the fields of
// output_fields in order.
std::string output_record(const geom_table& table, const geom_object& obj);

} // namespace zv::gc
