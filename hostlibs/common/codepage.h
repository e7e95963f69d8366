// Code pages of the host libraries: the system ANSI code page as Windows
// derives it from the locale, and conversions between 8-bit code pages and
// UTF-16 through iconv (UTF-8 and UTF-16 alone: utf_text.h).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zv::hostcommon
{

inline constexpr unsigned utf8_code_page = 65001;

// The system ANSI code page: ZV_ANSI_CODEPAGE when it holds a number, else
// the language of LC_ALL / LC_CTYPE / LANG (ru -> 1251, pl -> 1250, ...),
// else 1252.
unsigned ansi_code_page();

// Code page of a locale language code such as "ru_RU.UTF-8"; 1252 when the
// language has no code page of its own.
unsigned code_page_of_language(std::string_view locale);

// True when the code page's bytes below 0x80 are ASCII (so ASCII text
// passes unconverted).
bool is_ascii_compatible(unsigned code_page);

// True when the iconv of this system knows the code page.
bool is_supported(unsigned code_page);

// Narrow text in code_page to UTF-16. Bytes that are invalid in the code
// page become U+FFFD. False only when the code page is unknown.
bool to_utf16(std::string_view text, unsigned code_page, std::u16string& out);

// UTF-16 to narrow text in code_page. Characters the code page cannot hold
// become '?'. False only when the code page is unknown.
bool from_utf16(std::u16string_view text, unsigned code_page, std::string& out);

// Narrow text from one code page to another (same page: copied).
bool recode(std::string_view text, unsigned from_page, unsigned to_page, std::string& out);

} // namespace zv::hostcommon
