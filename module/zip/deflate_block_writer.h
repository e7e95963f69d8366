// The back end of the compressor: buffers literals and matches, chooses for
// each block the smallest of a stored, fixed-code or dynamic-code encoding, and
// writes it through a 64-bit bit buffer to an output sink.
#pragma once

#include "zip/deflate_constants.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace zv::zip
{

// Receives finished output bytes; false stops the compression.
using deflate_sink_fn = bool (*)(void* context, const std::uint8_t* data, std::size_t size_bytes);

class DeflateBlockWriter
{
  public:
    DeflateBlockWriter();

    // Starts a new stream that delivers its bytes to sink.
    void begin(deflate_sink_fn sink, void* context) noexcept;

    // Buffers one literal; true when the buffer is full and a block must end.
    bool tally_literal(std::uint8_t literal) noexcept
    {
        dist_[count_] = 0;
        litlen_[count_] = literal;
        ++litlen_freq_[literal];
        return ++count_ == deflate_symbol_buffer;
    }

    // Buffers one match (distance 1..32768, length 3..258); true when full.
    bool tally_match(unsigned distance, unsigned length) noexcept
    {
        dist_[count_] = static_cast<std::uint16_t>(distance);
        litlen_[count_] = static_cast<std::uint8_t>(length - deflate_min_match);
        ++litlen_freq_[deflate_num_literals + 1 + length_code_[length - deflate_min_match]];
        ++offset_freq_[offset_code(distance)];
        return ++count_ == deflate_symbol_buffer;
    }

    // Ends a block with the buffered symbols. raw is the block's input (null
    // when it is no longer in the window, which rules out a stored block).
    void flush_block(const std::uint8_t* raw, std::size_t raw_bytes, bool last) noexcept;

    // Pads the last byte and hands out every pending byte; false when the
    // sink refused any of the stream's output.
    bool finish() noexcept;

    // Whether the sink refused output; compression can stop early.
    bool failed() const noexcept { return sink_failed_; }

    // Distance code (0..29) of a distance 1..32768.
    std::uint8_t offset_code(unsigned distance) const noexcept
    {
        return distance <= 256 ? offset_code_[distance - 1] : offset_code_[256 + ((distance - 1) >> 7)];
    }

    // The codes of one block (defined in the source file).
    struct block_code;

  private:
    void reset_tallies() noexcept;
    std::uint64_t symbol_bits(const block_code& code) const noexcept;
    void write_stored(const std::uint8_t* raw, std::size_t raw_bytes, bool last) noexcept;
    void write_symbols(const block_code& code) noexcept;
    void write_dynamic_header(const block_code& code) noexcept;
    void put_bits(std::uint64_t bits, unsigned count) noexcept;
    void flush_bits() noexcept;
    void align_to_byte() noexcept;
    void drain(bool force) noexcept;

    std::uint8_t length_code_[deflate_max_match - deflate_min_match + 1];
    std::uint8_t offset_code_[512];

    std::unique_ptr<std::uint8_t[]> litlen_; // literal byte or match length - 3
    std::unique_ptr<std::uint16_t[]> dist_;  // 0 for a literal
    unsigned count_ = 0;
    std::uint32_t litlen_freq_[deflate_num_fixed_litlen_syms];
    std::uint32_t offset_freq_[deflate_num_fixed_offset_syms];

    std::unique_ptr<std::uint8_t[]> out_;
    std::size_t out_pos_ = 0;
    std::uint64_t bitbuf_ = 0;
    unsigned bitcount_ = 0;
    deflate_sink_fn sink_ = nullptr;
    void* sink_context_ = nullptr;
    bool sink_failed_ = false;
};

} // namespace zv::zip
