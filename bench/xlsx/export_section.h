// Section 2 of the benchmark: the whole export of the table as one worksheet
// of string cells, by our workbook writer and by libxlsxwriter in its default
// and constant-memory modes. Each runs in a child process of its own, so the
// peak resident memory of one does not mix with the others'.
#pragma once

#include <cstddef>
#include <string>

namespace zv::bench
{

enum class exporter { ours, lxw_default, lxw_constant_memory };

struct export_figure {
    bool ok = false;
    double seconds = 0;     // wall clock, from the first row to the saved file
    double cpu_seconds = 0; // user and system time of the child process
    std::size_t output_bytes = 0;
    double peak_rss_mib = 0;
};

// Runs one exporter in a child (this program re-run with --child) writing to
// path; the child's figures and its peak resident memory.
export_figure measure_export(const char* self, exporter which, std::size_t rows, const std::string& path);

// The child's side: exports and prints "seconds bytes" on standard output.
// Returns the process exit status.
int run_export_child(const std::string& which, std::size_t rows, const std::string& path);

} // namespace zv::bench
