// Round trips of the compressor through zlib's inflate over generated inputs
// of every kind: edges of the window, incompressible data, long runs, text.
#include "inflate_helper.h"

#include "zip/deflate_constants.h"

#include <gtest/gtest.h>

#include <cstring>
#include <zlib.h>

namespace zv::zip::test
{
namespace
{

class DeflateRoundTrip : public ::testing::Test
{
  protected:
    void expect_round_trip(const bytes& input, int level = 8, std::size_t piece = SIZE_MAX)
    {
        const bytes packed = deflate_bytes(compressor, input, level, piece);
        ASSERT_FALSE(packed.empty()) << "a DEFLATE stream is never empty";
        const std::optional<bytes> unpacked = inflate_bytes(packed);
        ASSERT_TRUE(unpacked.has_value()) << "zlib rejected the stream, input " << input.size() << " bytes";
        EXPECT_TRUE(*unpacked == input) << "input " << input.size() << " bytes, level " << level;
    }

    DeflateCompressor compressor;
};

TEST_F(DeflateRoundTrip, EmptyAndTinyInputs)
{
    expect_round_trip({});
    expect_round_trip({0x41});
    expect_round_trip({0, 0});
    expect_round_trip({1, 2, 3});
    expect_round_trip({7, 7, 7, 7});
}

TEST_F(DeflateRoundTrip, SizesAroundTheWindowAndRefill)
{
    for (std::size_t base : {std::size_t{deflate_window_size}, std::size_t{2 * deflate_window_size},
                             std::size_t{deflate_window_size + deflate_max_distance}, std::size_t{65535}}) {
        for (std::size_t size : {base - 1, base, base + 1}) {
            expect_round_trip(random_bytes(size, static_cast<std::uint32_t>(size)));
            expect_round_trip(xml_like(size, static_cast<std::uint32_t>(size)));
        }
    }
}

TEST_F(DeflateRoundTrip, IncompressibleDataStaysNearItsSize)
{
    const bytes input = random_bytes(300000, 11);
    const bytes packed = deflate_bytes(compressor, input);
    EXPECT_LE(packed.size(), input.size() + input.size() / 1000 + 64) << "stored blocks bound the growth";
    expect_round_trip(input);
}

TEST_F(DeflateRoundTrip, LongRunsAndSmallAlphabets)
{
    expect_round_trip(repeated_byte(1000000, 0));
    expect_round_trip(repeated_byte(258 * 3 + 1, 'x'));
    const bytes run = repeated_byte(5000000, 'z');
    EXPECT_LT(deflate_bytes(compressor, run).size(), 20000u);
    for (unsigned alphabet : {1u, 2u, 3u, 17u}) {
        expect_round_trip(few_symbols(200000, alphabet, alphabet));
    }
}

TEST_F(DeflateRoundTrip, EveryLevelAndOneByteReads)
{
    const bytes text = xml_like(150000, 5);
    for (int level = 1; level <= 8; ++level) {
        expect_round_trip(text, level);
    }
    expect_round_trip(xml_like(70000, 6), 8, 1);
    expect_round_trip(random_bytes(70000, 6), 8, 7);
}

TEST_F(DeflateRoundTrip, OneCompressorServesManyStreams)
{
    for (std::uint32_t seed = 0; seed < 40; ++seed) {
        const std::size_t size = (seed * 7919u) % 90000u;
        expect_round_trip(seed % 2 == 0 ? xml_like(size, seed) : few_symbols(size, 1 + seed % 5, seed));
    }
}

// Links left from an earlier stream must never reach into a new one: the
// walk would then see candidates a fresh compressor does not.
TEST_F(DeflateRoundTrip, ReusedCompressorWritesWhatAFreshOneWrites)
{
    const bytes earlier = xml_like(300000, 3);
    for (const bytes& input : {xml_like(70000, 4), few_symbols(50000, 3, 5), repeated_byte(40000, 'x')}) {
        DeflateCompressor fresh;
        const bytes expected = deflate_bytes(fresh, input);
        deflate_bytes(compressor, earlier);
        EXPECT_TRUE(deflate_bytes(compressor, input) == expected) << "input " << input.size() << " bytes";
    }
}

TEST_F(DeflateRoundTrip, RefusesBadLevelsAndReportsReadAndWriteFailures)
{
    auto empty_reader = [](void*, std::uint8_t*, std::size_t) -> std::int64_t { return 0; };
    auto sink = [](void*, const std::uint8_t*, std::size_t) { return true; };
    for (int level : {0, 9, -1, 100}) {
        const char* error = compressor.compress(level, empty_reader, sink, nullptr);
        ASSERT_NE(error, nullptr);
        EXPECT_STREQ(error, "bad pack level");
    }
    auto failing_reader = [](void*, std::uint8_t*, std::size_t) -> std::int64_t { return -1; };
    EXPECT_STREQ(compressor.compress(8, failing_reader, sink, nullptr), "read error");

    auto endless_reader = [](void*, std::uint8_t* buffer, std::size_t size) -> std::int64_t {
        std::memset(buffer, 'a', size);
        return static_cast<std::int64_t>(size);
    };
    auto refusing_sink = [](void*, const std::uint8_t*, std::size_t) { return false; };
    // A refusing sink stops the compression even when input never ends.
    EXPECT_STREQ(compressor.compress(8, endless_reader, refusing_sink, nullptr), "write error");
}

TEST_F(DeflateRoundTrip, LevelEightIsCloseToZlibOnText)
{
    const bytes text = xml_like(2000000, 9);
    const bytes ours = deflate_bytes(compressor, text);
    z_stream z{};
    ASSERT_EQ(deflateInit2(&z, 8, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY), Z_OK);
    bytes theirs(deflateBound(&z, text.size()));
    z.next_in = const_cast<Bytef*>(text.data());
    z.avail_in = static_cast<uInt>(text.size());
    z.next_out = theirs.data();
    z.avail_out = static_cast<uInt>(theirs.size());
    ASSERT_EQ(deflate(&z, Z_FINISH), Z_STREAM_END);
    theirs.resize(z.total_out);
    deflateEnd(&z);
    EXPECT_LE(static_cast<double>(ours.size()), 1.005 * static_cast<double>(theirs.size()));
}

} // namespace
} // namespace zv::zip::test
