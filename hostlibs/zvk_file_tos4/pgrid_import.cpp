#include "pgrid_import.h"

#include "pgrid_csv.h"
#include "pgrid_file.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace zv::zvk_file_tos4
{
namespace
{

std::optional<std::pair<std::string, std::string>> split_assignment(const std::string& text)
{
    const auto eq = text.find('=');
    if (eq == std::string::npos || eq == 0) {
        return std::nullopt;
    }
    return std::make_pair(text.substr(0, eq), text.substr(eq + 1));
}

// Applies "--option NAME=VALUE" (--type, --caption, --nodata); false with
// *error when wrong.
bool apply_assignment(csv_import& import, const std::string& option, const std::string& value,
                      std::string* error)
{
    const auto pair = split_assignment(value);
    if (!pair) {
        *error = option + " needs NAME=VALUE";
        return false;
    }
    if (option == "--type") {
        const auto type = type_from_name(pair->second);
        *error = type ? "" : "unknown type '" + pair->second + "'";
        import.types[pair->first] = type.value_or(stored_type::f32);
        return type.has_value();
    }
    if (option == "--caption") {
        import.captions[pair->first] = pair->second;
        return true;
    }
    double v = 0.0;
    const auto r = std::from_chars(pair->second.data(), pair->second.data() + pair->second.size(), v);
    if (r.ec != std::errc() || r.ptr != pair->second.data() + pair->second.size()) {
        *error = "no-data value '" + pair->second + "' is not a number";
        return false;
    }
    import.nodata[pair->first] = v;
    return true;
}

// Applies one "--option value" of from-csv; false with *error when wrong.
bool apply_option(csv_import& import, const std::string& option, const std::string& value, std::string* error)
{
    if (option == "--default-type") {
        const auto type = type_from_name(value);
        import.default_type = type.value_or(import.default_type);
        *error = type ? "" : "unknown type '" + value + "'";
        return type.has_value();
    }
    if (option == "--separator") {
        import.separator = value == "," || value == ";" ? value[0] : 0;
        *error = import.separator != 0 ? "" : "--separator takes , or ;";
        return import.separator != 0;
    }
    if (option == "--type" || option == "--caption" || option == "--nodata") {
        return apply_assignment(import, option, value, error);
    }
    *error = "unknown option " + option;
    return false;
}

bool is_integer_type(stored_type type)
{
    return type != stored_type::f32 && type != stored_type::f64;
}

// "an i16 value", "a u8 value".
std::string a_value_of(stored_type type)
{
    return std::string(type == stored_type::u8 ? "a " : "an ") + std::string(type_name(type)) + " value";
}

std::string whole_number_text(double value)
{
    char digits[32];
    const auto r = std::to_chars(digits, digits + sizeof digits, static_cast<long long>(value));
    return std::string(digits, r.ptr);
}

} // namespace

std::optional<csv_import> parse_import_args(const std::vector<std::string>& args, std::string* error)
{
    csv_import import;
    std::vector<std::string> paths;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i].rfind("--", 0) != 0) {
            paths.push_back(args[i]);
        } else if (i + 1 >= args.size()) {
            *error = args[i] + " needs a value";
            return std::nullopt;
        } else if (!apply_option(import, args[i], args[i + 1], error)) {
            return std::nullopt;
        } else {
            ++i;
        }
    }
    if (paths.size() != 2) {
        *error = "from-csv needs IN.csv and OUT.pgrid";
        return std::nullopt;
    }
    import.in = paths[0];
    import.out = paths[1];
    return import;
}

parsed_value parse_value(std::string_view text, const property_info& p, bool decimal_comma)
{
    std::string number(text);
    if (number.size() > 1 && number[0] == '+' && number[1] != '+' && number[1] != '-') {
        number.erase(0, 1);
    }
    if (decimal_comma) {
        std::replace(number.begin(), number.end(), ',', '.');
    }
    const char* first = number.data();
    const char* last = number.data() + number.size();
    double value = 0.0;
    std::from_chars_result r{};
    if (p.type == stored_type::f32) {
        float f = 0.0f;
        r = std::from_chars(first, last, f);
        value = f;
    } else {
        r = std::from_chars(first, last, value);
    }
    if (number.empty() || r.ptr != last || (r.ec != std::errc() && r.ec != std::errc::result_out_of_range)) {
        return {0.0, value_problem::not_a_number};
    }
    if (r.ec == std::errc::result_out_of_range) {
        return {0.0, value_problem::out_of_range};
    }
    if (std::isnan(value)) {
        return {0.0, value_problem::nan};
    }
    if (is_integer_type(p.type)) {
        const auto [lowest, highest] = integer_range(p.type);
        if (!(value >= lowest && value <= highest)) {
            return {0.0, value_problem::out_of_range};
        }
        if (std::trunc(value) != value) {
            return {0.0, value_problem::not_an_integer};
        }
    }
    if (value == p.nodata) {
        return {0.0, value_problem::nodata};
    }
    return {value, value_problem::none};
}

std::string value_problem_text(std::string_view text, const property_info& p, value_problem problem)
{
    const std::string quoted = "'" + std::string(text) + "'";
    switch (problem) {
    case value_problem::none:
        break;
    case value_problem::not_a_number:
        return quoted + " is not a number";
    case value_problem::nan:
        return quoted + " is not a number; leave the field empty for no-data";
    case value_problem::out_of_range:
        if (is_integer_type(p.type)) {
            const auto [lowest, highest] = integer_range(p.type);
            return quoted + " is out of range for " + a_value_of(p.type) + " (" + whole_number_text(lowest) +
                   " to " + whole_number_text(highest) + ")";
        }
        return quoted + " is out of range for " + a_value_of(p.type);
    case value_problem::not_an_integer:
        return quoted + " is not a whole number, which " + a_value_of(p.type) + " must be";
    case value_problem::nodata:
        return quoted + " equals the column's no-data value; leave the field empty for no-data";
    }
    return {};
}

namespace
{

bool has_control_character(std::string_view text)
{
    return std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

// Why the output path cannot be written; empty when it can.
std::string output_problem(const csv_import& import)
{
    std::error_code error;
    if (std::filesystem::is_directory(import.out, error)) {
        return "is a folder, not a file";
    }
    // Also through another spelling of the path or a link.
    if (std::filesystem::equivalent(import.in, import.out, error)) {
        return "is the input file itself; write the .pgrid file under another name";
    }
    return {};
}

// The whole input; nullopt with *why when it cannot be read or is empty.
std::optional<std::string> read_input(const std::string& path, std::string* why)
{
    std::error_code error;
    std::ifstream in;
    if (std::filesystem::is_regular_file(path, error)) {
        in.open(path, std::ios::binary);
    }
    if (!in.is_open()) {
        return refuse(why, unopenable_reason(path));
    }
    std::ostringstream buffer;
    buffer << in.rdbuf();
    if (in.bad()) {
        return refuse(why, "cannot be read");
    }
    if (buffer.str().empty()) {
        return refuse(why, "the file is empty");
    }
    return buffer.str();
}

// Names must be there, and tabs or line breaks in a name or caption would
// break the lines that list them.
std::string text_problem(const csv_import& import, const csv_table& table)
{
    for (std::size_t k = 0; k < table.header.size(); ++k) {
        const std::string column = "column " + std::to_string(k + 1);
        if (table.header[k].empty()) {
            return column + " of the header has no name";
        }
        if (has_control_character(table.header[k])) {
            return "the name of " + column + " holds a tab, a line break or another control character";
        }
    }
    for (const auto& [name, caption] : import.captions) {
        if (has_control_character(caption)) {
            return "the caption of '" + name + "' holds a tab, a line break or another control character";
        }
    }
    return {};
}

// A complaint about an option naming a column that the CSV does not have.
template <typename Map>
std::string unknown_column(const char* option, const Map& options, const std::vector<std::string>& names)
{
    for (const auto& entry : options) {
        if (std::find(names.begin(), names.end(), entry.first) == names.end()) {
            return std::string(option) + " names '" + entry.first + "', which is not a column";
        }
    }
    return {};
}

// The property table from the CSV header and the options. A property
// without a caption of its own is captioned with its name, which is what
// lists of properties show.
std::optional<header> import_header(const csv_import& import, const csv_table& table, std::string* error)
{
    for (const std::string& problem :
         {text_problem(import, table), unknown_column("--type", import.types, table.header),
          unknown_column("--caption", import.captions, table.header),
          unknown_column("--nodata", import.nodata, table.header)}) {
        if (!problem.empty()) {
            *error = problem;
            return std::nullopt;
        }
    }
    header h;
    h.object_count = table.rows.size();
    for (const auto& name : table.header) {
        property_info p;
        p.name = name;
        p.type = import.types.contains(name) ? import.types.at(name) : import.default_type;
        p.caption = import.captions.contains(name) ? import.captions.at(name) : name;
        p.nodata = import.nodata.contains(name) ? import.nodata.at(name) : default_nodata(p.type);
        h.properties.push_back(std::move(p));
    }
    *error = validate(h);
    return error->empty() ? std::optional<header>(std::move(h)) : std::nullopt;
}

// The stored values of column k. Rows are numbered as a spreadsheet program
// shows the file: the header is row 1.
std::optional<std::vector<double>> import_column(const csv_table& table, std::size_t k,
                                                 const property_info& p, std::string* error)
{
    std::vector<double> column;
    column.reserve(table.rows.size());
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        const std::string& text = table.rows[r][k];
        if (text.empty()) {
            column.push_back(p.nodata);
            continue;
        }
        const parsed_value value = parse_value(text, p, table.separator == ';');
        if (value.problem != value_problem::none) {
            *error = "row " + std::to_string(r + 2) + ", column '" + p.name +
                     "': " + value_problem_text(text, p, value.problem);
            return std::nullopt;
        }
        column.push_back(value.value);
    }
    return column;
}

// The header and the columns of the input; nullopt with *error.
std::optional<std::pair<header, std::vector<std::vector<double>>>>
import_table(const csv_import& import, const std::string& bytes, std::string* error)
{
    const auto table = parse_csv(bytes, error, import.separator);
    const auto h = table ? import_header(import, *table, error) : std::nullopt;
    if (!h) {
        return std::nullopt;
    }
    std::vector<std::vector<double>> columns;
    for (std::size_t k = 0; k < h->properties.size(); ++k) {
        auto column = import_column(*table, k, h->properties[k], error);
        if (!column) {
            return std::nullopt;
        }
        columns.push_back(std::move(*column));
    }
    return std::make_pair(*h, std::move(columns));
}

int refused(std::ostream& err, const std::string& file, const std::string& why)
{
    err << "pgrid: " << file << ": " << why << "\n";
    return 1;
}

} // namespace

int import_csv(const csv_import& import, std::ostream& err)
{
    std::string why = output_problem(import);
    if (!why.empty()) {
        return refused(err, import.out, why);
    }
    const auto bytes = read_input(import.in, &why);
    if (!bytes) {
        return refused(err, import.in, why);
    }
    const auto table = import_table(import, *bytes, &why);
    if (!table) {
        return refused(err, import.in, why);
    }
    why = write_new_file(import.out, table->first, table->second);
    return why.empty() ? 0 : refused(err, import.out, why);
}

} // namespace zv::zvk_file_tos4
