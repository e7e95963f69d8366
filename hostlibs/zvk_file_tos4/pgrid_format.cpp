#include "pgrid_format.h"

#include "foundation/byte_order.h"
#include "foundation/paths.h"
#include "foundation/utf.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <set>

namespace zv::zvk_file_tos4
{

using foundation::load_le;
using foundation::store_le;
namespace
{

struct type_row {
    stored_type type;
    std::string_view name;
    std::size_t size;
    double lowest;
    double highest;
};

// Integer ranges; the float types hold any double they can represent.
constexpr type_row kTypes[] = {
    {stored_type::f32, "f32", 4, 0, 0},
    {stored_type::f64, "f64", 8, 0, 0},
    {stored_type::i32, "i32", 4, -2147483648.0, 2147483647.0},
    {stored_type::i16, "i16", 2, -32768.0, 32767.0},
    {stored_type::u8, "u8", 1, 0.0, 255.0},
};

const type_row& row(stored_type type)
{
    for (const auto& r : kTypes) {
        if (r.type == type) {
            return r;
        }
    }
    return kTypes[0];
}

// A canonical quiet NaN is stored for a NaN no-data value.
double canonical(double value)
{
    return std::isnan(value) ? std::numeric_limits<double>::quiet_NaN() : value;
}

std::string validate_property(const property_info& p)
{
    if (p.name.empty() || p.name.size() > kMaxTextBytes || !zv::foundation::to_utf16_strict(p.name)) {
        return "property name must be 1 to 1024 bytes of UTF-8";
    }
    if (p.caption.size() > kMaxTextBytes || !zv::foundation::to_utf16_strict(p.caption)) {
        return "caption of '" + p.name + "' must be at most 1024 bytes of UTF-8";
    }
    if (!type_from_code(static_cast<std::uint8_t>(p.type))) {
        return "unknown stored type of '" + p.name + "'";
    }
    if (!holds_exactly(p.type, p.nodata)) {
        return "no-data value of '" + p.name + "' does not fit its type";
    }
    return {};
}

} // namespace

std::size_t type_size(stored_type type)
{
    return row(type).size;
}

std::string_view type_name(stored_type type)
{
    return row(type).name;
}

std::optional<stored_type> type_from_name(std::string_view name)
{
    for (const auto& r : kTypes) {
        if (r.name == name) {
            return r.type;
        }
    }
    return std::nullopt;
}

std::optional<stored_type> type_from_code(std::uint8_t code)
{
    for (const auto& r : kTypes) {
        if (static_cast<std::uint8_t>(r.type) == code) {
            return r.type;
        }
    }
    return std::nullopt;
}

double default_nodata(stored_type type)
{
    switch (type) {
    case stored_type::i32:
        return -2147483648.0;
    case stored_type::i16:
        return -32768.0;
    case stored_type::u8:
        return 255.0;
    default:
        return std::numeric_limits<double>::quiet_NaN();
    }
}

std::pair<double, double> integer_range(stored_type type)
{
    return {row(type).lowest, row(type).highest};
}

bool holds_exactly(stored_type type, double value)
{
    if (type == stored_type::f64) {
        return true;
    }
    if (type == stored_type::f32) {
        return std::isnan(value) || static_cast<double>(static_cast<float>(value)) == value;
    }
    const auto& r = row(type);
    return std::isfinite(value) && value >= r.lowest && value <= r.highest && std::trunc(value) == value;
}

std::uint64_t table_bytes(const std::vector<property_info>& properties)
{
    std::uint64_t bytes = kHeaderBytes;
    for (const auto& p : properties) {
        bytes += kPropertyFixedBytes + p.name.size() + p.caption.size();
    }
    return bytes;
}

std::optional<std::uint64_t> values_offset(const header& h, std::size_t property)
{
    std::uint64_t offset = table_bytes(h.properties);
    for (std::size_t k = 0; k < property && k < h.properties.size(); ++k) {
        std::uint64_t bytes = 0;
        if (__builtin_mul_overflow(h.object_count, type_size(h.properties[k].type), &bytes) ||
            __builtin_add_overflow(offset, bytes, &offset)) {
            return std::nullopt;
        }
    }
    return offset;
}

std::optional<std::uint64_t> file_bytes(const header& h)
{
    return values_offset(h, h.properties.size());
}

std::string validate(const header& h)
{
    if (h.properties.size() > std::numeric_limits<std::uint32_t>::max() ||
        table_bytes(h.properties) > kMaxTableBytes) {
        return "property table too large";
    }
    std::set<std::string> names;
    for (const auto& p : h.properties) {
        if (auto why = validate_property(p); !why.empty()) {
            return why;
        }
        if (!names.insert(p.name).second) {
            return "property name '" + p.name + "' appears twice";
        }
    }
    if (!file_bytes(h)) {
        return "object count too large";
    }
    return {};
}

std::vector<unsigned char> serialize(const header& h)
{
    std::vector<unsigned char> out(table_bytes(h.properties), 0);
    std::memcpy(out.data(), kMagic, sizeof kMagic);
    store_le<std::uint16_t>(&out[8], kVersion);
    store_le<std::uint16_t>(&out[10], 0);
    store_le<std::uint32_t>(&out[12], static_cast<std::uint32_t>(h.properties.size()));
    store_le<std::uint64_t>(&out[16], h.object_count);
    store_le<std::uint64_t>(&out[24], out.size());
    std::size_t at = kHeaderBytes;
    for (const auto& p : h.properties) {
        out[at] = static_cast<unsigned char>(p.type);
        store_le<std::uint16_t>(&out[at + 2], static_cast<std::uint16_t>(p.name.size()));
        store_le<std::uint16_t>(&out[at + 4], static_cast<std::uint16_t>(p.caption.size()));
        store_le<double>(&out[at + 8], canonical(p.nodata));
        at += kPropertyFixedBytes;
        std::memcpy(&out[at], p.name.data(), p.name.size());
        at += p.name.size();
        std::memcpy(&out[at], p.caption.data(), p.caption.size());
        at += p.caption.size();
    }
    return out;
}

std::nullopt_t refuse(std::string* why, std::string reason)
{
    if (why != nullptr) {
        *why = std::move(reason);
    }
    return std::nullopt;
}

std::optional<fixed_header> parse_fixed(const unsigned char* bytes, std::size_t size, std::string* why)
{
    if (size < kHeaderBytes) {
        return refuse(why, "truncated: " + std::to_string(size) + " bytes, shorter than the 32-byte header");
    }
    if (std::memcmp(bytes, kMagic, sizeof kMagic) != 0) {
        return refuse(why, "not a .pgrid file (it does not begin with the .pgrid signature)");
    }
    if (const auto version = load_le<std::uint16_t>(bytes + 8); version != kVersion) {
        return refuse(why, "format version " + std::to_string(version) +
                               " is not supported (this program reads version 1)");
    }
    if (load_le<std::uint16_t>(bytes + 10) != 0) {
        return refuse(why, "the header's reserved flags are set");
    }
    fixed_header fixed;
    fixed.property_count = load_le<std::uint32_t>(bytes + 12);
    fixed.object_count = load_le<std::uint64_t>(bytes + 16);
    fixed.data_offset = load_le<std::uint64_t>(bytes + 24);
    if (fixed.data_offset < kHeaderBytes || fixed.data_offset > kMaxTableBytes) {
        return refuse(why, "the header's data offset " + std::to_string(fixed.data_offset) +
                               " is outside 32 bytes to 16 MiB");
    }
    return fixed;
}

namespace
{

// One property entry at bytes[at]; advances at. nullopt when it runs past
// the table, its type is unknown or its reserved bytes are not zero.
std::optional<property_info> parse_property(const unsigned char* bytes, std::size_t size, std::size_t& at,
                                            std::string* why)
{
    if (size - at < kPropertyFixedBytes) {
        return refuse(why, "runs past the end of the property table");
    }
    const unsigned char* e = bytes + at;
    const auto type = type_from_code(e[0]);
    const auto name_bytes = load_le<std::uint16_t>(e + 2);
    const auto caption_bytes = load_le<std::uint16_t>(e + 4);
    if (!type) {
        return refuse(why, "has the unknown type code " + std::to_string(e[0]));
    }
    if (e[1] != 0 || load_le<std::uint16_t>(e + 6) != 0) {
        return refuse(why, "has reserved bytes set");
    }
    at += kPropertyFixedBytes;
    if (size - at < std::size_t{name_bytes} + caption_bytes) {
        return refuse(why, "runs past the end of the property table");
    }
    property_info p;
    p.type = *type;
    p.nodata = load_le<double>(e + 8);
    p.name.assign(reinterpret_cast<const char*>(bytes + at), name_bytes);
    at += name_bytes;
    p.caption.assign(reinterpret_cast<const char*>(bytes + at), caption_bytes);
    at += caption_bytes;
    return p;
}

} // namespace

std::optional<header> parse_table(const fixed_header& fixed, const unsigned char* bytes, std::size_t size,
                                  std::string* why)
{
    if (size != fixed.data_offset - kHeaderBytes) {
        return refuse(why, "the property table does not end at the data offset");
    }
    // Every entry takes at least its fixed bytes and a one-byte name, which
    // bounds the count before anything is allocated for it.
    if (fixed.property_count > size / (kPropertyFixedBytes + 1)) {
        return refuse(why, std::to_string(fixed.property_count) + " properties do not fit in a table of " +
                               std::to_string(size) + " bytes");
    }
    header h;
    h.object_count = fixed.object_count;
    h.properties.reserve(fixed.property_count);
    std::size_t at = 0;
    for (std::uint32_t k = 0; k < fixed.property_count; ++k) {
        std::string entry_why;
        auto p = parse_property(bytes, size, at, &entry_why);
        if (!p) {
            return refuse(why, "property " + std::to_string(k) + " " + entry_why);
        }
        h.properties.push_back(std::move(*p));
    }
    if (at != size) {
        return refuse(why, "the property table does not end at the data offset");
    }
    if (auto invalid = validate(h); !invalid.empty()) {
        return refuse(why, "damaged property table: " + invalid);
    }
    return h;
}

} // namespace zv::zvk_file_tos4
