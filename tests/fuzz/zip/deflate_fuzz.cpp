// Fuzz target of the DEFLATE compressor: compresses the input and inflates
// the result with zlib, and compresses it again walking every chain whole;
// any difference aborts. The first byte chooses the level and how many
// bytes each read hands over.
#include "../../unit/zip/test_support.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace zv::zip::test;
    static zv::zip::DeflateCompressor compressor; // one for all inputs, as the archive writer keeps it
    static zv::zip::DeflateCompressor whole_walk = [] {
        zv::zip::DeflateCompressor c;
        c.set_tail_chains_for_testing(false);
        return c;
    }();
    static const std::size_t pieces[] = {1, 3, 100, 4096, 65536, SIZE_MAX};
    const std::uint8_t control = size > 0 ? data[0] : 0;
    const bytes input(data + (size > 0 ? 1 : 0), data + size);
    const int level = 1 + control % 8;
    const bytes packed = deflate_bytes(compressor, input, level, pieces[(control >> 3) % 6]);
    const std::optional<bytes> back = inflate_bytes(packed);
    if (!back || *back != input || packed != deflate_bytes(whole_walk, input, level))
        std::abort();
    return 0;
}
