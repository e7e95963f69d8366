#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "bundle/bundle.h"
#include "host_doubles.h"
#include "util/service_factories.h"
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

bool listed(const basic_service_factory_impl* factory)
{
    const auto& list = factory_list();
    return std::find(list.begin(), list.end(), factory) != list.end();
}

TEST(FactoryList, FactoriesJoinAtTheEndAndLeaveWhenDestroyed)
{
    const std::size_t before = factory_list().size();
    auto first = std::make_unique<util::service_factory<list_probe_app>>();
    auto second = std::make_unique<custom_client_factory_impl>(nullptr);
    ASSERT_EQ(factory_list().size(), before + 2);
    EXPECT_EQ(factory_list()[before], first.get());
    EXPECT_EQ(factory_list()[before + 1], second.get());

    first.reset(); // out of order: the earlier one goes first
    EXPECT_EQ(factory_list().size(), before + 1);
    EXPECT_TRUE(listed(second.get()));
    second.reset();
    EXPECT_EQ(factory_list().size(), before);
}

TEST(FactoryList, DestroyedFactoryIsSkippedByALaterRegistration)
{
    auto gone = std::make_unique<util::service_factory<list_probe_app>>();
    custom_client_factory_impl kept(u"kept");
    gone.reset();
    recording_registry registry;
    register_services(registry.self());
    ASSERT_EQ(registry.entries.size(), 6u);
    EXPECT_EQ(registry.entries.back().identifier, u"kept");
    for (const auto& e : registry.entries)
        EXPECT_NE(e.identifier, u"org.zvgeo/app/list_probe");
}

TEST(ServiceFactory, IdentifierIsTheAuthorityFollowedByThePathOrEmptyForNull)
{
    util::service_factory<list_probe_app> factory;
    EXPECT_EQ(std::u16string(factory.identifier()), u"org.zvgeo/app/list_probe");
    custom_service_factory_impl unnamed(nullptr);
    EXPECT_EQ(std::u16string(unnamed.identifier()), u"");
}

} // namespace
} // namespace zv::test
