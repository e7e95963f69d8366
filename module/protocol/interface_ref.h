// The two-word value by which an object crosses the plug-in boundary.
#pragma once

#include <type_traits>

namespace zv
{

// {function table, object}. Null when either word is zero. Copying a reference
// never adds or removes a hold on the object: holding is explicit (ref<>).
struct interface_ref {
    const void* table = nullptr;
    void* object = nullptr;

    bool valid() const noexcept { return table != nullptr && object != nullptr; }
    friend bool operator==(const interface_ref&, const interface_ref&) = default;
};

static_assert(sizeof(interface_ref) == 2 * sizeof(void*), "a reference is two machine words");
static_assert(std::is_trivially_copyable_v<interface_ref>);
static_assert(std::is_standard_layout_v<interface_ref>);

} // namespace zv
