// The compressor's parts: CRC-32 against zlib's, Huffman code lengths within
// their limits and complete, and a 100 MB stream inflated piece by piece.
#include "inflate_helper.h"

#include "zip/crc32.h"
#include "zip/huffman.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <zlib.h>

namespace zv::zip::test
{
namespace
{

TEST(Crc32, MatchesZlibForEverySizeAndSplit)
{
    const bytes data = random_bytes(5000, 21);
    for (std::size_t size : {0u, 1u, 7u, 8u, 9u, 63u, 64u, 4999u, 5000u}) {
        const auto expected = static_cast<std::uint32_t>(::crc32(0, data.data(), static_cast<uInt>(size)));
        EXPECT_EQ(crc32_update(0, data.data(), size), expected) << size;
        const std::size_t half = size / 3;
        EXPECT_EQ(crc32_update(crc32_update(0, data.data(), half), data.data() + half, size - half),
                  expected);
    }
    EXPECT_EQ(crc32_update(0, "123456789", 9), 0xCBF43926u) << "the check value of the ZIP CRC";
}

// Sum over codes of 2^-length, scaled to 2^max: exactly 2^max for a complete code.
std::uint32_t kraft_sum(const std::uint8_t* lens, unsigned n, unsigned max_len)
{
    std::uint32_t sum = 0;
    for (unsigned i = 0; i < n; ++i) {
        sum += lens[i] == 0 ? 0 : 1u << (max_len - lens[i]);
    }
    return sum;
}

TEST(Huffman, SkewedFrequenciesAreLimitedAndComplete)
{
    std::uint32_t freqs[286] = {};
    std::uint32_t a = 1;
    std::uint32_t b = 1;
    for (unsigned i = 0; i < 30; ++i) { // Fibonacci frequencies want 29-bit codes
        freqs[i] = a;
        const std::uint32_t next = a + b;
        a = b;
        b = next;
    }
    std::uint8_t lens[286];
    build_code_lengths(freqs, 286, 15, lens);
    EXPECT_EQ(*std::max_element(lens, lens + 286), 15);
    EXPECT_EQ(kraft_sum(lens, 286, 15), 1u << 15);
    for (unsigned i = 0; i + 1 < 30; ++i) {
        EXPECT_GE(lens[i], lens[i + 1]) << "more frequent symbols never get longer codes";
    }
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

TEST(Huffman, CodewordsArePrefixFree)
{
    const std::uint8_t lens[6] = {2, 1, 3, 3, 0, 0};
    std::uint16_t codes[6];
    build_codewords(lens, 6, codes);
    // Canonical: B=0, A=10, C=110, D=111, sent first bit lowest.
    EXPECT_EQ(codes[1], 0b0);
    EXPECT_EQ(codes[0], 0b01);
    EXPECT_EQ(codes[2], 0b011);
    EXPECT_EQ(codes[3], 0b111);
}

#if defined(__SANITIZE_ADDRESS__)
constexpr std::uint64_t stream_bytes = 16u << 20; // sanitizers are slow
#else
constexpr std::uint64_t stream_bytes = 100u << 20;
#endif

// A generator of a long input mixing text, runs and noise, replayable by seed.
struct long_input {
    std::mt19937 rng{77};
    std::uint64_t left = stream_bytes;
    bytes pattern = xml_like(4096, 3);

    std::size_t next(std::uint8_t* buffer, std::size_t size)
    {
        const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(size, left));
        for (std::size_t i = 0; i < n; ++i) {
            const std::uint32_t r = rng();
            buffer[i] =
                (r & 0xF000) == 0 ? static_cast<std::uint8_t>(r) : pattern[(r >> 20) % pattern.size()];
        }
        left -= n;
        return n;
    }
};

struct streaming_check {
    long_input source;
    long_input expected;
    z_stream z{};
    std::uint64_t matched = 0;
    bool mismatch = false;
    bool ended = false;
};

bool inflate_and_compare(void* context, const std::uint8_t* data, std::size_t size)
{
    auto* s = static_cast<streaming_check*>(context);
    s->z.next_in = const_cast<Bytef*>(data);
    s->z.avail_in = static_cast<uInt>(size);
    std::uint8_t out[65536];
    std::uint8_t want[65536];
    while (s->z.avail_in > 0 && !s->ended) {
        s->z.next_out = out;
        s->z.avail_out = sizeof out;
        const int rc = inflate(&s->z, Z_NO_FLUSH);
        const std::size_t got = sizeof out - s->z.avail_out;
        if (s->expected.next(want, got) != got || std::memcmp(out, want, got) != 0) {
            s->mismatch = true;
        }
        s->matched += got;
        s->ended = rc == Z_STREAM_END;
        if (rc != Z_OK && rc != Z_STREAM_END) {
            s->mismatch = true;
            return false;
        }
    }
    return true;
}

TEST(DeflateStream, HundredMegabytesInflateBackExactly)
{
    DeflateCompressor compressor;
    streaming_check check;
    ASSERT_EQ(inflateInit2(&check.z, -15), Z_OK);
    auto reader = [](void* context, std::uint8_t* buffer, std::size_t size) -> std::int64_t {
        return static_cast<std::int64_t>(static_cast<streaming_check*>(context)->source.next(buffer, size));
    };
    EXPECT_EQ(compressor.compress(8, reader, inflate_and_compare, &check), nullptr);
    inflateEnd(&check.z);
    EXPECT_FALSE(check.mismatch);
    EXPECT_TRUE(check.ended);
    EXPECT_EQ(check.matched, stream_bytes);
}

} // namespace
} // namespace zv::zip::test
