#include "zip/deflate_block_writer.h"

#include "zip/huffman.h"

#include <algorithm>
#include <cstring>

namespace zv::zip
{

namespace
{

// Output buffer: large enough for the longest block (every symbol a 48-bit
// match) with room to spare, handed out once it holds this many bytes.
constexpr std::size_t out_capacity = 256 * 1024;
constexpr std::size_t out_drain_bytes = 16 * 1024;
constexpr std::size_t out_slack = 16;

void store_le64(std::uint8_t* p, std::uint64_t v) noexcept
{
    for (int i = 0; i < 8; ++i) {
        p[i] = static_cast<std::uint8_t>(v >> (8 * i));
    }
}

} // namespace

// One block's codes and, for a dynamic block, its run-length coded header.
struct DeflateBlockWriter::block_code {
    std::uint8_t litlen_lens[deflate_num_fixed_litlen_syms];
    std::uint16_t litlen_codes[deflate_num_fixed_litlen_syms];
    std::uint8_t offset_lens[deflate_num_fixed_offset_syms];
    std::uint16_t offset_codes[deflate_num_fixed_offset_syms];
    std::uint8_t precode_lens[deflate_num_precode_syms];
    std::uint16_t precode_codes[deflate_num_precode_syms];
    std::uint8_t items[deflate_num_litlen_syms + deflate_num_offset_syms];      // precode symbols
    std::uint8_t item_extra[deflate_num_litlen_syms + deflate_num_offset_syms]; // their extra bits' value
    unsigned num_items = 0;
    unsigned hlit = 0;  // literal/length lengths sent
    unsigned hdist = 0; // distance lengths sent
    unsigned hclen = 0; // code-length code lengths sent
};

namespace
{

// The fixed code of RFC 1951, section 3.2.6.
void make_fixed_code(DeflateBlockWriter::block_code& code) noexcept;

} // namespace

DeflateBlockWriter::DeflateBlockWriter()
    : litlen_(new std::uint8_t[deflate_symbol_buffer]), dist_(new std::uint16_t[deflate_symbol_buffer]),
      out_(new std::uint8_t[out_capacity + out_slack])
{
    for (unsigned c = 0; c < deflate_num_length_codes; ++c) {
        for (unsigned l = 0; l < (1u << deflate_length_extra[c]); ++l) {
            const unsigned length = deflate_length_base[c] + l;
            if (length <= deflate_max_match) {
                length_code_[length - deflate_min_match] = static_cast<std::uint8_t>(c);
            }
        }
    }
    for (unsigned c = 0; c < deflate_num_offset_syms; ++c) {
        for (unsigned d = 0; d < (1u << deflate_offset_extra[c]); ++d) {
            const unsigned distance = deflate_offset_base[c] + d;
            const unsigned slot = distance <= 256 ? distance - 1 : 256 + ((distance - 1) >> 7);
            offset_code_[slot] = static_cast<std::uint8_t>(c);
        }
    }
    reset_tallies();
}

void DeflateBlockWriter::begin(deflate_sink_fn sink, void* context) noexcept
{
    sink_ = sink;
    sink_context_ = context;
    sink_failed_ = false;
    out_pos_ = 0;
    bitbuf_ = 0;
    bitcount_ = 0;
    reset_tallies();
}

void DeflateBlockWriter::reset_tallies() noexcept
{
    count_ = 0;
    std::memset(litlen_freq_, 0, sizeof litlen_freq_);
    std::memset(offset_freq_, 0, sizeof offset_freq_);
    litlen_freq_[deflate_end_of_block] = 1;
}

void DeflateBlockWriter::put_bits(std::uint64_t bits, unsigned count) noexcept
{
    bitbuf_ |= bits << bitcount_;
    bitcount_ += count;
}

// Moves whole bytes of the bit buffer to the output; at most 7 bits remain.
void DeflateBlockWriter::flush_bits() noexcept
{
    store_le64(out_.get() + out_pos_, bitbuf_);
    const unsigned bytes = bitcount_ >> 3;
    out_pos_ += bytes;
    bitbuf_ = bytes == 8 ? 0 : bitbuf_ >> (8 * bytes);
    bitcount_ &= 7;
}

void DeflateBlockWriter::align_to_byte() noexcept
{
    bitcount_ = (bitcount_ + 7) & ~7u;
    flush_bits();
}

// Hands the finished bytes to the sink: when forced, or once enough piled up.
void DeflateBlockWriter::drain(bool force) noexcept
{
    if (out_pos_ == 0 || (!force && out_pos_ < out_drain_bytes)) {
        return;
    }
    if (!sink_failed_ && !sink_(sink_context_, out_.get(), out_pos_)) {
        sink_failed_ = true;
    }
    out_pos_ = 0;
}

// Bits of the buffered symbols under a code, extra bits included.
std::uint64_t DeflateBlockWriter::symbol_bits(const block_code& code) const noexcept
{
    std::uint64_t bits = 0;
    for (unsigned s = 0; s < deflate_num_litlen_syms; ++s) {
        bits += std::uint64_t{litlen_freq_[s]} * code.litlen_lens[s];
    }
    for (unsigned c = 0; c < deflate_num_length_codes; ++c) {
        bits += std::uint64_t{litlen_freq_[deflate_num_literals + 1 + c]} * deflate_length_extra[c];
    }
    for (unsigned c = 0; c < deflate_num_offset_syms; ++c) {
        bits += std::uint64_t{offset_freq_[c]} * (code.offset_lens[c] + deflate_offset_extra[c]);
    }
    return bits;
}

namespace
{

void make_fixed_code(DeflateBlockWriter::block_code& code) noexcept
{
    for (unsigned s = 0; s < deflate_num_fixed_litlen_syms; ++s) {
        code.litlen_lens[s] = s < 144 ? 8 : s < 256 ? 9 : s < 280 ? 7 : 8;
    }
    std::memset(code.offset_lens, 5, sizeof code.offset_lens);
    build_codewords(code.litlen_lens, deflate_num_fixed_litlen_syms, code.litlen_codes);
    build_codewords(code.offset_lens, deflate_num_fixed_offset_syms, code.offset_codes);
}

// Appends the run-length coded form of one run of equal lengths.
void add_run(DeflateBlockWriter::block_code& code, std::uint8_t len, unsigned run, std::uint32_t* freq)
{
    auto emit = [&](unsigned sym, unsigned extra) {
        code.items[code.num_items] = static_cast<std::uint8_t>(sym);
        code.item_extra[code.num_items++] = static_cast<std::uint8_t>(extra);
        ++freq[sym];
    };
    if (len == 0) {
        for (; run >= 11; run -= std::min(run, 138u)) {
            emit(deflate_precode_zeros_long, std::min(run, 138u) - 11);
        }
        if (run >= 3) {
            emit(deflate_precode_zeros_short, run - 3);
            run = 0;
        }
    } else {
        emit(len, 0);
        --run;
        for (; run >= 3; run -= std::min(run, 6u)) {
            emit(deflate_precode_repeat, std::min(run, 6u) - 3);
        }
    }
    for (; run > 0; --run) {
        emit(len, 0);
    }
}

// Fills the dynamic code of a block from its frequencies, with the header's
// run-length items and the code-length code.
void make_dynamic_code(DeflateBlockWriter::block_code& code, const std::uint32_t* litlen_freq,
                       const std::uint32_t* offset_freq)
{
    build_code_lengths(litlen_freq, deflate_num_litlen_syms, deflate_max_codeword_len, code.litlen_lens);
    build_code_lengths(offset_freq, deflate_num_offset_syms, deflate_max_codeword_len, code.offset_lens);
    code.litlen_lens[286] = code.litlen_lens[287] = 0;
    code.offset_lens[30] = code.offset_lens[31] = 0;
    build_codewords(code.litlen_lens, deflate_num_fixed_litlen_syms, code.litlen_codes);
    build_codewords(code.offset_lens, deflate_num_fixed_offset_syms, code.offset_codes);

    code.hlit = deflate_num_litlen_syms;
    while (code.hlit > 257 && code.litlen_lens[code.hlit - 1] == 0) {
        --code.hlit;
    }
    code.hdist = deflate_num_offset_syms;
    while (code.hdist > 1 && code.offset_lens[code.hdist - 1] == 0) {
        --code.hdist;
    }
    std::uint8_t all[deflate_num_litlen_syms + deflate_num_offset_syms];
    std::memcpy(all, code.litlen_lens, code.hlit);
    std::memcpy(all + code.hlit, code.offset_lens, code.hdist);
    const unsigned total = code.hlit + code.hdist;
    std::uint32_t freq[deflate_num_precode_syms] = {};
    code.num_items = 0;
    for (unsigned i = 0; i < total;) {
        unsigned run = 1;
        while (i + run < total && all[i + run] == all[i]) {
            ++run;
        }
        add_run(code, all[i], run, freq);
        i += run;
    }
    build_code_lengths(freq, deflate_num_precode_syms, deflate_max_precode_len, code.precode_lens);
    build_codewords(code.precode_lens, deflate_num_precode_syms, code.precode_codes);
    code.hclen = deflate_num_precode_syms;
    while (code.hclen > 4 && code.precode_lens[deflate_precode_order[code.hclen - 1]] == 0) {
        --code.hclen;
    }
}

// Bits of a dynamic block's header after the 3 block-type bits.
std::uint64_t dynamic_header_bits(const DeflateBlockWriter::block_code& code)
{
    std::uint64_t bits = 5 + 5 + 4 + 3 * code.hclen;
    for (unsigned i = 0; i < code.num_items; ++i) {
        bits += code.precode_lens[code.items[i]] + deflate_precode_extra[code.items[i]];
    }
    return bits;
}

} // namespace

void DeflateBlockWriter::write_dynamic_header(const block_code& code) noexcept
{
    put_bits(code.hlit - 257, 5);
    put_bits(code.hdist - 1, 5);
    put_bits(code.hclen - 4, 4);
    flush_bits();
    for (unsigned i = 0; i < code.hclen; ++i) {
        put_bits(code.precode_lens[deflate_precode_order[i]], 3);
        flush_bits();
    }
    for (unsigned i = 0; i < code.num_items; ++i) {
        const unsigned sym = code.items[i];
        put_bits(code.precode_codes[sym], code.precode_lens[sym]);
        put_bits(code.item_extra[i], deflate_precode_extra[sym]);
        flush_bits();
    }
}

void DeflateBlockWriter::write_symbols(const block_code& code) noexcept
{
    const std::uint8_t* litlen = litlen_.get();
    const std::uint16_t* dist = dist_.get();
    for (unsigned i = 0; i < count_; ++i) {
        if (dist[i] == 0) {
            put_bits(code.litlen_codes[litlen[i]], code.litlen_lens[litlen[i]]);
        } else {
            const unsigned lc = length_code_[litlen[i]];
            const unsigned sym = deflate_num_literals + 1 + lc;
            put_bits(code.litlen_codes[sym] |
                         (static_cast<std::uint64_t>(litlen[i] + deflate_min_match - deflate_length_base[lc])
                          << code.litlen_lens[sym]),
                     code.litlen_lens[sym] + deflate_length_extra[lc]);
            const unsigned oc = offset_code(dist[i]);
            put_bits(code.offset_codes[oc] | (static_cast<std::uint64_t>(dist[i] - deflate_offset_base[oc])
                                              << code.offset_lens[oc]),
                     code.offset_lens[oc] + deflate_offset_extra[oc]);
        }
        if (bitcount_ >= 16) {
            flush_bits();
        }
    }
    put_bits(code.litlen_codes[deflate_end_of_block], code.litlen_lens[deflate_end_of_block]);
    flush_bits();
}

void DeflateBlockWriter::write_stored(const std::uint8_t* raw, std::size_t raw_bytes, bool last) noexcept
{
    do {
        const std::size_t chunk = std::min<std::size_t>(raw_bytes, deflate_max_stored);
        const bool final_chunk = last && chunk == raw_bytes;
        put_bits((final_chunk ? 1u : 0u) | (deflate_block_stored << 1), 3);
        align_to_byte();
        drain(true);
        std::uint8_t* p = out_.get() + out_pos_;
        p[0] = static_cast<std::uint8_t>(chunk);
        p[1] = static_cast<std::uint8_t>(chunk >> 8);
        p[2] = static_cast<std::uint8_t>(~chunk);
        p[3] = static_cast<std::uint8_t>(~chunk >> 8);
        std::memcpy(p + 4, raw, chunk);
        out_pos_ += 4 + chunk;
        raw += chunk;
        raw_bytes -= chunk;
    } while (raw_bytes > 0);
}

void DeflateBlockWriter::flush_block(const std::uint8_t* raw, std::size_t raw_bytes, bool last) noexcept
{
    drain(false);
    static const block_code fixed = [] {
        block_code c{};
        make_fixed_code(c);
        return c;
    }();
    block_code dynamic;
    make_dynamic_code(dynamic, litlen_freq_, offset_freq_);
    const std::uint64_t dynamic_bits = 3 + dynamic_header_bits(dynamic) + symbol_bits(dynamic);
    const std::uint64_t fixed_bits = 3 + symbol_bits(fixed);
    const std::uint64_t best_bits = std::min(dynamic_bits, fixed_bits);
    if (raw != nullptr && (raw_bytes + 4) * 8 <= best_bits) {
        write_stored(raw, raw_bytes, last);
    } else if (fixed_bits <= dynamic_bits) {
        put_bits((last ? 1u : 0u) | (deflate_block_fixed << 1), 3);
        write_symbols(fixed);
    } else {
        put_bits((last ? 1u : 0u) | (deflate_block_dynamic << 1), 3);
        write_dynamic_header(dynamic);
        write_symbols(dynamic);
    }
    reset_tallies();
}

bool DeflateBlockWriter::finish() noexcept
{
    align_to_byte();
    drain(true);
    return !sink_failed_;
}

} // namespace zv::zip
