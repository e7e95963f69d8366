// Bitmap and icon resources of the hand-made table of zv_test_resources, and
// the layouts in which their pixel blocks are visited.
#include "resources/bitmap_resource.h"

#include <gtest/gtest.h>

#include <tuple>

#include "pixel_recorder.h"
#include "unit/platform/test_resources.h"

namespace zv::resource
{
namespace
{

using namespace zv::test;

TEST(BitmapResource, BitmapIsVisitedTopDownFromItsLastRowWithOrWithoutItsKeyColour)
{
    for (bool key_on_load : {false, true}) {
        const loaded_bitmap bitmap =
            load_bitmap_resource(resources::library(), resources::frame_bitmap, key_on_load);
        ASSERT_TRUE(bitmap.pixels);
        EXPECT_EQ(std::tuple(bitmap.width, bitmap.height, bitmap.size, bitmap.keyed),
                  std::tuple(16u, 16u, 1024u, key_on_load));
        pixel_recorder recorder;
        visit_pixels(bitmap, recorder.ref());
        ASSERT_EQ(recorder.visits.size(), 1u);
        const pixel_visit& seen = recorder.visits[0];
        EXPECT_EQ(seen.layout(), std::tuple(16, -64, 16, 4, key_on_load ? 4 : 3, 1));
        EXPECT_EQ(seen.data, bitmap.pixels.data() + 960);
        std::vector<std::uint8_t> expected;
        for (std::uint32_t y = 0; y < 16; ++y) {
            for (std::uint32_t x = 0; x < 16; ++x) {
                const std::uint32_t colour = resources::frame_pixel(x, y);
                const bool clear = colour == resources::frame_colour;
                const auto pixel = !key_on_load ? bgr(colour) : clear ? bgra(0, 0) : bgra(colour, 255);
                expected.insert(expected.end(), pixel.begin(), pixel.end());
            }
        }
        EXPECT_EQ(seen.bytes, expected) << "keyed: " << key_on_load;
    }
}

TEST(BitmapResource, IconWithoutColourBitmapTakesItsImageFromTheLowerHalfOfItsMask)
{
    loaded_icon icon = load_icon_resource(resources::library(), resources::monochrome_cursor);
    ASSERT_TRUE(icon.ok && icon.pixels);
    EXPECT_EQ(std::tuple(icon.width, icon.height, icon.size, icon.mask_offset),
              std::tuple(16u, 16u, 1024u, 768u));
    const std::uint8_t* start = icon.pixels.data();
    masked_bitmap lent(std::move(icon));
    masked_recorder recorder;
    call<&masked_bitmap_visitor_impl::visit>(recorder.ref(), make_ref<iface::masked_bitmap>(&lent));
    EXPECT_EQ(std::tuple(recorder.hot_spot_x, recorder.hot_spot_y), std::tuple(3u, 5u)); // the cursor's own
    ASSERT_EQ(recorder.colour.visits.size(), 1u);
    ASSERT_EQ(recorder.mask.visits.size(), 1u);
    const pixel_visit& colour = recorder.colour.visits[0];
    const pixel_visit& mask = recorder.mask.visits[0];
    EXPECT_EQ(colour.layout(), std::tuple(16, -48, 16, 3, 3, 1));
    EXPECT_EQ(colour.data, start + 15 * 48);
    EXPECT_EQ(mask.layout(), std::tuple(16, -16, 16, 1, 1, 1));
    EXPECT_EQ(mask.data, start + 768 + 15 * 16);
    for (std::int32_t y = 0; y < 16; ++y) {
        for (std::int32_t x = 0; x < 16; ++x) {
            EXPECT_EQ(colour.pixel(y, x), bgr(resources::cursor_white(x) ? 0xFFFFFF : 0)) << x << ", " << y;
            EXPECT_EQ(mask.pixel(y, x)[0], resources::cursor_transparent(y) ? 255 : 0) << x << ", " << y;
        }
    }

    masked_bitmap moved(load_icon_resource(resources::library(), resources::monochrome_cursor), 1, 2);
    EXPECT_EQ(std::tuple(moved.hot_spot_x(), moved.hot_spot_y()), std::tuple(1u, 2u));
}

TEST(BitmapResource, MissingOrDamagedPicturesHaveNoPixelsAndVisitNothing)
{
    pixel_recorder recorder;
    for (std::uint32_t number : {resources::damaged_bitmap, 99u, resources::monochrome_cursor}) {
        const loaded_bitmap bitmap = load_bitmap_resource(resources::library(), number, true);
        EXPECT_FALSE(bitmap.pixels) << number;
        visit_pixels(bitmap, recorder.ref());
    }
    const loaded_icon icon = load_icon_resource(resources::library(), resources::frame_bitmap);
    EXPECT_FALSE(icon.ok || icon.pixels);
    visit_colour(icon, recorder.ref());
    visit_mask(icon, recorder.ref());
    EXPECT_TRUE(recorder.visits.empty());
}

} // namespace
} // namespace zv::resource
