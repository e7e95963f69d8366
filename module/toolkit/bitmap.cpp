#include "toolkit/bitmap.h"

#include "resources/bitmap_loader.h"

namespace zv::toolkit
{

void bitmap::pixels(interface_ref pixel_visitor)
{
    resource::load_bitmap(image_, pixel_visitor);
}

} // namespace zv::toolkit
