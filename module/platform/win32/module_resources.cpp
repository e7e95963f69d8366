// Windows: a module's resources are its .rc resources. The module's own
// handle comes from DllMain; code linked into a program (the unit tests)
// asks the loader which module holds it.
#include "platform/module_resources.h"

#include "foundation/guard.h"

#include <windows.h>

#include <string>

namespace zv::platform
{
namespace
{

HINSTANCE own_instance = nullptr;

HMODULE module_of(module_handle module)
{
    return static_cast<HMODULE>(module);
}

std::span<const unsigned char> resource_bytes(module_handle module, uint32_t id, const wchar_t* type)
{
    if (module == nullptr)
        return {};
    HRSRC found = FindResourceW(module_of(module), MAKEINTRESOURCEW(id), type);
    HGLOBAL loaded = found != nullptr ? LoadResource(module_of(module), found) : nullptr;
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (bytes == nullptr)
        return {};
    return {static_cast<const unsigned char*>(bytes), SizeofResource(module_of(module), found)};
}

} // namespace

module_handle own_module() noexcept
{
    if (own_instance != nullptr)
        return own_instance;
    HMODULE holder = nullptr;
    const DWORD flags = GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT;
    if (!GetModuleHandleExW(flags, reinterpret_cast<LPCWSTR>(&own_instance), &holder))
        return nullptr;
    return holder;
}

module_handle loaded_module(std::string_view name) noexcept
{
    return foundation::guarded(module_handle{}, [&]() -> module_handle {
        if (name.empty())
            return nullptr;
        // Library names are ASCII; the handle does not count as a reference.
        const std::wstring file = std::wstring(name.begin(), name.end()) + L".dll";
        return GetModuleHandleW(file.c_str());
    });
}

std::u16string_view module_string(module_handle module, uint32_t id) noexcept
{
    if (module == nullptr || id > 0xFFFF)
        return {};
    // Buffer size 0: the loader hands out a read-only pointer into the
    // resource and the length, without a terminating zero.
    const wchar_t* text = nullptr;
    const int length = LoadStringW(module_of(module), id, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || text == nullptr)
        return {};
    return {reinterpret_cast<const char16_t*>(text), static_cast<std::size_t>(length)};
}

std::span<const unsigned char> module_bitmap(module_handle module, uint32_t id) noexcept
{
    return resource_bytes(module, id, RT_BITMAP);
}

std::span<const unsigned char> module_icon(module_handle module, uint32_t id) noexcept
{
    const auto icon = resource_bytes(module, id, RT_GROUP_ICON);
    return icon.empty() ? resource_bytes(module, id, RT_GROUP_CURSOR) : icon;
}

} // namespace zv::platform

// Called by the loader when the module is mapped: the instance handle is the
// module's own. Programs that link the module's code statically never call it.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/)
{
    if (reason == DLL_PROCESS_ATTACH)
        zv::platform::own_instance = instance;
    return TRUE;
}
