// What the code-page conversions ask of the operating system: the bytes of a
// single-byte code page, and whole-text conversion for the others. One
// implementation per platform (posix/: iconv; win32/: the system's own).
#pragma once

#include <string>
#include <string_view>

namespace zv::foundation::system
{

// The UTF-16 unit of every byte of a single-byte code page, U+FFFD where the
// system defines none. False when the system does not know the code page.
bool single_byte_units(unsigned code_page, char16_t (&units)[256]);

// Whole-text conversions for multi-byte code pages other than UTF-8, with the
// replacements of code_page.h. False when the system does not know the code
// page.
bool multi_byte_to_utf16(unsigned code_page, std::string_view text, std::u16string& out);
bool utf16_to_multi_byte(unsigned code_page, std::u16string_view text, std::string& out);

// The system's own ANSI code page; 0 where it comes from the locale instead.
unsigned native_ansi_code_page() noexcept;

} // namespace zv::foundation::system
