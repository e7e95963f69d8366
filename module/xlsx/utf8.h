// UTF-16 to UTF-8 encoding for the workbook's XML parts and file paths.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zv::xlsx
{

// Longest path, in bytes without the terminator, that the multibyte
// conversion of part and archive paths accepts (a 260-byte buffer).
inline constexpr std::size_t kMaxMultibytePath = 259;

// Appends the UTF-8 form of `text` to `out`. An unpaired surrogate becomes
// U+FFFD, so the output is always valid UTF-8.
void AppendUtf8(std::u16string_view text, std::string& out);

// The UTF-8 form of `text`.
std::string ToUtf8(std::u16string_view text);

// Converts a path for opening; false when it holds a NUL or its UTF-8 form
// does not fit the multibyte path limit.
bool ToMultibytePath(std::u16string_view path, std::string& out);

// Replaces &, <, > and " by their entity references.
std::u16string XmlEscape(std::u16string_view text);

} // namespace zv::xlsx
