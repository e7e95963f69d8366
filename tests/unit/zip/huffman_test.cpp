// Code lengths within their limit and complete (Kraft sum exactly one) for
// frequencies no round trip produces: Fibonacci ones, and none or one used.
#include "zip/huffman.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

namespace zv::zip
{
namespace
{

// Sum over codes of 2^-length, scaled by 2^max_len.
std::uint32_t kraft_sum(const std::uint8_t* lens, unsigned n, unsigned max_len)
{
    std::uint32_t sum = 0;
    for (unsigned i = 0; i < n; ++i)
        sum += lens[i] == 0 ? 0 : 1u << (max_len - lens[i]);
    return sum;
}

TEST(Huffman, SkewedFrequenciesAreLimitedAndComplete)
{
    std::uint32_t freqs[286] = {1, 1};
    for (unsigned i = 2; i < 30; ++i) // they would want 29-bit codes
        freqs[i] = freqs[i - 1] + freqs[i - 2];
    std::uint8_t lens[286];
    build_code_lengths(freqs, 286, 15, lens);
    EXPECT_EQ(*std::max_element(lens, lens + 286), 15);
    EXPECT_EQ(kraft_sum(lens, 286, 15), 1u << 15);
    for (unsigned i = 0; i + 1 < 30; ++i)
        EXPECT_GE(lens[i], lens[i + 1]) << "more frequent symbols never get longer codes";
    build_code_lengths(freqs, 19, 7, lens);
    EXPECT_LE(*std::max_element(lens, lens + 19), 7);
    EXPECT_EQ(kraft_sum(lens, 19, 7), 1u << 7);
}

TEST(Huffman, NoneOrOneUsedSymbolStillGivesTwoCodes)
{
    std::uint32_t freqs[30] = {};
    std::uint8_t lens[30];
    build_code_lengths(freqs, 30, 15, lens);
    EXPECT_EQ(kraft_sum(lens, 30, 15), 1u << 15);
    freqs[17] = 5;
    build_code_lengths(freqs, 30, 15, lens);
    EXPECT_EQ(lens[17], 1);
    EXPECT_EQ(kraft_sum(lens, 30, 15), 1u << 15);
}

} // namespace
} // namespace zv::zip
