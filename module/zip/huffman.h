// Length-limited Huffman codes for DEFLATE blocks.
#pragma once

#include <cstdint>

namespace zv::zip
{

// Sets lens[i] to the code word length of symbol i for the frequencies freqs
// (0 for an unused symbol), no length above max_len bits. At least two symbols
// get a code, as a decoder needs a complete code of at least one bit.
void build_code_lengths(const std::uint32_t* freqs, unsigned num_syms, unsigned max_len, std::uint8_t* lens);

// Canonical code words for the lengths, bit-reversed because DEFLATE sends
// Huffman codes starting with their first bit in the lowest position.
void build_codewords(const std::uint8_t* lens, unsigned num_syms, std::uint16_t* codewords);

} // namespace zv::zip
