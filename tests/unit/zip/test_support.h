// Helpers of the ZIP tests and the DEFLATE fuzz target: the compressor over
// memory, zlib's raw inflate as the independent reader, generated inputs.
#pragma once

#include "zip/deflate_compressor.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <random>
#include <string>
#include <vector>
#include <zlib.h>

namespace zv::zip::test
{

using bytes = std::vector<std::uint8_t>;

// Compresses input at a level, read in pieces of at most `piece` bytes;
// empty on failure (a DEFLATE stream never is).
inline bytes deflate_bytes(DeflateCompressor& compressor, const bytes& input, int level = 8,
                           std::size_t piece = SIZE_MAX)
{
    struct io {
        const bytes& input;
        std::size_t pos, piece;
        bytes out;
    } stream{input, 0, piece, {}};
    auto read = [](void* context, std::uint8_t* buffer, std::size_t size) -> std::int64_t {
        auto& s = *static_cast<io*>(context);
        const std::size_t n = std::min({size, s.piece, s.input.size() - s.pos});
        if (n > 0)
            std::memcpy(buffer, s.input.data() + s.pos, n);
        s.pos += n;
        return static_cast<std::int64_t>(n);
    };
    auto write = [](void* context, const std::uint8_t* data, std::size_t size) {
        bytes& out = static_cast<io*>(context)->out;
        out.insert(out.end(), data, data + size);
        return true;
    };
    return compressor.compress(level, read, write, &stream) == nullptr ? stream.out : bytes{};
}

// zlib's inflate of a raw DEFLATE stream; nothing when zlib rejects it, it
// is cut short or data follows its end.
inline std::optional<bytes> inflate_bytes(const bytes& packed)
{
    z_stream z{};
    if (inflateInit2(&z, -15) != Z_OK)
        return std::nullopt;
    z.next_in = const_cast<Bytef*>(packed.data());
    z.avail_in = static_cast<uInt>(packed.size());
    bytes out;
    int rc = Z_OK;
    while (rc == Z_OK) {
        const std::size_t used = out.size();
        out.resize(used + 65536);
        z.next_out = out.data() + used;
        z.avail_out = 65536;
        rc = inflate(&z, Z_NO_FLUSH);
        out.resize(out.size() - z.avail_out);
    }
    const bool complete = rc == Z_STREAM_END && z.avail_in == 0;
    inflateEnd(&z);
    return complete ? std::optional<bytes>(std::move(out)) : std::nullopt;
}

// Random bytes, or with a smaller alphabet that many letters from 'a' on.
inline bytes random_bytes(std::size_t size, std::uint32_t seed, unsigned alphabet = 256)
{
    std::mt19937 rng(seed);
    bytes out(size);
    const unsigned first = alphabet < 256 ? 'a' : 0;
    std::generate(out.begin(), out.end(),
                  [&] { return static_cast<std::uint8_t>(first + rng() % alphabet); });
    return out;
}

// Worksheet-like cells with Cyrillic, numbers and entities.
inline bytes xml_like(std::size_t size, std::uint32_t seed)
{
    std::mt19937 rng(seed);
    static const char* const words[] = {"Москва", "55.750001361", "&amp;", "&lt;", "2024-05-17", "", "-12"};
    std::string text;
    while (text.size() < size)
        text += "<c r=\"B" + std::to_string(rng() % 100000) + "\" t=\"s\"><v>" +
                words[rng() % std::size(words)] + "</v></c>";
    return bytes(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(size));
}

} // namespace zv::zip::test
