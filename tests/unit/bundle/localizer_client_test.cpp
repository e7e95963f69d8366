// The localizer handshake, checked here only: the module's client against
// libzvhost's host objects, as a host drives it.
#include "bundle/localizer_client.h"

#include <gtest/gtest.h>

#include <string>

#include "host_objects.h"
#include "localizer.h"
#include "protocol/protocol.h"

namespace zv::test
{
namespace
{

using strong_localizer = ref<iface::localizer, 0>;
using hostapp::host_localizer;

hostapp::translations texts(const char* content)
{
    std::string error;
    return *hostapp::translations::parse(content, error);
}

// The host's side of the handshake, handing out `offered`.
struct host_side {
    interface_ref offered;
    hostapp::host_localizer_service service{[this] { return offered; }};
    hostapp::host_service_locator locator{service};
    ref<iface::bundle_context, 0> context{
        make_ref<iface::bundle_context>(new hostapp::host_context(locator))};
};

interface_ref factory_ref(detail::local_factory_impl& client)
{
    service_factory_impl* factory = &client;
    return make_ref<iface::service_factory>(factory);
}

void create(detail::local_factory_impl& client, const interface_ref& context)
{
    call<&service_factory_impl::create>(factory_ref(client), context, interface_ref{});
}

TEST(LocalizerHandshake, FirstContextsLocalizerIsDeliveredAndHeldWeakly)
{
    host_side host, other;
    auto* loc = new host_localizer(texts("12\tFinished\n"));
    auto held = std::make_unique<strong_localizer>(make_ref<iface::localizer>(loc));
    strong_localizer other_held(make_ref<iface::localizer>(new host_localizer(texts("12\tOther\n"))));
    host.offered = held->get();
    other.offered = other_held.get();
    detail::local_factory_impl client;
    create(client, interface_ref{}); // a null context stores nothing
    EXPECT_FALSE(client.localizer().valid());
    create(client, host.context.get());
    create(client, other.context.get());        // only the first create with a context counts
    EXPECT_EQ(client.localizer(), held->get()); // its texts reach the module: string_loader_test.cpp
    EXPECT_EQ(loc->holders(), 2u);

    held.reset();
    EXPECT_FALSE(client.localizer().valid());
}

// Holding and letting go are the weak holder's (protocol tests).
TEST(LocalizerHandshake, NewLocalizerReplacesTheOldAndAContextWithoutOneGivesNone)
{
    auto* first = new host_localizer(texts(""));
    strong_localizer a(make_ref<iface::localizer>(first)),
        b(make_ref<iface::localizer>(new host_localizer(texts(""))));
    detail::local_factory_impl replaced;
    localizer_visitor_impl* as_visitor = &replaced;
    call<&localizer_visitor_impl::visit>(make_ref<iface::localizer_visitor>(as_visitor), a.get());
    call<&localizer_visitor_impl::visit>(make_ref<iface::localizer_visitor>(as_visitor), b.get());
    EXPECT_EQ(replaced.localizer(), b.get());
    EXPECT_EQ(first->holders(), 1u);

    host_side without_localizer;
    detail::local_factory_impl client;
    create(client, without_localizer.context.get());
    EXPECT_FALSE(client.localizer().valid());
}

} // namespace
} // namespace zv::test
