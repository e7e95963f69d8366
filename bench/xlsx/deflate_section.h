// Section 1 of the benchmark: DEFLATE throughput and output size on one
// input, ours beside zlib's and libdeflate's at level 8.
#pragma once

#include <cstddef>
#include <string>

namespace zv::bench
{

struct deflate_figure {
    std::size_t compressed_bytes = 0;
    double seconds = 0;         // CPU time of the compressing thread
    bool round_trip_ok = false; // our output inflated by zlib gives the input back
};

struct deflate_figures {
    std::size_t input_bytes = 0;
    deflate_figure ours;
    deflate_figure zlib;
    deflate_figure libdeflate;
};

// Compresses input with each of the three, `repeats` times each (the
// fastest run counts), interleaved so machine noise hits all alike.
deflate_figures measure_deflate(const std::string& input, int repeats);

} // namespace zv::bench
