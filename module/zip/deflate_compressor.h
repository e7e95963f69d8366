// DEFLATE compressor (RFC 1951), lazy-matching variant over a 32 KiB window
// with hash chains. Input is pulled from a reader in 64 KiB refills, output
// is pushed to a sink in blocks.
#pragma once

#include "zip/deflate_block_writer.h"
#include "zip/deflate_memo.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace zv::zip
{

// Search parameters of one level: a match this long makes the search for a
// better one cut its chain to a quarter; a match this long is taken without
// looking for a better one at the next byte; a match this long ends the
// search; at most this many chain links are followed.
struct deflate_level_params {
    std::uint16_t good_length;
    std::uint16_t max_lazy;
    std::uint16_t nice_length;
    std::uint16_t max_chain;
};

// Levels 1 to 8 (index 0 is unused).
inline constexpr deflate_level_params deflate_levels[9] = {
    {0, 0, 0, 0},    {4, 4, 16, 4},      {4, 8, 16, 8},       {4, 16, 32, 16},      {8, 16, 32, 32},
    {8, 32, 64, 64}, {16, 64, 128, 128}, {16, 128, 258, 256}, {32, 128, 258, 1024},
};

// Fills buffer with up to size_bytes of input; 0 at the end, -1 on error.
using deflate_reader_fn = std::int64_t (*)(void* context, std::uint8_t* buffer, std::size_t size_bytes);

class DeflateCompressor
{
  public:
    // Allocates the window, hash tables and buffers (about 1.7 MiB); may
    // throw std::bad_alloc.
    DeflateCompressor();

    // General-purpose flag bits of an archive entry compressed at a level:
    // bit 1 at level 8 and above, bit 2 below level 3.
    static std::uint16_t entry_flags(int level) noexcept;

    // Compresses everything the reader gives into one complete DEFLATE
    // stream. Returns null on success or an error text: "bad pack level" for
    // a level outside 1..8, "read error", "write error". A small input this
    // compressor met before is answered with the stream it gave then.
    const char* compress(int level, deflate_reader_fn reader, deflate_sink_fn sink, void* context) noexcept;

    // Off, every search walks the whole chain of its position, as the tail
    // chains only find the same match faster: tests compare the two.
    void set_tail_chains_for_testing(bool on) noexcept { tail_chains_ = on; }

    // How many streams were answered from the memo (for tests).
    std::uint64_t remembered_streams() const noexcept { return remembered_streams_; }

  private:
    struct capture;
    bool read_more() noexcept;
    bool read_first_window() noexcept;
    bool fill_window() noexcept;
    void slide_window() noexcept;
    unsigned insert(unsigned pos) noexcept;
    unsigned longest_match(unsigned cur_match, unsigned prev_length) noexcept;
    bool try_candidate(unsigned candidate, unsigned& best_len, unsigned max_len, unsigned nice) noexcept;
    struct search_limits;
    bool finish_on_tail_chain(const search_limits& search, unsigned& best_len) noexcept;
    template <class Screen, class Visit>
    int visit_chain(unsigned first, unsigned bound, unsigned max_groups, Screen&& screen_group,
                    Visit&& visit) const noexcept;
    void lazy_loop() noexcept;
    void end_block(bool last) noexcept;

    std::unique_ptr<std::uint8_t[]> window_; // two window sizes plus comparison slack
    std::unique_ptr<std::uint16_t[]> head_;  // newest position of each hash
    // For each window position, the next sixteen older positions of its hash
    // chain, 16 bits each: one fetch of 32 bytes yields sixteen links, so
    // walking a chain waits on a sixteenth of the dependent loads a one-link
    // list needs.
    static constexpr unsigned links_per_position = 16;
    std::unique_ptr<std::uint16_t[]> links_storage_;
    std::uint16_t* links_ = nullptr; // in links_storage_, a position's links within one cache line
    // Each position's rank in its chain (how many positions that chain had
    // taken before it): which candidates the walk reaches within its chain
    // limit, for a search that finds them by another chain.
    std::unique_ptr<std::uint16_t[]> rank_;
    std::unique_ptr<std::uint16_t[]> taken_; // positions each chain has taken, modulo 2^16
    bool tail_chains_ = true;
    DeflateBlockWriter blocks_;
    DeflateMemo memo_;
    std::uint64_t remembered_streams_ = 0;

    deflate_level_params params_{};
    deflate_reader_fn reader_ = nullptr;
    void* context_ = nullptr;
    bool input_ended_ = false;
    bool read_failed_ = false;
    unsigned strstart_ = 0;  // current position in the window
    unsigned lookahead_ = 0; // valid bytes from strstart on
    unsigned match_start_ = 0;
    long block_start_ = 0; // window position where the current block began (negative: slid out)
};

} // namespace zv::zip
