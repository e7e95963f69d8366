#include "bundle/bundle.h"

#include <gtest/gtest.h>

#include <string>

#include "host_objects.h"
#include "protocol/protocol.h"

namespace zv::test
{
namespace
{

const slot_fn* slots_of(const void* t)
{
    return static_cast<const slot_fn*>(t);
}

interface_ref entry(void* object)
{
    const zv_interface_words words = zv_bundle_interface_to_custom_pointer(object);
    return {words.table, words.object};
}

void register_through_bundle(const interface_ref& bundle, const interface_ref& registry)
{
    using register_fn = void (*)(const void*, void*, const interface_ref*);
    reinterpret_cast<register_fn>(slots_of(bundle.table)[1])(bundle.table, bundle.object, &registry);
}

TEST(BundleEntry, OneTableForEveryCallWhoseRootAnswersNullToEveryName)
{
    int first_object = 0, second_object = 0;
    const interface_ref first = entry(&first_object);
    EXPECT_EQ(first.table, entry(&second_object).table);
    EXPECT_EQ(first.table, bundle_table());
    EXPECT_EQ(entry(&second_object).object, &second_object);
    for (int k = 2; k < bundle_slot_count; ++k)
        EXPECT_EQ(slots_of(first.table)[k],
                  reinterpret_cast<slot_fn>(&scary_vcl_bug_crashes_everything_on_unloading));
    slots_of(first.table)[5](); // does nothing

    const interface_ref root = root_of(first);
    ASSERT_TRUE(root.valid());
    EXPECT_EQ(root.object, &first_object);
    for (const char* name :
         {"zv_bundle_interface_1", "zv_service_factory_interface_1", "zv_referent_interface_1", ""}) {
        interface_ref result{&first_object, &first_object};
        reinterpret_cast<query_fn>(slots_of(root.table)[0])(root.table, root.object, name, &result.table,
                                                            &result.object);
        EXPECT_EQ(result, interface_ref{}) << name;
    }
}

// Their identifiers and order are zvhost's listing of the built module
// (integration tests). A null registry, or one without its object, is called
// for nothing.
TEST(RegisterServices, EveryCallRegistersTheSameFiveDistinctFactories)
{
    int host_object = 0;
    hostapp::host_registry registry;
    register_through_bundle(entry(&host_object), interface_ref{});
    register_through_bundle(entry(&host_object), interface_ref{table<iface::service_registry>(), nullptr});
    register_through_bundle(entry(&host_object), make_ref<iface::service_registry>(&registry));
    register_services(make_ref<iface::service_registry>(&registry));
    const auto& records = registry.records();
    ASSERT_EQ(records.size(), 10u);
    for (std::size_t i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(records[i].factory.table, table<iface::service_factory>());
        EXPECT_NE(from_ref<iface::service_factory>(records[i].factory), nullptr);
        EXPECT_EQ(records[i].factory, records[i + 5].factory);
        for (std::size_t j = 0; j < i; ++j)
            EXPECT_NE(records[i].factory, records[j].factory);
        const interface_ref root = root_of(records[i].factory);
        EXPECT_EQ(cast<iface::service_factory>(root), records[i].factory);
        EXPECT_FALSE(cast<iface::referent>(root).valid());
    }
}

} // namespace
} // namespace zv::test
