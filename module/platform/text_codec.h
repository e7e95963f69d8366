// Text in code pages and in UTF-16: the system's ANSI code page, conversions
// between multi-byte text and UTF-16 for a code page number, and the
// platform's case mapping of UTF-16 text. Nothing here throws.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zv::platform
{

// Code page numbers with a meaning of their own.
inline constexpr unsigned code_page_utf8 = 65001;
inline constexpr unsigned code_page_us_ascii = 20127;

// The system's ANSI code page: the code page of narrow text exchanged with the
// host libraries. Always a usable code page number. Read from the current
// settings at every call, so the module and the host libraries, which read
// the same settings, never disagree.
unsigned ansi_code_page() noexcept;

// Converts multi-byte text of a code page to UTF-16 (flags 0 semantics):
// - length_bytes < 0: text is zero-terminated and the terminator is converted
//   and counted too; length_bytes == 0 or null text: failure;
// - out null or out_capacity 0: returns the number of UTF-16 units needed;
// - otherwise converts into out and returns the units written, 0 when they do
//   not fit.
// Returns 0 on every failure (unknown code page included). Ill-formed UTF-8
// becomes U+FFFD; bytes a single-byte code page leaves undefined become the
// C1 control of the same value (1250-1258) or U+FFFD. Code pages: 65001,
// 20127, 866, 1250-1258, and further OEM, ISO and double-byte code pages.
int multi_byte_to_wide(unsigned code_page, const char* text, int length_bytes, char16_t* out,
                       int out_capacity) noexcept;

// Converts UTF-16 text to multi-byte text of a code page (flags 0, no default
// character given): the same conventions as multi_byte_to_wide. Characters the
// code page cannot represent become '?', the system's default replacement.
int wide_to_multi_byte(unsigned code_page, const char16_t* text, int length_units, char* out,
                       int out_capacity) noexcept;

// Whole-text conversions in UTF-8; ill-formed input becomes U+FFFD. Used for
// paths and names at the boundary with the system.
std::string utf16_to_utf8(std::u16string_view text);
std::u16string utf8_to_utf16(std::string_view text);

// The one UTF-16 to UTF-8 encoder every other conversion uses. No unit takes
// more than this many bytes (a surrogate pair takes four for two units).
inline constexpr std::size_t utf8_max_bytes_per_unit = 3;

// Writes the UTF-8 form of text at out, which has room for
// utf8_max_bytes_per_unit bytes per unit, and returns the end of what it
// wrote. An unpaired surrogate becomes U+FFFD, so the output is always valid
// UTF-8. Streaming writers encode straight into their buffers with this.
char* encode_utf8(std::u16string_view text, char* out) noexcept;

// Appends the UTF-8 form of text to out.
void append_utf8(std::u16string_view text, std::string& out);

// The platform's case mapping of one UTF-16 unit (Latin, Greek, Cyrillic,
// Armenian and the other bicameral scripts of the Basic Multilingual Plane);
// units without a case are returned unchanged.
char16_t to_lower(char16_t unit) noexcept;
char16_t to_upper(char16_t unit) noexcept;
std::u16string to_lower(std::u16string_view text);
std::u16string to_upper(std::u16string_view text);

// Case-insensitive ordinal comparison as the platform compares file names:
// both sides upper-cased unit by unit. Negative, zero or positive.
int compare_no_case(std::u16string_view a, std::u16string_view b) noexcept;

} // namespace zv::platform
