// The module's entry and its bundle: the one reference through which the host
// reaches everything the module offers.
#pragma once

#include "protocol/interface_ref.h"

#if defined(_WIN32)
#define ZV_MODULE_EXPORT __declspec(dllexport)
#else
#define ZV_MODULE_EXPORT __attribute__((visibility("default")))
#endif

extern "C" {

// The two words of an interface reference, as C sees them.
struct zv_interface_words {
    const void* table;
    void* object;
};

// Returns {bundle table, object}; the module never looks at `object`.
ZV_MODULE_EXPORT zv_interface_words zv_bundle_interface_to_custom_pointer(void* object);

// Does nothing. Fills the bundle's slots 2 to 5.
ZV_MODULE_EXPORT void scary_vcl_bug_crashes_everything_on_unloading(void);

typedef zv_interface_words (*zv_bundle_entry_fn)(void* object);
}

namespace zv
{

// The bundle's table, built on first use: slot 0 root, slot 1 register_services,
// slots 2 to 5 the do-nothing export.
const void* bundle_table() noexcept;

inline constexpr int bundle_slot_count = 6;

// Adds every factory of the factory list, in list order, to the registry
// (a "zv_service_registry_interface_0" reference). A null registry: no calls.
void register_services(const interface_ref& registry);

} // namespace zv
