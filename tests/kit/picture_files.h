// Hand-made .bmp, .ico and .cur files for the picture tests: every header
// field a test may want to damage is a plain value here.
#pragma once

#include <cstdint>
#include <vector>

#include "foundation/byte_order.h"

namespace zv::test
{

using bytes = std::vector<std::uint8_t>;

// The fields of a bitmap information header (40 bytes).
struct bitmap_header {
    std::int32_t width = 0;
    std::int32_t height = 0; // negative: rows stored top-down
    std::uint16_t bit_count = 24;
    std::uint32_t compression = 0;
    std::uint16_t planes = 1;
    std::uint32_t colours_used = 0;
    std::uint32_t size = 40;
};

inline void append_header(bytes& out, const bitmap_header& header)
{
    using foundation::append_le;
    append_le<std::uint32_t>(out, header.size);
    append_le<std::int32_t>(out, header.width);
    append_le<std::int32_t>(out, header.height);
    append_le<std::uint16_t>(out, header.planes);
    append_le<std::uint16_t>(out, header.bit_count);
    append_le<std::uint32_t>(out, header.compression);
    for (std::uint32_t field : {0u, 2835u, 2835u, header.colours_used, 0u}) // image size .. important colours
        append_le<std::uint32_t>(out, field);
    out.resize(out.size() + (header.size > 40 ? header.size - 40 : 0));
}

// Palette entries given as 0xRRGGBB, stored blue, green, red, 0.
inline void append_palette(bytes& out, const std::vector<std::uint32_t>& palette)
{
    for (std::uint32_t colour : palette)
        foundation::append_le<std::uint32_t>(out, colour & 0xFFFFFF);
}

// Pixel rows, top row first, as a bitmap stores them (bottom row first
// unless top_down), each padded to four bytes. A value is a palette index up
// to 8 bits per pixel (packed from the highest bits), 0xRRGGBB at 24 and
// 0xXXRRGGBB at 32.
inline bytes stored_rows(const std::vector<std::vector<std::uint32_t>>& rows, std::uint16_t bit_count,
                         bool top_down = false)
{
    bytes out;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const auto& row = rows[top_down ? i : rows.size() - 1 - i];
        const std::size_t stride = (row.size() * bit_count + 31) / 32 * 4;
        bytes stored(stride, 0);
        for (std::size_t x = 0; x < row.size(); ++x) {
            if (bit_count <= 8) {
                const std::size_t bit = x * bit_count;
                stored[bit / 8] |= static_cast<std::uint8_t>(row[x] << (8 - bit_count - bit % 8));
            } else {
                for (std::size_t k = 0; k < bit_count / 8u; ++k)
                    stored[x * (bit_count / 8u) + k] = static_cast<std::uint8_t>(row[x] >> (8 * k));
            }
        }
        out.insert(out.end(), stored.begin(), stored.end());
    }
    return out;
}

// A .bmp file: file header, information header, palette, pixels.
inline bytes bmp_file(const bitmap_header& header, const std::vector<std::uint32_t>& palette,
                      const bytes& pixels)
{
    bytes out{'B', 'M'};
    const auto pixels_at = static_cast<std::uint32_t>(14 + header.size + 4 * palette.size());
    foundation::append_le<std::uint32_t>(out, pixels_at + static_cast<std::uint32_t>(pixels.size()));
    foundation::append_le<std::uint32_t>(out, 0);
    foundation::append_le<std::uint32_t>(out, pixels_at);
    append_header(out, header);
    append_palette(out, palette);
    out.insert(out.end(), pixels.begin(), pixels.end());
    return out;
}

// An icon (type 1) or cursor (type 2) file of one image. The header's height
// counts the image and its mask; `pixels` holds the image rows, then the mask
// rows.
inline bytes icon_file(std::uint16_t type, std::uint16_t hot_spot_x, std::uint16_t hot_spot_y,
                       const bitmap_header& header, const std::vector<std::uint32_t>& palette,
                       const bytes& pixels)
{
    using foundation::append_le;
    bytes out;
    for (std::uint16_t field : {std::uint16_t{0}, type, std::uint16_t{1}})
        append_le<std::uint16_t>(out, field);
    out.push_back(static_cast<std::uint8_t>(header.width));
    out.push_back(static_cast<std::uint8_t>(header.height / 2));
    out.push_back(0);
    out.push_back(0);
    append_le<std::uint16_t>(out, hot_spot_x); // planes in an icon
    append_le<std::uint16_t>(out, hot_spot_y); // bits per pixel in an icon
    append_le<std::uint32_t>(out,
                             static_cast<std::uint32_t>(header.size + 4 * palette.size() + pixels.size()));
    append_le<std::uint32_t>(out, 22);
    append_header(out, header);
    append_palette(out, palette);
    out.insert(out.end(), pixels.begin(), pixels.end());
    return out;
}

} // namespace zv::test
