// A library with its own resource table and its own copy of the platform
// layer, standing in for the module: asked for its own strings, it must find
// its table, not the program's.
#include <cstddef>
#include <iterator>

#include "platform/module_resources.h"

namespace
{

constexpr zv_resource_string strings[] = {
    {1, 11, u"probe's own"},
};

constexpr zv_resource_table table{std::size(strings), strings, 0, nullptr};

} // namespace

extern "C" ZV_RESOURCE_TABLE_EXPORT const zv_resource_table* zv_module_resource_table(void) noexcept
{
    return &table;
}

// The length of its own string `id` as its platform layer finds it, or -1.
extern "C" ZV_RESOURCE_TABLE_EXPORT long zv_probe_own_string_length(unsigned id) noexcept
{
    auto text = zv::platform::module_string(zv::platform::own_module(), id);
    return text.empty() ? -1 : static_cast<long>(text.size());
}
