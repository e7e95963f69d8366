// The dBASE file layout: the table header with its field descriptors, and
// the text form of a cell (padding on the way in, trimming on the way out).
#pragma once

#include "host/zvk_file_dbf.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zv::zvk_file_dbf
{

inline constexpr std::size_t prefix_bytes = 32;     // fixed part of the header
inline constexpr std::size_t descriptor_bytes = 32; // one field descriptor
inline constexpr unsigned char header_end = 0x0D;   // after the last descriptor
inline constexpr unsigned char file_end = 0x1A;     // after the last record
inline constexpr std::size_t driver_offset = 29;    // language-driver byte

struct field {
    std::string name; // raw bytes, in the table's code page
    char type = 'C';
    std::uint8_t length = 0;
    std::uint8_t decimals = 0;
    std::uint32_t offset = 0; // inside the record, after the deletion flag
};

struct layout {
    std::uint32_t record_count = 0;
    std::uint32_t header_bytes = 0;
    std::uint32_t record_bytes = 0;
    std::uint8_t driver = 0;
    std::vector<field> fields;

    std::uint64_t data_bytes() const { return std::uint64_t{record_count} * record_bytes; }
};

// Parses the fixed header (prefix_bytes) to learn how long the whole header
// is; 0 when the prefix is damaged.
std::uint32_t header_length(const unsigned char* prefix);

// Parses a whole header (header_bytes long). False when it is damaged: its
// fields do not fit in the record or the descriptors run past the header.
bool parse_header(const unsigned char* header, std::size_t header_bytes, layout& out);

// Checks the descriptors of a table to create and builds its layout. False
// for an empty or too long name, a zero length or a record over 65535 bytes.
bool layout_from_descriptors(const dbf_field_desc* fields, std::uint32_t field_count,
                             std::uint32_t record_count, std::uint8_t driver, layout& out);

// The header bytes of a layout (dated today).
std::vector<unsigned char> build_header(const layout& table);

// ZV_DBF_TYPE_* code of a stored type letter, and back.
std::uint32_t type_code(char letter);
char type_letter(std::uint32_t code);

// Cell text as stored (length bytes) without its padding: trailing blanks
// of character values, blanks around everything else; cut at a zero byte.
std::string_view trimmed_cell(const unsigned char* cell, std::size_t length, char type);

// How much of a value a cell took.
enum class stored {
    whole,  // all of it (a character value's trailing blanks are padding)
    cut,    // the start of a character value that fits, cut between characters
    refused // nothing: the cell is unchanged
};

// Writes text (in code_page) into a cell of the field (f.length bytes at
// cell), padded: left-justified for character values, which are cut to the
// longest start that fits and does not end inside a character;
// right-justified for numbers. Values other than character values that do
// not fit are refused.
stored store_cell(unsigned char* cell, const field& f, std::string_view text, unsigned code_page);

} // namespace zv::zvk_file_dbf
