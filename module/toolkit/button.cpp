#include "toolkit/button.h"

#include "resources/bitmap_loader.h"

namespace zv::toolkit
{

void button::visit_image(interface_ref pixel_visitor)
{
    if (image_ != 0)
        resource::load_bitmap(image_, pixel_visitor);
}

void button::visit_context_menu(interface_ref context_menu_visitor)
{
    if (context_menu_.valid())
        call<&context_menu_visitor_impl::visit>(context_menu_visitor, context_menu_);
}

void button::click()
{
    pressed_ = !pressed_;
    if (on_click_)
        on_click_();
}

} // namespace zv::toolkit
