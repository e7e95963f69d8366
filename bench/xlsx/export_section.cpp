#include "export_section.h"

#include "table_generator.h"

#include "xlsx/workbook.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xlsxwriter.h>

namespace zv::bench
{

namespace
{

const char* child_name(exporter which)
{
    switch (which) {
    case exporter::ours:
        return "ours";
    case exporter::lxw_default:
        return "lxw";
    case exporter::lxw_constant_memory:
        return "lxw_cm";
    }
    return "";
}

// Our writer: texts are XML-quoted and converted to UTF-16 by the caller,
// as the attribute export does.
bool export_ours(std::size_t rows, const std::string& path)
{
    zv::xlsx::CWorkbook book;
    zv::xlsx::CWorksheet& sheet = book.AddSheet(u"Profiles");
    std::vector<zv::xlsx::StringCell> cells(table_fields);
    auto add = [&](const record& r) {
        for (std::size_t c = 0; c < table_fields; ++c) {
            cells[c].value = utf16_of(xml_quote(r[c]));
        }
        sheet.AddRow(cells);
    };
    add(table_header());
    table_source source;
    record r;
    for (std::size_t i = 0; i < rows; ++i) {
        source.next(r);
        add(r);
    }
    return book.Save(utf16_of(path));
}

bool export_lxw(std::size_t rows, const std::string& path, bool constant_memory)
{
    lxw_workbook_options options{};
    options.constant_memory = constant_memory ? LXW_TRUE : LXW_FALSE;
    lxw_workbook* book = workbook_new_opt(path.c_str(), &options);
    if (book == nullptr) {
        return false;
    }
    lxw_worksheet* sheet = workbook_add_worksheet(book, "Profiles");
    auto add = [&](lxw_row_t row, const record& r) {
        for (std::size_t c = 0; c < table_fields; ++c) {
            if (!r[c].empty()) {
                worksheet_write_string(sheet, row, static_cast<lxw_col_t>(c), r[c].c_str(), nullptr);
            }
        }
    };
    add(0, table_header());
    table_source source;
    record r;
    for (std::size_t i = 0; i < rows; ++i) {
        source.next(r);
        add(static_cast<lxw_row_t>(i + 1), r);
    }
    return workbook_close(book) == LXW_NO_ERROR;
}

} // namespace

int run_export_child(const std::string& which, std::size_t rows, const std::string& path)
{
    const auto start = std::chrono::steady_clock::now();
    bool ok = false;
    if (which == "ours") {
        ok = export_ours(rows, path);
    } else if (which == "lxw" || which == "lxw_cm") {
        ok = export_lxw(rows, path, which == "lxw_cm");
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::error_code ec;
    const auto bytes = std::filesystem::file_size(path, ec);
    std::printf("%d %.6f %llu\n", ok && !ec ? 1 : 0, seconds,
                static_cast<unsigned long long>(ec ? 0 : bytes));
    return ok ? 0 : 1;
}

export_figure measure_export(const char* self, exporter which, std::size_t rows, const std::string& path)
{
    export_figure figure;
    int fds[2];
    if (::pipe(fds) != 0) {
        return figure;
    }
    std::fflush(stdout);
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(fds[1], STDOUT_FILENO);
        ::close(fds[0]);
        ::close(fds[1]);
        const std::string row_text = std::to_string(rows);
        ::execl(self, self, "--child", child_name(which), row_text.c_str(), path.c_str(),
                static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(fds[1]);
    char text[256] = {};
    std::size_t got = 0;
    ssize_t n = 0;
    while (got + 1 < sizeof text && (n = ::read(fds[0], text + got, sizeof text - 1 - got)) > 0) {
        got += static_cast<std::size_t>(n);
    }
    ::close(fds[0]);
    int status = 0;
    struct rusage usage {
    };
    if (child < 0 || ::wait4(child, &status, 0, &usage) != child) {
        return figure;
    }
    int ok = 0;
    unsigned long long bytes = 0;
    if (std::sscanf(text, "%d %lf %llu", &ok, &figure.seconds, &bytes) == 3) {
        figure.ok = ok == 1 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
        figure.output_bytes = static_cast<std::size_t>(bytes);
    }
    figure.peak_rss_mib = static_cast<double>(usage.ru_maxrss) / 1024.0; // kilobytes on Linux
    figure.cpu_seconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
    return figure;
}

} // namespace zv::bench
