// POSIX: a module's resources are the table returned by its exported
// zv_module_resource_table, found with dlsym on the module's loader handle.
#include "platform/module_resources.h"
#include "foundation/guard.h"

#include <dlfcn.h>
#include <link.h>

#include <string>

namespace zv::platform
{
namespace
{

// The loader handle of an already loaded object, without keeping an extra
// reference: the object stays loaded by whoever loaded it (as a Windows module
// handle does not count as a reference).
module_handle handle_without_loading(const char* file) noexcept
{
    void* handle = ::dlopen(file, RTLD_LAZY | RTLD_NOLOAD);
    if (handle != nullptr && file != nullptr)
        ::dlclose(handle);
    return handle;
}

// Whether the symbol lies in the module itself: dlsym on a library's handle
// also searches the libraries it depends on, whose tables are not its own.
bool belongs_to(void* symbol, module_handle module) noexcept
{
    link_map* owner = nullptr;
    link_map* asked = nullptr;
    Dl_info info{};
    if (::dladdr1(symbol, &info, reinterpret_cast<void**>(&owner), RTLD_DL_LINKMAP) == 0)
        return false;
    if (::dlinfo(module, RTLD_DI_LINKMAP, &asked) != 0)
        return false;
    return owner != nullptr && owner == asked;
}

const zv_resource_table* table_of(module_handle module) noexcept
{
    if (module == nullptr)
        return nullptr;
    void* symbol = ::dlsym(module, "zv_module_resource_table");
    if (symbol == nullptr || !belongs_to(symbol, module))
        return nullptr;
    auto fn = reinterpret_cast<zv_module_resource_table_fn>(symbol);
    return fn();
}

// The entry of a resource table with that id; null when there is none.
template <class Entry> const Entry* find_entry(const Entry* entries, std::size_t count, uint32_t id)
{
    for (std::size_t i = 0; entries != nullptr && i < count; ++i)
        if (static_cast<uint32_t>(entries[i].id) == id)
            return &entries[i];
    return nullptr;
}

std::span<const unsigned char> picture_bytes(const zv_resource_picture* entry)
{
    if (entry == nullptr || entry->bytes == nullptr)
        return {};
    return {entry->bytes, entry->size};
}

} // namespace

module_handle own_module() noexcept
{
    Dl_info info{};
    if (::dladdr(reinterpret_cast<void*>(&own_module), &info) == 0 || info.dli_fname == nullptr)
        return nullptr;
    if (module_handle handle = handle_without_loading(info.dli_fname))
        return handle;
    // Linked into the program itself: the program's handle (kept open for good,
    // the program is never unloaded).
    return ::dlopen(nullptr, RTLD_LAZY);
}

module_handle loaded_module(std::string_view name) noexcept
{
    return foundation::guarded(module_handle{}, [&]() -> module_handle {
        std::string file = "lib" + std::string(name) + ".so";
        return handle_without_loading(file.c_str());
    });
}

std::u16string_view module_string(module_handle module, uint32_t id) noexcept
{
    const zv_resource_table* table = table_of(module);
    const auto* entry = table == nullptr ? nullptr : find_entry(table->strings, table->string_count, id);
    if (entry == nullptr || entry->text == nullptr)
        return {};
    return {entry->text, entry->length};
}

std::span<const unsigned char> module_bitmap(module_handle module, uint32_t id) noexcept
{
    const zv_resource_table* table = table_of(module);
    return picture_bytes(table != nullptr ? find_entry(table->bitmaps, table->bitmap_count, id) : nullptr);
}

std::span<const unsigned char> module_icon(module_handle module, uint32_t id) noexcept
{
    const zv_resource_table* table = table_of(module);
    return picture_bytes(table != nullptr ? find_entry(table->icons, table->icon_count, id) : nullptr);
}

} // namespace zv::platform
