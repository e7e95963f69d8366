// Where the profile tool's time goes, measured in this process on a folder
// of the benchmark's data: the processing entry under a timer, then two of
// its steps alone over the same files; the rest is what remains.
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

// The whole processing (prf_run), reading each shapefile's projection
// (zv_pj4_load_ex), exporting each output table to a workbook
// (export_attributes_to_workbook), and the rest: reprojector set-up, reading
// the shapes and the source table, writing the output table, endpoints and
// lengths. Runs with UTF-8 as the ANSI code page and temp as TEMP; leaves
// folder/out written. Empty when the processing failed.
std::vector<phase> profile_phases(const std::string& folder, const std::string& temp);

} // namespace zv::bench
