// UTF-16 text of the module as the wide Windows functions take it: wchar_t
// is UTF-16 on Windows, so the units are the same and only the type differs.
#pragma once

#include <string>
#include <string_view>

namespace zv::platform::win32
{

static_assert(sizeof(wchar_t) == sizeof(char16_t), "wchar_t is UTF-16 on Windows");

inline const wchar_t* wide(const std::u16string& text) noexcept
{
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

inline wchar_t* wide(char16_t* text) noexcept
{
    return reinterpret_cast<wchar_t*>(text);
}

inline std::u16string from_wide(const wchar_t* text, std::size_t length)
{
    return std::u16string(reinterpret_cast<const char16_t*>(text), length);
}

inline std::u16string from_wide(const std::wstring& text)
{
    return from_wide(text.data(), text.size());
}

} // namespace zv::platform::win32
