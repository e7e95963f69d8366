// The POSIX picture decoder on hand-made files: every depth in both row
// orders, the formats rows are fetched in, icons split as the system splits
// them, and damaged files decoding to nothing.
#include "platform/posix/dib.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "kit/picture_files.h"

namespace zv::platform::posix
{
namespace
{

using test::bitmap_header;
using test::bytes;

constexpr std::uint32_t dark = 0x1E140A;  // red 30, green 20, blue 10
constexpr std::uint32_t light = 0x6496C8; // red 100, green 150, blue 200

// 3 x 2 pixels, top row first: dark where x + y is even, light elsewhere. The
// odd width pads every row and leaves packed depths a partial byte.
std::vector<std::vector<std::uint32_t>> pattern(std::uint16_t bit_count)
{
    std::vector<std::vector<std::uint32_t>> rows(2, std::vector<std::uint32_t>(3));
    for (std::uint32_t y = 0; y < 2; ++y)
        for (std::uint32_t x = 0; x < 3; ++x) {
            const std::uint32_t index = (x + y) % 2;
            rows[y][x] = bit_count <= 8 ? index : (index ? light : dark) | 0x7F000000;
        }
    return rows;
}

bytes pattern_bmp(std::uint16_t bit_count, bool top_down = false)
{
    const std::vector<std::uint32_t> palette =
        bit_count <= 8 ? std::vector<std::uint32_t>{dark, light} : std::vector<std::uint32_t>{};
    return test::bmp_file({3, top_down ? -2 : 2, bit_count}, palette,
                          test::stored_rows(pattern(bit_count), bit_count, top_down));
}

bytes bgrx(std::initializer_list<std::uint32_t> colours, std::uint8_t fourth)
{
    bytes out;
    for (std::uint32_t colour : colours)
        out.insert(out.end(), {static_cast<std::uint8_t>(colour), static_cast<std::uint8_t>(colour >> 8),
                               static_cast<std::uint8_t>(colour >> 16), fourth});
    return out;
}

// The rows fetched, as many bytes as were written.
bytes fetch(const dib& image, row_format format, std::uint32_t first_row = 0,
            std::uint32_t rows = std::numeric_limits<std::uint32_t>::max(), std::size_t room = 1024)
{
    bytes out(room);
    const std::uint32_t fetched = fetch_rows(image, first_row, rows, format, out);
    out.resize(std::size_t{fetched} * image.width * bytes_per_pixel(format));
    return out;
}

TEST(Dib, EveryDepthInBothRowOrdersIsFetchedBottomRowFirst)
{
    for (std::uint16_t bit_count : {1, 4, 8, 24, 32}) {
        for (bool top_down : {false, true}) {
            SCOPED_TRACE(std::to_string(bit_count) + (top_down ? " bits, top-down" : " bits, bottom-up"));
            const bytes file = pattern_bmp(bit_count, top_down);
            const auto image = decode_bmp(file);
            ASSERT_TRUE(image); // its size shows in the bytes fetched
            const std::uint8_t fourth = bit_count == 32 ? 0x7F : 0;
            EXPECT_EQ(fetch(*image, row_format::bgrx32),
                      bgrx({light, dark, light, dark, light, dark}, fourth));
        }
    }
}

TEST(Dib, RowsAreFetchedInEachFormatAsFarAsThePictureAndTheRoomGo)
{
    const bytes file = pattern_bmp(24);
    const auto image = decode_bmp(file);
    ASSERT_TRUE(image);
    EXPECT_EQ(fetch(*image, row_format::bgr24, 1), (bytes{10, 20, 30, 200, 150, 100, 10, 20, 30}));
    EXPECT_EQ(fetch(*image, row_format::grey8), (bytes{150, 20, 150, 20, 150, 20}));
    EXPECT_EQ(fetch(*image, row_format::grey8, 1, 5).size(), 3u); // one row left
    EXPECT_TRUE(fetch(*image, row_format::grey8, 2).empty());
    EXPECT_TRUE(fetch(*image, row_format::bgrx32, 0, 2, 23).empty()); // two rows need 24 bytes
}

bytes monochrome_icon(std::uint16_t type)
{
    // Image white in the middle column, mask transparent in the top row.
    bytes pixels = test::stored_rows({{0, 1, 0}, {0, 1, 0}}, 1);
    const bytes mask = test::stored_rows({{1, 1, 1}, {0, 0, 0}}, 1);
    pixels.insert(pixels.end(), mask.begin(), mask.end());
    return test::icon_file(type, 2, 1, {3, 4, 1}, {0x000000, 0xFFFFFF}, pixels);
}

TEST(Dib, IconsAreSplitAsTheSystemSplitsThem)
{
    // Monochrome: one double-height mask, the image below the mask.
    const bytes icon_file = monochrome_icon(1);
    const auto icon = decode_icon(icon_file);
    ASSERT_TRUE(icon);
    EXPECT_FALSE(icon->colour);
    EXPECT_EQ(icon->mask.height, 4u);
    EXPECT_EQ(fetch(icon->mask, row_format::grey8), (bytes{0, 255, 0, 0, 255, 0, 0, 0, 0, 255, 255, 255}));
    EXPECT_EQ(icon->hot_spot_x, 1u); // the middle of an icon
    EXPECT_EQ(icon->hot_spot_y, 1u);
    const bytes cursor_file = monochrome_icon(2);
    const auto cursor = decode_icon(cursor_file);
    ASSERT_TRUE(cursor);
    EXPECT_EQ(cursor->hot_spot_x, 2u);
    EXPECT_EQ(cursor->hot_spot_y, 1u);

    // Colour: the image with its own palette, the mask black and white.
    bytes pixels = test::stored_rows(pattern(8), 8);
    const bytes mask = test::stored_rows({{0, 1, 0}, {0, 0, 1}}, 1);
    pixels.insert(pixels.end(), mask.begin(), mask.end());
    const bytes colour_file = test::icon_file(1, 0, 0, {3, 4, 8, 0, 1, 2}, {dark, light}, pixels);
    const auto colour_icon = decode_icon(colour_file);
    ASSERT_TRUE(colour_icon && colour_icon->colour);
    EXPECT_EQ(fetch(*colour_icon->colour, row_format::bgrx32),
              bgrx({light, dark, light, dark, light, dark}, 0));
    EXPECT_EQ(fetch(colour_icon->mask, row_format::grey8), (bytes{0, 0, 255, 0, 255, 0}));
}

template <class T> bytes with(bytes file, std::size_t at, T value)
{
    foundation::store_le(file.data() + at, value);
    return file;
}

bytes cut(bytes file, std::size_t size)
{
    file.resize(size);
    return file;
}

TEST(Dib, DamagedBitmapsDecodeToNothing)
{
    const bytes good = pattern_bmp(24);
    const bytes paletted = pattern_bmp(8);
    ASSERT_TRUE(decode_bmp(good) && decode_bmp(paletted));
    const std::pair<const char*, bytes> damaged[] = {
        {"empty", {}},
        {"file header only", cut(good, 14)},
        {"information header cut", cut(good, 14 + 39)},
        {"last pixel byte missing", cut(good, good.size() - 1)},
        {"palette cut", cut(paletted, 14 + 40 + 5)},
        {"no BM", with<std::uint8_t>(good, 0, 'X')},
        {"pixels past the end", with<std::uint32_t>(good, 10, 1000)},
        {"pixel offset wrapping", with<std::uint32_t>(good, 10, 0xFFFFFFF0)},
        {"header past the end", with<std::uint32_t>(good, 14, 5000)},
        {"header too small", with<std::uint32_t>(good, 14, 12)},
        {"zero width", with<std::int32_t>(good, 18, 0)},
        {"negative width", with<std::int32_t>(good, 18, -3)},
        {"absurd width", with<std::int32_t>(good, 18, std::numeric_limits<std::int32_t>::max())},
        {"zero height", with<std::int32_t>(good, 22, 0)},
        {"absurd height", with<std::int32_t>(good, 22, std::numeric_limits<std::int32_t>::min())},
        {"two planes", with<std::uint16_t>(good, 26, 2)},
        {"16 bits per pixel", with<std::uint16_t>(good, 28, 16)},
        {"compressed", with<std::uint32_t>(good, 30, 1)},
        {"more colours than the depth has", with<std::uint32_t>(paletted, 46, 257)},
    };
    for (const auto& [what, file] : damaged)
        EXPECT_FALSE(decode_bmp(file)) << what;
}

TEST(Dib, DamagedIconsDecodeToNothing)
{
    const bytes good = monochrome_icon(1);
    ASSERT_TRUE(decode_icon(good));
    // Images may be PNG files, which this decoder does not read: the
    // signature stands where the header's size would be.
    const bytes png = with<std::uint32_t>(with<std::uint32_t>(good, 22, 0x474E5089), 26, 0x0A1A0A0D);
    const std::uint32_t image_size = 40 + 8 + 2 * 2 * 4;
    const std::pair<const char*, bytes> damaged[] = {
        {"directory only", cut(good, 6)},
        {"reserved word set", with<std::uint16_t>(good, 0, 1)},
        {"type 3", with<std::uint16_t>(good, 2, 3)},
        {"no images", with<std::uint16_t>(good, 4, 0)},
        {"image past the end", with<std::uint32_t>(good, 18, static_cast<std::uint32_t>(good.size()))},
        {"image size past the end", with<std::uint32_t>(good, 14, 0xFFFFFFFF)},
        {"file cut", cut(good, good.size() - 1)},
        {"mask cut", with<std::uint32_t>(good, 14, image_size - 1)},
        {"one row for image and mask", with<std::int32_t>(good, 22 + 8, 1)},
        {"top-down", with<std::int32_t>(good, 22 + 8, -4)},
        {"a PNG image", png},
    };
    for (const auto& [what, file] : damaged)
        EXPECT_FALSE(decode_icon(file)) << what;
}

} // namespace
} // namespace zv::platform::posix
