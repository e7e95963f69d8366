#include "util/service_factories.h"

#include <gtest/gtest.h>

#include <memory>

#include "bundle/bundle.h"
#include "host_objects.h"
#include "util/service_factory.h"

namespace zv
{

struct list_probe_app {
    static constexpr char16_t service_path[] = u"/app/list_probe";
};

} // namespace zv

namespace zv::test
{
namespace
{

// A destroyed factory leaves the list, so a later registration skips it.
TEST(FactoryList, FactoriesJoinAtTheEndAndLeaveWhenDestroyed)
{
    auto& list = factory_list();
    const std::size_t before = list.size();
    auto first = std::make_unique<util::service_factory<list_probe_app>>();
    custom_client_factory_impl second(u"kept");
    ASSERT_EQ(list.size(), before + 2);
    EXPECT_EQ(list[before], first.get());
    EXPECT_EQ(list[before + 1], &second);
    EXPECT_EQ(std::u16string(first->identifier()), u"org.zvgeo/app/list_probe");

    first.reset(); // out of order: the earlier one goes first
    EXPECT_EQ(list.size(), before + 1);
    EXPECT_EQ(list.back(), &second);
    hostapp::host_registry registry;
    register_services(make_ref<service_registry>(&registry));
    ASSERT_EQ(registry.records().size(), list.size());
    EXPECT_EQ(registry.records().back().identifier, u"kept");
    for (const auto& e : registry.records())
        EXPECT_NE(e.identifier, u"org.zvgeo/app/list_probe");
}

} // namespace
} // namespace zv::test
