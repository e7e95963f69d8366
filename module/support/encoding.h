// Named encodings and the conversions between narrow (8-bit code page) and
// wide (UTF-16) text. The module converts everything with the system entry,
// whose code page is the system's ANSI code page; the other entries are there
// for callers that choose an encoding by index.
//
// Conversions never throw on bad input: a failed conversion gives an empty
// string, and characters the code page cannot represent are replaced by the
// system's default replacement.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace zv
{

struct encoding_entry {
    const char16_t* name;
    const char16_t* alternative_name;
    unsigned code_page; // 0: the system's ANSI code page
    std::uint32_t reserved;
};

inline constexpr std::size_t encoding_count = 19;
inline constexpr std::size_t encoding_utf8 = 0;
// The entry that every conversion of the module uses.
inline constexpr std::size_t encoding_system = 18;

// The fixed table of named encodings, indexed from 0.
const std::array<encoding_entry, encoding_count>& encodings() noexcept;

// The code page a conversion through entry `index` uses: the entry's own, or
// the system's ANSI code page for entries that carry 0. 0 when the index is
// outside the table.
unsigned code_page_of(std::size_t index) noexcept;

// length_bytes bytes of narrow text (no terminator counted) to UTF-16; null
// text gives an empty string.
std::u16string to_wide(const char* text, std::size_t length_bytes, std::size_t index);
// Zero-terminated or standard narrow text, with the system entry.
std::u16string to_wide(const char* text);
std::u16string to_wide(const std::string& text);
// Zero-terminated narrow text into out, replacing its content, with a code
// page looked up once (code_page_of) for a loop over many texts.
void to_wide(const char* text, unsigned code_page, std::u16string& out);

// length_units UTF-16 units to narrow text with the system entry's code page;
// null text gives an empty string.
std::string to_narrow(const char16_t* text, std::size_t length_units);
// Zero-terminated or standard wide text.
std::string to_narrow(const char16_t* text);
std::string to_narrow(const std::u16string& text);

} // namespace zv
