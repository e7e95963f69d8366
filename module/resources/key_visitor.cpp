#include "resources/key_visitor.h"

#include <cstddef>
#include <limits>

#include "platform/memory.h"

namespace zv::detail
{
namespace
{

// Where the bytes of one pixel are, and how many channels it has (1 or 3).
struct pixel_view {
    const std::uint8_t* at;
    std::int32_t channels;
    std::int32_t channel_stride;

    std::uint8_t channel(std::int32_t k) const { return at[static_cast<std::ptrdiff_t>(k) * channel_stride]; }
};

bool same_colour(const pixel_view& pixel, const pixel_view& key)
{
    for (std::int32_t k = 0; k < pixel.channels; ++k)
        if (pixel.channel(k) != key.channel(k))
            return false;
    return true;
}

// Writes blue, green, red, alpha; a single channel stands for all three.
std::uint8_t* put_keyed(std::uint8_t* out, const pixel_view& pixel, const pixel_view& key)
{
    if (same_colour(pixel, key)) {
        out[0] = out[1] = out[2] = out[3] = 0;
    } else {
        const std::int32_t last = pixel.channels - 1;
        out[0] = pixel.channel(0);
        out[1] = pixel.channel(last > 0 ? 1 : 0);
        out[2] = pixel.channel(last);
        out[3] = 255;
    }
    return out + 4;
}

} // namespace

void key_visitor::visit(std::int32_t rows, std::int32_t row_stride, std::int32_t columns,
                        std::int32_t column_stride, std::int32_t channels, std::int32_t channel_stride,
                        const std::uint8_t* data)
{
    const bool keyable = (channels == 1 || channels == 3) && rows > 0 && columns > 0 && data != nullptr;
    if (!keyable) {
        call<&thrice_interleaved_bytes_visitor_impl::visit>(wrapped_, rows, row_stride, columns,
                                                            column_stride, channels, channel_stride, data);
        return;
    }
    const std::uint64_t size = std::uint64_t(rows) * std::uint64_t(columns) * 4;
    if (size > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max()))
        return;
    const platform::page_block block(static_cast<std::size_t>(size));
    if (!block)
        return;
    auto at = [&](std::int32_t r, std::int32_t c) {
        return pixel_view{data + static_cast<std::ptrdiff_t>(r) * row_stride +
                              static_cast<std::ptrdiff_t>(c) * column_stride,
                          channels, channel_stride};
    };
    const pixel_view key = at(rows - 1, 0);
    std::uint8_t* out = block.data();
    for (std::int32_t r = 0; r < rows; ++r)
        for (std::int32_t c = 0; c < columns; ++c)
            out = put_keyed(out, at(r, c), key);
    call<&thrice_interleaved_bytes_visitor_impl::visit>(wrapped_, rows, columns * 4, columns, 4, 4, 1,
                                                        block.data());
}

} // namespace zv::detail
