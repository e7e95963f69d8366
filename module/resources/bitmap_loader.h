// Resource bitmaps. A positive identifier names a picture of the module: the
// host's localizer answers it when the module holds one, otherwise the
// module's own resources. An identifier of 0 or less names resource -id of
// the host's basic library zvk_basic, never through the localizer. Pixels
// reach the host only through visitors, valid during the call.
#pragma once

#include <cstdint>

#include "protocol/interface_ref.h"

namespace zv::resource
{

// Visits the pixels of bitmap `id` with a thrice_interleaved_bytes_visitor
// (top-down rows, blue-green-red order; a fourth alpha channel when keyed).
// Identifier 0 visits nothing; so does a missing picture.
void load_bitmap(std::int32_t id, interface_ref pixel_visitor);

// Hands icon `id`, as a masked bitmap valid during the call, to a
// masked_bitmap_visitor.
void load_masked_bitmap(std::int32_t id, interface_ref masked_bitmap_visitor);

} // namespace zv::resource
