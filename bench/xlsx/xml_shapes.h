// The worksheet and shared-strings XML of a table, in the shape a workbook
// writer produces them (every cell a shared string), as DEFLATE input.
#pragma once

#include "table_generator.h"

#include <string>
#include <vector>

namespace zv::bench
{

struct table_xml {
    std::string worksheet;      // xl/worksheets/sheet1.xml
    std::string shared_strings; // xl/sharedStrings.xml
    std::size_t distinct_values = 0;
    std::size_t cells = 0;
};

// Header row plus `rows` records of the seeded table; strings numbered in
// order of first use.
table_xml make_table_xml(std::size_t rows);

// The column letters of a 0-based column (A, ..., Z, AA, ...).
std::string column_name(std::size_t column);

} // namespace zv::bench
