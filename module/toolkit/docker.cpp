#include "toolkit/docker.h"

#include "toolkit/bitmap.h"

namespace zv::toolkit
{

void docker_base::visit_icon(interface_ref bitmap_visitor)
{
    if (icon_ == 0 || !bitmap_visitor.valid())
        return;
    bitmap icon(icon_);
    call<&bitmap_visitor_impl::visit>(bitmap_visitor, make_ref<iface::bitmap>(&icon));
}

} // namespace zv::toolkit
