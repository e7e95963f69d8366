#include "deflate_section.h"

#include "zip/deflate_compressor.h"

#include <algorithm>
#include <cstring>
#include <ctime>
#include <libdeflate.h>
#include <vector>
#include <zlib.h>

namespace zv::bench
{

namespace
{

// CPU time of this thread: the machines we measure on are shared, and the
// compressors are single-threaded, so CPU time is the fair clock.
double thread_seconds()
{
    struct timespec t {
    };
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

struct memory_io {
    const std::string* input;
    std::size_t pos;
    std::vector<std::uint8_t>* output;
};

std::int64_t read_input(void* context, std::uint8_t* buffer, std::size_t size_bytes)
{
    auto* io = static_cast<memory_io*>(context);
    const std::size_t n = std::min(size_bytes, io->input->size() - io->pos);
    std::memcpy(buffer, io->input->data() + io->pos, n);
    io->pos += n;
    return static_cast<std::int64_t>(n);
}

bool write_output(void* context, const std::uint8_t* data, std::size_t size_bytes)
{
    auto* io = static_cast<memory_io*>(context);
    io->output->insert(io->output->end(), data, data + size_bytes);
    return true;
}

std::vector<std::uint8_t> ours(zip::DeflateCompressor& compressor, const std::string& input)
{
    std::vector<std::uint8_t> out;
    out.reserve(input.size() / 4);
    memory_io io{&input, 0, &out};
    compressor.compress(8, read_input, write_output, &io);
    return out;
}

// zlib with the parameters our level 8 shares: raw stream, 32 KiB window,
// memory level 8 (15-bit hash).
std::size_t zlib_level8(const std::string& input, std::vector<std::uint8_t>& out)
{
    z_stream z{};
    deflateInit2(&z, 8, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
    out.resize(deflateBound(&z, input.size()));
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(input.data()));
    z.avail_in = static_cast<uInt>(input.size());
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    deflate(&z, Z_FINISH);
    const std::size_t size = z.total_out;
    deflateEnd(&z);
    return size;
}

std::size_t libdeflate_level8(const std::string& input, std::vector<std::uint8_t>& out)
{
    libdeflate_compressor* c = libdeflate_alloc_compressor(8);
    out.resize(libdeflate_deflate_compress_bound(c, input.size()));
    const std::size_t size =
        libdeflate_deflate_compress(c, input.data(), input.size(), out.data(), out.size());
    libdeflate_free_compressor(c);
    return size;
}

bool inflates_to(const std::vector<std::uint8_t>& packed, const std::string& input)
{
    std::vector<std::uint8_t> back(input.size() + 1);
    z_stream z{};
    inflateInit2(&z, -15);
    z.next_in = const_cast<Bytef*>(packed.data());
    z.avail_in = static_cast<uInt>(packed.size());
    z.next_out = back.data();
    z.avail_out = static_cast<uInt>(back.size());
    const int rc = inflate(&z, Z_FINISH);
    const bool ok = rc == Z_STREAM_END && z.total_out == input.size() &&
                    std::memcmp(back.data(), input.data(), input.size()) == 0;
    inflateEnd(&z);
    return ok;
}

template <typename Fn> void keep_fastest(deflate_figure& figure, Fn run)
{
    const double start = thread_seconds();
    figure.compressed_bytes = run();
    const double s = thread_seconds() - start;
    figure.seconds = figure.seconds == 0 ? s : std::min(figure.seconds, s);
}

} // namespace

deflate_figures measure_deflate(const std::string& input, int repeats)
{
    deflate_figures f;
    f.input_bytes = input.size();
    zip::DeflateCompressor compressor;
    std::vector<std::uint8_t> packed;
    std::vector<std::uint8_t> scratch;
    for (int i = 0; i < std::max(repeats, 1); ++i) {
        keep_fastest(f.ours, [&] {
            packed = ours(compressor, input);
            return packed.size();
        });
        keep_fastest(f.zlib, [&] { return zlib_level8(input, scratch); });
        keep_fastest(f.libdeflate, [&] { return libdeflate_level8(input, scratch); });
    }
    f.ours.round_trip_ok = inflates_to(packed, input);
    f.zlib.round_trip_ok = f.libdeflate.round_trip_ok = true;
    return f;
}

} // namespace zv::bench
