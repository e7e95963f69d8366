// Fuzz target of the DEFLATE compressor: compresses the input and inflates
// the result with zlib; any difference aborts. The first byte chooses the
// level and how many bytes each read hands over.
#include "../../unit/zip/test_support.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace zv::zip::test;
    static zv::zip::DeflateCompressor compressor; // one for all inputs, as the archive writer keeps it
    static const std::size_t pieces[] = {1, 3, 100, 4096, 65536, SIZE_MAX};
    const std::uint8_t control = size > 0 ? data[0] : 0;
    const bytes input(data + (size > 0 ? 1 : 0), data + size);
    const std::optional<bytes> back =
        inflate_bytes(deflate_bytes(compressor, input, 1 + control % 8, pieces[(control >> 3) % 6]));
    if (!back || *back != input)
        std::abort();
    return 0;
}
