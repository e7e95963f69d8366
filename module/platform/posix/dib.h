// The small decoder behind the POSIX pictures: device-independent bitmaps in
// .bmp files and in the first image of .ico and .cur files, uncompressed, at
// 1, 4, 8, 24 or 32 bits per pixel. Damaged bytes decode to nothing: every
// size, offset and row is checked against the bytes before a pixel is read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/pictures.h"

namespace zv::platform::posix
{

// A bitmap inside bytes that outlive it: where its palette and rows are. Made
// only by the decoders below, which have checked that every stored row and
// palette entry lies inside the bytes.
struct dib {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint16_t bit_count = 0; // 1, 4, 8, 24 or 32
    bool top_down = false;       // the first stored row is the top row
    const std::uint8_t* palette = nullptr;
    std::uint32_t palette_entries = 0;  // 4 bytes each: blue, green, red, unused
    const std::uint8_t* bits = nullptr; // the first stored row
    std::size_t stride = 0;             // bytes from one stored row to the next
};

// A .bmp file: file header, an information header of at least 40 bytes, the
// palette and the pixels at the offset the file header gives.
std::optional<dib> decode_bmp(std::span<const std::uint8_t> file) noexcept;
// The result views the file's bytes: a temporary would leave it dangling.
std::optional<dib> decode_bmp(std::vector<std::uint8_t>&& file) = delete;

// The first image of an icon (type 1) or cursor (type 2) file, split as the
// system splits it (see platform::icon_pictures).
struct icon_dibs {
    std::uint32_t hot_spot_x = 0;
    std::uint32_t hot_spot_y = 0;
    dib mask;
    std::optional<dib> colour;
};
std::optional<icon_dibs> decode_icon(std::span<const std::uint8_t> file) noexcept;
std::optional<icon_dibs> decode_icon(std::vector<std::uint8_t>&& file) = delete;

// What picture::fetch_rows does, for a decoded bitmap.
std::uint32_t fetch_rows(const dib& image, std::uint32_t first_row, std::uint32_t rows, row_format format,
                         std::span<std::uint8_t> out) noexcept;

} // namespace zv::platform::posix
