// Bitmap and icon resources of a module as the system's image loader hands
// them out: device-independent pictures whose rows are fetched in a chosen
// pixel format, as the bitmap-bits function fetches them on Windows. On POSIX
// the platform layer decodes the .bmp, .ico and .cur bytes of the module's
// resource table itself.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>

#include "platform/module_resources.h"

namespace zv::platform
{

// How fetched pixels are laid out; colour bytes in blue, green, red order.
enum class row_format : std::uint8_t {
    grey8,  // one byte: (blue + green + red) / 3, so 0 for black and 255 for white
    bgr24,  // blue, green, red
    bgrx32, // blue, green, red and the picture's fourth byte (0 when it has none)
};

// Bytes of one pixel in a format.
constexpr std::uint32_t bytes_per_pixel(row_format format) noexcept
{
    return format == row_format::grey8 ? 1 : format == row_format::bgr24 ? 3 : 4;
}

// One loaded picture. Rows are numbered bottom-up: row 0 is the bottom row,
// whatever order the picture is stored in.
class picture
{
  public:
    struct state; // the platform's own: a decoded view, or a bitmap handle

    picture() noexcept;
    explicit picture(std::unique_ptr<state> loaded) noexcept;
    picture(picture&&) noexcept;
    picture& operator=(picture&&) noexcept;
    ~picture();

    bool empty() const noexcept { return state_ == nullptr; }
    std::uint32_t width() const noexcept;
    std::uint32_t height() const noexcept;

    // Copies rows first_row, first_row + 1, ... (up to `rows` of them, as far
    // as the picture has them) into `out`, bottom row first, each row packed
    // without padding. Returns the number of rows copied: 0 when there are
    // none or `out` cannot hold them.
    std::uint32_t fetch_rows(std::uint32_t first_row, std::uint32_t rows, row_format format,
                             std::span<std::uint8_t> out) const noexcept;

  private:
    std::unique_ptr<state> state_;
};

// Bitmap resource `id` of a module at its natural size; empty when the module
// has none or it cannot be decoded.
picture load_bitmap_picture(module_handle module, std::uint32_t id) noexcept;

// An icon as the system's icon information describes it.
struct icon_pictures {
    std::uint32_t hot_spot_x = 0;
    std::uint32_t hot_spot_y = 0;
    // Black where the icon shows its colour, white where it is transparent. A
    // monochrome icon has no colour picture: its mask is twice as high, the
    // mask above (rows height/2 and up) and the image below (rows from 0).
    picture mask;
    picture colour;
};

// Icon resource `id` of a module (an icon, else a cursor) at its natural
// size; nothing when there is neither or it cannot be decoded.
std::optional<icon_pictures> load_icon_pictures(module_handle module, std::uint32_t id) noexcept;

} // namespace zv::platform
