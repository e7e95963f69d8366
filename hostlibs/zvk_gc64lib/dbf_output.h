// The attribute table of a saved geometry table: its field list and the raw
// bytes of each record, written by the project's table writer.
#pragma once

#include "geom_table.h"
#include "zvk_file_dbf/dbf_table.h"

#include <string>
#include <vector>

namespace zv::zvk_gc64lib
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

// Creates the table at path (native) with one record per object, in the
// source's declared code page; out.commit() puts it in place. False for
// fields the writer refuses or when a record cannot be stored.
bool fill_attribute_table(const geom_table& table, const std::string& path, zvk_file_dbf::table& out);

} // namespace zv::zvk_gc64lib
