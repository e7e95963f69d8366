#include <gtest/gtest.h>

#include "kit/dialog_host.h"
#include "plugin/app/prf_beg_end_app/prf_beg_end_app_app.h"
#include "util/modal_dialog_service.h"
#include "util/modal_dialog_service_factory.h"
#include "util/service_factory.h"

namespace zv::test
{
namespace
{

// Receives nothing the module offers.
class empty_source final : public service_registry_visitor_impl
{
  public:
    interface_ref reference() { return make_ref<iface::service_registry_visitor>(this); }
};

TEST(ModalDialogService, ChoosersNeedALivingServiceWithAView)
{
    util::detail::modal_dialog_service_factory<1> factory;
    EXPECT_FALSE(factory.last_service().valid());
    EXPECT_EQ(util::choose_folder(u"/"), u""); // before any create: nothing is called

    empty_source unwilling;
    factory.create({}, unwilling.reference());
    EXPECT_FALSE(factory.last_service().valid());

    auto first = std::make_unique<hostapp::host_service_source>();
    factory.create({}, first->as_argument());
    factory.create({}, first->as_argument());
    const interface_ref service = first->dialog_service.get();
    EXPECT_EQ(factory.last_service(), service);
    EXPECT_EQ(util::detail::current_modal_dialog<1>, &static_cast<util::detail::modal_dialog_service<1>*>(
                                                          from_ref<iface::modal_dialog_service>(service))
                                                          ->dialog);

    first.reset(); // the host lets go: the service goes, the factory forgets it
    EXPECT_FALSE(factory.last_service().valid());
    hostapp::host_service_source second;
    factory.create({}, second.as_argument());
    EXPECT_TRUE(second.dialog_service.valid());
}

TEST(ModalDialogService, ChoosersReachTheAttachedView)
{
    hostapp::host_service_source source;
    scripted_view view;
    connect_view(util::detail::the_modal_dialog_service_factory(), source, view);
    ASSERT_TRUE(util::modal_dialog_service_available());
    view.answers = {u"D:\\data\\"};
    std::int32_t index = 1;
    EXPECT_EQ(util::choose_save_file(u"D:\\", u"A|*.a|B|*.b", index, 1), u"D:\\data\\");
    EXPECT_EQ(util::choose_folder(u"D:\\"), u""); // the host answered nothing
    EXPECT_EQ(view.requests.at(0).filter_index, 1);
}

TEST(ToolFactory, KeepsOneToolAliveAndBuildsAFreshOneAfterRelease)
{
    util::service_factory<prf_beg_end_app_app> factory;
    empty_source unwilling;
    factory.create({}, unwilling.reference()); // no visitor: nothing is built

    hostapp::host_service_source host;
    factory.create({}, host.as_argument());
    const interface_ref first = host.tool.get();
    ASSERT_TRUE(first.valid());
    auto* tool = static_cast<prf_beg_end_app_app*>(from_ref<iface::custom_app_service>(first));
    tool->widget().input.set_enabled(false);

    hostapp::host_service_source again;
    factory.create({}, again.as_argument());
    EXPECT_EQ(again.tool.get(), first); // still alive: the same tool

    host.tool.reset();
    again.tool.reset(); // destroyed now
    factory.create({}, host.as_argument());
    ASSERT_TRUE(host.tool.valid());
    auto* fresh = static_cast<prf_beg_end_app_app*>(from_ref<iface::custom_app_service>(host.tool.get()));
    EXPECT_TRUE(fresh->widget().input.caption.enabled()); // default widget again
}

} // namespace
} // namespace zv::test
