#include "support/paths.h"

#include "foundation/paths.h"
#include "platform/case_mapping.h"

#include <algorithm>

namespace zv::support
{
namespace
{

constexpr char16_t backslash = u'\\';
constexpr std::u16string_view disallowed_in_path = std::u16string_view(u"<>:\"|?*\0", 8);

std::size_t drive_prefix_length(std::u16string_view path) noexcept
{
    return path.size() >= 2 && path[1] == u':' ? 2 : 0;
}

} // namespace

bool is_separator(char16_t unit) noexcept
{
    return foundation::is_separator(unit);
}

std::u16string with_trailing_separator(std::u16string_view path)
{
    std::u16string result(path);
    if (!result.empty() && !is_separator(result.back()))
        result.push_back(backslash);
    return result;
}

std::u16string join(std::u16string_view base, std::u16string_view tail)
{
    return foundation::join(base, tail, backslash);
}

bool is_relative(std::u16string_view path) noexcept
{
    return foundation::is_relative(path);
}

std::u16string file_name(std::u16string_view path)
{
    return std::u16string(foundation::file_name(path));
}

std::u16string stem(std::u16string_view path)
{
    return std::u16string(foundation::stem(path));
}

std::u16string extension_lower(std::u16string_view path)
{
    return platform::to_lower(foundation::extension(path));
}

std::u16string with_stem(std::u16string_view path, std::u16string_view new_stem)
{
    std::u16string tail(new_stem);
    tail.append(extension_lower(path));
    return join(path.substr(0, foundation::file_name_start(path)), tail);
}

std::u16string with_extension(std::u16string_view path, std::u16string_view extension)
{
    std::size_t end = path.size();
    for (std::size_t i = path.size(); i > 0; --i) {
        const char16_t unit = path[i - 1];
        if (is_separator(unit))
            break;
        if (unit == u'.') {
            if (i - 1 > 0)
                end = i - 1;
            break;
        }
    }
    std::u16string result(path.substr(0, end));
    if (!extension.empty() && extension[0] != u'.')
        result.push_back(u'.');
    result.append(extension);
    return result;
}

std::u16string moved_to(std::u16string_view path, std::u16string_view directory)
{
    return join(directory, file_name(path));
}

bool same_path(std::u16string_view a, std::u16string_view b) noexcept
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const bool both_separators = is_separator(a[i]) && is_separator(b[i]);
        if (!both_separators && platform::to_upper(a[i]) != platform::to_upper(b[i]))
            return false;
    }
    return true;
}

bool is_valid_path_char(char16_t unit) noexcept
{
    return disallowed_in_path.find(unit) == std::u16string_view::npos;
}

bool is_valid_file_name_char(char16_t unit) noexcept
{
    return is_valid_path_char(unit) && !is_separator(unit);
}

bool is_valid_path(std::u16string_view path) noexcept
{
    const std::u16string_view rest = path.substr(drive_prefix_length(path));
    return std::all_of(rest.begin(), rest.end(), is_valid_path_char);
}

bool is_valid_file_name(std::u16string_view name) noexcept
{
    return std::all_of(name.begin(), name.end(), is_valid_file_name_char);
}

std::u16string sanitized_path(std::u16string_view path)
{
    std::u16string result(path);
    const auto rest = result.begin() + static_cast<std::ptrdiff_t>(drive_prefix_length(path));
    std::replace_if(
        rest, result.end(), [](char16_t unit) { return !is_valid_path_char(unit); }, u'_');
    return result;
}

std::u16string sanitized_file_name(std::u16string_view name)
{
    std::u16string result(name);
    std::replace_if(
        result.begin(), result.end(), [](char16_t unit) { return !is_valid_file_name_char(unit); }, u'_');
    return result;
}

} // namespace zv::support
