// The colour-key visitor between a picture's sender and its receiver.
#include "resources/key_visitor.h"

#include <gtest/gtest.h>

#include <tuple>

#include "pixel_recorder.h"

namespace zv::detail
{
namespace
{

using test::bgra;
using test::pixel_recorder;
using test::pixel_visit;

// Sends a picture through a key visitor to a recorder.
pixel_recorder keyed(std::int32_t rows, std::int32_t row_stride, std::int32_t columns,
                     std::int32_t column_stride, std::int32_t channels, std::int32_t channel_stride,
                     const std::uint8_t* data)
{
    pixel_recorder receiver;
    key_visitor visitor(receiver.ref());
    call<&thrice_interleaved_bytes_visitor_impl::visit>(
        make_ref<iface::thrice_interleaved_bytes_visitor>(&visitor), rows, row_stride, columns, column_stride,
        channels, channel_stride, data);
    return receiver;
}

// One channel with key zero (zero transparent, the rest opaque grey) is
// bitmap_loader_test.cpp's, through a held localizer.
TEST(KeyVisitor, ThreeChannelsMatchTheKeyOnAllThreeAndOtherCountsPassUnchanged)
{
    // Two pixels a row, four bytes apart, channels two bytes apart; the key
    // (1, 2, 3) is the first pixel of the last row.
    const std::uint8_t pixels[] = {
        1, 0, 2, 0, 3, 0, 0, 0, 1, 0, 2, 0, 9, 0, 0, 0, // the key, then a third channel off
        1, 0, 2, 0, 3, 0, 0, 0, 3, 0, 2, 0, 1, 0, 0, 0, // the key, then its channels reversed
    };
    const pixel_recorder receiver = keyed(2, 16, 2, 8, 3, 2, pixels);
    ASSERT_EQ(receiver.visits.size(), 1u);
    const pixel_visit& seen = receiver.visits[0];
    EXPECT_EQ(seen.pixel(0, 0), bgra(0, 0));
    EXPECT_EQ(seen.pixel(0, 1), bgra(0x090201, 255));
    EXPECT_EQ(seen.pixel(1, 0), bgra(0, 0));
    EXPECT_EQ(seen.pixel(1, 1), bgra(0x010203, 255));

    const pixel_recorder passed = keyed(2, 16, 2, 8, 4, 2, pixels);
    ASSERT_EQ(passed.visits.size(), 1u);
    EXPECT_EQ(passed.visits[0].layout(), std::tuple(2, 16, 2, 8, 4, 2));
    EXPECT_EQ(passed.visits[0].data, pixels);
}

} // namespace
} // namespace zv::detail
