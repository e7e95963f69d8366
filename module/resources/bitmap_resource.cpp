#include "resources/bitmap_resource.h"

#include <limits>
#include <span>

#include "platform/pictures.h"
#include "protocol/visitors.h"

namespace zv::resource
{
namespace
{

// A block of width * height pixels of `pixel_bytes` each, when its size fits
// the 32-bit sizes and strides of the pixel visitors.
platform::page_block pixel_block(std::uint32_t width, std::uint32_t height, std::uint32_t pixel_bytes)
{
    const std::uint64_t size = std::uint64_t{width} * height * pixel_bytes;
    if (size == 0 || size > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max()))
        return {};
    return platform::page_block(static_cast<std::size_t>(size));
}

std::span<std::uint8_t> whole(const platform::page_block& block)
{
    return {block.data(), block.size()};
}

// Pixels of the bottom-left pixel's colour become transparent (all four
// bytes 0), the others opaque.
void key_colour(loaded_bitmap& bitmap)
{
    std::uint8_t* pixels = bitmap.pixels.data();
    const std::uint8_t blue = pixels[0], green = pixels[1], red = pixels[2];
    for (std::uint8_t* pixel = pixels; pixel != pixels + bitmap.size; pixel += 4) {
        if (pixel[0] == blue && pixel[1] == green && pixel[2] == red) {
            pixel[0] = pixel[1] = pixel[2] = pixel[3] = 0;
        } else {
            pixel[3] = 255;
        }
    }
    bitmap.keyed = true;
}

// Rows stored bottom-up, presented top-down: the visit starts at the last
// row in memory and steps back.
void visit_bottom_up(const interface_ref& visitor, const std::uint8_t* start, std::uint32_t rows,
                     std::uint32_t columns, std::int32_t pixel_bytes, std::int32_t channels)
{
    const auto row_bytes = static_cast<std::int32_t>(columns) * pixel_bytes;
    const std::uint8_t* last_row = start + static_cast<std::size_t>(rows - 1) * row_bytes;
    call<&thrice_interleaved_bytes_visitor_impl::visit>(visitor, static_cast<std::int32_t>(rows), -row_bytes,
                                                        static_cast<std::int32_t>(columns), pixel_bytes,
                                                        channels, 1, last_row);
}

} // namespace

loaded_bitmap load_bitmap_resource(platform::module_handle module, std::uint32_t number, bool key_on_load)
{
    loaded_bitmap bitmap;
    bitmap.key_on_load = key_on_load;
    const platform::picture picture = platform::load_bitmap_picture(module, number);
    platform::page_block block = pixel_block(picture.width(), picture.height(), 4);
    if (!block || picture.fetch_rows(0, picture.height(), platform::row_format::bgrx32, whole(block)) == 0)
        return bitmap;
    bitmap.width = picture.width();
    bitmap.height = picture.height();
    bitmap.size = static_cast<std::uint32_t>(block.size());
    bitmap.pixels = std::move(block);
    if (key_on_load)
        key_colour(bitmap);
    return bitmap;
}

loaded_icon load_icon_resource(platform::module_handle module, std::uint32_t number)
{
    loaded_icon icon;
    const auto pictures = platform::load_icon_pictures(module, number);
    if (!pictures)
        return icon;
    const std::uint32_t width = pictures->mask.width();
    platform::page_block block = pixel_block(width, width, 4);
    if (!block)
        return icon;
    icon.hot_spot_x = pictures->hot_spot_x;
    icon.hot_spot_y = pictures->hot_spot_y;
    icon.width = icon.height = width;
    icon.size = static_cast<std::uint32_t>(block.size());
    icon.mask_offset = width * width * 3;
    // Without a colour bitmap, the lower half of the mask is the image and
    // the upper half the mask.
    const bool has_colour = !pictures->colour.empty();
    const platform::picture& colour_source = has_colour ? pictures->colour : pictures->mask;
    const auto colour = whole(block).first(icon.mask_offset);
    const auto mask = whole(block).subspan(icon.mask_offset);
    const bool colour_fetched = colour_source.fetch_rows(0, width, platform::row_format::bgr24, colour) != 0;
    const bool mask_fetched =
        pictures->mask.fetch_rows(has_colour ? 0 : width, width, platform::row_format::grey8, mask) != 0;
    icon.ok = colour_fetched || mask_fetched;
    icon.pixels = std::move(block);
    return icon;
}

void visit_pixels(const loaded_bitmap& bitmap, interface_ref pixel_visitor)
{
    if (bitmap.pixels)
        visit_bottom_up(pixel_visitor, bitmap.pixels.data(), bitmap.height, bitmap.width, 4,
                        bitmap.keyed ? 4 : 3);
}

void visit_colour(const loaded_icon& icon, interface_ref pixel_visitor)
{
    if (icon.pixels)
        visit_bottom_up(pixel_visitor, icon.pixels.data(), icon.height, icon.width, 3, 3);
}

void visit_mask(const loaded_icon& icon, interface_ref pixel_visitor)
{
    if (icon.pixels)
        visit_bottom_up(pixel_visitor, icon.pixels.data() + icon.mask_offset, icon.height, icon.width, 1, 1);
}

} // namespace zv::resource
