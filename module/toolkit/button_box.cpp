#include "toolkit/button_box.h"

#include <algorithm>

#include "toolkit/element.h"

namespace zv::toolkit
{

namespace
{

template <std::size_t N> bool one_of(std::int32_t code, const std::int32_t (&codes)[N]) noexcept
{
    return std::find(std::begin(codes), std::end(codes), code) != std::end(codes);
}

} // namespace

button_box::button_box() : buttons_{{true, -101, 2}, {true, -102, 8}} {}

const button_box::button_record* button_box::at(std::int32_t index) const noexcept
{
    if (index < 0 || static_cast<std::size_t>(index) >= buttons_.size())
        return nullptr;
    return &buttons_[static_cast<std::size_t>(index)];
}

void button_box::visit_caption(std::int32_t index, interface_ref string_visitor)
{
    if (const button_record* b = at(index))
        detail::visit_text_id(b->caption, string_visitor);
}

bool button_box::enabled(std::int32_t index)
{
    const button_record* b = at(index);
    return b != nullptr && b->enabled;
}

bool button_box::click(std::int32_t index)
{
    if (index < 0)
        return true;
    const button_record* b = at(index);
    if (b == nullptr)
        return false;
    const std::int32_t code = b->code;
    if (one_of(code, close_codes))
        return true;
    if (one_of(code, accept_codes) && on_accept_)
        return on_accept_();
    if (code == apply_code && on_apply_) {
        on_apply_();
        return false;
    }
    return on_other_ ? on_other_(code) : false;
}

} // namespace zv::toolkit
