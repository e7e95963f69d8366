// The module's C boundary as both sides see it: the two words of an interface
// reference, and the entry through which a host reaches the module's bundle.
// Hosts include this header alone; the module implements the entry.
#pragma once

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

// The entry's type: a host calls the entry through exactly this type.
typedef zv_interface_words (*zv_bundle_entry_fn)(void* object);
}
