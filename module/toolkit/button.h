// A push button: text, hint and image ids, flags, and a click handler. Every
// click toggles `pressed`, handler or not.
#pragma once

#include <cstdint>
#include <functional>

#include "toolkit/element.h"

namespace zv::toolkit
{

class button final : public button_impl
{
  public:
    button() = default;
    button(const button&) = delete;
    button& operator=(const button&) = delete;

    void set_text(std::int32_t id) noexcept { text_ = id; }
    void set_hint(std::int32_t id) noexcept { hint_ = id; }
    void set_image(std::int32_t id) noexcept { image_ = id; }
    void set_enabled(bool enabled) { detail::set_flag(enabled_, enabled, view_); }
    void set_click_handler(std::function<void()> handler) { on_click_ = std::move(handler); }
    void present(interface_ref element_visitor)
    {
        call<&element_visitor_impl::visit_button>(element_visitor, make_ref<iface::button>(this));
    }

    void visit_image(interface_ref pixel_visitor) override;
    void visit_text(interface_ref string_visitor) override { detail::visit_text_id(text_, string_visitor); }
    void visit_hint(interface_ref string_visitor) override { detail::visit_text_id(hint_, string_visitor); }
    void visit_context_menu(interface_ref context_menu_visitor) override;
    bool enabled() override { return enabled_; }
    bool second_flag() override { return second_flag_; }
    bool pressed() override { return pressed_; }
    bool third_flag() override { return third_flag_; }
    void click() override;
    void attach_view(interface_ref view) override { view_.attach(view); }

  private:
    std::int32_t text_ = 0;
    std::int32_t hint_ = 0;
    std::int32_t image_ = 0;
    bool enabled_ = true;
    bool second_flag_ = false;
    bool pressed_ = false;
    bool third_flag_ = false;
    std::function<void()> on_click_;
    interface_ref context_menu_; // no control of this module sets one
    detail::element_view_ref view_;
};

} // namespace zv::toolkit
