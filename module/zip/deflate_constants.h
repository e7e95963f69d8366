// Numbers of the DEFLATE format (RFC 1951) and of the compressor's window.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zv::zip
{

// Shortest match the format can encode, in bytes.
inline constexpr unsigned deflate_min_match = 3;
// Longest match the format can encode, in bytes.
inline constexpr unsigned deflate_max_match = 258;
// Sliding window (largest match distance the format allows), in bytes.
inline constexpr unsigned deflate_window_size = 32768;
// Mask of a window position, for indexing the hash-chain links.
inline constexpr unsigned deflate_window_mask = deflate_window_size - 1;
// Bytes that must stay ahead of the current position so a full match can be
// tried: one longest match, one shortest match and one byte.
inline constexpr unsigned deflate_min_lookahead = deflate_max_match + deflate_min_match + 1;
// Farthest distance a match may reach, in bytes, so a match never reads
// past data that the next window slide will drop.
inline constexpr unsigned deflate_max_distance = deflate_window_size - deflate_min_lookahead;
// A 3-byte match farther than this many bytes costs more than three literals.
inline constexpr unsigned deflate_too_far = 4096;

// Hash of the next three bytes: bits of the hash value.
inline constexpr unsigned deflate_hash_bits = 15;
// Hash table entries.
inline constexpr unsigned deflate_hash_size = 1u << deflate_hash_bits;
// Shift per byte of the rolling hash, in bits (three bytes fill the hash).
inline constexpr unsigned deflate_hash_shift = 5;

// Literal and match symbols the compressor buffers before it ends a block.
inline constexpr unsigned deflate_symbol_buffer = 16384 - 1;
// Input read per refill of the window, in bytes.
inline constexpr unsigned deflate_refill_bytes = 2 * deflate_window_size;

// Block types in the 2-bit BTYPE field.
inline constexpr unsigned deflate_block_stored = 0;
inline constexpr unsigned deflate_block_fixed = 1;
inline constexpr unsigned deflate_block_dynamic = 2;
// Largest payload of one stored block, in bytes (LEN is 16-bit).
inline constexpr unsigned deflate_max_stored = 65535;

// Literal/length alphabet: 256 literals, end of block, 29 length codes.
inline constexpr unsigned deflate_num_literals = 256;
inline constexpr unsigned deflate_end_of_block = 256;
inline constexpr unsigned deflate_num_length_codes = 29;
inline constexpr unsigned deflate_num_litlen_syms = 286;
// The fixed code defines 288 literal/length symbols (286 and 287 unused).
inline constexpr unsigned deflate_num_fixed_litlen_syms = 288;
// Distance alphabet: 30 codes.
inline constexpr unsigned deflate_num_offset_syms = 30;
// Fixed distance code: 32 symbols of 5 bits.
inline constexpr unsigned deflate_num_fixed_offset_syms = 32;
// Code-length alphabet of a dynamic header: 19 symbols.
inline constexpr unsigned deflate_num_precode_syms = 19;

// Longest code word of the literal/length and distance codes, in bits.
inline constexpr unsigned deflate_max_codeword_len = 15;
// Longest code word of the code-length code, in bits.
inline constexpr unsigned deflate_max_precode_len = 7;

// Code-length symbols: repeat previous 3-6 times (2 extra bits), zeros 3-10
// times (3 extra bits), zeros 11-138 times (7 extra bits).
inline constexpr unsigned deflate_precode_repeat = 16;
inline constexpr unsigned deflate_precode_zeros_short = 17;
inline constexpr unsigned deflate_precode_zeros_long = 18;

// Order in which code-length code lengths are sent.
inline constexpr std::uint8_t deflate_precode_order[deflate_num_precode_syms] = {
    16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};

// First match length of each length code (257..285), in bytes.
inline constexpr std::uint16_t deflate_length_base[deflate_num_length_codes] = {
    3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
    31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
// Extra bits of each length code.
inline constexpr std::uint8_t deflate_length_extra[deflate_num_length_codes] = {
    0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
// First distance of each distance code, in bytes.
inline constexpr std::uint16_t deflate_offset_base[deflate_num_offset_syms] = {
    1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
// Extra bits of each distance code.
inline constexpr std::uint8_t deflate_offset_extra[deflate_num_offset_syms] = {
    0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
// Extra bits of the code-length symbols 16, 17, 18.
inline constexpr std::uint8_t deflate_precode_extra[deflate_num_precode_syms] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                                                                 0, 0, 0, 0, 0, 0, 2, 3, 7};

} // namespace zv::zip
