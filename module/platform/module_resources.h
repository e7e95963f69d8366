// Resources of a loaded module: its handle, and the strings and pictures it
// carries. On Windows these are the module's .rc resources; on POSIX a library
// that carries resources exports one C function, zv_module_resource_table,
// returning the table below.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

extern "C" {

// One string: `length` UTF-16 units at `text`. The units need not be followed
// by a zero; a string may also carry its own terminating zero as its last unit.
struct zv_resource_string {
    int32_t id;
    uint32_t length;
    const char16_t* text;
};

// One picture: the bytes of a .bmp file (file header included) among the
// bitmaps, of an .ico or .cur file among the icons.
struct zv_resource_picture {
    int32_t id;
    uint32_t size;
    const unsigned char* bytes;
};

struct zv_resource_table {
    std::size_t string_count;
    const zv_resource_string* strings;
    std::size_t bitmap_count;
    const zv_resource_picture* bitmaps;
    std::size_t icon_count;
    const zv_resource_picture* icons;
};

typedef const zv_resource_table* (*zv_module_resource_table_fn)(void);

} // extern "C"

#if defined(_WIN32)
#define ZV_RESOURCE_TABLE_EXPORT __declspec(dllexport)
#else
#define ZV_RESOURCE_TABLE_EXPORT __attribute__((visibility("default")))
#endif

namespace zv::platform
{

// Opaque handle of a loaded module (the instance handle on Windows, a loader
// handle on POSIX). Null means no module.
using module_handle = void*;

// The handle of the module that contains this code.
module_handle own_module() noexcept;

// The handle of the already loaded library `name` (without prefix or suffix,
// e.g. "zvk_basic"), or null when it is not loaded. Never loads it.
module_handle loaded_module(std::string_view name) noexcept;

// The string `id` of a module, as the system's string loader gives it in
// direct-pointer mode: a read-only view into the resource, without a
// terminating zero unless the resource stored one. Absent and empty strings
// both give an empty view.
std::u16string_view module_string(module_handle module, uint32_t id) noexcept;

// The bytes of bitmap resource `id` of a module; empty when absent. On
// Windows the resource as stored: a .bmp without its file header.
std::span<const unsigned char> module_bitmap(module_handle module, uint32_t id) noexcept;

// The bytes of icon (or cursor) resource `id` of a module; empty when absent.
// On Windows the resource as stored: the group directory of the icon.
std::span<const unsigned char> module_icon(module_handle module, uint32_t id) noexcept;

} // namespace zv::platform
