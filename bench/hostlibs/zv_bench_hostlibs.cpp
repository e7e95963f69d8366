// zv_bench_hostlibs: our host libraries beside the libraries of the field,
// measured in one run on the same inputs. Prints a table, or with --json one
// JSON object with every figure and ratio.
#include "bench_common.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

using zv::bench::comparison;

void print_table(const std::vector<comparison>& results)
{
    std::printf("%-22s %18s %18s %7s %9s\n", "benchmark", "ours", "anchor", "ratio", "cpu ratio");
    for (const comparison& c : results) {
        std::printf("%-22s %12.0f %-5s %12.0f %-5s %7.2f %9.2f\n", c.name, c.ours, c.unit,
                    c.anchor, c.unit, c.ratio(), c.ratio_cpu());
    }
}

void print_json(const std::vector<comparison>& results)
{
    std::printf("{");
    for (std::size_t i = 0; i < results.size(); ++i) {
        const comparison& c = results[i];
        std::printf("%s\"%s\": {\"unit\": \"%s\", \"ours\": %.1f, \"anchor\": %.1f, "
                    "\"ratio\": %.3f, \"ours_cpu\": %.1f, \"anchor_cpu\": %.1f, \"ratio_cpu\": %.3f}",
                    i > 0 ? ", " : "", c.name, c.unit, c.ours, c.anchor, c.ratio(), c.ours_cpu,
                    c.anchor_cpu, c.ratio_cpu());
    }
    std::printf("}\n");
}

} // namespace

int main(int argc, char** argv)
{
    const bool json = argc > 1 && std::strcmp(argv[1], "--json") == 0;
    const zv::bench::scratch_folder folder;
    if (!folder.ok()) {
        std::fprintf(stderr, "cannot make a scratch folder\n");
        return 1;
    }
    std::vector<comparison> results{
        {"shp_read_vs_shapelib", "obj/s"},
        {"dbf_write_vs_shapelib", "rec/s"},
        {"reproject_vs_proj", "pt/s"},
    };
    const bool ok = zv::bench::bench_shp_read(folder, results[0])
                    & zv::bench::bench_dbf_write(folder, results[1])
                    & zv::bench::bench_reproject(results[2]);
    if (json) {
        print_json(results);
    } else {
        print_table(results);
    }
    return ok ? 0 : 1;
}
