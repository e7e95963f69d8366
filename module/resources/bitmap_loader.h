// Resource bitmaps. A positive identifier names a picture of the module: the
// host's localizer answers it when the module holds one, otherwise the
// module's own resources. An identifier of 0 or less names resource -id of
// the host's basic library zvk_basic, never through the localizer. Pixels
// reach the host only through visitors, valid during the call.
#pragma once

#include <cstdint>

#include "platform/module_resources.h"
#include "protocol/interface_ref.h"

namespace zv::resource
{

// Visits the pixels of bitmap `id` with a thrice_interleaved_bytes_visitor
// (top-down rows, blue-green-red order; a fourth alpha channel when keyed).
// Identifier 0 visits nothing; so does a missing picture.
void load_bitmap(std::int32_t id, interface_ref pixel_visitor);

// Hands icon `id`, as a masked bitmap valid during the call, to a
// masked_bitmap_visitor. A missing icon is not handed over.
void load_masked_bitmap(std::int32_t id, interface_ref masked_bitmap_visitor);

// A bitmap of one module. With colour_key set, a picture from the localizer
// reaches the visitor through the colour-key visitor (detail::key_visitor).
struct bitmap_key {
    platform::module_handle module = nullptr;
    std::uint32_t id = 0;
    std::uint8_t colour_key = 0;
};

// An icon of one module.
struct masked_bitmap_key {
    platform::module_handle module = nullptr;
    std::uint32_t id = 0;
};

// The lookups behind the identifiers: the localizer's answer when one is
// held (and then no other), else the key's module's resources.
void load_bitmap(const bitmap_key& key, interface_ref pixel_visitor);
void load_masked_bitmap(const masked_bitmap_key& key, interface_ref masked_bitmap_visitor);

// The resource step alone; a null module (a library that is not loaded)
// yields nothing.
void visit_bitmap_resource(const bitmap_key& key, interface_ref pixel_visitor);
void visit_icon_resource(const masked_bitmap_key& key, interface_ref masked_bitmap_visitor);

} // namespace zv::resource
