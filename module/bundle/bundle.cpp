#include "bundle/bundle.h"

#include <cstddef>

#include "foundation/guard.h"
#include "protocol/glue.h"
#include "util/service_factories.h"

// The bundle's table is written out by hand rather than derived from an
// interface declaration: its object word is the host's, never ours, and four
// of its slots hold the module's second export.

namespace zv
{
namespace
{

bool bundle_table_built = false;
slot_fn bundle_slots[bundle_slot_count] = {};
bool bundle_root_built = false;
slot_fn bundle_root_slots[1] = {};

// The bundle offers no further interface: every name answers null.
void bundle_query(const void*, void*, const char*, const void** table_word, void** object_word) noexcept
{
    foundation::guarded(0, [&] {
        if (table_word)
            *table_word = nullptr;
        if (object_word)
            *object_word = nullptr;
    });
}

const void* bundle_root_table() noexcept
{
    if (!bundle_root_built) {
        bundle_root_built = true;
        bundle_root_slots[0] = reinterpret_cast<slot_fn>(&bundle_query);
    }
    return bundle_root_slots;
}

interface_ref bundle_root(const void*, void* object) noexcept
{
    return foundation::guarded(interface_ref{}, [&] { return interface_ref{bundle_root_table(), object}; });
}

void bundle_register_services(const void*, void*, const interface_ref* registry) noexcept
{
    foundation::guarded(0, [&] { register_services(abi<interface_ref>::take(registry)); });
}

} // namespace

const void* bundle_table() noexcept
{
    if (!bundle_table_built) {
        bundle_table_built = true;
        bundle_slots[0] = reinterpret_cast<slot_fn>(&bundle_root);
        bundle_slots[1] = reinterpret_cast<slot_fn>(&bundle_register_services);
        for (int k = 2; k < bundle_slot_count; ++k) {
            bundle_slots[k] = reinterpret_cast<slot_fn>(&scary_vcl_bug_crashes_everything_on_unloading);
        }
    }
    return bundle_slots;
}

// Indexed walk: a factory that leaves the list during a host call is skipped
// rather than left dangling.
void register_services(const interface_ref& registry)
{
    if (!registry.valid())
        return;
    auto& list = factory_list();
    for (std::size_t i = 0; i < list.size(); ++i) {
        basic_service_factory_impl* factory = list[i];
        call<&service_registry_impl::add_factory>(registry, factory->identifier(),
                                                  make_ref<iface::service_factory>(factory));
    }
}

} // namespace zv

extern "C" {

zv_interface_words zv_bundle_interface_to_custom_pointer(void* object)
{
    return zv::foundation::guarded(zv_interface_words{nullptr, nullptr}, [&] {
        return zv_interface_words{zv::bundle_table(), object};
    });
}

void scary_vcl_bug_crashes_everything_on_unloading(void) {}
}
