// The pictures in the hand-made resource table of zv_test_resources, for the
// tests that read them.
#pragma once

#include <cstdint>

namespace zv::test::resources
{

inline constexpr std::uint32_t damaged_bitmap = 7;    // "BM" and two bytes
inline constexpr std::uint32_t frame_bitmap = 16;     // 16 x 16, 24 bits, stored bottom-up
inline constexpr std::uint32_t monochrome_cursor = 2; // 16 x 16, hot spot (3, 5)
inline constexpr std::uint32_t frame_colour = 0xFF00FF;

// The frame bitmap's pixel (0xRRGGBB) in column x of row y, rows counted from
// the top: a magenta frame around a gradient in blue and green.
constexpr std::uint32_t frame_pixel(std::uint32_t x, std::uint32_t y)
{
    const bool frame = x == 0 || y == 0 || x == 15 || y == 15;
    return frame ? frame_colour : 0x800000 | (16 * y) << 8 | 16 * x;
}

// The cursor's image is white in odd columns, its mask transparent in the
// upper eight rows.
constexpr bool cursor_white(std::uint32_t x)
{
    return x % 2 == 1;
}
constexpr bool cursor_transparent(std::uint32_t y)
{
    return y < 8;
}

} // namespace zv::test::resources
