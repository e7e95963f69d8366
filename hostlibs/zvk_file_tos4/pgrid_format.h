// The .pgrid point-grid data file: a little-endian header, a property table
// and then each property's values contiguous (docs/pgrid.md).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zv::zvk_file_tos4
{

// File layout constants.
inline constexpr unsigned char kMagic[8] = {0x89, 'P', 'G', 'R', 'I', 'D', '\r', '\n'};
inline constexpr std::uint16_t kVersion = 1;
inline constexpr std::size_t kHeaderBytes = 32;            // magic .. data offset
inline constexpr std::size_t kPropertyFixedBytes = 16;     // type .. no-data, before the texts
inline constexpr std::size_t kMaxTextBytes = 1024;         // a name or caption, UTF-8 bytes
inline constexpr std::uint64_t kMaxTableBytes = 16u << 20; // header + property table

// Stored value types, by their code in the file.
enum class stored_type : std::uint8_t { f32 = 1, f64 = 2, i32 = 3, i16 = 4, u8 = 5 };

// Bytes per value of a type.
std::size_t type_size(stored_type type);
// "f32", "f64", "i32", "i16", "u8".
std::string_view type_name(stored_type type);
// The type of a name or of a code in the file; nullopt when unknown.
std::optional<stored_type> type_from_name(std::string_view name);
std::optional<stored_type> type_from_code(std::uint8_t code);
// The no-data value a property of that type gets unless told otherwise:
// NaN for f32 and f64, the smallest value for i32 and i16, 255 for u8.
double default_nodata(stored_type type);
// The smallest and largest value of an integer type (0, 0 for f32 and f64).
std::pair<double, double> integer_range(stored_type type);
// Whether the type can hold the value exactly (NaN only for f32 and f64).
bool holds_exactly(stored_type type, double value);

struct property_info {
    std::string name;    // UTF-8, not empty, unique in the file
    std::string caption; // UTF-8, may be empty
    stored_type type = stored_type::f32;
    double nodata = 0.0; // NaN for float types means "any NaN"
};

struct header {
    std::uint64_t object_count = 0;
    std::vector<property_info> properties;
};

// Bytes of header plus property table for these properties.
std::uint64_t table_bytes(const std::vector<property_info>& properties);
// Byte offset of property k's first value and the whole file size; nullopt
// when the sizes overflow 64 bits.
std::optional<std::uint64_t> values_offset(const header& h, std::size_t property);
std::optional<std::uint64_t> file_bytes(const header& h);

// Why a header was refused; empty when it is valid.
std::string validate(const header& h);

// The header and property table as stored; the header must be valid.
std::vector<unsigned char> serialize(const header& h);

// Stores the reason of a refusal in *why when the caller asked for one
// (why not null); gives nullopt.
std::nullopt_t refuse(std::string* why, std::string reason);

// Reads the fixed 32-byte header: the object count, property count and data
// offset; nullopt when the magic, version or reserved bits are wrong, with
// the reason in *why when it is given.
struct fixed_header {
    std::uint32_t property_count = 0;
    std::uint64_t object_count = 0;
    std::uint64_t data_offset = 0;
};
std::optional<fixed_header> parse_fixed(const unsigned char* bytes, std::size_t size,
                                        std::string* why = nullptr);

// Parses the property table (the bytes from offset 32 to the data offset);
// nullopt when it is inconsistent with the fixed header or invalid, with the
// reason in *why when it is given.
std::optional<header> parse_table(const fixed_header& fixed, const unsigned char* bytes, std::size_t size,
                                  std::string* why = nullptr);

} // namespace zv::zvk_file_tos4
