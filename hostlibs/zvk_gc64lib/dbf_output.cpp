#include "dbf_output.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>
#include <set>

namespace zv::zvk_gc64lib
{
namespace
{

constexpr int number_width = 10;
constexpr std::size_t max_name_length = 10;

std::string upper(const std::string& s)
{
    std::string u = s;
    for (char& c : u)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return u;
}

std::string unused_name(const std::string& name, const std::set<std::string>& used)
{
    if (!used.contains(upper(name)))
        return name;
    for (int n = 1;; ++n) {
        const std::string suffix = "_" + std::to_string(n);
        const std::string candidate =
            name.substr(0, std::min(name.size(), max_name_length - suffix.size())) + suffix;
        if (!used.contains(upper(candidate)))
            return candidate;
    }
}

} // namespace

std::vector<field_desc> output_fields(const geom_table& table)
{
    std::vector<field_desc> fields{{"SRC_OBJ", 'N', number_width, 0}, {"SRC_PART", 'N', number_width, 0}};
    std::set<std::string> used{"SRC_OBJ", "SRC_PART"};
    for (const computed_field& c : table.computed)
        used.insert(c.name);
    if (table.attributes) {
        // Source names that are free keep their name; the others are renamed
        // afterwards, so a rename never takes a later source field's name.
        const auto& source = table.attributes->fields;
        std::vector<bool> clashes;
        for (const field_desc& f : source) {
            clashes.push_back(!used.insert(upper(f.name)).second);
        }
        for (std::size_t i = 0; i < source.size(); ++i) {
            field_desc f = source[i];
            if (clashes[i]) {
                f.name = unused_name(f.name, used);
                used.insert(upper(f.name));
            }
            fields.push_back(std::move(f));
        }
    }
    for (const computed_field& c : table.computed)
        fields.push_back({c.name, 'N', c.width, c.decimals});
    return fields;
}

std::string format_number(double value, int width, int decimals)
{
    const std::string blank(static_cast<std::size_t>(width), ' ');
    if (!std::isfinite(value))
        return blank;
    for (int d = decimals; d >= 0; --d) {
        // to_chars, unlike printf, ignores the locale: always a decimal point.
        char buf[400];
        const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, d);
        if (ec != std::errc{})
            continue;
        std::string text(buf, end);
        if (text.find_first_not_of("-0.") == std::string::npos)
            text = text.substr(text[0] == '-');
        if (text.size() <= static_cast<std::size_t>(width))
            return std::string(static_cast<std::size_t>(width) - text.size(), ' ') + text;
    }
    return blank;
}

std::string output_record(const geom_table& table, const geom_object& obj)
{
    std::string record = " ";
    record += format_number(obj.source_object, number_width, 0);
    record += format_number(obj.source_part, number_width, 0);
    if (table.attributes) {
        const attribute_set& attrs = *table.attributes;
        const bool has_row =
            obj.attribute_row >= 0 && static_cast<std::size_t>(obj.attribute_row) < attrs.records.size();
        if (has_row)
            record += attrs.records[static_cast<std::size_t>(obj.attribute_row)];
        else
            record += std::string(attrs.record_length(), ' ');
    }
    for (std::size_t i = 0; i < table.computed.size(); ++i) {
        const double v = i < obj.values.size() ? obj.values[i] : NAN;
        record += format_number(v, table.computed[i].width, table.computed[i].decimals);
    }
    return record;
}

bool fill_attribute_table(const geom_table& table, const std::string& path, zvk_file_dbf::table& out)
{
    std::vector<dbf_field_desc> descriptors;
    for (const field_desc& f : output_fields(table)) {
        dbf_field_desc d{};
        f.name.copy(d.name, sizeof d.name - 1);
        d.type = f.type;
        d.length = static_cast<std::uint8_t>(f.width);
        d.decimals = static_cast<std::uint8_t>(f.decimals);
        descriptors.push_back(d);
    }
    const unsigned code_page = table.attributes ? table.attributes->code_page : 0;
    if (!out.create(path, descriptors.data(), static_cast<std::uint32_t>(descriptors.size()),
                    static_cast<std::uint32_t>(table.objects.size()), code_page))
        return false;
    const auto& fields = out.shape().fields;
    for (std::uint32_t row = 0; row < table.objects.size(); ++row) {
        const std::string record = output_record(table, table.objects[row]);
        if (record.size() != out.shape().record_bytes)
            return false;
        for (std::uint32_t i = 0; i < fields.size(); ++i) {
            unsigned char* cell = out.memory_cell(i, row);
            if (cell == nullptr)
                return false;
            std::memcpy(cell, record.data() + fields[i].offset, fields[i].length);
        }
    }
    return true;
}

} // namespace zv::zvk_gc64lib
