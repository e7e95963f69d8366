#include "profile_phases.h"

#include "bench_common.h"

#include "foundation/utf.h"
#include "host/zvk_msgs.h"
#include "host/zvk_proj4_d2.h"
#include "plugin/app/attribute_export/attribute_export.h"
#include "plugin/app/prf_beg_end_app/prf_processing.h"
#include "support/string_adapter.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <sstream>

namespace zv::bench
{

namespace
{

namespace fs = std::filesystem;

std::u16string path16(const fs::path& path)
{
    return foundation::to_utf16(path.string());
}

// Every file below the folder with the extension, in any letter case.
std::vector<fs::path> files_below(const fs::path& folder, const std::string& extension)
{
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        std::string ext = entry.path().extension().string();
        for (char& c : ext)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (entry.is_regular_file() && ext == extension)
            files.push_back(entry.path());
    }
    return files;
}

phase timed(const char* name, const std::function<bool()>& fn, bool& ok)
{
    bool result = false;
    const timing t = best_of(1, [&] { result = fn(); });
    ok = ok && result;
    return {name, t.wall, t.cpu};
}

void ignore_message(zv_msg_kind, const char16_t*, void*) {}

} // namespace

int print_profile_phases(const std::string& folder, const std::string& temp)
{
    ::setenv("ZV_ANSI_CODEPAGE", "65001", 1);
    ::setenv("TEMP", temp.c_str(), 1);
    zv_msgs_set_sink(ignore_message, nullptr);
    const fs::path out = fs::path(folder) / "out";
    std::error_code ec;
    fs::remove_all(out, ec);
    bool ok = true;
    std::vector<phase> phases;
    phases.push_back(timed(
        "whole processing (prf_run)", [&] { return prf_run(path16(folder) + u"/"); }, ok));
    phases.push_back(timed(
        "projection from .prj (zv_pj4_load_ex)",
        [&] {
            for (const fs::path& shp : files_below(folder, ".shp")) {
                std::u16string definition;
                Tzv_std_wstring_adapter adapter(definition);
                zv_pj4_load_ex(path16(shp).c_str(), adapter.handle());
            }
            return true;
        },
        ok));
    const fs::path books = fs::path(temp) / "books";
    fs::create_directories(books, ec);
    phases.push_back(timed(
        "workbook export (export_attributes_to_workbook)",
        [&] {
            bool all = true;
            for (const fs::path& table : files_below(out, ".dbf"))
                all = export_attributes_to_workbook(path16(table), path16(books / table.stem()) + u".xlsx") &&
                      all;
            return all;
        },
        ok));
    fs::remove_all(books, ec);
    zv_msgs_set_sink(nullptr, nullptr);
    if (!ok)
        return 1;
    phase rest{"the rest: tables, shapes, reprojection, lengths", phases[0].seconds, phases[0].cpu_seconds};
    for (std::size_t i = 1; i < phases.size(); ++i) {
        rest.seconds -= phases[i].seconds;
        rest.cpu_seconds -= phases[i].cpu_seconds;
    }
    phases.push_back(rest);
    for (const phase& p : phases)
        std::printf("%.3f\t%.3f\t%s\n", p.seconds, p.cpu_seconds, p.name.c_str());
    return 0;
}

std::vector<phase> parse_phases(const std::string& printed)
{
    std::vector<phase> phases;
    std::istringstream lines(printed);
    for (std::string line; std::getline(lines, line);) {
        phase p;
        std::istringstream fields(line);
        if (fields >> p.seconds >> p.cpu_seconds && std::getline(fields >> std::ws, p.name))
            phases.push_back(p);
    }
    return phases;
}

} // namespace zv::bench
