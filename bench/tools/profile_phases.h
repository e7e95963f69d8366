// Where the profile tool's time goes, measured in a process of its own (the
// benchmark run again with --phases-of) on a folder of the benchmark's data:
// the processing entry under a timer, then two of its steps alone over the
// same files; the rest is what remains. A process of its own, since the
// memory it takes would count in the peak of every process spawned after it.
#pragma once

#include <string>
#include <vector>

namespace zv::bench
{

struct phase {
    std::string name;
    double seconds = 0;
    double cpu_seconds = 0;
};

// Times, in this process, the whole processing (prf_run), reading each
// shapefile's projection (zv_pj4_load_ex), exporting each output table to a
// workbook (export_attributes_to_workbook), and derives the rest: reprojector
// set-up, reading the shapes and the source table, writing the output table,
// endpoints and lengths. Runs with UTF-8 as the ANSI code page and temp as
// TEMP; leaves folder/out written. Prints one line per phase (wall seconds,
// processor seconds, name, separated by tabs); returns 0, or 1 when the
// processing failed.
int print_profile_phases(const std::string& folder, const std::string& temp);

// The phases from what print_profile_phases printed.
std::vector<phase> parse_phases(const std::string& printed);

} // namespace zv::bench
