// The one UTF-8 <-> UTF-16 codec of the host libraries, and paths as the
// operating system wants them.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zv::hostcommon
{

// Length of a zero-terminated UTF-16 text; 0 for null.
std::size_t length(const char16_t* text) noexcept;

// True when every surrogate of the text is part of a pair.
bool is_well_formed(std::u16string_view text) noexcept;

// UTF-16 to UTF-8. Unpaired surrogates become U+FFFD.
std::string to_utf8(std::u16string_view text);

// UTF-8 to UTF-16; nullopt when the bytes are not well-formed UTF-8
// (overlong forms, surrogates and values above U+10FFFF included).
std::optional<std::u16string> from_utf8(std::string_view bytes);

// A path handed to a host library as the operating system wants it: UTF-8,
// and on POSIX "\" is a folder separator like "/" (the module joins paths
// with "\"). Null gives an empty path.
std::string native_path(const char16_t* path);

} // namespace zv::hostcommon
