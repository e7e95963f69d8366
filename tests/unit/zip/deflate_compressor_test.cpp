// Round trips of the compressor through zlib's inflate: tiny inputs, input
// ending at the window's slide, incompressible data, long runs, every level
// and read size, a reused compressor, the long chains, the memo of small
// streams, refusals and the ratio against zlib.
#include "test_support.h"

#include "zip/deflate_constants.h"

#include <gtest/gtest.h>

namespace zv::zip::test
{
namespace
{

class DeflateRoundTrip : public ::testing::Test
{
  protected:
    void expect_round_trip(const bytes& input, int level = 8, std::size_t piece = SIZE_MAX)
    {
        const std::optional<bytes> unpacked = inflate_bytes(deflate_bytes(compressor, input, level, piece));
        ASSERT_TRUE(unpacked.has_value()) << "zlib rejected the stream, input " << input.size() << " bytes";
        EXPECT_TRUE(*unpacked == input) << "input " << input.size() << " bytes, level " << level;
    }

    DeflateCompressor compressor;
};

// Larger inputs cross every buffer of the compressor: one size is enough.
TEST_F(DeflateRoundTrip, TinyInputsInputEndingAtTheSlideNoiseAndRuns)
{
    for (const bytes& tiny : {bytes{}, bytes{0x41}, bytes{1, 2, 3}, bytes{7, 7, 7, 7}})
        expect_round_trip(tiny);
    const std::size_t slide = deflate_window_size + deflate_max_distance;
    for (std::size_t size : {slide - 1, slide, slide + 1}) {
        expect_round_trip(random_bytes(size, static_cast<std::uint32_t>(size)));
        expect_round_trip(xml_like(size, static_cast<std::uint32_t>(size)));
    }
    const bytes noise = random_bytes(300000, 11);
    EXPECT_LE(deflate_bytes(compressor, noise).size(), noise.size() + noise.size() / 1000 + 64)
        << "stored blocks bound the growth";
    expect_round_trip(noise);
    expect_round_trip(bytes(258 * 3 + 1, 'x'));
    EXPECT_LT(deflate_bytes(compressor, bytes(5000000, 'z')).size(), 20000u);
    for (unsigned alphabet : {1u, 3u, 17u})
        expect_round_trip(random_bytes(200000, alphabet, alphabet));
}

// Links left from an earlier stream must never reach into a new one: the
// walk would then see candidates a fresh compressor does not.
TEST_F(DeflateRoundTrip, ReusedCompressorWritesWhatAFreshOneWrites)
{
    const bytes earlier = xml_like(300000, 3);
    for (const bytes& input : {xml_like(70000, 4), random_bytes(50000, 5, 3), bytes(40000, 'x')}) {
        DeflateCompressor fresh;
        const bytes expected = deflate_bytes(fresh, input);
        deflate_bytes(compressor, earlier);
        EXPECT_TRUE(deflate_bytes(compressor, input) == expected) << "input " << input.size() << " bytes";
    }
}

// The tail chains only find faster the match the whole walk finds, at
// every level (each with its own chain limit), on markup, text of few
// letters, runs and noise; a crowded tail chain leaves the search to the
// walk, which must change nothing either.
TEST_F(DeflateRoundTrip, TailChainsChangeNoByte)
{
    DeflateCompressor whole_walk;
    whole_walk.set_tail_chains_for_testing(false);
    const bytes inputs[] = {xml_like(400000, 6), random_bytes(100000, 7, 4), random_bytes(60000, 8, 2),
                            bytes(70000, 'x'), random_bytes(50000, 9)};
    for (const bytes& input : inputs)
        for (int level = 1; level <= 8; ++level)
            EXPECT_TRUE(deflate_bytes(compressor, input, level) == deflate_bytes(whole_walk, input, level))
                << "input " << input.size() << " bytes, level " << level;
}

// However the reader hands the input over, the stream is the same.
TEST_F(DeflateRoundTrip, ReadSizesChangeNoByte)
{
    for (const bytes& input : {xml_like(5000, 24), xml_like(200000, 25)}) {
        const bytes whole = deflate_bytes(compressor, input);
        for (std::size_t piece : {std::size_t{1}, std::size_t{700}, std::size_t{40000}}) {
            DeflateCompressor fresh;
            EXPECT_TRUE(deflate_bytes(fresh, input, 8, piece) == whole) << input.size() << " by " << piece;
        }
    }
}

// A small input met again is answered with the stream it gave, at its own
// level only, read in any pieces; a part every archive holds stays
// remembered among many that come once; a large input is never remembered.
TEST_F(DeflateRoundTrip, SmallInputsMetAgainGiveTheirStreamFromTheMemo)
{
    const bytes fixed = xml_like(6000, 21);
    const bytes expected = deflate_bytes(compressor, fixed);
    std::uint64_t remembered = compressor.remembered_streams();
    for (std::uint32_t k = 0; k < 40; ++k) {
        const bytes once = xml_like(300 + k, 100 + k);
        DeflateCompressor fresh;
        EXPECT_TRUE(deflate_bytes(compressor, once) == deflate_bytes(fresh, once));
        EXPECT_TRUE(deflate_bytes(compressor, fixed, 8, 1000) == expected);
        EXPECT_EQ(compressor.remembered_streams(), ++remembered) << k;
    }
    DeflateCompressor fresh;
    EXPECT_TRUE(deflate_bytes(compressor, fixed, 4) == deflate_bytes(fresh, fixed, 4));
    EXPECT_EQ(compressor.remembered_streams(), remembered) << "another level is another stream";
    const bytes large = xml_like(DeflateMemo::max_input_bytes + 1, 22);
    deflate_bytes(compressor, large);
    expect_round_trip(large);
    EXPECT_EQ(compressor.remembered_streams(), remembered);
}

// A stream the sink refused is not remembered, and a remembered one goes
// through the sink like any other.
TEST_F(DeflateRoundTrip, TheMemoKeepsOnlyDeliveredStreamsAndDeliversThroughTheSink)
{
    struct source {
        const bytes* input;
        std::size_t pos = 0;
    };
    auto reader = [](void* c, std::uint8_t* buffer, std::size_t size) -> std::int64_t {
        auto* s = static_cast<source*>(c);
        const std::size_t n = std::min(size, s->input->size() - s->pos);
        std::memcpy(buffer, s->input->data() + s->pos, n);
        s->pos += n;
        return static_cast<std::int64_t>(n);
    };
    auto refusing_sink = [](void*, const std::uint8_t*, std::size_t) { return false; };
    const bytes input = xml_like(3000, 23);
    source first{&input};
    EXPECT_STREQ(compressor.compress(8, reader, refusing_sink, &first), "write error");
    const std::uint64_t remembered = compressor.remembered_streams();
    deflate_bytes(compressor, input);
    EXPECT_EQ(compressor.remembered_streams(), remembered) << "the refused stream was remembered";
    source again{&input};
    EXPECT_STREQ(compressor.compress(8, reader, refusing_sink, &again), "write error");
    EXPECT_EQ(compressor.remembered_streams(), remembered + 1);
}

TEST_F(DeflateRoundTrip, RefusesBadLevelsAndReportsReadAndWriteFailures)
{
    auto empty_reader = [](void*, std::uint8_t*, std::size_t) -> std::int64_t { return 0; };
    auto failing_reader = [](void*, std::uint8_t*, std::size_t) -> std::int64_t { return -1; };
    auto endless_reader = [](void*, std::uint8_t* buffer, std::size_t size) -> std::int64_t {
        std::memset(buffer, 'a', size);
        return static_cast<std::int64_t>(size);
    };
    auto sink = [](void*, const std::uint8_t*, std::size_t) { return true; };
    auto refusing_sink = [](void*, const std::uint8_t*, std::size_t) { return false; };
    for (int level : {0, 9})
        EXPECT_STREQ(compressor.compress(level, empty_reader, sink, nullptr), "bad pack level") << level;
    EXPECT_STREQ(compressor.compress(8, failing_reader, sink, nullptr), "read error");
    // A refusing sink stops the compression even when input never ends.
    EXPECT_STREQ(compressor.compress(8, endless_reader, refusing_sink, nullptr), "write error");
}

// zlib's own stream has two bytes of header and four of checksum around it.
TEST_F(DeflateRoundTrip, EveryLevelSmallReadsAndTheRatioAgainstZlib)
{
    const bytes text = xml_like(2000000, 9);
    for (int level = 1; level <= 8; ++level)
        expect_round_trip(text, level);
    expect_round_trip(xml_like(70000, 6), 8, 1);
    uLongf theirs = compressBound(static_cast<uLong>(text.size()));
    bytes packed(theirs);
    ASSERT_EQ(compress2(packed.data(), &theirs, text.data(), static_cast<uLong>(text.size()), 8), Z_OK);
    EXPECT_LE(static_cast<double>(deflate_bytes(compressor, text).size()),
              1.005 * static_cast<double>(theirs - 6));
}

} // namespace
} // namespace zv::zip::test
