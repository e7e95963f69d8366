// Fuzz target of the POSIX picture decoder: the input is read as a .bmp file
// and as an icon file; whatever decodes has all its rows fetched in every
// format, so a decoder that lets a damaged size through reads out of bounds.
#include "platform/posix/dib.h"

#include <cstdlib>
#include <vector>

namespace
{

using namespace zv::platform;

// Pictures too large for a small input are refused before this; the cap
// keeps the fetch buffers small when a large input is valid.
constexpr std::uint64_t max_fetched_pixels = 1 << 22;

void fetch_all(const posix::dib& image)
{
    if (std::uint64_t{image.width} * image.height > max_fetched_pixels)
        return;
    for (row_format format : {row_format::grey8, row_format::bgr24, row_format::bgrx32}) {
        std::vector<std::uint8_t> out(std::size_t{image.width} * image.height * bytes_per_pixel(format));
        if (posix::fetch_rows(image, 0, image.height, format, out) != image.height)
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> bytes(data, size);
    if (const auto image = posix::decode_bmp(bytes))
        fetch_all(*image);
    if (const auto icon = posix::decode_icon(bytes)) {
        fetch_all(icon->mask);
        if (icon->colour)
            fetch_all(*icon->colour);
    }
    return 0;
}
