// Code pages: the system's ANSI code page, the code page of narrow text that
// the module and the host libraries exchange, and conversions between code
// pages and UTF-16. One table and one decoder serve every library, so narrow
// text one of them writes reads back as the same text in another. Nothing
// here throws but for allocation failures in the std::string functions.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zv::foundation
{

// Code page numbers with a meaning of their own.
inline constexpr unsigned code_page_utf8 = 65001;
inline constexpr unsigned code_page_us_ascii = 20127;
inline constexpr unsigned code_page_western = 1252;

// The system's ANSI code page. On Windows the system's own; elsewhere as
// Windows derives it from the locale: ZV_ANSI_CODEPAGE when it holds a
// number, else code_page_of_locale of the first set of LC_ALL, LC_CTYPE and
// LANG (the C locale when none is). Read at every call.
unsigned ansi_code_page() noexcept;

// The ANSI code page of a locale name such as "ru_RU.UTF-8" or "ru-RU":
// the code page Windows gives its language (ru -> 1251, pl -> 1250, ...);
// for any other language, C and POSIX, 65001 when the locale's character
// set is UTF-8 (so no text is lost) and 1252 otherwise.
unsigned code_page_of_locale(std::string_view locale) noexcept;

// True when the system can convert the code page.
bool is_supported(unsigned code_page) noexcept;

// True when the code page's bytes below 0x80 are ASCII, so ASCII text passes
// unconverted.
bool is_ascii_compatible(unsigned code_page) noexcept;

// Narrow text of a code page to UTF-16. Ill-formed UTF-8 and invalid
// multi-byte sequences become U+FFFD; a byte that a Windows code page
// (1250-1258) leaves undefined becomes the C1 control of the same value, as
// on Windows, so it survives a round trip. False (out empty) only for a code
// page the system does not know.
bool to_utf16(std::string_view text, unsigned code_page, std::u16string& out);

// UTF-16 to narrow text of a code page. A character the code page cannot
// represent becomes '?', the system's default replacement. False (out
// empty) only for a code page the system does not know.
bool from_utf16(std::u16string_view text, unsigned code_page, std::string& out);

// Narrow text from one code page to another (the same page: copied).
bool recode(std::string_view text, unsigned from_page, unsigned to_page, std::string& out);

// The conversions above that also tell whether the text came through whole:
// `exact` is false when a character had no bytes in the code page (or a
// byte sequence was no character of it) and became the replacement.
bool to_utf16(std::string_view text, unsigned code_page, std::u16string& out, bool& exact);
bool from_utf16(std::u16string_view text, unsigned code_page, std::string& out, bool& exact);
bool recode(std::string_view text, unsigned from_page, unsigned to_page, std::string& out, bool& exact);

// How many bytes of narrow text of a code page to keep so that it takes at
// most max_bytes and never ends inside a character: the longest such start.
std::size_t fitting_length(std::string_view text, unsigned code_page, std::size_t max_bytes);

} // namespace zv::foundation
