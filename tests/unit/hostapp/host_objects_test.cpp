// The host's message sink, as the host libraries' message functions reach it;
// the service source and the localizer service's second delivery. The
// registry is seen through the module's registration, the localizer, its
// service and the locator through the localizer handshake (bundle tests).
#include "host_objects.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "host.h"
#include "host/zvk_msgs.h"
#include "message_sink.h"
#include "protocol/dialog_interfaces.h"

namespace zv::hostapp
{
namespace
{

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

TEST(HostObjects, OneSourceAnswersForEveryServiceVisitorAndANewLocalizerReachesEveryClient)
{
    modal_dialog_service_impl service; // not managed: simply held, so it must outlive the source
    host_service_source source;
    const interface_ref root = root_of(source.as_argument());
    EXPECT_TRUE(cast<iface::custom_app_service_visitor>(root).valid());
    call<&modal_dialog_service_visitor_impl::visit>(cast<iface::modal_dialog_service_visitor>(root),
                                                    make_ref<iface::modal_dialog_service>(&service));
    EXPECT_EQ(source.dialog_service.get().object, &service);
    EXPECT_FALSE(source.tool.valid());

    struct client : localizer_visitor_impl {
        void visit(interface_ref localizer) override { seen.push_back(localizer.object); }
        std::vector<void*> seen;
    } module_client;
    localizer_impl first, second;
    interface_ref current;
    host_localizer_service localizers([&] { return current; });
    const interface_ref service_ref = make_ref<iface::localizer_service>(&localizers);
    const interface_ref client_ref = make_ref<iface::localizer_visitor>(&module_client);
    call<&localizer_service_impl::visit_localizer>(service_ref, interface_ref{}, client_ref); // none yet
    current = make_ref<iface::localizer>(&first);
    call<&localizer_service_impl::visit_localizer>(service_ref, interface_ref{}, client_ref);
    current = make_ref<iface::localizer>(&second);
    localizers.deliver_again();
    EXPECT_EQ(module_client.seen, (std::vector<void*>{&first, &second}));
}

} // namespace
} // namespace zv::hostapp
