// What every tool class consists of: a lifetime that follows the holder
// protocol, a docker over the tool's widget, the widget with its element tree
// and a button box whose accepting button runs the tool's accept action.
//
//   class my_app_app final : public util::tool_service<my_app_app, my_widget> {
//     public:
//       static constexpr char16_t service_path[] = u"/app/my_app";
//       static constexpr char16_t internal_name[] = u"zvk_my_app_app";
//       static constexpr std::int32_t text_id = 10;
//       explicit my_app_app(const interface_ref& parent) : obj(parent) {}
//       bool accept();
//   };
//
// obj is a virtual base: the tool class itself names obj(parent).
#pragma once

#include "protocol/app_service_interfaces.h"
#include "protocol/dialog_interfaces.h"
#include "protocol/referent.h"
#include "toolkit/button_box.h"
#include "toolkit/docker.h"

namespace zv::util
{

template <class App, class Widget> class tool_service : public referent<custom_app_service_impl>
{
  public:
    tool_service() : docker_(App::text_id, true, widget_)
    {
        buttons_.set_accept_handler([this] { return static_cast<App*>(this)->accept(); });
    }
    tool_service(const tool_service&) = delete;
    tool_service& operator=(const tool_service&) = delete;

    void visit_docker(interface_ref docker_visitor) override
    {
        if (docker_visitor.valid())
            call<&docker_visitor_impl::visit>(docker_visitor, App::internal_name,
                                              make_ref<iface::docker>(&docker_));
    }
    void visit_button_box(interface_ref button_box_visitor) override
    {
        if (button_box_visitor.valid())
            call<&button_box_visitor_impl::visit>(button_box_visitor, make_ref<iface::button_box>(&buttons_));
    }

    Widget& widget() noexcept { return widget_; }

  private:
    toolkit::docker<Widget> docker_;
    Widget widget_;
    toolkit::button_box buttons_;
};

} // namespace zv::util
