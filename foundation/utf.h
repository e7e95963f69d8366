// The one UTF-8 / UTF-16 codec. Text conversions never fail: an ill-formed
// sequence (an overlong form, an encoded surrogate, a value above U+10FFFF,
// a sequence cut short, a lone surrogate) becomes U+FFFD, one for each
// maximal ill-formed part. Path conversions are strict: the same input makes
// them fail, so a damaged name never reaches the file system as another name.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zv::foundation
{

inline constexpr char16_t replacement_character = 0xFFFD;

// No UTF-16 unit takes more than this many UTF-8 bytes (a surrogate pair
// takes four for two units).
inline constexpr std::size_t utf8_max_bytes_per_unit = 3;

// Length of a zero-terminated UTF-16 text; 0 for null.
std::size_t length(const char16_t* text) noexcept;

// True when every surrogate of the text is part of a pair.
bool is_well_formed(std::u16string_view text) noexcept;

// Writes the UTF-8 form of text at out, which has room for
// utf8_max_bytes_per_unit bytes per unit, and returns the end of what it
// wrote. Streaming writers encode straight into their buffers with this.
char* encode_utf8(std::u16string_view text, char* out) noexcept;

// Appends the UTF-8 form of text to out.
void append_utf8(std::u16string_view text, std::string& out);
// Appends the UTF-16 form of UTF-8 bytes to out (ill-formed input becomes
// U+FFFD), into the string's own storage: callers converting many texts
// reuse one string.
void append_utf16(std::string_view bytes, std::u16string& out);

// Text conversions: ill-formed input becomes U+FFFD.
std::string to_utf8(std::u16string_view text);
std::u16string to_utf16(std::string_view bytes);

// Strict conversions for paths and names: nullopt on ill-formed input.
std::optional<std::string> to_utf8_strict(std::u16string_view text);
std::optional<std::u16string> to_utf16_strict(std::string_view bytes);

// Reads one scalar value of UTF-16 text at text[i] and advances i; a lone
// surrogate gives U+FFFD. Encoders into other code pages walk text with it.
char32_t next_scalar(std::u16string_view text, std::size_t& i) noexcept;

} // namespace zv::foundation
