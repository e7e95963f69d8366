#include "zvk_file_dbf/dbf_format.h"

#include "foundation/byte_order.h"
#include "foundation/code_page.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <ctime>

namespace zv::zvk_file_dbf
{
namespace
{

// Offsets inside the fixed header and a field descriptor.
constexpr std::size_t version_offset = 0;
constexpr std::size_t date_offset = 1;
constexpr std::size_t count_offset = 4;
constexpr std::size_t header_size_offset = 8;
constexpr std::size_t record_size_offset = 10;
constexpr std::size_t name_bytes = 11;
constexpr std::size_t type_offset = 11;
constexpr std::size_t length_offset = 16;
constexpr std::size_t decimals_offset = 17;
constexpr unsigned char dbase3_version = 0x03;
constexpr std::size_t max_name_chars = 10;
constexpr std::uint32_t max_record_bytes = 65535;

std::string descriptor_name(const unsigned char* d)
{
    std::size_t n = 0;
    while (n < name_bytes && d[n] != 0) {
        ++n;
    }
    while (n > 0 && d[n - 1] == ' ') {
        --n;
    }
    return std::string(reinterpret_cast<const char*>(d), n);
}

bool is_numeric(char type)
{
    return type == 'N' || type == 'F' || type == 'M';
}

// memcpy that accepts an empty source of any address.
// Both helpers accept an empty range at a null pointer (a zero-length field).
void copy_bytes(unsigned char* to, std::string_view from, std::size_t n)
{
    if (n > 0) {
        std::memcpy(to, from.data(), n);
    }
}

void fill_blanks(unsigned char* to, std::size_t n)
{
    if (n > 0) {
        std::memset(to, ' ', n);
    }
}

std::string_view trim_blanks(std::string_view s)
{
    const std::size_t first = s.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

} // namespace

std::uint32_t header_length(const unsigned char* prefix)
{
    const std::uint32_t length = foundation::load_le<std::uint16_t>(prefix + header_size_offset);
    return length >= prefix_bytes + 1 ? length : 0;
}

bool parse_header(const unsigned char* header, std::size_t header_bytes, layout& out)
{
    out = layout{};
    if (header_bytes < prefix_bytes + 1) {
        return false;
    }
    out.record_count = foundation::load_le<std::uint32_t>(header + count_offset);
    out.header_bytes = foundation::load_le<std::uint16_t>(header + header_size_offset);
    out.record_bytes = foundation::load_le<std::uint16_t>(header + record_size_offset);
    out.driver = header[driver_offset];
    std::uint32_t offset = 1; // the deletion flag comes first
    std::size_t pos = prefix_bytes;
    for (; pos + descriptor_bytes <= header_bytes && header[pos] != header_end; pos += descriptor_bytes) {
        const unsigned char* d = header + pos;
        field f;
        f.name = descriptor_name(d);
        f.type = static_cast<char>(d[type_offset]);
        f.length = d[length_offset];
        f.decimals = d[decimals_offset];
        f.offset = offset;
        offset += f.length;
        out.fields.push_back(std::move(f));
    }
    const bool terminated = pos < header_bytes && header[pos] == header_end;
    return out.record_bytes >= 1 && offset <= out.record_bytes && (terminated || pos == header_bytes);
}

bool layout_from_descriptors(const dbf_field_desc* fields, std::uint32_t field_count,
                             std::uint32_t record_count, std::uint8_t driver, layout& out)
{
    out = layout{};
    const std::uint64_t header = prefix_bytes + std::uint64_t{field_count} * descriptor_bytes + 1;
    if (fields == nullptr || field_count == 0 || header > 0xFFFF) {
        return false;
    }
    std::uint32_t offset = 1;
    for (std::uint32_t i = 0; i < field_count; ++i) {
        const dbf_field_desc& d = fields[i];
        field f;
        f.name.assign(d.name, std::min(strnlen(d.name, name_bytes), max_name_chars));
        f.type = d.type;
        f.length = d.length;
        f.decimals = d.decimals;
        f.offset = offset;
        if (f.name.empty() || f.length == 0 || !std::isgraph(static_cast<unsigned char>(f.type))) {
            return false;
        }
        offset += f.length;
        out.fields.push_back(std::move(f));
    }
    if (offset > max_record_bytes) {
        return false;
    }
    out.record_count = record_count;
    out.header_bytes = static_cast<std::uint32_t>(header);
    out.record_bytes = offset;
    out.driver = driver;
    return true;
}

std::vector<unsigned char> build_header(const layout& table)
{
    std::vector<unsigned char> h(table.header_bytes, 0);
    const std::time_t now = std::time(nullptr);
    std::tm date{};
    gmtime_r(&now, &date);
    h[version_offset] = dbase3_version;
    h[date_offset] = static_cast<unsigned char>(date.tm_year % 256);
    h[date_offset + 1] = static_cast<unsigned char>(date.tm_mon + 1);
    h[date_offset + 2] = static_cast<unsigned char>(date.tm_mday);
    foundation::store_le<std::uint32_t>(&h[count_offset], table.record_count);
    foundation::store_le<std::uint16_t>(&h[header_size_offset],
                                        static_cast<std::uint16_t>(table.header_bytes));
    foundation::store_le<std::uint16_t>(&h[record_size_offset],
                                        static_cast<std::uint16_t>(table.record_bytes));
    h[driver_offset] = table.driver;
    std::size_t pos = prefix_bytes;
    for (const field& f : table.fields) {
        std::memcpy(&h[pos], f.name.data(), std::min(f.name.size(), max_name_chars));
        h[pos + type_offset] = static_cast<unsigned char>(f.type);
        h[pos + length_offset] = f.length;
        h[pos + decimals_offset] = f.decimals;
        pos += descriptor_bytes;
    }
    h[pos] = header_end;
    return h;
}

std::uint32_t type_code(char letter)
{
    switch (letter) {
    case 'C':
        return ZV_DBF_TYPE_CHARACTER;
    case 'N':
        return ZV_DBF_TYPE_NUMERIC;
    case 'F':
        return ZV_DBF_TYPE_FLOAT;
    case 'D':
        return ZV_DBF_TYPE_DATE;
    case 'L':
        return ZV_DBF_TYPE_LOGICAL;
    case 'M':
        return ZV_DBF_TYPE_MEMO;
    default:
        return ZV_DBF_TYPE_OTHER + static_cast<unsigned char>(letter);
    }
}

char type_letter(std::uint32_t code)
{
    switch (code) {
    case ZV_DBF_TYPE_CHARACTER:
        return 'C';
    case ZV_DBF_TYPE_NUMERIC:
        return 'N';
    case ZV_DBF_TYPE_FLOAT:
        return 'F';
    case ZV_DBF_TYPE_DATE:
        return 'D';
    case ZV_DBF_TYPE_LOGICAL:
        return 'L';
    case ZV_DBF_TYPE_MEMO:
        return 'M';
    default:
        break;
    }
    if (code > ZV_DBF_TYPE_OTHER && code < ZV_DBF_TYPE_OTHER + 0x100) {
        return static_cast<char>(code - ZV_DBF_TYPE_OTHER);
    }
    return '\0';
}

std::string_view trimmed_cell(const unsigned char* cell, std::size_t length, char type)
{
    const auto* text = reinterpret_cast<const char*>(cell);
    std::string_view s(text, strnlen(text, length));
    if (type != 'C') {
        return trim_blanks(s);
    }
    const std::size_t last = s.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string_view{} : s.substr(0, last + 1);
}

stored store_cell(unsigned char* cell, const field& f, std::string_view text, unsigned code_page)
{
    const std::size_t width = f.length;
    if (f.type == 'C') {
        const std::string_view value = text.substr(0, text.find_last_not_of(' ') + 1);
        const std::size_t n = foundation::fitting_length(value, code_page, width);
        copy_bytes(cell, value, n);
        fill_blanks(cell + n, width - n);
        return n == value.size() ? stored::whole : stored::cut;
    }
    const std::string_view value = trim_blanks(text);
    if (value.size() > width) {
        return stored::refused;
    }
    const std::size_t pad = width - value.size();
    if (is_numeric(f.type)) {
        fill_blanks(cell, pad);
        copy_bytes(cell + pad, value, value.size());
    } else {
        copy_bytes(cell, value, value.size());
        fill_blanks(cell + value.size(), pad);
    }
    return stored::whole;
}

} // namespace zv::zvk_file_dbf
