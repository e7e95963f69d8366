// A single-line read-only text.
#pragma once

#include <cstdint>
#include <string>

#include "toolkit/element.h"

namespace zv::toolkit
{

class output final : public output_impl
{
  public:
    output() = default;
    output(const output&) = delete;
    output& operator=(const output&) = delete;

    // Replacing the text with an equal one tells the view nothing.
    void set_text(const std::u16string& text)
    {
        if (text == text_)
            return;
        text_ = text;
        view_.content_changed();
    }
    const std::u16string& text() const noexcept { return text_; }
    void set_caption(std::int32_t id) noexcept { caption_ = id; }
    void set_width(std::int32_t width) noexcept { width_ = width; }
    void set_enabled(bool enabled) { detail::set_flag(enabled_, enabled, view_); }
    void present(interface_ref element_visitor)
    {
        call<&element_visitor_impl::visit_output>(element_visitor, make_ref<iface::output>(this));
    }

    void visit_text(interface_ref string_visitor) override
    {
        call<&string_visitor_impl::visit>(string_visitor, text_.c_str());
    }
    void visit_caption(interface_ref string_visitor) override
    {
        detail::visit_text_id(caption_, string_visitor);
    }
    bool enabled() override { return enabled_; }
    std::int32_t width() override { return width_; }
    void attach_view(interface_ref view) override { view_.attach(view); }

  private:
    std::u16string text_;
    std::int32_t width_ = 20;
    std::int32_t caption_ = 0;
    bool enabled_ = true;
    detail::element_view_ref view_;
};

} // namespace zv::toolkit
