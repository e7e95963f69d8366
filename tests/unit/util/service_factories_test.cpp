#include "util/service_factories.h"

#include <gtest/gtest.h>

#include <algorithm>
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

TEST(FactoryList, FactoriesJoinAtTheEndAndLeaveWhenDestroyed)
{
    auto& list = factory_list();
    const std::size_t before = list.size();
    auto first = std::make_unique<util::service_factory<list_probe_app>>();
    auto second = std::make_unique<custom_client_factory_impl>(nullptr);
    ASSERT_EQ(list.size(), before + 2);
    EXPECT_EQ(list[before], first.get());
    EXPECT_EQ(list[before + 1], second.get());
    EXPECT_EQ(std::u16string(first->identifier()), u"org.zvgeo/app/list_probe");
    EXPECT_EQ(std::u16string(second->identifier()), u"");

    first.reset(); // out of order: the earlier one goes first
    EXPECT_EQ(list.size(), before + 1);
    EXPECT_NE(std::find(list.begin(), list.end(), second.get()), list.end());
    second.reset();
    EXPECT_EQ(list.size(), before);
}

TEST(FactoryList, DestroyedFactoryIsSkippedByALaterRegistration)
{
    auto gone = std::make_unique<util::service_factory<list_probe_app>>();
    custom_client_factory_impl kept(u"kept");
    gone.reset();
    hostapp::host_registry registry;
    register_services(make_ref<service_registry>(&registry));
    ASSERT_EQ(registry.records().size(), factory_list().size());
    EXPECT_EQ(registry.records().back().identifier, u"kept");
    for (const auto& e : registry.records())
        EXPECT_NE(e.identifier, u"org.zvgeo/app/list_probe");
}

} // namespace
} // namespace zv::test
