// Native paths of the foundation are UTF-8 on every platform; Windows wants
// them as UTF-16 for its wide functions.
#pragma once

#include <string>

namespace zv::foundation::win32
{

static_assert(sizeof(wchar_t) == sizeof(char16_t), "wchar_t is UTF-16 on Windows");

// The UTF-16 form of a UTF-8 native path; empty (which every wide function
// refuses) when the path is not well-formed.
std::wstring wide_path(const std::string& path);

} // namespace zv::foundation::win32
