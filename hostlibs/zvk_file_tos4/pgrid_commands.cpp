#include "pgrid_commands.h"

#include "pgrid_csv.h"
#include "pgrid_file.h"
#include "pgrid_import.h"
#include "pgrid_values.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace zv::zvk_file_tos4
{
namespace
{

constexpr const char* kUsage =
    "usage: pgrid info FILE\n"
    "       pgrid to-csv FILE\n"
    "       pgrid from-csv IN.csv OUT.pgrid [--default-type TYPE] [--type NAME=TYPE]\n"
    "             [--caption NAME=TEXT] [--nodata NAME=VALUE] [--separator ,|;]\n"
    "       pgrid --help\n"
    "TYPE is f32, f64, i32, i16 or u8.\n";

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

// The file opened for reading; null after saying why on err.
std::unique_ptr<pgrid_file> open_for_reading(const std::string& path, std::ostream& err)
{
    std::string why;
    auto file = pgrid_file::open(path, false, &why);
    if (!file) {
        err << "pgrid: " << path << ": " << why << "\n";
    }
    return file;
}

int command_info(const std::string& path, std::ostream& out, std::ostream& err)
{
    const auto file = open_for_reading(path, err);
    if (!file) {
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
    const auto file = open_for_reading(path, err);
    if (!file) {
        return 1;
    }
    const auto& h = file->info();
    std::vector<std::vector<double>> columns(h.properties.size());
    std::vector<std::string> fields;
    for (std::size_t k = 0; k < columns.size(); ++k) {
        columns[k].resize(h.object_count);
        if (!file->read_stored(k, 0, h.object_count, columns[k].data())) {
            err << "pgrid: " << path << ": cannot be read\n";
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

int command_from_csv(const std::vector<std::string>& args, std::ostream& err)
{
    std::string error;
    const auto import = parse_import_args(args, &error);
    if (!import) {
        err << "pgrid: " << error << "\n" << kUsage;
        return 2;
    }
    return import_csv(*import, err);
}

} // namespace

std::string value_text(const property_info& property, double stored)
{
    return is_nodata(property, stored) ? std::string() : number_text(stored, property.type);
}

int run_command(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (std::any_of(args.begin(), args.end(),
                    [](const std::string& a) { return a == "--help" || a == "-h"; })) {
        out << kUsage;
        return 0;
    }
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
