// pgrid from-csv: a new .pgrid file from a CSV table, every value checked
// against its column's type before anything is written.
#pragma once

#include "pgrid_format.h"

#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace zv::zvk_file_tos4
{

// Settings of from-csv gathered from its arguments.
struct csv_import {
    std::string in;
    std::string out;
    char separator = 0; // 0: detected from the header line
    stored_type default_type = stored_type::f32;
    std::map<std::string, stored_type> types;
    std::map<std::string, std::string> captions;
    std::map<std::string, double> nodata;
};

// The arguments after "from-csv"; nullopt with *error for a usage error.
std::optional<csv_import> parse_import_args(const std::vector<std::string>& args, std::string* error);

// Why a CSV field cannot be stored in a property.
enum class value_problem { none, not_a_number, nan, out_of_range, not_an_integer, nodata };

struct parsed_value {
    double value = 0.0;
    value_problem problem = value_problem::none;
};

// A field as a value of the property: a number (a leading '+' allowed, a
// decimal comma in place of the point with decimal_comma) that the type
// holds exactly; integer types take any form of a whole number (100.0, 1e2);
// an f32 value is the float nearest to the text.
parsed_value parse_value(std::string_view text, const property_info& p, bool decimal_comma);

// Why the field cannot be stored, e.g. "'40000' is out of range for an i16
// value (-32768 to 32767)".
std::string value_problem_text(std::string_view text, const property_info& p, value_problem problem);

// Runs from-csv; returns the exit code (0, or 1 when an input is refused),
// with one message on err that names the file it concerns.
int import_csv(const csv_import& import, std::ostream& err);

} // namespace zv::zvk_file_tos4
