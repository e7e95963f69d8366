#include "zip/deflate_compressor.h"

#include "zip/zip_format.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#endif

namespace zv::zip
{

namespace
{

constexpr std::uintptr_t cache_line = 64;

// Bytes past the end of the two window halves that the 8-byte comparisons
// and the screen of a walk (any 16-bit position plus the best length) read.
constexpr std::size_t window_slack = deflate_max_match + 64;

std::uint16_t load16(const std::uint8_t* p) noexcept
{
    std::uint16_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

std::uint64_t load64(const void* p) noexcept
{
    std::uint64_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

[[maybe_unused]] void store64(void* p, std::uint64_t v) noexcept
{
    std::memcpy(p, &v, sizeof v);
}

// Number of equal leading bytes given the XOR of two little-endian loads.
unsigned equal_bytes(std::uint64_t diff) noexcept
{
    return static_cast<unsigned>(__builtin_ctzll(diff)) >> 3;
}

// Length of the common prefix of a and b, at most max_len.
unsigned common_length(const std::uint8_t* a, const std::uint8_t* b, unsigned max_len) noexcept
{
    std::uint64_t diff = load64(a) ^ load64(b);
    unsigned len = 0;
    while (diff == 0 && (len += 8) < max_len) {
        diff = load64(a + len) ^ load64(b + len);
    }
    if (diff != 0) {
        len += equal_bytes(diff);
    }
    return std::min(len, max_len);
}

std::uint32_t first3(const std::uint8_t* p) noexcept
{
    return load16(p) | std::uint32_t{p[2]} << 16;
}

// The chain a position's 3 bytes go to.
unsigned hash3(const std::uint8_t* p) noexcept
{
    return ((unsigned{p[0]} << (2 * deflate_hash_shift)) ^ (unsigned{p[1]} << deflate_hash_shift) ^ p[2]) &
           (deflate_hash_size - 1);
}

// The shortest match whose tail the search may follow instead of its head
// (see finish_on_tail_chain), and the groups of sixteen candidates it reads
// on the tail's chain before it leaves the search to the plain walk: where
// the tail is as common as the head, it is no shortcut. (Measured on the
// profile tool's workbooks against the full walk: a worksheet compresses in
// about 0.4 of the time, a shared-strings part in 0.75.)
constexpr unsigned tail_min_len = 4;
constexpr unsigned tail_walk_groups = 2;

} // namespace

DeflateCompressor::DeflateCompressor()
    : window_(new std::uint8_t[2 * deflate_window_size + window_slack]()),
      head_(new std::uint16_t[deflate_hash_size]()),
      links_storage_(new std::uint16_t[links_per_position * deflate_window_size + cache_line / 2]()),
      rank_(new std::uint16_t[deflate_window_size]()), taken_(new std::uint16_t[deflate_hash_size]())
{
    const auto address = reinterpret_cast<std::uintptr_t>(links_storage_.get());
    links_ = links_storage_.get() + (cache_line - address % cache_line) % cache_line / 2;
}

std::uint16_t DeflateCompressor::entry_flags(int level) noexcept
{
    if (level >= 8) {
        return zip_flag_maximum;
    }
    return level < 3 ? zip_flag_fast : 0;
}

// A sink that keeps a copy of what it hands on, for the memo.
struct DeflateCompressor::capture {
    deflate_sink_fn sink;
    void* context;
    std::vector<std::uint8_t> stream;
    bool complete = true;

    static bool forward(void* self, const std::uint8_t* data, std::size_t size_bytes) noexcept
    {
        auto* c = static_cast<capture*>(self);
        try {
            c->stream.insert(c->stream.end(), data, data + size_bytes);
        } catch (const std::bad_alloc&) {
            c->complete = false;
        }
        return c->sink(c->context, data, size_bytes);
    }
};

const char* DeflateCompressor::compress(int level, deflate_reader_fn reader, deflate_sink_fn sink,
                                        void* context) noexcept
{
    if (level < 1 || level > 8) {
        return "bad pack level";
    }
    params_ = deflate_levels[level];
    reader_ = reader;
    context_ = context;
    input_ended_ = false;
    read_failed_ = false;
    strstart_ = 0;
    lookahead_ = 0;
    match_start_ = 0;
    block_start_ = 0;
    blocks_.begin(sink, context);
    // A small input is read whole first: it may be one met before. Small,
    // it stays where it is in the window while it is compressed.
    const bool small = read_first_window() && lookahead_ <= DeflateMemo::max_input_bytes;
    const std::span<const std::uint8_t> input(window_.get(), small ? lookahead_ : 0);
    capture copy{sink, context, {}};
    if (small) {
        if (const auto stream = memo_.find(level, input); !stream.empty()) {
            ++remembered_streams_;
            return sink(context, stream.data(), stream.size()) ? nullptr : "write error";
        }
        blocks_.begin(&capture::forward, &copy);
    }
    std::memset(head_.get(), 0, deflate_hash_size * sizeof(std::uint16_t));
    lazy_loop();
    const bool written = blocks_.finish();
    if (read_failed_) {
        return "read error";
    }
    if (!written) {
        return "write error";
    }
    if (small && copy.complete) {
        memo_.keep(level, input, copy.stream);
    }
    return nullptr;
}

// Drops the older half of the window once the position is far enough in;
// links into the dropped half become 0, the end of every chain.
void DeflateCompressor::slide_window() noexcept
{
    std::memcpy(window_.get(), window_.get() + deflate_window_size, deflate_window_size);
    match_start_ -= deflate_window_size;
    strstart_ -= deflate_window_size;
    block_start_ -= static_cast<long>(deflate_window_size);
    // Written so that the compiler turns it into saturating vector subtracts.
    auto slide = [](std::uint16_t* table, std::size_t n) {
        for (std::size_t i = 0; i < n; ++i) {
            const unsigned v = table[i];
            table[i] = static_cast<std::uint16_t>(v >= deflate_window_size ? v - deflate_window_size : 0);
        }
    };
    slide(head_.get(), deflate_hash_size);
    slide(links_, links_per_position * deflate_window_size);
}

// One read into the room after the lookahead; false once input has ended.
bool DeflateCompressor::read_more() noexcept
{
    const unsigned room = 2 * deflate_window_size - lookahead_ - strstart_;
    const std::int64_t got = reader_(context_, window_.get() + strstart_ + lookahead_, room);
    if (got <= 0) {
        read_failed_ = got < 0;
        input_ended_ = true;
        return false;
    }
    lookahead_ += static_cast<unsigned>(std::min<std::int64_t>(got, room));
    return true;
}

// Reads until the input ends or fills the window; true when the whole input
// is in it. Reading ahead of fill_window changes no byte of the stream: the
// matches and blocks depend only on the input.
bool DeflateCompressor::read_first_window() noexcept
{
    while (lookahead_ < 2 * deflate_window_size && read_more()) {
    }
    return input_ended_ && !read_failed_;
}

// Reads until at least the minimum lookahead is available or input ends.
bool DeflateCompressor::fill_window() noexcept
{
    while (lookahead_ < deflate_min_lookahead && !input_ended_) {
        if (blocks_.failed()) {
            input_ended_ = true;
            break;
        }
        if (strstart_ >= deflate_window_size + deflate_max_distance) {
            slide_window();
        }
        read_more();
    }
    return lookahead_ > 0;
}

// Links the 3 bytes at pos into their hash chain; returns the chain's
// previous head (0 when empty). The new position's links are the old head
// followed by the first fifteen links of the old head, or by zeros when the
// old head is empty or a window away (its links then belong to a newer
// position). So every position's links fall strictly to a 0 or a position
// out of reach, and zeros follow: a group is in reach when its last link is.
[[gnu::always_inline]] inline unsigned DeflateCompressor::insert(unsigned pos) noexcept
{
    const std::uint8_t* p = window_.get() + pos;
    const unsigned hash = hash3(p);
    const unsigned old = head_[hash];
    std::uint16_t* const links = links_;
    const std::uint16_t* const from = links + links_per_position * (old & deflate_window_mask);
    const bool chained = old != 0 && pos - old < deflate_window_size;
    std::uint16_t* const to = links + links_per_position * (pos & deflate_window_mask);
#if defined(__SSE2__) || defined(_M_X64)
    // The old head's links moved one lane up, the old head in lane 0.
    const __m128i keep = _mm_set1_epi32(chained ? -1 : 0);
    const __m128i low = _mm_and_si128(_mm_load_si128(reinterpret_cast<const __m128i*>(from)), keep);
    const __m128i high = _mm_and_si128(_mm_load_si128(reinterpret_cast<const __m128i*>(from + 8)), keep);
    _mm_store_si128(reinterpret_cast<__m128i*>(to),
                    _mm_or_si128(_mm_slli_si128(low, 2), _mm_cvtsi32_si128(static_cast<int>(old))));
    _mm_store_si128(reinterpret_cast<__m128i*>(to + 8),
                    _mm_or_si128(_mm_slli_si128(high, 2), _mm_srli_si128(low, 14)));
#else
    const std::uint64_t w0 = chained ? load64(from) : 0;
    const std::uint64_t w1 = chained ? load64(from + 4) : 0;
    const std::uint64_t w2 = chained ? load64(from + 8) : 0;
    const std::uint64_t w3 = chained ? load64(from + 12) : 0;
    store64(to, (w0 << 16) | old);
    store64(to + 4, (w1 << 16) | (w0 >> 48));
    store64(to + 8, (w2 << 16) | (w1 >> 48));
    store64(to + 12, (w3 << 16) | (w2 >> 48));
#endif
    head_[hash] = static_cast<std::uint16_t>(pos);
    rank_[pos & deflate_window_mask] = taken_[hash]++;
    return old;
}

// Compares one candidate with the current position; true when its match is
// long enough to end the search.
inline bool DeflateCompressor::try_candidate(unsigned candidate, unsigned& best_len, unsigned max_len,
                                             unsigned nice) noexcept
{
    const std::uint8_t* const scan = window_.get() + strstart_;
    const std::uint8_t* const match = window_.get() + candidate;
    if (load16(match + best_len - 1) != load16(scan + best_len - 1)) {
        return false;
    }
    const unsigned len = common_length(match, scan, max_len);
    if (len <= best_len) {
        return false;
    }
    match_start_ = candidate;
    best_len = len;
    return len >= nice;
}

namespace
{

// Bit k set when the two bytes that load_at reads for the k-th of the
// sixteen positions are target: only such a candidate can match longer than
// the current best.
template <class LoadAt>
[[gnu::always_inline]] inline unsigned screen(const std::uint16_t* lanes, std::uint16_t target,
                                              LoadAt load_at) noexcept
{
#if defined(__SSE2__) || defined(_M_X64)
    // Eight window loads to a vector, one compare for each eight.
    const __m128i low =
        _mm_set_epi16(static_cast<short>(load_at(lanes[7])), static_cast<short>(load_at(lanes[6])),
                      static_cast<short>(load_at(lanes[5])), static_cast<short>(load_at(lanes[4])),
                      static_cast<short>(load_at(lanes[3])), static_cast<short>(load_at(lanes[2])),
                      static_cast<short>(load_at(lanes[1])), static_cast<short>(load_at(lanes[0])));
    const __m128i high =
        _mm_set_epi16(static_cast<short>(load_at(lanes[15])), static_cast<short>(load_at(lanes[14])),
                      static_cast<short>(load_at(lanes[13])), static_cast<short>(load_at(lanes[12])),
                      static_cast<short>(load_at(lanes[11])), static_cast<short>(load_at(lanes[10])),
                      static_cast<short>(load_at(lanes[9])), static_cast<short>(load_at(lanes[8])));
    const __m128i wanted = _mm_set1_epi16(static_cast<short>(target));
    return static_cast<unsigned>(
        _mm_movemask_epi8(_mm_packs_epi16(_mm_cmpeq_epi16(low, wanted), _mm_cmpeq_epi16(high, wanted))));
#else
    unsigned mask = 0;
    for (unsigned k = 0; k < 16; ++k) {
        mask |= static_cast<unsigned>(load_at(lanes[k]) == target) << k;
    }
    return mask;
#endif
}

// The two bytes at base plus a position.
auto at(const std::uint8_t* base) noexcept
{
    return [base](unsigned position) { return load16(base + position); };
}

// How many of the sixteen positions are above limit: the first ones, as
// positions fall along the links.
[[gnu::always_inline]] inline unsigned lanes_above(const std::uint16_t* lanes, unsigned limit) noexcept
{
#if defined(__SSE2__) || defined(_M_X64)
    // Unsigned compares as signed ones on values with the top bit flipped.
    const __m128i flip = _mm_set1_epi16(static_cast<short>(0x8000));
    const __m128i bound = _mm_set1_epi16(static_cast<short>(limit ^ 0x8000));
    const __m128i low = _mm_xor_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(lanes)), flip);
    const __m128i high = _mm_xor_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(lanes + 8)), flip);
    // A prefix of ones: its length is the count of trailing ones.
    const unsigned above = static_cast<unsigned>(
        _mm_movemask_epi8(_mm_packs_epi16(_mm_cmpgt_epi16(low, bound), _mm_cmpgt_epi16(high, bound))));
    return static_cast<unsigned>(__builtin_ctz(~above));
#else
    unsigned n = 0;
    while (n < 16 && lanes[n] > limit) {
        ++n;
    }
    return n;
#endif
}

} // namespace

// What longest_match hands to the tail chain: its first candidate and
// limits.
struct DeflateCompressor::search_limits {
    unsigned cur_match;
    unsigned chain; // the walk's whole chain limit
    unsigned max_len;
    unsigned nice;
    unsigned limit;
};

// Visits first and then, nearest first, the older positions on its chain
// that lie above bound and pass the screen of their group of sixteen,
// reading at most max_groups groups of links. Returns 1 when visit returned
// true, 0 at the end of the chain or the bound, -1 when the groups ran out
// first.
template <class Screen, class Visit>
int DeflateCompressor::visit_chain(unsigned first, unsigned bound, unsigned max_groups, Screen&& screen_group,
                                   Visit&& visit) const noexcept
{
    if (first <= bound) {
        return 0;
    }
    if (visit(first)) {
        return 1;
    }
    const std::uint16_t* entry = links_ + links_per_position * (first & deflate_window_mask);
    for (unsigned group = 0; group < max_groups; ++group) {
        const unsigned last = entry[links_per_position - 1];
        const unsigned in_reach = last > bound ? links_per_position : lanes_above(entry, bound);
        for (unsigned pass = screen_group(entry) & ((1u << in_reach) - 1); pass != 0; pass &= pass - 1) {
            if (visit(entry[__builtin_ctz(pass)])) {
                return 1;
            }
        }
        if (in_reach < links_per_position) {
            return 0;
        }
        entry = links_ + links_per_position * (last & deflate_window_mask);
    }
    return -1;
}

// Ends the walk of longest_match on the chain of the 3 bytes that end a
// longer match (at best_len - 2): every candidate that beats best_len has
// them there, so its place plus that offset is on their chain, or so near
// strstart that it is not linked yet. Where the tail is rarer than the head
// (a value's digits against the markup before them), that chain is far
// shorter. The candidates come nearest first, as in the walk, and their
// ranks in the current position's chain tell which of them the walk would
// reach within its chain limit. True when the tail chain decided the
// search; false, leaving best_len and match_start_ as they were, when it is
// too long to be a shortcut.
bool DeflateCompressor::finish_on_tail_chain(const search_limits& search, unsigned& best_len) noexcept
{
    const std::uint8_t* const window = window_.get();
    const std::uint8_t* const scan = window + strstart_;
    const unsigned offset = best_len - 2;
    const std::uint32_t head = first3(scan);
    const std::uint16_t first_rank = rank_[search.cur_match & deflate_window_mask];
    unsigned best = best_len;
    unsigned start = match_start_;
    // True when the search is over: a match long enough, or a candidate
    // past the chain limit, as is every older one.
    const auto ends_search = [&](unsigned c) {
        const std::uint8_t* const match = window + c;
        if (first3(match) != head) {
            return false; // not on the current position's chain
        }
        if (static_cast<std::uint16_t>(first_rank - rank_[c & deflate_window_mask]) >= search.chain) {
            return true;
        }
        const unsigned len = common_length(match, scan, search.max_len);
        if (len > best) {
            best = len;
            start = c;
        }
        return len >= search.nice;
    };
    const auto decided = [&] {
        best_len = best;
        match_start_ = start;
        return true;
    };
    // The nearest candidates, whose tails are not linked yet, are the first
    // ones on the current position's own chain, usually none.
    const unsigned near = std::max(strstart_ > offset ? strstart_ - offset : 0, search.limit);
    const auto every = [](const std::uint16_t*) { return 0xFFFFu; };
    if (visit_chain(search.cur_match, near, ~0u, every, ends_search) > 0) {
        return decided();
    }
    // A tail at or below bound belongs to a candidate out of reach.
    const unsigned bound = search.limit + offset;
    // A candidate must begin as the current position does; the screen reads
    // its first two bytes (a tail out of reach reads anywhere in the window).
    const auto starts_alike = [&](const std::uint16_t* tails) {
        return screen(tails, load16(scan),
                      [&](unsigned tail) { return load16(window + ((tail - offset) & 0xFFFF)); });
    };
    const int tails = visit_chain(head_[hash3(scan + offset)], bound, tail_walk_groups, starts_alike,
                                  [&](unsigned tail) { return ends_search(tail - offset); });
    return tails >= 0 && decided();
}

// Walks the hash chain from cur_match for the longest match at strstart
// longer than prev_length; the nearest wins among equal lengths. At most
// max_chain candidates are tried (a quarter once prev_length is good), none
// farther than the farthest distance.
//
// Links come sixteen to a position: the walk waits on one dependent fetch
// per sixteen candidates. A group of sixteen all in reach is screened without
// branches on the two bytes that end a longer match; a candidate failing the
// screen cannot beat the current best (nor any later, longer one), so only
// the survivors, usually none, are compared in full, in chain order. In the
// group at the end of the chain or the reach, the screen covers just the
// candidates a plain one-by-one walk would still try.
unsigned DeflateCompressor::longest_match(unsigned cur_match, unsigned prev_length) noexcept
{
    const unsigned max_len = std::min(deflate_max_match, lookahead_);
    const unsigned nice = std::min<unsigned>(params_.nice_length, max_len);
    unsigned chain = params_.max_chain;
    if (prev_length >= params_.good_length) {
        chain >>= 2;
    }
    unsigned best_len = prev_length;
    if (best_len >= max_len) {
        return max_len;
    }
    const unsigned limit = strstart_ > deflate_max_distance ? strstart_ - deflate_max_distance : 0;
    const search_limits search{cur_match, chain, max_len, nice, limit};
    bool tail_tried = !tail_chains_;
    const auto tail_decides = [&] {
        if (tail_tried || best_len < tail_min_len) {
            return false;
        }
        tail_tried = true;
        return finish_on_tail_chain(search, best_len);
    };
    if (tail_decides() || try_candidate(cur_match, best_len, max_len, nice) || tail_decides()) {
        return best_len;
    }
    const std::uint16_t* const links = links_;
    const std::uint8_t* const scan = window_.get() + strstart_;
    const std::uint16_t* entry = links + links_per_position * (cur_match & deflate_window_mask);
    for (;;) {
        if (tail_decides()) {
            return best_len;
        }
        const unsigned last = entry[links_per_position - 1];
        const std::uint16_t* const next = links + links_per_position * (last & deflate_window_mask);
        __builtin_prefetch(next);
        if (last > limit && chain > links_per_position) [[likely]] {
            chain -= links_per_position;
            const std::uint8_t* const base = window_.get() + best_len - 1;
            for (unsigned pass = screen(entry, load16(scan + best_len - 1), at(base)); pass != 0;
                 pass &= pass - 1) {
                if (try_candidate(entry[__builtin_ctz(pass)], best_len, max_len, nice)) {
                    return best_len;
                }
            }
        } else {
            // The last group: the candidates in reach, at most chain - 1.
            const unsigned tried = std::min(lanes_above(entry, limit), chain - 1);
            const std::uint8_t* const base = window_.get() + best_len - 1;
            unsigned pass = screen(entry, load16(scan + best_len - 1), at(base)) & ((1u << tried) - 1);
            for (; pass != 0; pass &= pass - 1) {
                if (try_candidate(entry[__builtin_ctz(pass)], best_len, max_len, nice)) {
                    break;
                }
            }
            return best_len;
        }
        entry = next;
    }
}

void DeflateCompressor::end_block(bool last) noexcept
{
    const std::uint8_t* raw = block_start_ >= 0 ? window_.get() + block_start_ : nullptr;
    blocks_.flush_block(raw, static_cast<std::size_t>(static_cast<long>(strstart_) - block_start_), last);
    block_start_ = strstart_;
}

// The lazy evaluation: a match found at one byte is emitted only if the next
// byte does not start a longer one; otherwise the byte becomes a literal.
void DeflateCompressor::lazy_loop() noexcept
{
    unsigned match_length = deflate_min_match - 1;
    bool match_available = false;
    for (;;) {
        if (lookahead_ < deflate_min_lookahead && !fill_window()) {
            break;
        }
        const unsigned hash_head = lookahead_ >= deflate_min_match ? insert(strstart_) : 0;
        const unsigned prev_length = match_length;
        const unsigned prev_match = match_start_;
        match_length = deflate_min_match - 1;
        if (hash_head != 0 && prev_length < params_.max_lazy &&
            strstart_ - hash_head <= deflate_max_distance) {
            match_length = longest_match(hash_head, prev_length);
            if (match_length == deflate_min_match && strstart_ - match_start_ > deflate_too_far) {
                match_length = deflate_min_match - 1;
            }
        }
        if (prev_length >= deflate_min_match && match_length <= prev_length) {
            const unsigned max_insert = strstart_ + lookahead_ - deflate_min_match;
            const bool full = blocks_.tally_match(strstart_ - 1 - prev_match, prev_length);
            lookahead_ -= prev_length - 1;
            for (unsigned n = prev_length - 2; n != 0; --n) {
                if (++strstart_ <= max_insert) {
                    insert(strstart_);
                }
            }
            match_available = false;
            match_length = deflate_min_match - 1;
            ++strstart_;
            if (full) {
                end_block(false);
            }
        } else {
            if (match_available && blocks_.tally_literal(window_[strstart_ - 1])) {
                end_block(false);
            }
            match_available = true;
            ++strstart_;
            --lookahead_;
        }
    }
    if (match_available && blocks_.tally_literal(window_[strstart_ - 1])) {
        end_block(false);
    }
    end_block(true);
}

} // namespace zv::zip
