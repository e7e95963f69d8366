// zv_bench_tools: the tools as a user runs them, through `zvhost run`, beside
// Python scripts doing the same jobs (pyshp, pyproj and openpyxl for the
// profile tool, numpy.interp for the OAT graph tool), each a whole process
// on the same data in one run: wall and processor time, and peak resident
// memory from wait4. The data is made in a scratch folder under the system's
// temporary folder and removed at the end.
//
//   zv_bench_tools [--json] [--case profiles_files|profiles_table|graph] [--phases] [--smoke]
//                  [--temp DIR]
//
// --json   one JSON object with every figure instead of the table
// --case   one case only (default all three)
// --phases the profile cases also time the processing's phases in this
//          process, after the measured runs, to show where our time goes
// --smoke  sizes divided by 100, to check the benchmark itself; its figures
//          mean nothing
// --temp   the folder of every process's temporary files (default: temp/ in
//          the scratch folder), to see what the file system costs: the
//          workbook writer makes and removes a folder tree per workbook
#include "case_support.h"
#include "temp_file_system.h"
#include "tool_cases.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace
{

using zv::bench::case_result;
using zv::bench::case_setting;
using zv::bench::process_figure;

struct options {
    bool json = false;
    bool smoke = false;
    bool phases = false;
    std::string only;
    std::string temp;
};

bool parse(int argc, char** argv, options& o)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--json") == 0) {
            o.json = true;
        } else if (std::strcmp(argv[i], "--smoke") == 0) {
            o.smoke = true;
        } else if (std::strcmp(argv[i], "--phases") == 0) {
            o.phases = true;
        } else if (std::strcmp(argv[i], "--case") == 0 && i + 1 < argc) {
            o.only = argv[++i];
        } else if (std::strcmp(argv[i], "--temp") == 0 && i + 1 < argc) {
            o.temp = argv[++i];
        } else {
            std::fprintf(stderr,
                         "usage: zv_bench_tools [--json] [--case profiles_files|profiles_table|graph] "
                         "[--phases] [--smoke] [--temp DIR]\n");
            return false;
        }
    }
    return true;
}

std::string target_text(const case_result& r)
{
    char text[64];
    int n = std::snprintf(text, sizeof text, ">= %.0fx", r.target_speedup);
    if (r.peak_mib_limit > 0)
        std::snprintf(text + n, sizeof text - static_cast<std::size_t>(n), ", < %.0f MiB", r.peak_mib_limit);
    return text;
}

void print_figure(const process_figure& f)
{
    if (f.ran)
        std::printf(" %8.2f %7.1f %7.1f", f.seconds, f.cpu_seconds, f.peak_mib);
    else
        std::printf(" %8s %7s %7s", "failed", "-", "-");
}

// The kernel starts a spawned child's peak at the memory of the process
// that spawned it, so this program's own peak is the floor of every figure.
double own_peak_mib()
{
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// Our process's time beside the processing's in this process: the
// difference is the start-up (loading the module, the host libraries and
// PROJ's database) and the dialog.
void print_phases(const case_result& r)
{
    if (r.phases.empty())
        return;
    std::printf("\nwhere our time goes, %s (in a process of its own, s):\n", r.label.c_str());
    std::printf("  %-52s %8s %8s\n", "", "wall", "cpu");
    for (const zv::bench::phase& p : r.phases)
        std::printf("  %-52s %8.2f %8.2f\n", p.name.c_str(), p.seconds, p.cpu_seconds);
    std::printf("  %-52s %8.2f %8.2f\n", "zvhost run as a process (measured above)", r.ours.seconds,
                r.ours.cpu_seconds);
}

void print_table(const std::vector<case_result>& results, const std::string& slow_temp_device)
{
    std::printf("%-44s %8s %7s %7s %8s %7s %7s %7s %7s  %-18s %s\n", "case", "ours s", "cpu s", "MiB",
                "anchor s", "cpu s", "MiB", "ratio", "cpu", "target", "met");
    for (const case_result& r : results) {
        std::printf("%-44s", r.label.c_str());
        print_figure(r.ours);
        print_figure(r.anchor);
        std::printf(" %7.2f %7.2f  %-18s %s%s\n", r.speedup(), r.cpu_speedup(), target_text(r).c_str(),
                    r.met() ? "yes" : "NO", r.outputs_agree ? "" : " (outputs not alike)");
    }
    std::printf("ratio: the anchor's time over ours (wall clock; cpu: user and system time)\n");
    std::printf("MiB: peak resident memory; none is below this program's own, %.1f MiB\n", own_peak_mib());
    if (!slow_temp_device.empty())
        std::printf("temporary files: on an ext4 without a journal (%s), where each new file passes over\n"
                    "  the files removed in its block group in the last minutes; the many-files case\n"
                    "  slows with what was removed there lately (--temp /dev/shm measures without it)\n",
                    slow_temp_device.c_str());
    for (const case_result& r : results)
        print_phases(r);
}

void json_figure(const char* name, const process_figure& f)
{
    std::printf("\"%s\": {\"ok\": %s, \"seconds\": %.3f, \"cpu_seconds\": %.3f, \"peak_mib\": %.1f}", name,
                f.ran ? "true" : "false", f.seconds, f.cpu_seconds, f.peak_mib);
}

void json_phases(const case_result& r)
{
    if (r.phases.empty())
        return;
    std::printf(", \"phases\": [");
    for (std::size_t i = 0; i < r.phases.size(); ++i)
        std::printf("%s{\"name\": \"%s\", \"seconds\": %.3f, \"cpu_seconds\": %.3f}", i > 0 ? ", " : "",
                    r.phases[i].name.c_str(), r.phases[i].seconds, r.phases[i].cpu_seconds);
    std::printf("]");
}

void print_json(const std::vector<case_result>& results, const std::string& slow_temp_device)
{
    std::printf("{\"own_peak_mib\": %.1f, \"temp_on_ext4_without_journal\": %s", own_peak_mib(),
                slow_temp_device.empty() ? "false" : "true");
    for (const case_result& r : results) {
        std::printf(", \"%s\": {\"label\": \"%s\", ", r.name.c_str(), r.label.c_str());
        json_figure("ours", r.ours);
        std::printf(", ");
        json_figure("anchor", r.anchor);
        std::printf(
            ", \"ratio\": %.3f, \"ratio_cpu\": %.3f, \"target_ratio\": %.1f, \"peak_mib_limit\": %.1f, "
            "\"outputs_agree\": %s, \"met\": %s",
            r.speedup(), r.cpu_speedup(), r.target_speedup, r.peak_mib_limit,
            r.outputs_agree ? "true" : "false", r.met() ? "true" : "false");
        json_phases(r);
        std::printf("}");
    }
    std::printf("}\n");
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && std::strcmp(argv[1], "--phases-of") == 0)
        return zv::bench::print_profile_phases(argv[2], argv[3]);
    options o;
    if (!parse(argc, argv, o))
        return 2;
    const zv::test::scratch_folder scratch("zv_bench_tools");
    if (!scratch.ok()) {
        std::fprintf(stderr, "zv_bench_tools: cannot make a scratch folder\n");
        return 1;
    }
    const case_setting setting{scratch, o.smoke, o.phases,
                               std::filesystem::read_symlink("/proc/self/exe").string(), o.temp};
    using measure_fn = case_result (*)(const case_setting&);
    const std::pair<const char*, measure_fn> cases[] = {
        {"profiles_files", zv::bench::measure_profile_files},
        {"profiles_table", zv::bench::measure_profile_table},
        {"graph", zv::bench::measure_graph},
    };
    std::vector<case_result> results;
    for (const auto& [name, measure] : cases)
        if (o.only.empty() || o.only == name)
            results.push_back(measure(setting));
    if (results.empty()) {
        std::fprintf(stderr, "zv_bench_tools: no case named %s\n", o.only.c_str());
        return 2;
    }
    const std::string slow_temp_device =
        zv::bench::ext4_device_without_journal(zv::bench::temp_folder(setting));
    if (o.json)
        print_json(results, slow_temp_device);
    else
        print_table(results, slow_temp_device);
    bool ran = true;
    for (const case_result& r : results)
        ran = ran && r.ours.ran && r.anchor.ran && r.outputs_agree;
    return ran ? 0 : 1;
}
