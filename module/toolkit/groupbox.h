// A framed, captioned box whose content is one grid layout.
#pragma once

#include <cstdint>

#include "toolkit/grid_layout.h"

namespace zv::toolkit
{

namespace detail
{

template <class Derived, class Content> class groupbox_base : public groupbox_impl
{
  public:
    groupbox_base() = default;
    groupbox_base(const groupbox_base&) = delete;
    groupbox_base& operator=(const groupbox_base&) = delete;

    Content& content() noexcept { return content_; }
    template <class T> void add(T& element) { content_.add(element); }
    template <class Labeled> void add_labeled(Labeled& element) { content_.add_labeled(element); }
    void set_caption(std::int32_t id) noexcept { caption_ = id; }
    void set_second_text(std::int32_t id) noexcept { second_text_ = id; }
    void set_enabled(bool enabled) { set_flag(enabled_, enabled, view_); }

    void present(interface_ref element_visitor)
    {
        call<&element_visitor_impl::visit_groupbox>(element_visitor, make_ref<iface::groupbox>(this));
    }

    void visit_caption(interface_ref string_visitor) override { visit_text_id(caption_, string_visitor); }
    void visit_second_text(interface_ref string_visitor) override
    {
        visit_text_id(second_text_, string_visitor);
    }
    void visit_content(interface_ref element_visitor) override { content_.present(element_visitor); }
    bool enabled() override { return enabled_; }
    void attach_view(interface_ref view) override { view_.attach(view); }

  private:
    Content content_;
    std::int32_t caption_ = 0;
    std::int32_t second_text_ = 0;
    bool enabled_ = true;
    element_view_ref view_;
};

} // namespace detail

template <int R, int C> class groupbox final : public detail::groupbox_base<groupbox<R, C>, grid_layout<R, C>>
{
};

} // namespace zv::toolkit
