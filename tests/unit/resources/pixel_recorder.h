// Test visitors that record what a picture's sender showed them, read during
// the call: every byte the strides reach, top row first, then column, then
// channel.
#pragma once

#include <cstdint>
#include <tuple>
#include <vector>

#include "protocol/dialog_interfaces.h"
#include "protocol/localizer_interfaces.h"
#include "protocol/visitors.h"

namespace zv::test
{

struct pixel_visit {
    std::int32_t rows, row_stride, columns, column_stride, channels, channel_stride;
    const std::uint8_t* data;
    std::vector<std::uint8_t> bytes;

    auto layout() const
    {
        return std::tuple(rows, row_stride, columns, column_stride, channels, channel_stride);
    }
    // The channels of the pixel in row r (from the top), column c.
    std::vector<std::uint8_t> pixel(std::int32_t r, std::int32_t c) const
    {
        const auto at = bytes.begin() + (static_cast<std::ptrdiff_t>(r) * columns + c) * channels;
        return {at, at + channels};
    }
};

class pixel_recorder : public thrice_interleaved_bytes_visitor_impl
{
  public:
    void visit(std::int32_t rows, std::int32_t row_stride, std::int32_t columns, std::int32_t column_stride,
               std::int32_t channels, std::int32_t channel_stride, const std::uint8_t* data) override
    {
        pixel_visit seen{rows, row_stride, columns, column_stride, channels, channel_stride, data, {}};
        for (std::int32_t r = 0; r < rows; ++r)
            for (std::int32_t c = 0; c < columns; ++c)
                for (std::int32_t k = 0; k < channels; ++k)
                    seen.bytes.push_back(data[static_cast<std::ptrdiff_t>(r) * row_stride +
                                              static_cast<std::ptrdiff_t>(c) * column_stride +
                                              static_cast<std::ptrdiff_t>(k) * channel_stride]);
        visits.push_back(std::move(seen));
    }

    interface_ref ref() { return make_ref<iface::thrice_interleaved_bytes_visitor>(this); }

    std::vector<pixel_visit> visits;
};

// Reads a masked bitmap handed over: its hot spot and both planes.
class masked_recorder : public masked_bitmap_visitor_impl
{
  public:
    void visit(interface_ref bitmap) override
    {
        ++count;
        hot_spot_x = call<&masked_bitmap_impl::hot_spot_x>(bitmap);
        hot_spot_y = call<&masked_bitmap_impl::hot_spot_y>(bitmap);
        call<&masked_bitmap_impl::colour>(bitmap, colour.ref());
        call<&masked_bitmap_impl::mask>(bitmap, mask.ref());
    }

    interface_ref ref() { return make_ref<iface::masked_bitmap_visitor>(this); }

    int count = 0;
    std::uint32_t hot_spot_x = 0, hot_spot_y = 0;
    pixel_recorder colour, mask;
};

// Blue, green, red of a 0xRRGGBB colour, and alpha when given.
inline std::vector<std::uint8_t> bgr(std::uint32_t colour)
{
    return {static_cast<std::uint8_t>(colour), static_cast<std::uint8_t>(colour >> 8),
            static_cast<std::uint8_t>(colour >> 16)};
}

inline std::vector<std::uint8_t> bgra(std::uint32_t colour, std::uint8_t alpha)
{
    auto out = bgr(colour);
    out.push_back(alpha);
    return out;
}

} // namespace zv::test
