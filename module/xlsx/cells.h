// Cell records handed to a worksheet, and the cell-reference helpers.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

namespace zv::xlsx
{

// A text cell; a value beginning with '=' is written as a formula. The text
// must already be XML-quoted (&, <, >, "); control characters are escaped
// by the writer.
struct StringCell {
    std::u16string value;
    std::size_t style_id = 0; // cell-format index; 0 = default style
};

struct CellDataInt {
    std::int32_t value = 0;
    std::size_t style_id = 0;
};

struct CellDataUInt {
    std::uint32_t value = 0;
    std::size_t style_id = 0;
};

struct CellDataDbl {
    double value = 0;
    std::size_t style_id = 0;
};

struct CellDataFlt {
    float value = 0;
    std::size_t style_id = 0;
};

// A point in time, written as the serial day number of its local time.
struct CellDataTime {
    std::time_t value = 0;
    std::size_t style_id = 0;
};

// Column widths for a range of columns (0-based, inclusive).
struct ColumnWidth {
    std::uint32_t colFrom = 0;
    std::uint32_t colTo = 0;
    float width = 0;
};

// Letters of a 0-based column in bijective base 26: 0 is A, 26 is AA, 702 is AAA.
// Writes into `out` (at least 8 bytes) and returns the number of letters.
std::size_t ColumnLetters(std::uint32_t column, char* out);
std::string ColumnName(std::uint32_t column);
// "%s%d" of the column letters and the 1-based row, e.g. "AB12".
std::string CellReference(std::uint32_t row, std::uint32_t column);

// Serial day number of the local time of `t`: days since 1900-01-01 00:00
// plus 2, so 1970-01-01 00:00 local time is 25569.
double SerialDayNumber(std::time_t t);

} // namespace zv::xlsx
