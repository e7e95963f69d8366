#include "case_support.h"

#include <cstdio>
#include <filesystem>

namespace zv::bench
{

namespace
{

// Every call writes its output to a log of its own, named by its order.
std::string next_log(const case_setting& setting)
{
    static int calls = 0;
    return setting.scratch.file("call" + std::to_string(++calls) + ".log");
}

process_call call_in_scratch(const case_setting& setting, std::vector<std::string> argv)
{
    process_call call;
    call.argv = std::move(argv);
    call.folder = setting.scratch.path().string();
    call.log_path = next_log(setting);
    return call;
}

std::string command_line(const process_call& call)
{
    std::string line;
    for (const std::string& a : call.argv)
        line += (line.empty() ? "" : " ") + a;
    return line;
}

// The last lines of a failed call's output.
void report_failure(const process_call& call, int status)
{
    std::string log = zv::test::read_bytes(call.log_path);
    constexpr std::size_t shown_bytes = 2000;
    if (log.size() > shown_bytes)
        log = "..." + log.substr(log.size() - shown_bytes);
    std::fprintf(stderr, "zv_bench_tools: failed (status %d): %s\n%s\n", status, command_line(call).c_str(),
                 log.c_str());
}

} // namespace

std::string temp_folder(const case_setting& setting)
{
    const std::filesystem::path temp =
        setting.temp.empty() ? setting.scratch / "temp" : std::filesystem::path(setting.temp);
    std::filesystem::create_directories(temp);
    return temp.string();
}

process_call python_call(const case_setting& setting, const std::string& script,
                         const std::vector<std::string>& args)
{
    std::vector<std::string> argv{ZV_PYTHON, std::string(ZV_BENCH_SCRIPTS) + "/" + script};
    argv.insert(argv.end(), args.begin(), args.end());
    process_call call = call_in_scratch(setting, std::move(argv));
    call.env_unset = {"OPENBLAS_CORETYPE", "OPENBLAS_L2_SIZE"};
    // No __pycache__ in the source tree; temporary files where ours go.
    const std::string temp = temp_folder(setting);
    call.env_set = {"PYTHONDONTWRITEBYTECODE=1", "TEMP=" + temp, "TMPDIR=" + temp};
    return call;
}

process_call zvhost_run(const case_setting& setting, const std::string& tool,
                        const std::vector<std::string>& settings)
{
    std::vector<std::string> argv{ZV_ZVHOST, "--lang", "en", "run", tool};
    for (const std::string& s : settings) {
        argv.push_back("--set");
        argv.push_back(s);
    }
    process_call call = call_in_scratch(setting, std::move(argv));
    call.env_set = {"TEMP=" + temp_folder(setting), "ZV_ANSI_CODEPAGE=65001"};
    return call;
}

process_call phases_call(const case_setting& setting, const std::string& folder)
{
    return call_in_scratch(setting, {setting.self, "--phases-of", folder, temp_folder(setting)});
}

process_call pgrid_call(const case_setting& setting, const std::vector<std::string>& args)
{
    std::vector<std::string> argv{ZV_PGRID};
    argv.insert(argv.end(), args.begin(), args.end());
    return call_in_scratch(setting, std::move(argv));
}

process_figure measure(const process_call& call)
{
    const process_figure figure = run_process(call);
    if (!figure.ran)
        report_failure(call, figure.status);
    return figure;
}

bool prepare(const process_call& call)
{
    return measure(call).ran;
}

} // namespace zv::bench
