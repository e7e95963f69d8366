#include "inflate_helper.h"

#include <algorithm>
#include <cstring>
#include <zlib.h>

namespace zv::zip::test
{

namespace
{

struct memory_stream {
    const bytes* input;
    std::size_t pos;
    std::size_t piece;
    bytes* output;
};

std::int64_t read_memory(void* context, std::uint8_t* buffer, std::size_t size_bytes)
{
    auto* s = static_cast<memory_stream*>(context);
    const std::size_t n = std::min({size_bytes, s->piece, s->input->size() - s->pos});
    if (n > 0) {
        std::memcpy(buffer, s->input->data() + s->pos, n);
    }
    s->pos += n;
    return static_cast<std::int64_t>(n);
}

bool write_memory(void* context, const std::uint8_t* data, std::size_t size_bytes)
{
    auto* s = static_cast<memory_stream*>(context);
    s->output->insert(s->output->end(), data, data + size_bytes);
    return true;
}

} // namespace

bytes deflate_bytes(DeflateCompressor& compressor, const bytes& input, int level, std::size_t read_piece)
{
    bytes out;
    memory_stream stream{&input, 0, read_piece, &out};
    const char* error = compressor.compress(level, read_memory, write_memory, &stream);
    if (error != nullptr) {
        return {};
    }
    return out;
}

std::optional<bytes> inflate_bytes(const bytes& compressed)
{
    z_stream z{};
    if (inflateInit2(&z, -15) != Z_OK) {
        return std::nullopt;
    }
    bytes out;
    std::uint8_t chunk[65536];
    z.next_in = const_cast<Bytef*>(compressed.data());
    z.avail_in = static_cast<uInt>(compressed.size());
    int rc = Z_OK;
    while (rc == Z_OK) {
        z.next_out = chunk;
        z.avail_out = sizeof chunk;
        rc = inflate(&z, Z_NO_FLUSH);
        out.insert(out.end(), chunk, chunk + (sizeof chunk - z.avail_out));
        if (rc == Z_BUF_ERROR && z.avail_in == 0) {
            break; // truncated stream
        }
    }
    const bool complete = rc == Z_STREAM_END && z.avail_in == 0;
    inflateEnd(&z);
    if (!complete) {
        return std::nullopt;
    }
    return out;
}

bytes random_bytes(std::size_t size, std::uint32_t seed)
{
    std::mt19937 rng(seed);
    bytes out(size);
    for (auto& b : out) {
        b = static_cast<std::uint8_t>(rng());
    }
    return out;
}

bytes repeated_byte(std::size_t size, std::uint8_t value)
{
    return bytes(size, value);
}

bytes xml_like(std::size_t size, std::uint32_t seed)
{
    std::mt19937 rng(seed);
    static const char* const words[] = {
        "Москва",     "profile", "55.750001361",    "&amp;", "&lt;",         "37.61",
        "2024-05-17", "",        "Санкт-Петербург", "-12",   "&quot;x&quot;"};
    std::string text;
    unsigned row = 1;
    while (text.size() < size) {
        text += "<row r=\"" + std::to_string(row) + "\">";
        for (char col = 'A'; col < 'A' + 8; ++col) {
            text += "<c r=\"";
            text += col;
            text += std::to_string(row) + "\" t=\"s\"><v>" + std::to_string(rng() % 100000) + "</v></c>";
            text += words[rng() % (sizeof words / sizeof *words)];
        }
        text += "</row>";
        ++row;
    }
    text.resize(size);
    return bytes(text.begin(), text.end());
}

bytes few_symbols(std::size_t size, unsigned alphabet, std::uint32_t seed)
{
    std::mt19937 rng(seed);
    bytes out(size);
    for (auto& b : out) {
        b = static_cast<std::uint8_t>('a' + rng() % alphabet);
    }
    return out;
}

} // namespace zv::zip::test
