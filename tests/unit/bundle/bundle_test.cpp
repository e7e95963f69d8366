#include <gtest/gtest.h>

#include <string>

#include "bundle/bundle.h"
#include "bundle/localizer_client.h"
#include "host_doubles.h"

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

TEST(BundleEntry, CalledTwiceReturnsTheSameTableAndTheHostsObject)
{
    int first_object = 0, second_object = 0;
    const interface_ref first = entry(&first_object);
    const interface_ref second = entry(&second_object);
    EXPECT_EQ(first.table, second.table);
    EXPECT_EQ(first.table, bundle_table());
    EXPECT_EQ(first.object, &first_object);
    EXPECT_EQ(second.object, &second_object);
}

TEST(BundleEntry, SlotsTwoToFiveHoldTheSecondExport)
{
    const slot_fn* slots = slots_of(entry(nullptr).table);
    for (int k = 2; k < bundle_slot_count; ++k) {
        EXPECT_EQ(slots[k], reinterpret_cast<slot_fn>(&scary_vcl_bug_crashes_everything_on_unloading));
    }
    slots[5](); // does nothing
}

TEST(BundleRoot, AnswersNullToEveryName)
{
    int host_object = 0;
    const interface_ref root = root_of(entry(&host_object));
    ASSERT_TRUE(root.valid());
    EXPECT_EQ(root.object, &host_object);
    for (const char* name :
         {"zv_bundle_interface_1", "zv_service_factory_interface_1", "zv_referent_interface_1", ""}) {
        interface_ref result{&host_object, &host_object};
        reinterpret_cast<query_fn>(slots_of(root.table)[0])(root.table, root.object, name, &result.table,
                                                            &result.object);
        EXPECT_EQ(result, interface_ref{}) << name;
    }
}

TEST(RegisterServices, RegistersTheFiveFactoriesInConstructionOrder)
{
    int host_object = 0;
    recording_registry registry;
    register_through_bundle(entry(&host_object), registry.self());
    ASSERT_EQ(registry.entries.size(), 5u);
    const std::u16string expected[] = {u"org.zvgeo/app/pgn_oriented_axes2d_app", u"",
                                       u"org.zvgeo/app/prf_beg_end_app", u"org.zvgeo/app/tos_graph_x2y_app",
                                       u""};
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(registry.entries[i].identifier, expected[i]) << i;
        EXPECT_EQ(registry.entries[i].factory.table, table<service_factory>());
        EXPECT_NE(from_ref<service_factory>(registry.entries[i].factory), nullptr);
    }
}

TEST(RegisterServices, EveryCallRegistersTheWholeListAgain)
{
    recording_registry registry;
    register_services(registry.self());
    register_services(registry.self());
    ASSERT_EQ(registry.entries.size(), 10u);
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(registry.entries[i].factory, registry.entries[i + 5].factory);
    }
}

int registry_calls = 0;
void counting_add_factory(const void*, void*, const char16_t*, const interface_ref*) noexcept
{
    ++registry_calls;
}

TEST(RegisterServices, NullRegistryCallsNothing)
{
    const slot_fn counting_table[2] = {nullptr, reinterpret_cast<slot_fn>(&counting_add_factory)};
    registry_calls = 0;
    register_through_bundle(entry(nullptr), interface_ref{counting_table, nullptr});
    register_through_bundle(entry(nullptr), interface_ref{});
    EXPECT_EQ(registry_calls, 0);
    int object = 0;
    register_services(interface_ref{counting_table, &object});
    EXPECT_EQ(registry_calls, 5);
}

TEST(RegisterServices, FactoryRootsAnswerOnlyTheFactoryInterface)
{
    recording_registry registry;
    register_services(registry.self());
    for (const auto& e : registry.entries) {
        const interface_ref root = root_of(e.factory);
        EXPECT_EQ(cast<service_factory>(root), e.factory);
        EXPECT_FALSE(cast<service_registry_visitor>(root).valid());
        EXPECT_FALSE(cast<referent<>>(root).valid());
    }
}

} // namespace
} // namespace zv::test
