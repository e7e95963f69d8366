// The cases of zv_bench_tools: a tool run through `zvhost run` beside a
// Python script doing the same job, each as a whole process on the same
// data, made by make_data.py in the run's scratch folder.
#pragma once

#include "child_process.h"
#include "profile_phases.h"

#include "kit/scratch_folder.h"

#include <string>
#include <vector>

namespace zv::bench
{

// What a case needs from its surroundings.
struct case_setting {
    const zv::test::scratch_folder& scratch;
    // Sizes divided by 100: checks the benchmark itself, its figures mean nothing.
    bool smoke = false;
    // The profile cases also time the processing's phases, in a process
    // running this program (self) with --phases-of.
    bool phases = false;
    std::string self;
    // Where every measured process keeps its temporary files (TEMP and
    // TMPDIR); empty: the scratch folder's temp/.
    std::string temp;
};

struct case_result {
    std::string name;  // key in the JSON output
    std::string label; // first column of the table
    process_figure ours;
    process_figure anchor;
    double target_speedup = 0;  // the anchor's time over ours, at least
    double peak_mib_limit = 0;  // ours at most, when not 0
    bool outputs_agree = false; // both outputs checked against each other
    std::vector<phase> phases;  // where our time goes, when asked for

    double speedup() const { return ours.seconds > 0 ? anchor.seconds / ours.seconds : 0; }
    double cpu_speedup() const { return ours.cpu_seconds > 0 ? anchor.cpu_seconds / ours.cpu_seconds : 0; }
    bool met() const
    {
        return ours.ran && anchor.ran && outputs_agree && speedup() >= target_speedup &&
               (peak_mib_limit <= 0 || ours.peak_mib <= peak_mib_limit);
    }
};

// The profile tool on many small shapefiles: FILES of PROFILES profiles, 5
// source fields; against profiles_anchor.py (pyshp, pyproj, openpyxl).
case_result measure_profile_files(const case_setting& setting);

// The profile tool on one shapefile of 100,000 profiles with 20 source fields.
case_result measure_profile_table(const case_setting& setting);

// The OAT graph tool on a .pgrid of a million objects and a graph of 1,000
// segments; against graph_anchor.py (numpy.interp).
case_result measure_graph(const case_setting& setting);

} // namespace zv::bench
