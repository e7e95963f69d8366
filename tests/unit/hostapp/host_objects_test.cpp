// The host's objects seen from a module's side of the protocol: this test
// plays the module, with its own tables and holders.
#include "host_objects.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "host.h"
#include "host/zvk_msgs.h"
#include "localizer.h"
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

TEST(HostContext, LivesWhileAnyStrongHolderKeepsIt)
{
    ref<bundle_context, 1> watcher;
    ref<bundle_context, 0> keeper;
    {
        host h;
        watcher.reset(h.context());
        keeper.reset(h.context());
        ASSERT_TRUE(watcher.valid());
        EXPECT_TRUE(call<&bundle_context_impl::referent>(h.context()).valid());
    }
    // The host has let go; the module's strong holder keeps the context.
    EXPECT_TRUE(watcher.valid());
    keeper.reset();
    EXPECT_FALSE(watcher.valid());
}

struct service_probe : localizer_service_visitor_impl {
    void visit(interface_ref service) override { services.push_back(service); }
    std::vector<interface_ref> services;
};

struct localizer_probe : localizer_visitor_impl {
    void visit(interface_ref l) override { localizers.push_back(l); }
    std::vector<interface_ref> localizers;
};

TEST(HostLocalizerService, HandsOutTheLocalizerOnlyWhenThereIsOne)
{
    interface_ref current{};
    host_localizer_service service([&] { return current; });
    localizer_probe probe;
    const interface_ref service_ref = make_ref<localizer_service>(&service);
    call<&localizer_service_impl::visit_localizer>(service_ref, interface_ref{},
                                                   make_ref<localizer_visitor>(&probe));
    EXPECT_TRUE(probe.localizers.empty());
    int word = 0;
    current = interface_ref{&word, &word};
    call<&localizer_service_impl::visit_localizer>(service_ref, interface_ref{},
                                                   make_ref<localizer_visitor>(&probe));
    ASSERT_EQ(probe.localizers.size(), 1u);
    EXPECT_EQ(probe.localizers[0], current);
}

TEST(HostServiceLocator, FindsTheLocalizerServiceUnderAnyAuthority)
{
    host_localizer_service service([] { return interface_ref{}; });
    host_service_locator locator(service);
    service_probe probe;
    const interface_ref locator_ref = make_ref<service_locator>(&locator);
    const interface_ref visitor = make_ref<localizer_service_visitor>(&probe);
    call<&service_locator_impl::find_service>(locator_ref, u"any.authority/localizer", visitor);
    call<&service_locator_impl::find_service>(locator_ref, u"any.authority/localizer2", visitor);
    call<&service_locator_impl::find_service>(locator_ref, u"any.authority/app/x", visitor);
    call<&service_locator_impl::find_service>(locator_ref, nullptr, visitor);
    ASSERT_EQ(probe.services.size(), 1u);
    // The host's own table, not this side's: only the object word is shared.
    EXPECT_EQ(probe.services[0].object, static_cast<void*>(&service));
    EXPECT_NE(probe.services[0].table, table<localizer_service>());
}

TEST(HostLocalizer, AnswersFromItsTextsAndCountsRequests)
{
    std::string error;
    auto texts = translations::parse("12\tFinished\n", error);
    ASSERT_TRUE(texts);
    auto* object = new host_localizer(std::move(*texts));
    ref<localizer, 0> holder(make_ref<localizer>(object));
    std::u16string text;
    stdwstring_visitor visitor(text);
    EXPECT_TRUE(call<&localizer_impl::load_string>(holder.get(), 12u, make_ref<string_visitor>(&visitor)));
    EXPECT_EQ(text, u"Finished");
    EXPECT_FALSE(call<&localizer_impl::load_string>(holder.get(), 13u, make_ref<string_visitor>(&visitor)));
    EXPECT_EQ(text, u"Finished");
    EXPECT_EQ(object->requests(), 2u);
    EXPECT_EQ(object->holders(), 1u);
}

TEST(HostMessages, TheHostKeepsAndEchoesEveryMessageBox)
{
    host h;
    std::ostringstream echo;
    h.messages().set_echo(&echo);
    zv_show_wmessage(u"Выполнено!");
    zv_show_wwarning(u"");
    zv_show_werror(u"Errors!");
    const std::vector<shown_message> expected = {
        {ZV_MSG_INFORMATION, u"Выполнено!"}, {ZV_MSG_WARNING, u""}, {ZV_MSG_ERROR, u"Errors!"}};
    EXPECT_EQ(h.messages().messages(), expected);
    EXPECT_EQ(echo.str(), "information: Выполнено!\nwarning: \nerror: Errors!\n");
}

TEST(HostMessages, NewestSinkReceivesAndAnOlderOneLeavesItInstalled)
{
    auto older = std::make_unique<message_sink>();
    message_sink newer;
    zv_show_wmessage(u"first");
    older.reset();
    zv_show_wmessage(u"second");
    ASSERT_EQ(newer.messages().size(), 2u);
    EXPECT_EQ(newer.messages()[1].text, u"second");
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
        if (!visitor.valid())
            return;
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

TEST(HostServices, ToolIsHeldByTheHostAndParentedToTheContext)
{
    host h;
    std::string error;
    ASSERT_TRUE(h.attach(&fake_entry, error)) << error;
    const interface_ref service = h.create_service(u"test/app/fake");
    ASSERT_TRUE(service.valid());
    EXPECT_EQ(fake_tool::alive, 1);
    const interface_ref tool_referent = call<&custom_app_service_impl::referent>(service);
    EXPECT_EQ(call<&referent_impl::parent>(tool_referent), call<&bundle_context_impl::referent>(h.context()));
    h.release_services();
    EXPECT_EQ(fake_tool::alive, 0);
}

TEST(HostServices, ContextOutlivesTheHostWhileAToolKeepsIt)
{
    ref<bundle_context, 1> watcher;
    ref<custom_app_service, 0> kept;
    {
        host h;
        std::string error;
        ASSERT_TRUE(h.attach(&fake_entry, error)) << error;
        kept.reset(h.create_service(u"test/app/fake"));
        watcher.reset(h.context());
    }
    EXPECT_EQ(fake_tool::alive, 1);
    EXPECT_TRUE(watcher.valid());
    kept.reset();
    EXPECT_EQ(fake_tool::alive, 0);
    EXPECT_FALSE(watcher.valid());
}

TEST(HostServices, UnknownIdentifiersAndClientsGiveNothing)
{
    host h;
    std::string error;
    ASSERT_TRUE(h.attach(&fake_entry, error)) << error;
    EXPECT_FALSE(h.create_service(u"test/app/other").valid());
    EXPECT_FALSE(h.create_service(u"").valid());
    EXPECT_EQ(fake_tool::alive, 0);
    EXPECT_FALSE(h.attach(&fake_entry, error));
}

} // namespace
} // namespace zv::hostapp
