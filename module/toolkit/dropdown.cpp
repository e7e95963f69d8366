#include "toolkit/dropdown.h"

#include "protocol/visitors.h"

namespace zv::toolkit
{

void dropdown_base::select(std::int32_t index)
{
    selection_ = index;
    if (on_change_)
        on_change_(index);
}

void dropdown_base::visit_text(interface_ref string_visitor)
{
    call<&string_visitor_impl::visit>(string_visitor, text_.c_str());
}

void dropdown_base::select_index(std::int32_t index, bool skip_unchanged)
{
    if (index < -1 || index >= count())
        index = -1;
    if (skip_unchanged && index == selection_)
        return;
    selection_ = index;
    view_.content_changed();
}

void dropdown_base::settle_selection()
{
    if (selection_ < 0 || selection_ >= count())
        selection_ = 0;
    if (selection_ >= count())
        selection_ = -1;
    view_.content_changed();
}

void dropdown_base::clear_selection()
{
    if (selection_ == -1)
        return;
    selection_ = -1;
    view_.content_changed();
}

} // namespace zv::toolkit
