// CSV as in RFC 4180: comma-separated fields, double quotes around fields
// that hold a comma, quote or line break, "" for a quote inside one.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zv::zvk_file_tos4
{

struct csv_table {
    std::vector<std::string> header;
    std::vector<std::vector<std::string>> rows;
};

// Parses UTF-8 CSV text (a leading byte-order mark is skipped; lines may end
// in CRLF or LF; the last line may lack its end). Every row must have as many
// fields as the header. On failure returns nullopt and says why, with the
// line number, in *error.
std::optional<csv_table> parse_csv(std::string_view text, std::string* error);

// One field, quoted when it needs to be.
std::string csv_field(std::string_view text);
// One record with its CRLF.
std::string csv_row(const std::vector<std::string>& fields);

} // namespace zv::zvk_file_tos4
