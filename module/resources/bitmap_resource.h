// Bitmap and icon resources of a module turned into pixel blocks, and the
// layouts in which those blocks are visited: rows top-down through a
// negative row stride, so nothing is flipped or copied on the way out.
#pragma once

#include <cstdint>

#include "platform/memory.h"
#include "platform/module_resources.h"
#include "protocol/dialog_interfaces.h"

namespace zv::resource
{

// A bitmap resource's pixels: four bytes each (blue, green, red, fourth),
// bottom row first, rows without gaps.
struct loaded_bitmap {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t size = 0; // width * height * 4 bytes
    platform::page_block pixels;
    bool keyed = false; // the fourth byte is an alpha channel
    bool key_on_load = false;
};

// An icon's pixels: the colour part (three bytes a pixel, blue, green, red)
// and at mask_offset the mask (one byte a pixel), both bottom row first.
struct loaded_icon {
    std::uint32_t hot_spot_x = 0;
    std::uint32_t hot_spot_y = 0;
    std::uint32_t width = 0;  // the width of the icon's mask
    std::uint32_t height = 0; // the same: icons are square
    std::uint32_t size = 0;   // width * width * 4 bytes
    std::uint32_t mask_offset = 0;
    platform::page_block pixels;
    bool ok = false; // a part was fetched
};

// Bitmap `number` of a module. With key_on_load the colour of the bottom-left
// pixel becomes fully transparent and every other pixel opaque. No pixels
// when the resource is missing or cannot be read.
loaded_bitmap load_bitmap_resource(platform::module_handle module, std::uint32_t number, bool key_on_load);

// Icon (else cursor) `number` of a module. An icon without a colour bitmap
// takes its colour from the lower half of its double-height mask and its
// mask from the upper half.
loaded_icon load_icon_resource(platform::module_handle module, std::uint32_t number);

// Visit with (rows, row stride, columns, column stride, channels, channel
// stride, first byte) to a thrice_interleaved_bytes_visitor, nothing when
// there are no pixels:
//   bitmap: (height, -4 * width, width, 4, 3 or 4 when keyed, 1, last row)
//   colour: (height, -3 * width, width, 3, 3, 1, last row)
//   mask:   (height, -width, width, 1, 1, 1, last row of the mask)
void visit_pixels(const loaded_bitmap& bitmap, interface_ref pixel_visitor);
void visit_colour(const loaded_icon& icon, interface_ref pixel_visitor);
void visit_mask(const loaded_icon& icon, interface_ref pixel_visitor);

// A masked bitmap owning a loaded icon, lent to the host for one call.
class masked_bitmap : public masked_bitmap_impl
{
  public:
    explicit masked_bitmap(loaded_icon icon) noexcept : icon_(std::move(icon)) {}
    // Answers the given hot spot instead of the icon's own.
    masked_bitmap(loaded_icon icon, std::uint32_t hot_spot_x, std::uint32_t hot_spot_y) noexcept
        : icon_(std::move(icon)), override_hot_spot_(true), hot_spot_x_(hot_spot_x), hot_spot_y_(hot_spot_y)
    {
    }

    std::uint32_t hot_spot_x() override { return override_hot_spot_ ? hot_spot_x_ : icon_.hot_spot_x; }
    std::uint32_t hot_spot_y() override { return override_hot_spot_ ? hot_spot_y_ : icon_.hot_spot_y; }
    void colour(interface_ref pixel_visitor) override { visit_colour(icon_, pixel_visitor); }
    void mask(interface_ref pixel_visitor) override { visit_mask(icon_, pixel_visitor); }

  private:
    loaded_icon icon_;
    bool override_hot_spot_ = false;
    std::uint32_t hot_spot_x_ = 0;
    std::uint32_t hot_spot_y_ = 0;
};

} // namespace zv::resource
