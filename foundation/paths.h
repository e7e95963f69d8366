// Paths as text, for UTF-16 paths of the module's form and narrow native
// paths alike. Both the backslash and the slash separate components; a file
// name's extension runs from its last dot, except that a name whose only dot
// is its first character (".hidden") has none. Nothing here touches the file
// system.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zv::foundation
{

template <class Char> constexpr bool is_separator(Char unit) noexcept
{
    return unit == Char('\\') || unit == Char('/');
}

// Where the file name starts: just after the last separator.
template <class Char> std::size_t file_name_start(std::basic_string_view<Char> path) noexcept
{
    for (std::size_t i = path.size(); i > 0; --i)
        if (is_separator(path[i - 1]))
            return i;
    return 0;
}

// The part after the last separator (the whole path when there is none).
template <class Char> std::basic_string_view<Char> file_name(std::basic_string_view<Char> path) noexcept
{
    return path.substr(file_name_start(path));
}

// The extension of the file name, dot included; empty when there is none.
template <class Char> std::basic_string_view<Char> extension(std::basic_string_view<Char> path) noexcept
{
    const auto name = file_name(path);
    const std::size_t dot = name.rfind(Char('.'));
    return dot == std::basic_string_view<Char>::npos || dot == 0 ? std::basic_string_view<Char>()
                                                                 : name.substr(dot);
}

// The file name without its extension.
template <class Char> std::basic_string_view<Char> stem(std::basic_string_view<Char> path) noexcept
{
    const auto name = file_name(path);
    return name.substr(0, name.size() - extension(path).size());
}

// The whole path without the extension of its file name.
template <class Char>
std::basic_string_view<Char> without_extension(std::basic_string_view<Char> path) noexcept
{
    return path.substr(0, path.size() - extension(path).size());
}

// Empty, or neither starting with a separator nor having a drive prefix.
template <class Char> bool is_relative(std::basic_string_view<Char> path) noexcept
{
    return path.empty() || (!is_separator(path[0]) && !(path.size() >= 2 && path[1] == Char(':')));
}

// tail when base is empty or tail is absolute, base when tail is empty, else
// base, the separator unless base ends with one, and tail.
template <class Char>
std::basic_string<Char> join(std::basic_string_view<Char> base, std::basic_string_view<Char> tail,
                             Char separator)
{
    if (base.empty() || !is_relative(tail))
        return std::basic_string<Char>(tail);
    std::basic_string<Char> joined(base);
    if (tail.empty())
        return joined;
    if (!is_separator(joined.back()))
        joined.push_back(separator);
    joined.append(tail);
    return joined;
}

// A path of the module's form as the operating system wants it: on POSIX
// UTF-8 with "\" turned into "/". Nullopt when the path is not well-formed
// UTF-16, so a damaged name never opens another file.
std::optional<std::string> native_path(std::u16string_view path);

// native_path of a zero-terminated path as the C functions receive it;
// empty, which every file call refuses, for null or a damaged path.
std::string native_path_or_empty(const char16_t* path);

} // namespace zv::foundation
