// The hand-made resource table of zv_test_resources and its pictures, for the
// tests that read them.
#pragma once

#include <cstdint>
#include <vector>

#include "kit/picture_files.h"

#include "platform/module_resources.h"

extern "C" int zv_test_resources_marker(void) noexcept;

namespace zv::test::resources
{

// The library itself (calling its marker keeps it loaded with the tests).
inline platform::module_handle library()
{
    return zv_test_resources_marker() == 7 ? platform::loaded_module("zv_test_resources") : nullptr;
}

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

// Rows of 16 values, top row first.
template <class Value> std::vector<std::vector<std::uint32_t>> rows_of(Value value)
{
    std::vector<std::vector<std::uint32_t>> rows(16, std::vector<std::uint32_t>(16));
    for (std::uint32_t y = 0; y < 16; ++y)
        for (std::uint32_t x = 0; x < 16; ++x)
            rows[y][x] = value(x, y);
    return rows;
}

// The files of the pictures: the frame's .bmp and the cursor's .cur.
inline bytes frame_bmp()
{
    return bmp_file({16, 16, 24}, {}, stored_rows(rows_of(frame_pixel), 24));
}

inline bytes monochrome_cursor_file()
{
    bytes pixels = stored_rows(rows_of([](std::uint32_t x, std::uint32_t) { return cursor_white(x); }), 1);
    const bytes mask =
        stored_rows(rows_of([](std::uint32_t, std::uint32_t y) { return cursor_transparent(y); }), 1);
    pixels.insert(pixels.end(), mask.begin(), mask.end());
    return icon_file(2, 3, 5, {16, 32, 1}, {0x000000, 0xFFFFFF}, pixels);
}

} // namespace zv::test::resources
