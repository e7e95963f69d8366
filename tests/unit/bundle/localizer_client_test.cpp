#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "bundle/bundle.h"
#include "bundle/localizer_client.h"
#include "host_doubles.h"

namespace zv::test
{
namespace
{

using strong_localizer = ref<localizer, 0>;

interface_ref factory_ref(detail::local_factory_impl& client)
{
    service_factory_impl* factory = &client;
    return make_ref<service_factory>(factory);
}

void create(const interface_ref& factory, const interface_ref& context)
{
    call<&service_factory_impl::create>(factory, context, interface_ref{});
}

std::u16string text_of(const interface_ref& localizer_ref, std::uint32_t id)
{
    std::u16string text;
    stdwstring_visitor visitor(text);
    call<&localizer_impl::load_string>(localizer_ref, id, make_ref<string_visitor>(&visitor));
    return text;
}

TEST(LocalizerHandshake, DeliversTheHostsLocalizer)
{
    host_side host;
    strong_localizer held(make_ref<localizer>(new host_localizer));
    host.offer(held.get());
    detail::local_factory_impl client;
    EXPECT_FALSE(client.localizer().valid());

    create(factory_ref(client), host.context.self());
    EXPECT_EQ(host.context.calls, 1);
    ASSERT_EQ(host.locator.looked_up.size(), 1u);
    EXPECT_EQ(host.locator.looked_up[0], u"org.zvgeo/localizer");
    EXPECT_EQ(host.service.last_context, host.context.self());
    EXPECT_EQ(client.localizer(), held.get());
    EXPECT_EQ(text_of(client.localizer(), 12), u"text 12");
}

TEST(LocalizerHandshake, OnlyTheFirstCreateWithAContextCounts)
{
    host_side host, other;
    strong_localizer held(make_ref<localizer>(new host_localizer));
    host.offer(held.get());
    detail::local_factory_impl client;
    create(factory_ref(client), interface_ref{}); // a null context stores nothing
    create(factory_ref(client), host.context.self());
    create(factory_ref(client), other.context.self());
    create(factory_ref(client), host.context.self());
    EXPECT_EQ(host.context.calls, 1);
    EXPECT_EQ(other.context.calls, 0);
    EXPECT_EQ(client.localizer(), held.get());
}

TEST(LocalizerHandshake, HolderIsWeakAndNulledWhenTheLocalizerGoes)
{
    host_side host;
    bool destroyed = false;
    auto* loc = new host_localizer(&destroyed);
    auto held = std::make_unique<strong_localizer>(make_ref<localizer>(loc));
    host.offer(held->get());
    detail::local_factory_impl client;
    create(factory_ref(client), host.context.self());
    EXPECT_EQ(loc->referrer_count(), 2u);

    held.reset();
    EXPECT_TRUE(destroyed);
    EXPECT_FALSE(client.localizer().valid());
}

TEST(LocalizerHandshake, ANewLocalizerReplacesTheOld)
{
    strong_localizer first(make_ref<localizer>(new host_localizer));
    strong_localizer second(make_ref<localizer>(new host_localizer));
    detail::local_factory_impl client;
    localizer_visitor_impl* as_visitor = &client;
    const interface_ref visitor = make_ref<localizer_visitor>(as_visitor);
    call<&localizer_visitor_impl::visit>(visitor, first.get());
    call<&localizer_visitor_impl::visit>(visitor, second.get());
    EXPECT_EQ(client.localizer(), second.get());
    EXPECT_EQ(from_ref<localizer>(first.get()) != nullptr, true);
    EXPECT_EQ(static_cast<host_localizer*>(from_ref<localizer>(first.get()))->referrer_count(), 1u);
}

TEST(LocalizerHandshake, ClientLetsGoOfTheLocalizerWhenDestroyed)
{
    host_side host;
    auto* loc = new host_localizer;
    strong_localizer held(make_ref<localizer>(loc));
    host.offer(held.get());
    {
        detail::local_factory_impl client;
        create(factory_ref(client), host.context.self());
        EXPECT_EQ(loc->referrer_count(), 2u);
    }
    EXPECT_EQ(loc->referrer_count(), 1u);
}

TEST(LocalizerHandshake, MissingServiceLeavesTheHolderNull)
{
    host_side host;
    host.locator.service_found = interface_ref{};
    detail::local_factory_impl client;
    create(factory_ref(client), host.context.self());
    EXPECT_EQ(host.locator.looked_up.size(), 1u);
    EXPECT_FALSE(client.localizer().valid());
}

TEST(LocalizerClient, ServiceVisitorRootAnswersBothVisitorNames)
{
    detail::local_factory_impl client;
    service_visitor_impl* part = &client;
    const interface_ref root = root_of(make_ref<service_visitor>(part));
    localizer_service_visitor_impl* typed = &client;
    EXPECT_EQ(cast<service_visitor>(root), make_ref<service_visitor>(part));
    EXPECT_EQ(cast<localizer_service_visitor>(root), make_ref<localizer_service_visitor>(typed));
    EXPECT_FALSE(cast<localizer_visitor>(root).valid());
    EXPECT_FALSE(cast<service_factory>(root).valid());
}

TEST(LocalizerClient, EachPartAnswersItsOwnInterface)
{
    detail::local_factory_impl client;
    service_registry_visitor_impl* registry_part = &client;
    localizer_visitor_impl* localizer_part = &client;
    localizer_client_impl* client_part = &client;
    EXPECT_TRUE(
        cast<service_registry_visitor>(root_of(make_ref<service_registry_visitor>(registry_part))).valid());
    EXPECT_TRUE(cast<localizer_visitor>(root_of(make_ref<localizer_visitor>(localizer_part))).valid());
    EXPECT_TRUE(cast<localizer_client>(root_of(make_ref<localizer_client>(client_part))).valid());
    EXPECT_TRUE(cast<service_factory>(root_of(factory_ref(client))).valid());
    EXPECT_EQ(std::u16string(client.identifier()), u"");
}

// The module's own client, reached as the host reaches it: the fifth factory
// handed to the registry.
TEST(LocalizerHandshake, ModulesClientServesTheAccessor)
{
    static host_side host; // the client keeps the context for the module's life
    recording_registry registry;
    register_services(registry.self());
    ASSERT_EQ(registry.entries.size(), 5u);
    {
        strong_localizer held(make_ref<localizer>(new host_localizer));
        host.offer(held.get());
        create(registry.entries[4].factory, host.context.self());
        EXPECT_EQ(current_localizer(), held.get());
        EXPECT_EQ(text_of(current_localizer(), 50012), u"text 50012");
    }
    EXPECT_FALSE(current_localizer().valid());
}

} // namespace
} // namespace zv::test
