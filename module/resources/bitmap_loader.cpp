#include "resources/bitmap_loader.h"

#include "bundle/localizer_client.h"
#include "protocol/localizer_interfaces.h"
#include "resources/bitmap_resource.h"
#include "resources/key_visitor.h"
#include "resources/resource_modules.h"

namespace zv::resource
{
namespace
{

// Resource number of zvk_basic that identifier `id` (0 or less) names.
std::uint32_t basic_number(std::int32_t id)
{
    return static_cast<std::uint32_t>(-static_cast<std::int64_t>(id));
}

} // namespace

void load_bitmap(std::int32_t id, interface_ref pixel_visitor)
{
    if (id <= 0) {
        visit_bitmap_resource({basic_library(), basic_number(id)}, pixel_visitor);
    } else {
        load_bitmap(bitmap_key{own_module(), static_cast<std::uint32_t>(id)}, pixel_visitor);
    }
}

void load_masked_bitmap(std::int32_t id, interface_ref masked_bitmap_visitor)
{
    if (id <= 0) {
        visit_icon_resource({basic_library(), basic_number(id)}, masked_bitmap_visitor);
    } else {
        load_masked_bitmap(masked_bitmap_key{own_module(), static_cast<std::uint32_t>(id)},
                           masked_bitmap_visitor);
    }
}

void load_bitmap(const bitmap_key& key, interface_ref pixel_visitor)
{
    const interface_ref localizer = current_localizer();
    if (!localizer.valid()) {
        visit_bitmap_resource(key, pixel_visitor);
    } else if (key.colour_key == 0) {
        call<&localizer_impl::load_bitmap>(localizer, key.id, pixel_visitor);
    } else {
        detail::key_visitor keyed(pixel_visitor);
        call<&localizer_impl::load_bitmap>(localizer, key.id,
                                           make_ref<iface::thrice_interleaved_bytes_visitor>(&keyed));
    }
}

void load_masked_bitmap(const masked_bitmap_key& key, interface_ref masked_bitmap_visitor)
{
    const interface_ref localizer = current_localizer();
    if (localizer.valid()) {
        call<&localizer_impl::load_masked_bitmap>(localizer, key.id, masked_bitmap_visitor);
    } else {
        visit_icon_resource(key, masked_bitmap_visitor);
    }
}

void visit_bitmap_resource(const bitmap_key& key, interface_ref pixel_visitor)
{
    if (key.module != nullptr)
        visit_pixels(load_bitmap_resource(key.module, key.id, false), pixel_visitor);
}

void visit_icon_resource(const masked_bitmap_key& key, interface_ref masked_bitmap_visitor)
{
    if (key.module == nullptr)
        return;
    loaded_icon icon = load_icon_resource(key.module, key.id);
    if (!icon.pixels)
        return;
    masked_bitmap lent(std::move(icon));
    call<&masked_bitmap_visitor_impl::visit>(masked_bitmap_visitor, make_ref<iface::masked_bitmap>(&lent));
}

} // namespace zv::resource
