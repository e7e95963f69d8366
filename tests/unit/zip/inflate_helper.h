// Test helpers: our compressor driven over memory, and zlib's raw inflate as
// the independent reader of its output.
#pragma once

#include "zip/deflate_compressor.h"

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace zv::zip::test
{

using bytes = std::vector<std::uint8_t>;

// Compresses input at a level; reads come in pieces of at most read_piece bytes.
bytes deflate_bytes(DeflateCompressor& compressor, const bytes& input, int level = 8,
                    std::size_t read_piece = SIZE_MAX);

// Inflates a raw DEFLATE stream with zlib; nothing when zlib rejects it or
// when data follows the end of the stream.
std::optional<bytes> inflate_bytes(const bytes& compressed);

// Generated inputs of the kinds that stress a compressor.
bytes random_bytes(std::size_t size, std::uint32_t seed);
bytes repeated_byte(std::size_t size, std::uint8_t value);
bytes xml_like(std::size_t size, std::uint32_t seed);
bytes few_symbols(std::size_t size, unsigned alphabet, std::uint32_t seed);

} // namespace zv::zip::test
