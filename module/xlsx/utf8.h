// UTF-16 to UTF-8 encoding for the workbook's XML parts, and the limit of
// its part paths.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zv::xlsx
{

// Longest part path, in bytes of the ANSI code page without the terminator,
// that a workbook writes (a 260-byte buffer of the multibyte conversion).
inline constexpr std::size_t kMaxMultibytePath = 259;

// Appends the UTF-8 form of `text` to `out`. An unpaired surrogate becomes
// U+FFFD, so the output is always valid UTF-8.
void AppendUtf8(std::u16string_view text, std::string& out);

// The UTF-8 form of `text`.
std::string ToUtf8(std::u16string_view text);

// Whether a part path keeps within the multibyte limit: no NUL, and at most
// kMaxMultibytePath bytes as the system's ANSI code page encodes it (a
// character the code page lacks counts as its one-byte replacement; files
// are opened by their wide path, so such a path still works).
bool FitsMultibytePath(std::u16string_view path);

// Replaces &, <, > and " by their entity references.
std::u16string XmlEscape(std::u16string_view text);

} // namespace zv::xlsx
