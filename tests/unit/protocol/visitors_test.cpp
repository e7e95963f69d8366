#include "protocol/visitors.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "protocol/protocol.h"

namespace zv::test
{
namespace
{

TEST(StdwstringVisitor, ReplacesTheTargetWithTheTextUpToItsFirstZero)
{
    static const char16_t with_zero[] = {u'a', u'b', 0, u'c', 0};
    const struct {
        const char16_t* text;
        bool visited;
        std::u16string expected;
    } cases[] = {
        {u"Профиль: начало,конец,длина", true, u"Профиль: начало,конец,длина"},
        {u"", true, u""},          // empty text empties the target
        {with_zero, true, u"ab"},  // the text ends at its first zero
        {u"never", false, u"old"}, // an unvisited target keeps its value
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.expected.begin(), c.expected.end()));
        std::u16string target = u"old";
        stdwstring_visitor visitor(target);
        call<&string_visitor_impl::visit>(c.visited ? make_ref<string_visitor>(&visitor) : interface_ref{},
                                          c.text);
        EXPECT_EQ(target, c.expected);
    }
}

// Reads every (row, column, channel) the way a host would.
struct pixel_reader : thrice_interleaved_bytes_visitor_impl {
    void visit(std::int32_t rows, std::int32_t row_stride, std::int32_t columns, std::int32_t column_stride,
               std::int32_t channels, std::int32_t channel_stride, const std::uint8_t* data) override
    {
        for (std::int32_t r = 0; r < rows; ++r)
            for (std::int32_t c = 0; c < columns; ++c)
                for (std::int32_t k = 0; k < channels; ++k)
                    bytes.push_back(data[r * row_stride + c * column_stride + k * channel_stride]);
    }
    std::vector<std::uint8_t> bytes;
};

// Two rows of two 3-byte pixels stored bottom row first.
TEST(ThriceInterleavedBytesVisitor, NegativeRowStrideReadsRowsBottomUpStorage)
{
    const std::uint8_t block[] = {10, 11, 12, 20, 21, 22,  // bottom row
                                  30, 31, 32, 40, 41, 42}; // top row
    pixel_reader reader;
    call<&thrice_interleaved_bytes_visitor_impl::visit>(make_ref<thrice_interleaved_bytes_visitor>(&reader),
                                                        2, -6, 2, 3, 3, 1, block + 6);
    EXPECT_EQ(reader.bytes, (std::vector<std::uint8_t>{30, 31, 32, 40, 41, 42, 10, 11, 12, 20, 21, 22}));
}

} // namespace
} // namespace zv::test
