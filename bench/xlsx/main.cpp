// zv_bench_xlsx: our DEFLATE and our workbook export beside zlib, libdeflate
// and libxlsxwriter, measured in one run on one seeded table.
//
//   zv_bench_xlsx [--rows N] [--json] [--out FILE.xlsx] [--repeat N] [--section all|deflate|export]
//
// --rows    records in the table (default 100000)
// --json    print the figures as one JSON object instead of lines
// --out     keep our workbook at this path (else it goes to a temporary folder)
// --repeat  runs of each compressor; the fastest counts (default 1)
// --section only the DEFLATE figures or only the export figures, for
//           profiling one of them (default all)
#include "deflate_section.h"
#include "export_section.h"
#include "kit/scoped_env.h"
#include "kit/scratch_folder.h"
#include "xml_shapes.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace
{

using namespace zv::bench;

struct options {
    std::size_t rows = 100000;
    bool json = false;
    std::string out;
    int repeat = 1;
    bool deflate = true;
    bool exports = true;
};

bool parse(int argc, char** argv, options& o)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool has_value = i + 1 < argc;
        if (arg == "--rows" && has_value) {
            o.rows = std::strtoull(argv[++i], nullptr, 10);
        } else if (arg == "--repeat" && has_value) {
            o.repeat = std::atoi(argv[++i]);
        } else if (arg == "--out" && has_value) {
            o.out = argv[++i];
        } else if (arg == "--section" && has_value) {
            const std::string section = argv[++i];
            o.deflate = section == "all" || section == "deflate";
            o.exports = section == "all" || section == "export";
            if (!o.deflate && !o.exports) {
                std::fprintf(stderr, "--section takes all, deflate or export\n");
                return false;
            }
        } else if (arg == "--json") {
            o.json = true;
        } else {
            std::fprintf(stderr,
                         "usage: %s [--rows N] [--json] [--out FILE.xlsx] [--repeat N] "
                         "[--section all|deflate|export]\n",
                         argv[0]);
            return false;
        }
    }
    return o.rows > 0;
}

double mb_per_s(std::size_t bytes, double seconds)
{
    return seconds > 0 ? static_cast<double>(bytes) / 1e6 / seconds : 0;
}

void print_deflate_lines(const char* part, const deflate_figures& f)
{
    std::printf("deflate %s input: %zu bytes\n", part, f.input_bytes);
    std::printf(
        "deflate %s speed MB/s (CPU time): ours %.1f | zlib-8 %.1f | libdeflate-8 %.1f | ours/zlib %.2fx\n",
        part, mb_per_s(f.input_bytes, f.ours.seconds), mb_per_s(f.input_bytes, f.zlib.seconds),
        mb_per_s(f.input_bytes, f.libdeflate.seconds), f.zlib.seconds / f.ours.seconds);
    std::printf("deflate %s bytes: ours %zu | zlib-8 %zu | libdeflate-8 %zu | ours/zlib %.4f%s\n", part,
                f.ours.compressed_bytes, f.zlib.compressed_bytes, f.libdeflate.compressed_bytes,
                static_cast<double>(f.ours.compressed_bytes) / static_cast<double>(f.zlib.compressed_bytes),
                f.ours.round_trip_ok ? "" : " (OUR OUTPUT DID NOT INFLATE BACK)");
}

void print_export_lines(const export_figure& ours, const export_figure& lxw, const export_figure& lxw_cm)
{
    std::printf("export wall seconds: ours %.2f | libxlsxwriter %.2f | libxlsxwriter constant_memory %.2f | "
                "ours/default "
                "%.2f\n",
                ours.seconds, lxw.seconds, lxw_cm.seconds, ours.seconds / lxw.seconds);
    std::printf("export CPU seconds: ours %.2f | libxlsxwriter %.2f | libxlsxwriter constant_memory %.2f | "
                "ours/default %.2f\n",
                ours.cpu_seconds, lxw.cpu_seconds, lxw_cm.cpu_seconds, ours.cpu_seconds / lxw.cpu_seconds);
    std::printf("export bytes: ours %zu | libxlsxwriter %zu | libxlsxwriter constant_memory %zu\n",
                ours.output_bytes, lxw.output_bytes, lxw_cm.output_bytes);
    std::printf("export peak RSS MiB: ours %.1f | libxlsxwriter %.1f | libxlsxwriter constant_memory %.1f | "
                "ours/default %.2f\n",
                ours.peak_rss_mib, lxw.peak_rss_mib, lxw_cm.peak_rss_mib,
                ours.peak_rss_mib / lxw.peak_rss_mib);
    if (!ours.ok || !lxw.ok || !lxw_cm.ok) {
        std::printf("export FAILED: ours %d, libxlsxwriter %d, constant_memory %d\n", ours.ok, lxw.ok,
                    lxw_cm.ok);
    }
}

void json_deflate(const char* part, const deflate_figures& f, bool last)
{
    auto one = [&](const char* name, const deflate_figure& d, bool end) {
        std::printf("\"%s\":{\"mb_per_s\":%.3f,\"bytes\":%zu}%s", name, mb_per_s(f.input_bytes, d.seconds),
                    d.compressed_bytes, end ? "" : ",");
    };
    std::printf("\"%s\":{\"input_bytes\":%zu,\"round_trip_ok\":%s,", part, f.input_bytes,
                f.ours.round_trip_ok ? "true" : "false");
    one("ours", f.ours, false);
    one("zlib_8", f.zlib, false);
    one("libdeflate_8", f.libdeflate, true);
    std::printf("}%s", last ? "" : ",");
}

void json_export(const char* name, const export_figure& e, bool last)
{
    std::printf(
        "\"%s\":{\"ok\":%s,\"seconds\":%.3f,\"cpu_seconds\":%.3f,\"bytes\":%zu,\"peak_rss_mib\":%.1f}%s",
        name, e.ok ? "true" : "false", e.seconds, e.cpu_seconds, e.output_bytes, e.peak_rss_mib,
        last ? "" : ",");
}

struct export_figures {
    export_figure ours;
    export_figure lxw;
    export_figure lxw_cm;
};

// The three exports, each in a child process of its own, before this process
// holds the XML of the DEFLATE section.
export_figures run_exports(const char* self, const options& o)
{
    const zv::test::scratch_folder scratch_folder("zv_bench_xlsx");
    const std::filesystem::path& scratch = scratch_folder.path();
    zv::test::scoped_env env;
    env.set("TEMP", scratch.string());
    const std::string ours_path = o.out.empty() ? (scratch / "ours.xlsx").string() : o.out;
    export_figures e;
    e.ours = measure_export(self, exporter::ours, o.rows, ours_path);
    e.lxw = measure_export(self, exporter::lxw_default, o.rows, (scratch / "lxw.xlsx").string());
    e.lxw_cm =
        measure_export(self, exporter::lxw_constant_memory, o.rows, (scratch / "lxw_cm.xlsx").string());
    return e;
}

void print_json(const options& o, const table_xml& xml, const deflate_figures& sheet,
                const deflate_figures& strings, const export_figures& e)
{
    std::printf("{\"rows\":%zu", o.rows);
    if (o.deflate) {
        std::printf(",\"cells\":%zu,\"distinct_values\":%zu,\"deflate\":{", xml.cells, xml.distinct_values);
        json_deflate("worksheet", sheet, false);
        json_deflate("shared_strings", strings, true);
        std::printf("}");
    }
    if (o.exports) {
        std::printf(",\"export\":{");
        json_export("ours", e.ours, false);
        json_export("libxlsxwriter", e.lxw, false);
        json_export("libxlsxwriter_constant_memory", e.lxw_cm, true);
        std::printf("}");
    }
    std::printf("}\n");
}

void print_lines(const options& o, const table_xml& xml, const deflate_figures& sheet,
                 const deflate_figures& strings, const export_figures& e)
{
    if (o.deflate) {
        std::printf("table: %zu rows x %zu fields, %zu cells, %zu distinct values\n", o.rows, table_fields,
                    xml.cells, xml.distinct_values);
        print_deflate_lines("worksheet", sheet);
        print_deflate_lines("shared-strings", strings);
    } else {
        std::printf("table: %zu rows x %zu fields\n", o.rows, table_fields);
    }
    if (o.exports) {
        print_export_lines(e.ours, e.lxw, e.lxw_cm);
        if (!o.out.empty()) {
            std::printf("our workbook: %s\n", o.out.c_str());
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 5 && std::strcmp(argv[1], "--child") == 0) {
        return run_export_child(argv[2], std::strtoull(argv[3], nullptr, 10), argv[4]);
    }
    options o;
    if (!parse(argc, argv, o)) {
        return 2;
    }
    const export_figures e = o.exports ? run_exports(argv[0], o) : export_figures{};
    table_xml xml;
    deflate_figures sheet;
    deflate_figures strings;
    if (o.deflate) {
        xml = make_table_xml(o.rows);
        sheet = measure_deflate(xml.worksheet, o.repeat);
        strings = measure_deflate(xml.shared_strings, o.repeat);
    }
    if (o.json) {
        print_json(o, xml, sheet, strings, e);
    } else {
        print_lines(o, xml, sheet, strings, e);
    }
    const bool deflate_ok = !o.deflate || (sheet.ours.round_trip_ok && strings.ours.round_trip_ok);
    return deflate_ok && (!o.exports || e.ours.ok) ? 0 : 1;
}
