// The host's objects seen from a module's side of the protocol: this test
// plays the module, with its own tables and holders. The localizer, its service
// and the locator are the localizer handshake's, checked in the bundle tests.
#include "host_objects.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "host.h"
#include "host/zvk_msgs.h"
#include "message_sink.h"
#include "protocol/lifetime.h"
#include "protocol/visitors.h"

namespace zv::hostapp
{
namespace
{

TEST(HostRegistry, KeepsFactoriesInOrderWithNullIdentifiersAsClients)
{
    host_registry registry;
    const interface_ref registry_ref = make_ref<service_registry>(&registry);
    int a = 0, b = 0;
    const interface_ref first{&a, &a}, second{&b, &b};
    call<&service_registry_impl::add_factory>(registry_ref, u"x.org/app/one", first);
    call<&service_registry_impl::add_factory>(registry_ref, nullptr, second);
    call<&service_registry_impl::add_factory>(registry_ref, u"", first);
    ASSERT_EQ(registry.records().size(), 3u);
    EXPECT_EQ(registry.records()[0].identifier, u"x.org/app/one");
    EXPECT_FALSE(registry.records()[0].is_client());
    EXPECT_TRUE(registry.records()[1].is_client());
    EXPECT_EQ(registry.records()[1].factory, second);
    EXPECT_TRUE(registry.records()[2].is_client());
}

TEST(HostMessages, NewestSinkKeepsAndEchoesEveryMessageBoxAndAnOlderOneLeavesItInstalled)
{
    auto older = std::make_unique<message_sink>();
    host h;
    std::ostringstream echo;
    h.messages().set_echo(&echo);
    zv_show_wmessage(u"Выполнено!");
    older.reset();
    zv_show_wwarning(u"");
    zv_show_werror(u"Errors!");
    const std::vector<shown_message> expected = {
        {ZV_MSG_INFORMATION, u"Выполнено!"}, {ZV_MSG_WARNING, u""}, {ZV_MSG_ERROR, u"Errors!"}};
    EXPECT_EQ(h.messages().messages(), expected);
    EXPECT_EQ(echo.str(), "information: Выполнено!\nwarning: \nerror: Errors!\n");
}

// A stand-in module with one tool factory that builds its tool the way the
// module's factories do: parented to the context's referent, handed to the
// visitor found on the visitor source.
class fake_tool final : public referent<custom_app_service_impl>
{
  public:
    explicit fake_tool(const interface_ref& parent) : obj(parent) { ++alive; }
    ~fake_tool() override { --alive; }
    static inline int alive = 0;
};

class fake_factory final : public service_factory_impl
{
  public:
    void create(interface_ref context, interface_ref source) override
    {
        const interface_ref visitor = cast<custom_app_service_visitor>(root_of(source));
        auto* tool = new fake_tool(call<&bundle_context_impl::referent>(context));
        ref<custom_app_service, 0> pending(make_ref<custom_app_service>(tool));
        call<&custom_app_service_visitor_impl::visit>(visitor, pending.get());
    }
};

fake_factory factory;

void fake_register(const void*, void*, const interface_ref* registry)
{
    call<&service_registry_impl::add_factory>(*registry, u"test/app/fake",
                                              make_ref<service_factory>(&factory));
    call<&service_registry_impl::add_factory>(*registry, u"", make_ref<service_factory>(&factory));
}

slot_fn fake_bundle[6] = {nullptr, reinterpret_cast<slot_fn>(&fake_register)};

zv_interface_words fake_entry(void* object)
{
    return {fake_bundle, object};
}

// The context lives while any strong holder keeps it: the host's, or a tool's
// that the module still holds after the host has gone.
TEST(HostServices, ToolIsParentedToTheContextAndKeepsItAliveAfterTheHost)
{
    ref<bundle_context, 1> watcher;
    ref<custom_app_service, 0> kept;
    {
        host h;
        std::string error;
        ASSERT_TRUE(h.attach(&fake_entry, error)) << error;
        EXPECT_FALSE(h.attach(&fake_entry, error));
        EXPECT_FALSE(h.create_service(u"test/app/other").valid());
        EXPECT_FALSE(h.create_service(u"").valid()); // a client is no tool
        EXPECT_EQ(fake_tool::alive, 0);
        kept.reset(h.create_service(u"test/app/fake"));
        ASSERT_TRUE(kept.valid());
        const interface_ref tool_referent = call<&custom_app_service_impl::referent>(kept.get());
        EXPECT_EQ(call<&referent_impl::parent>(tool_referent),
                  call<&bundle_context_impl::referent>(h.context()));
        h.create_service(u"test/app/fake");
        EXPECT_EQ(fake_tool::alive, 2);
        h.release_services();
        EXPECT_EQ(fake_tool::alive, 1);
        watcher.reset(h.context());
    }
    EXPECT_TRUE(watcher.valid());
    kept.reset();
    EXPECT_EQ(fake_tool::alive, 0);
    EXPECT_FALSE(watcher.valid());
}

} // namespace
} // namespace zv::hostapp
