// The titled panel of a tool; its content is the root layout of the tool's
// widget, which the tool holds beside the docker.
#pragma once

#include <cstdint>

#include "toolkit/element.h"

namespace zv::toolkit
{

class docker_base : public docker_impl
{
  public:
    // One id serves as title and icon.
    explicit docker_base(std::int32_t id, bool flag = true) noexcept : title_(id), icon_(id), flag_(flag) {}
    docker_base(const docker_base&) = delete;
    docker_base& operator=(const docker_base&) = delete;

    // Hands the visitor a bitmap of the icon that lives during the call.
    void visit_icon(interface_ref bitmap_visitor) override;
    void visit_title(interface_ref string_visitor) override { detail::visit_text_id(title_, string_visitor); }
    bool flag() override { return flag_; }
    std::int32_t value() override { return -1; }
    void attach_view(interface_ref view) override { view_.attach(view); }

  private:
    std::int32_t title_;
    std::int32_t icon_;
    bool flag_;
    detail::element_view_ref view_;
};

// W exposes its root layout as `root`.
template <class W> class docker final : public docker_base
{
  public:
    docker(std::int32_t id, bool flag, W& widget) noexcept : docker_base(id, flag), widget_(&widget) {}

    void visit_content(interface_ref element_visitor) override
    {
        if (element_visitor.valid())
            widget_->root.present(element_visitor);
    }

  private:
    W* widget_;
};

} // namespace zv::toolkit
