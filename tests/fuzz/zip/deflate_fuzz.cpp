// Fuzz target of the DEFLATE compressor: compresses the input and inflates
// the result with zlib; any difference aborts. The first byte chooses the
// level and how many bytes each read hands over.
#include "zip/deflate_compressor.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>
#include <zlib.h>

namespace
{

struct fuzz_io {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t pos;
    std::size_t piece;
    std::vector<std::uint8_t> out;
};

std::int64_t read_piece(void* context, std::uint8_t* buffer, std::size_t size)
{
    auto* io = static_cast<fuzz_io*>(context);
    const std::size_t n = std::min({size, io->piece, io->size - io->pos});
    if (n > 0) {
        std::memcpy(buffer, io->data + io->pos, n);
    }
    io->pos += n;
    return static_cast<std::int64_t>(n);
}

bool collect(void* context, const std::uint8_t* data, std::size_t size)
{
    auto* io = static_cast<fuzz_io*>(context);
    io->out.insert(io->out.end(), data, data + size);
    return true;
}

void check_inflates_to(const std::vector<std::uint8_t>& packed, const std::uint8_t* data, std::size_t size)
{
    std::vector<std::uint8_t> back(size + 1);
    z_stream z{};
    if (inflateInit2(&z, -15) != Z_OK) {
        std::abort();
    }
    z.next_in = const_cast<Bytef*>(packed.data());
    z.avail_in = static_cast<uInt>(packed.size());
    z.next_out = back.data();
    z.avail_out = static_cast<uInt>(back.size());
    const int rc = inflate(&z, Z_FINISH);
    const bool same = rc == Z_STREAM_END && z.avail_in == 0 && z.total_out == size &&
                      (size == 0 || std::memcmp(back.data(), data, size) == 0);
    inflateEnd(&z);
    if (!same) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static zv::zip::DeflateCompressor compressor;
    const std::uint8_t control = size > 0 ? data[0] : 0;
    const int level = 1 + control % 8;
    static const std::size_t pieces[] = {1, 3, 100, 4096, 65536, SIZE_MAX};
    fuzz_io io{size > 0 ? data + 1 : data, size > 0 ? size - 1 : 0, 0, pieces[(control >> 3) % 6], {}};
    if (compressor.compress(level, read_piece, collect, &io) != nullptr) {
        std::abort();
    }
    check_inflates_to(io.out, io.data, io.size);
    return 0;
}
