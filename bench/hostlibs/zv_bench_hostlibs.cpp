// zv_bench_hostlibs: our host libraries beside the libraries of the field,
// measured in one run on the same inputs. Prints a table, or with --json one
// JSON object with every figure and ratio. --section shp|dbf|reproject runs one
// figure only, for profiling it.
#include "bench_common.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace
{

using zv::bench::comparison;

void print_table(const std::vector<comparison>& results)
{
    std::printf("%-22s %18s %18s %7s %9s\n", "benchmark", "ours", "anchor", "ratio", "cpu ratio");
    for (const comparison& c : results) {
        std::printf("%-22s %12.0f %-5s %12.0f %-5s %7.2f %9.2f\n", c.name, c.ours, c.unit, c.anchor, c.unit,
                    c.ratio(), c.ratio_cpu());
    }
}

void print_json(const std::vector<comparison>& results)
{
    std::printf("{");
    for (std::size_t i = 0; i < results.size(); ++i) {
        const comparison& c = results[i];
        std::printf("%s\"%s\": {\"unit\": \"%s\", \"ours\": %.1f, \"anchor\": %.1f, "
                    "\"ratio\": %.3f, \"ours_cpu\": %.1f, \"anchor_cpu\": %.1f, \"ratio_cpu\": %.3f}",
                    i > 0 ? ", " : "", c.name, c.unit, c.ours, c.anchor, c.ratio(), c.ours_cpu, c.anchor_cpu,
                    c.ratio_cpu());
    }
    std::printf("}\n");
}

bool wanted(const char* section, const char* name)
{
    return section == nullptr || std::strcmp(section, name) == 0;
}

} // namespace

int main(int argc, char** argv)
{
    bool json = false;
    const char* section = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--json") == 0) {
            json = true;
        } else if (std::strcmp(argv[i], "--section") == 0 && i + 1 < argc) {
            section = argv[++i];
        } else {
            std::fprintf(stderr, "usage: zv_bench_hostlibs [--json] [--section shp|dbf|reproject]\n");
            return 2;
        }
    }
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
    bool ok = true;
    if (wanted(section, "shp")) {
        ok = zv::bench::bench_shp_read(folder, results[0]) && ok;
    }
    if (wanted(section, "dbf")) {
        ok = zv::bench::bench_dbf_write(folder, results[1]) && ok;
    }
    if (wanted(section, "reproject")) {
        ok = zv::bench::bench_reproject(results[2]) && ok;
    }
    std::erase_if(results, [&](const comparison& c) {
        return section != nullptr && std::strncmp(c.name, section, std::strlen(section)) != 0;
    });
    if (json) {
        print_json(results);
    } else {
        print_table(results);
    }
    return ok ? 0 : 1;
}
