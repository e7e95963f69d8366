// Functions on UTF-16 paths. Both the backslash and the slash separate path
// components; paths built here use the backslash. A path whose second unit is
// a colon has a two-unit drive prefix. Nothing here touches the file system.
#pragma once

#include <string>
#include <string_view>

namespace zv::support
{

bool is_separator(char16_t unit) noexcept;

// The path itself when empty or ending with a separator, else path + '\'.
std::u16string with_trailing_separator(std::u16string_view path);
// tail when base is empty or tail is absolute, base when tail is empty, else
// base, a backslash unless base ends with a separator, and tail.
std::u16string join(std::u16string_view base, std::u16string_view tail);
// Empty, or neither starting with a separator nor having a drive prefix.
bool is_relative(std::u16string_view path) noexcept;
// The part after the last separator (the whole path when there is none).
std::u16string file_name(std::u16string_view path);
// The file name without its extension. The extension runs from the file
// name's last dot, unless that dot is the name's first unit (".hidden").
std::u16string stem(std::u16string_view path);
// The extension, dot included, in lower case; empty when there is none.
std::u16string extension_lower(std::u16string_view path);
// The folder part of path (through its last separator) joined with new_stem
// and the lower-cased extension of path.
std::u16string with_stem(std::u16string_view path, std::u16string_view new_stem);
// path without its extension (the last dot after the last separator, unless
// it is the path's first unit), then a dot when extension is not empty and
// does not begin with one, then extension.
std::u16string with_extension(std::u16string_view path, std::u16string_view extension);
// The file name of path in directory.
std::u16string moved_to(std::u16string_view path, std::u16string_view directory);
// Whether two paths are the same text as the platform compares file names:
// without regard to case, either separator standing for the other.
bool same_path(std::u16string_view a, std::u16string_view b) noexcept;

// Disallowed everywhere: < > : " | ? * and NUL; in file names also \ and /.
bool is_valid_path_char(char16_t unit) noexcept;
bool is_valid_file_name_char(char16_t unit) noexcept;
// No disallowed unit after the drive prefix of an absolute path.
bool is_valid_path(std::u16string_view path) noexcept;
bool is_valid_file_name(std::u16string_view name) noexcept;
// Copies with every disallowed unit replaced by '_' (a drive prefix is kept).
std::u16string sanitized_path(std::u16string_view path);
std::u16string sanitized_file_name(std::u16string_view name);

} // namespace zv::support
