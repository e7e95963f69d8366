#include "tool_cases.h"

#include "case_support.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

namespace zv::bench
{

namespace
{

namespace fs = std::filesystem;

constexpr int smoke_divisor = 100;

int scaled(const case_setting& setting, int count)
{
    return setting.smoke ? std::max(1, count / smoke_divisor) : count;
}

std::string format(const char* pattern, int a, int b, int c = 0)
{
    char text[128];
    std::snprintf(text, sizeof text, pattern, a, b, c);
    return text;
}

struct profile_data {
    const char* name;
    int files;
    int profiles;
    int fields;
};

// The tool writes folder/out; it is moved aside before the script writes
// its own there, and the two are compared.
case_result measure_profiles(const case_setting& setting, const profile_data& data)
{
    case_result result;
    result.name = data.name;
    result.label =
        format(data.files == 1 ? "profiles: %d file x %d, %d fields" : "profiles: %d files x %d, %d fields",
               data.files, data.profiles, data.fields);
    const fs::path folder = setting.scratch / data.name;
    const fs::path ours_out = setting.scratch / (result.name + "_ours_out");
    if (!prepare(python_call(setting, "make_data.py",
                             {"profiles", folder.string(), std::to_string(data.files),
                              std::to_string(data.profiles), std::to_string(data.fields)})))
        return result;
    result.ours =
        measure(zvhost_run(setting, "prf_beg_end_app", {"Path to processing files=" + folder.string()}));
    std::error_code ec;
    fs::rename(folder / "out", ours_out, ec);
    result.anchor = measure(python_call(setting, "profiles_anchor.py", {folder.string()}));
    result.outputs_agree = result.ours.ran && result.anchor.ran &&
                           prepare(python_call(setting, "compare_outputs.py",
                                               {"profiles", ours_out.string(), (folder / "out").string()}));
    const process_call phases = phases_call(setting, folder.string());
    if (setting.phases && result.ours.ran && prepare(phases))
        result.phases = parse_phases(zv::test::read_bytes(phases.log_path));
    fs::remove_all(folder, ec);
    fs::remove_all(ours_out, ec);
    return result;
}

} // namespace

case_result measure_profile_files(const case_setting& setting)
{
    case_result result = measure_profiles(setting, {"profiles_files", scaled(setting, 1000), 100, 5});
    result.target_speedup = 5;
    return result;
}

case_result measure_profile_table(const case_setting& setting)
{
    case_result result = measure_profiles(setting, {"profiles_table", 1, scaled(setting, 100000), 20});
    result.target_speedup = 3;
    result.peak_mib_limit = 100;
    return result;
}

// Both rewrite the result property of their own copy of the same .pgrid.
case_result measure_graph(const case_setting& setting)
{
    const int objects = scaled(setting, 1000000);
    const int segments = 1000;
    case_result result;
    result.name = "graph";
    result.label = format("OAT graph: %d objects, %d segments", objects, segments);
    result.target_speedup = 1;
    const fs::path folder = setting.scratch / "graph";
    const std::string ours = (folder / "grid.pgrid").string();
    const std::string theirs = (folder / "anchor.pgrid").string();
    std::error_code ec;
    const bool data_made =
        prepare(python_call(setting, "make_data.py",
                            {"graph", folder.string(), std::to_string(objects), std::to_string(segments)})) &&
        prepare(
            pgrid_call(setting, {"from-csv", (folder / "grid.csv").string(), ours, "--type", "id=i32"})) &&
        fs::copy_file(ours, theirs, ec);
    if (!data_made)
        return result;
    result.ours = measure(
        zvhost_run(setting, "tos_graph_x2y_app",
                   {"Graph file (polyline SHAPE):=" + (folder / "graph.shp").string(),
                    "Data file (OAT):=" + ours, "Source property (X):=poro", "Result property (Y):=perm"}));
    result.anchor = measure(
        python_call(setting, "graph_anchor.py", {theirs, (folder / "graph.npy").string(), "poro", "perm"}));
    result.outputs_agree =
        result.ours.ran && result.anchor.ran &&
        prepare(python_call(setting, "compare_outputs.py", {"graph", ours, theirs, "perm"}));
    fs::remove_all(folder, ec);
    return result;
}

} // namespace zv::bench
