// What every dialog element shares: the cell holder through which a container
// presents a child to the host, the element view it notifies, and the text-id
// rule for the texts it delivers.
#pragma once

#include <cstdint>

#include "protocol/dialog_interfaces.h"
#include "protocol/visitors.h"

namespace zv::toolkit
{

// Bases without operations: they mark the file input's common part and the
// place of a labeled element between its element and its caption.
class with_element
{
};
class with_place
{
};

namespace detail
{

// The view the host attached to an element; notifying without one is silent.
class element_view_ref
{
  public:
    void attach(interface_ref view) noexcept { view_ = view; }
    // After a flag or layout property changed.
    void layout_changed() const { call<&element_view_impl::layout_changed>(view_); }
    // After a text, a list or a selection changed.
    void content_changed() const { call<&element_view_impl::content_changed>(view_); }

  private:
    interface_ref view_;
};

// Delivers text `id` to a string visitor: 0 delivers nothing, a positive id is
// the module's string in the host's language, a negative one zvk_basic's.
void visit_text_id(std::int32_t id, interface_ref string_visitor);

// Sets a flag and tells the view when it changed.
inline void set_flag(bool& flag, bool value, const element_view_ref& view)
{
    if (flag == value)
        return;
    flag = value;
    view.layout_changed();
}

// A container cell's hold on one child, which it does not own.
class generic_element
{
  public:
    generic_element() = default;
    generic_element(const generic_element&) = delete;
    generic_element& operator=(const generic_element&) = delete;
    virtual ~generic_element() = default;
    // Calls the element visitor's slot for the child's kind with the child.
    virtual void accept(interface_ref element_visitor) = 0;
};

// T presents itself through T::present(element_visitor).
template <class T> class generic_element_impl final : public generic_element
{
  public:
    explicit generic_element_impl(T* child) noexcept : child_(child) {}
    void accept(interface_ref element_visitor) override
    {
        if (element_visitor.valid())
            child_->present(element_visitor);
    }

  private:
    T* child_;
};

} // namespace detail

} // namespace zv::toolkit
