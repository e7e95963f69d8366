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

auto layout(const pixel_visit& seen)
{
    return std::tuple(seen.rows, seen.row_stride, seen.columns, seen.column_stride, seen.channels,
                      seen.channel_stride);
}

TEST(KeyVisitor, OneChannelWithKeyZeroTurnsZeroTransparentAndTheRestOpaqueGrey)
{
    // Two rows of three, shown top-down from the second row in memory: the
    // key is the first byte in memory.
    const std::uint8_t grey[] = {0, 40, 0, 90, 0, 7};
    const pixel_recorder receiver = keyed(2, -3, 3, 1, 1, 1, grey + 3);
    ASSERT_EQ(receiver.visits.size(), 1u);
    const pixel_visit& seen = receiver.visits[0];
    EXPECT_EQ(layout(seen), std::tuple(2, 12, 3, 4, 4, 1));
    const std::vector<std::vector<std::uint8_t>> expected = {
        bgra(0x5A5A5A, 255), bgra(0, 0),          bgra(0x070707, 255), // the row at grey + 3
        bgra(0, 0),          bgra(0x282828, 255), bgra(0, 0)};
    for (std::int32_t i = 0; i < 6; ++i)
        EXPECT_EQ(seen.pixel(i / 3, i % 3), expected[i]) << i;
}

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
    EXPECT_EQ(layout(passed.visits[0]), std::tuple(2, 16, 2, 8, 4, 2));
    EXPECT_EQ(passed.visits[0].data, pixels);
}

} // namespace
} // namespace zv::detail
