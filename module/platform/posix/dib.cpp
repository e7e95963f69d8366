#include "platform/posix/dib.h"

#include <algorithm>
#include <limits>

#include "foundation/byte_order.h"

namespace zv::platform::posix
{
namespace
{

using foundation::load_le;

// Sizes and values of the Windows bitmap and icon file formats.
constexpr std::size_t file_header_size = 14;       // BITMAPFILEHEADER
constexpr std::uint32_t info_header_min_size = 40; // BITMAPINFOHEADER; later versions extend it
constexpr std::uint32_t uncompressed = 0;          // BI_RGB
constexpr std::size_t icon_directory_size = 6;     // ICONDIR
constexpr std::size_t icon_entry_size = 16;        // ICONDIRENTRY
constexpr std::uint16_t icon_type = 1;
constexpr std::uint16_t cursor_type = 2;

// Every pixel of a picture must stay addressable through the 32-bit signed
// strides of the pixel visitors at four bytes a pixel.
constexpr std::uint64_t max_pixels = std::numeric_limits<std::int32_t>::max() / 4;

// The palette of masks: a clear bit is black, a set bit white.
constexpr std::uint8_t monochrome[] = {0, 0, 0, 0, 255, 255, 255, 0};

struct info_header {
    std::uint32_t size = 0;
    std::int32_t width = 0;
    std::int32_t height = 0; // negative for top-down rows
    std::uint16_t bit_count = 0;
    std::uint32_t colours_used = 0;
};

bool supported_depth(std::uint16_t bit_count)
{
    return bit_count == 1 || bit_count == 4 || bit_count == 8 || bit_count == 24 || bit_count == 32;
}

// The information header at the start of `bytes`, when it describes a
// bitmap this decoder can read.
std::optional<info_header> read_info(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() < info_header_min_size)
        return std::nullopt;
    const std::uint8_t* at = bytes.data();
    info_header header;
    header.size = load_le<std::uint32_t>(at);
    header.width = load_le<std::int32_t>(at + 4);
    header.height = load_le<std::int32_t>(at + 8);
    const auto planes = load_le<std::uint16_t>(at + 12);
    header.bit_count = load_le<std::uint16_t>(at + 14);
    const auto compression = load_le<std::uint32_t>(at + 16);
    header.colours_used = load_le<std::uint32_t>(at + 32);
    if (header.size < info_header_min_size || header.size > bytes.size() || planes != 1 ||
        compression != uncompressed || !supported_depth(header.bit_count))
        return std::nullopt;
    if (header.width <= 0 || header.height == 0 || header.height == std::numeric_limits<std::int32_t>::min())
        return std::nullopt;
    if (header.bit_count <= 8 && header.colours_used > (1u << header.bit_count))
        return std::nullopt;
    return header;
}

// Palette entries stored after the header: all that the depth can index
// unless fewer are declared; above 8 bits only the declared ones.
std::uint64_t stored_palette_entries(const info_header& header)
{
    if (header.bit_count <= 8 && header.colours_used == 0)
        return std::uint64_t{1} << header.bit_count;
    return header.colours_used;
}

struct layout {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint16_t bit_count = 0;
    bool top_down = false;
    std::uint64_t palette_at = 0;
    std::uint64_t palette_entries = 0;
    std::uint64_t bits_at = 0;
};

// The bitmap `where` describes inside `bytes`, or nothing when its palette or
// its rows reach past them.
std::optional<dib> lay_out(std::span<const std::uint8_t> bytes, const layout& where)
{
    if (std::uint64_t{where.width} * where.height > max_pixels)
        return std::nullopt;
    const std::uint64_t stride = (std::uint64_t{where.width} * where.bit_count + 31) / 32 * 4;
    if (where.palette_at + where.palette_entries * 4 > bytes.size() || where.bits_at > bytes.size() ||
        stride * where.height > bytes.size() - where.bits_at)
        return std::nullopt;
    dib image;
    image.width = where.width;
    image.height = where.height;
    image.bit_count = where.bit_count;
    image.top_down = where.top_down;
    image.palette = bytes.data() + where.palette_at;
    image.palette_entries = static_cast<std::uint32_t>(where.palette_entries);
    image.bits = bytes.data() + where.bits_at;
    image.stride = static_cast<std::size_t>(stride);
    return image;
}

// A one-bit mask at `bits_at`, read black and white whatever palette is stored.
std::optional<dib> lay_out_mask(std::span<const std::uint8_t> bytes, std::uint32_t width,
                                std::uint32_t height, std::uint64_t bits_at)
{
    auto mask = lay_out(bytes, {width, height, 1, false, 0, 0, bits_at});
    if (mask) {
        mask->palette = monochrome;
        mask->palette_entries = 2;
    }
    return mask;
}

struct bgrx {
    std::uint8_t blue = 0, green = 0, red = 0, fourth = 0;
};

bgrx palette_colour(const dib& image, std::uint32_t index)
{
    if (index >= image.palette_entries)
        return {}; // an index past a short palette shows black
    const std::uint8_t* entry = image.palette + std::size_t{index} * 4;
    return {entry[0], entry[1], entry[2], 0};
}

bgrx pixel_at(const dib& image, const std::uint8_t* row, std::uint32_t column)
{
    if (image.bit_count == 24) {
        const std::uint8_t* p = row + std::size_t{column} * 3;
        return {p[0], p[1], p[2], 0};
    }
    if (image.bit_count == 32) {
        const std::uint8_t* p = row + std::size_t{column} * 4;
        return {p[0], p[1], p[2], p[3]};
    }
    // Packed indices, the leftmost pixel in the highest bits of a byte.
    const std::size_t bit = std::size_t{column} * image.bit_count;
    const unsigned shift = 8 - image.bit_count - static_cast<unsigned>(bit % 8);
    const unsigned index = (row[bit / 8] >> shift) & ((1u << image.bit_count) - 1);
    return palette_colour(image, index);
}

std::uint8_t* put(std::uint8_t* out, bgrx pixel, row_format format)
{
    switch (format) {
    case row_format::grey8:
        *out++ = static_cast<std::uint8_t>((pixel.blue + pixel.green + pixel.red) / 3);
        break;
    case row_format::bgr24:
        *out++ = pixel.blue;
        *out++ = pixel.green;
        *out++ = pixel.red;
        break;
    case row_format::bgrx32:
        *out++ = pixel.blue;
        *out++ = pixel.green;
        *out++ = pixel.red;
        *out++ = pixel.fourth;
        break;
    }
    return out;
}

// Row `row` counted from the bottom.
void copy_row(const dib& image, std::uint32_t row, row_format format, std::uint8_t* out)
{
    const std::uint32_t stored = image.top_down ? image.height - 1 - row : row;
    const std::uint8_t* source = image.bits + std::size_t{stored} * image.stride;
    for (std::uint32_t column = 0; column < image.width; ++column)
        out = put(out, pixel_at(image, source, column), format);
}

} // namespace

std::optional<dib> decode_bmp(std::span<const std::uint8_t> file) noexcept
{
    if (file.size() < file_header_size || file[0] != 'B' || file[1] != 'M')
        return std::nullopt;
    const auto header = read_info(file.subspan(file_header_size));
    if (!header)
        return std::nullopt;
    layout where;
    where.width = static_cast<std::uint32_t>(header->width);
    where.top_down = header->height < 0;
    where.height = static_cast<std::uint32_t>(where.top_down ? -header->height : header->height);
    where.bit_count = header->bit_count;
    where.palette_at = file_header_size + header->size;
    where.bits_at = load_le<std::uint32_t>(file.data() + 10);
    // The file header says where the pixels are, so a palette may be shorter
    // than declared: it ends where the pixels or the file begin or end.
    const std::uint64_t palette_end = where.bits_at > where.palette_at ? where.bits_at : file.size();
    const std::uint64_t room = palette_end > where.palette_at ? (palette_end - where.palette_at) / 4 : 0;
    where.palette_entries = header->bit_count <= 8 ? std::min(stored_palette_entries(*header), room) : 0;
    return lay_out(file, where);
}

std::optional<icon_dibs> decode_icon(std::span<const std::uint8_t> file) noexcept
{
    if (file.size() < icon_directory_size + icon_entry_size)
        return std::nullopt;
    const auto type = load_le<std::uint16_t>(file.data() + 2);
    if (load_le<std::uint16_t>(file.data()) != 0 || (type != icon_type && type != cursor_type) ||
        load_le<std::uint16_t>(file.data() + 4) == 0)
        return std::nullopt;
    const std::uint8_t* entry = file.data() + icon_directory_size;
    const auto image_size = load_le<std::uint32_t>(entry + 8);
    const auto image_at = load_le<std::uint32_t>(entry + 12);
    if (image_at > file.size() || image_size > file.size() - image_at)
        return std::nullopt;
    const auto image = file.subspan(image_at, image_size);
    const auto header = read_info(image);
    if (!header || header->height < 2) // bottom-up, the image above its mask
        return std::nullopt;
    const auto width = static_cast<std::uint32_t>(header->width);
    const auto height = static_cast<std::uint32_t>(header->height) / 2;
    const std::uint64_t palette_entries = stored_palette_entries(*header);
    const std::uint64_t bits_at = header->size + palette_entries * 4;
    const auto colour = lay_out(image, {width, height, header->bit_count, false, header->size,
                                        header->bit_count <= 8 ? palette_entries : 0, bits_at});
    if (!colour)
        return std::nullopt;
    icon_dibs icon;
    // A monochrome icon is kept as one double-height mask: its image rows
    // first (the lower half), its mask rows after them (the upper half).
    const bool monochrome_icon = header->bit_count == 1;
    const auto mask = monochrome_icon ? lay_out_mask(image, width, 2 * height, bits_at)
                                      : lay_out_mask(image, width, height, bits_at + colour->stride * height);
    if (!mask)
        return std::nullopt;
    icon.mask = *mask;
    if (!monochrome_icon)
        icon.colour = colour;
    if (type == cursor_type) {
        icon.hot_spot_x = load_le<std::uint16_t>(entry + 4);
        icon.hot_spot_y = load_le<std::uint16_t>(entry + 6);
    } else {
        icon.hot_spot_x = width / 2;
        icon.hot_spot_y = height / 2;
    }
    return icon;
}

std::uint32_t fetch_rows(const dib& image, std::uint32_t first_row, std::uint32_t rows, row_format format,
                         std::span<std::uint8_t> out) noexcept
{
    if (first_row >= image.height || image.width == 0)
        return 0;
    const std::uint32_t count = std::min(rows, image.height - first_row);
    const std::size_t row_bytes = std::size_t{image.width} * bytes_per_pixel(format);
    if (count == 0 || out.size() / row_bytes < count)
        return 0;
    for (std::uint32_t r = 0; r < count; ++r)
        copy_row(image, first_row + r, format, out.data() + std::size_t{r} * row_bytes);
    return count;
}

} // namespace zv::platform::posix
