#include "pgrid_commands.h"

#include "pgrid_csv.h"
#include "pgrid_file.h"
#include "pgrid_values.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <fstream>
#include <map>
#include <sstream>

namespace zv::zvk_file_tos4
{
namespace
{

constexpr const char* kUsage = "usage: pgrid info FILE\n"
                               "       pgrid to-csv FILE\n"
                               "       pgrid from-csv IN.csv OUT.pgrid [--default-type TYPE]\n"
                               "             [--type NAME=TYPE] [--caption NAME=TEXT] [--nodata NAME=VALUE]\n"
                               "TYPE is f32, f64, i32, i16 or u8.\n";

// Settings of from-csv gathered from its options.
struct csv_import {
    std::string in;
    std::string out;
    stored_type default_type = stored_type::f32;
    std::map<std::string, stored_type> types;
    std::map<std::string, std::string> captions;
    std::map<std::string, double> nodata;
};

std::string number_text(double value, stored_type type)
{
    char buffer[64];
    std::to_chars_result r{};
    if (type == stored_type::f32) {
        r = std::to_chars(buffer, buffer + sizeof buffer, static_cast<float>(value));
    } else if (type == stored_type::f64) {
        r = std::to_chars(buffer, buffer + sizeof buffer, value);
    } else {
        r = std::to_chars(buffer, buffer + sizeof buffer, static_cast<long long>(value));
    }
    return std::string(buffer, r.ptr);
}

// Parses a value for a type: the whole text must be a number the type
// holds exactly (integers for integer types; floats are rounded to f32).
std::optional<double> parse_value(std::string_view text, stored_type type)
{
    const char* first = text.data();
    const char* last = text.data() + text.size();
    double value = 0.0;
    std::from_chars_result r{};
    if (type == stored_type::f32) {
        float f = 0.0f;
        r = std::from_chars(first, last, f);
        value = f;
    } else if (type == stored_type::f64) {
        r = std::from_chars(first, last, value);
    } else {
        long long integer = 0;
        r = std::from_chars(first, last, integer);
        value = static_cast<double>(integer);
    }
    if (text.empty() || r.ec != std::errc() || r.ptr != last || std::isnan(value) ||
        !holds_exactly(type, value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::pair<std::string, std::string>> split_assignment(const std::string& text)
{
    const auto eq = text.find('=');
    if (eq == std::string::npos || eq == 0) {
        return std::nullopt;
    }
    return std::make_pair(text.substr(0, eq), text.substr(eq + 1));
}

bool read_text_file(const std::string& path, std::string& bytes)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    std::ostringstream buffer;
    buffer << in.rdbuf();
    bytes = buffer.str();
    return !in.bad();
}

} // namespace

std::string value_text(const property_info& property, double stored)
{
    return is_nodata(property, stored) ? std::string() : number_text(stored, property.type);
}

namespace
{

int command_info(const std::string& path, std::ostream& out, std::ostream& err)
{
    const auto file = pgrid_file::open(path, false);
    if (!file) {
        err << "pgrid: " << path << ": not a readable .pgrid file\n";
        return 1;
    }
    const auto& h = file->info();
    out << "objects: " << h.object_count << "\nproperties: " << h.properties.size() << "\n";
    out << "index\tname\ttype\tno-data\tcaption\n";
    for (std::size_t k = 0; k < h.properties.size(); ++k) {
        const auto& p = h.properties[k];
        const std::string nodata = std::isnan(p.nodata) ? "nan" : number_text(p.nodata, p.type);
        out << k << '\t' << p.name << '\t' << type_name(p.type) << '\t' << nodata << '\t' << p.caption
            << '\n';
    }
    return 0;
}

int command_to_csv(const std::string& path, std::ostream& out, std::ostream& err)
{
    const auto file = pgrid_file::open(path, false);
    if (!file) {
        err << "pgrid: " << path << ": not a readable .pgrid file\n";
        return 1;
    }
    const auto& h = file->info();
    std::vector<std::vector<double>> columns(h.properties.size());
    std::vector<std::string> fields;
    for (std::size_t k = 0; k < columns.size(); ++k) {
        columns[k].resize(h.object_count);
        if (!file->read_stored(k, 0, h.object_count, columns[k].data())) {
            err << "pgrid: " << path << ": read error\n";
            return 1;
        }
        fields.push_back(h.properties[k].name);
    }
    out << csv_row(fields);
    for (std::uint64_t i = 0; i < h.object_count; ++i) {
        for (std::size_t k = 0; k < columns.size(); ++k) {
            fields[k] = value_text(h.properties[k], columns[k][i]);
        }
        out << csv_row(fields);
    }
    return out.good() ? 0 : 1;
}

} // namespace
} // namespace zv::zvk_file_tos4

namespace zv::zvk_file_tos4
{
namespace
{

// Applies one "--option value" of from-csv; false with *error when wrong.
bool apply_option(csv_import& import, const std::string& option, const std::string& value, std::string* error)
{
    if (option == "--default-type") {
        const auto type = type_from_name(value);
        import.default_type = type.value_or(import.default_type);
        *error = type ? "" : "unknown type '" + value + "'";
        return type.has_value();
    }
    const auto pair = split_assignment(value);
    if (!pair) {
        *error = option + " needs NAME=VALUE";
        return false;
    }
    if (option == "--type") {
        const auto type = type_from_name(pair->second);
        if (!type) {
            *error = "unknown type '" + pair->second + "'";
            return false;
        }
        import.types[pair->first] = *type;
    } else if (option == "--caption") {
        import.captions[pair->first] = pair->second;
    } else if (option == "--nodata") {
        double v = 0.0;
        const auto r = std::from_chars(pair->second.data(), pair->second.data() + pair->second.size(), v);
        if (r.ec != std::errc() || r.ptr != pair->second.data() + pair->second.size()) {
            *error = "no-data value '" + pair->second + "' is not a number";
            return false;
        }
        import.nodata[pair->first] = v;
    } else {
        *error = "unknown option " + option;
        return false;
    }
    return true;
}

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

// A complaint about an option naming a column that the CSV does not have.
template <typename Map> std::string unknown_column(const Map& options, const std::vector<std::string>& names)
{
    for (const auto& entry : options) {
        if (std::find(names.begin(), names.end(), entry.first) == names.end()) {
            return "no column named '" + entry.first + "'";
        }
    }
    return {};
}

// The property table from the CSV header and the options.
std::optional<header> import_header(const csv_import& import, const csv_table& table, std::string* error)
{
    header h;
    h.object_count = table.rows.size();
    for (const auto& name : table.header) {
        property_info p;
        p.name = name;
        p.type = import.types.contains(name) ? import.types.at(name) : import.default_type;
        p.caption = import.captions.contains(name) ? import.captions.at(name) : std::string();
        p.nodata = import.nodata.contains(name) ? import.nodata.at(name) : default_nodata(p.type);
        h.properties.push_back(std::move(p));
    }
    *error = unknown_column(import.types, table.header) + unknown_column(import.captions, table.header) +
             unknown_column(import.nodata, table.header);
    if (!error->empty()) {
        return std::nullopt;
    }
    *error = validate(h);
    return error->empty() ? std::optional<header>(std::move(h)) : std::nullopt;
}

// The stored values of column k; a value equal to the no-data value is
// refused, since it would come back as an empty field.
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
        const auto value = parse_value(text, p.type);
        if (!value || *value == p.nodata) {
            *error = "row " + std::to_string(r + 1) + ", column '" + p.name + "': '" + text + "' is not a " +
                     std::string(type_name(p.type)) + " value other than no-data";
            return std::nullopt;
        }
        column.push_back(*value);
    }
    return column;
}

int command_from_csv(const std::vector<std::string>& args, std::ostream& err)
{
    std::string error;
    const auto import = parse_import_args(args, &error);
    if (!import) {
        err << "pgrid: " << error << "\n" << kUsage;
        return 2;
    }
    std::string bytes;
    if (!read_text_file(import->in, bytes)) {
        err << "pgrid: cannot read " << import->in << "\n";
        return 1;
    }
    const auto table = parse_csv(bytes, &error);
    const auto h = table ? import_header(*import, *table, &error) : std::nullopt;
    std::vector<std::vector<double>> columns;
    for (std::size_t k = 0; h && error.empty() && k < h->properties.size(); ++k) {
        auto column = import_column(*table, k, h->properties[k], &error);
        if (column) {
            columns.push_back(std::move(*column));
        }
    }
    if (error.empty() && h) {
        error = write_new_file(import->out, *h, columns);
    }
    if (!error.empty()) {
        err << "pgrid: " << import->in << ": " << error << "\n";
        return 1;
    }
    return 0;
}

} // namespace

int run_command(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    const std::string command = args.empty() ? std::string() : args[0];
    if (command == "from-csv") {
        return command_from_csv(args, err);
    }
    if ((command == "info" || command == "to-csv") && args.size() == 2) {
        return command == "info" ? command_info(args[1], out, err) : command_to_csv(args[1], out, err);
    }
    err << kUsage;
    return 2;
}

} // namespace zv::zvk_file_tos4
