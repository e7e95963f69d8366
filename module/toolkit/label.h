// A caption: a text id and an enabled flag.
#pragma once

#include <cstdint>

#include "toolkit/element.h"

namespace zv::toolkit
{

class label final : public label_impl
{
  public:
    label() = default;
    explicit label(std::int32_t text) noexcept : text_(text) {}
    label(const label&) = delete;
    label& operator=(const label&) = delete;

    void set_text(std::int32_t id) noexcept { text_ = id; }
    void set_enabled(bool enabled) { detail::set_flag(enabled_, enabled, view_); }
    void present(interface_ref element_visitor)
    {
        call<&element_visitor_impl::visit_label>(element_visitor, make_ref<iface::label>(this));
    }

    bool enabled() override { return enabled_; }
    void visit_text(interface_ref string_visitor) override { detail::visit_text_id(text_, string_visitor); }
    void attach_view(interface_ref view) override { view_.attach(view); }

  private:
    std::int32_t text_ = 0;
    bool enabled_ = true;
    detail::element_view_ref view_;
};

} // namespace zv::toolkit
