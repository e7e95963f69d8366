// CSV as in RFC 4180: separated fields, double quotes around fields that hold
// the separator, a quote, a line break or blanks at either end, "" for a quote
// inside one. The separator is a comma, or a semicolon as spreadsheet programs
// write CSV where the decimal separator is a comma.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zv::zvk_file_tos4
{

struct csv_table {
    char separator = ',';
    std::vector<std::string> header;
    std::vector<std::vector<std::string>> rows;
};

// The separator of a CSV text: ';' when its header line holds more
// semicolons than commas outside quotes, else ','.
char detect_separator(std::string_view text);

// Parses UTF-8 CSV text (a leading byte-order mark is skipped; lines may end
// in CRLF or LF; the last line may lack its end) with the given separator,
// or the detected one when separator is 0. Blanks (spaces, tabs) around a
// field are dropped, those inside quotes kept; blank lines at the end are
// ignored. Every row must have as many fields as the header. On failure
// returns nullopt and says why, with the line number, in *error.
std::optional<csv_table> parse_csv(std::string_view text, std::string* error, char separator = 0);

// One field, quoted when it needs to be.
std::string csv_field(std::string_view text, char separator = ',');
// One record with its CRLF. A record of one empty field is written as "",
// so that it is not taken for a blank line.
std::string csv_row(const std::vector<std::string>& fields, char separator = ',');

} // namespace zv::zvk_file_tos4
