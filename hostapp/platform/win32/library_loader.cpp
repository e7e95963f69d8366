// The host's loader on Windows: LoadLibraryW on the full path, so exactly
// the file given is loaded; the libraries it imports are found the usual
// way (beside the program first, where the host's own libraries live).
#include "platform/library_loader.h"

#include "foundation/utf.h"

#include <windows.h>

#include <utility>

namespace zv::hostapp::platform
{
namespace
{

static_assert(sizeof(wchar_t) == sizeof(char16_t), "wchar_t is UTF-16 on Windows");

// The system's text for an error code, in UTF-8, without the line end.
std::string system_message(DWORD code)
{
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                            FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, code, 0, reinterpret_cast<LPWSTR>(&text), 0, nullptr);
    std::string message;
    if (length > 0 && text != nullptr)
        message = foundation::to_utf8(std::u16string_view(reinterpret_cast<const char16_t*>(text), length));
    LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' '))
        message.pop_back();
    return message.empty() ? "error " + std::to_string(code) : message;
}

std::wstring full_path(const std::wstring& path)
{
    const DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0)
        return path;
    std::wstring full(needed, L'\0');
    const DWORD length = GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
    full.resize(length < needed ? length : 0);
    return full.empty() ? path : full;
}

} // namespace

bool library::open(const std::string& path, std::string& error)
{
    close();
    const auto wide = foundation::to_utf16_strict(path);
    if (!wide || wide->empty()) {
        error = "cannot load " + path + ": not a valid path";
        return false;
    }
    const std::wstring file = full_path(std::wstring(wide->begin(), wide->end()));
    // No message box of the system's when the file is missing or broken.
    const UINT previous = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    handle_ = LoadLibraryW(file.c_str());
    const DWORD code = GetLastError();
    SetErrorMode(previous);
    if (handle_ == nullptr) {
        error = path + ": " + system_message(code);
        return false;
    }
    return true;
}

void* library::symbol(const char* name) const noexcept
{
    if (handle_ == nullptr)
        return nullptr;
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle_), name));
}

void library::close() noexcept
{
    if (handle_ != nullptr)
        FreeLibrary(static_cast<HMODULE>(std::exchange(handle_, nullptr)));
}

std::string library_file_name(std::string_view name)
{
    return std::string(name) + ".dll";
}

std::string library_folder_beside_programs()
{
    return std::string();
}

} // namespace zv::hostapp::platform
