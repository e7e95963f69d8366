// Shared pieces of the host-library benchmark: a scratch folder, a clock,
// and one measured figure with its anchor.
#pragma once

#include "kit/scratch_folder.h"

#include <chrono>
#include <string>
#include <time.h>

namespace zv::bench
{

// The scratch folder and UTF-16 paths of the host-library tests.
using zv::test::scratch_folder;
using zv::test::u16;

// Time taken by one measured run: wall clock, and the processor time of
// this process (user and system), which the other jobs on a shared machine
// disturb far less.
struct timing {
    double wall = 1e300;
    double cpu = 1e300;
};

inline double cpu_now()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// Best of `rounds` runs of fn, wall and processor time each (the best run
// is the one least disturbed); prepare runs untimed before each of them.
template <typename Prepare, typename Fn> timing best_of(int rounds, Prepare&& prepare, Fn&& fn)
{
    timing best;
    for (int i = 0; i < rounds; ++i) {
        prepare();
        const double cpu_start = cpu_now();
        const auto start = std::chrono::steady_clock::now();
        fn();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        const double cpu = cpu_now() - cpu_start;
        best.wall = took.count() < best.wall ? took.count() : best.wall;
        best.cpu = cpu < best.cpu ? cpu : best.cpu;
    }
    return best;
}

template <typename Fn> timing best_of(int rounds, Fn&& fn)
{
    return best_of(
        rounds, [] {}, fn);
}

// Our throughput beside the anchor's, in items per second, by wall clock
// and by processor time.
struct comparison {
    const char* name;
    const char* unit;
    double ours = 0;
    double anchor = 0;
    double ours_cpu = 0;
    double anchor_cpu = 0;
    double ratio() const { return anchor > 0 ? ours / anchor : 0; }
    double ratio_cpu() const { return anchor_cpu > 0 ? ours_cpu / anchor_cpu : 0; }

    void set(double items, const timing& ours_time, const timing& anchor_time)
    {
        ours = items / ours_time.wall;
        anchor = items / anchor_time.wall;
        ours_cpu = items / ours_time.cpu;
        anchor_cpu = items / anchor_time.cpu;
    }
};

// Each measurement: fills the comparison; false when the run failed.
bool bench_shp_read(const scratch_folder& folder, comparison& out);
bool bench_dbf_write(const scratch_folder& folder, comparison& out);
bool bench_reproject(comparison& out);

} // namespace zv::bench
