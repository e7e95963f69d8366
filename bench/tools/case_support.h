// The programs and scripts that the cases run, and how they run them.
#pragma once

#include "child_process.h"
#include "tool_cases.h"

#include <string>
#include <vector>

namespace zv::bench
{

// The TEMP of every measured process (--temp, or temp/ in the scratch
// folder), made when first asked for.
std::string temp_folder(const case_setting& setting);

// `python3 bench/tools/SCRIPT ARGS...` with Debian's Python, which has
// pyshp, pyproj, openpyxl and numpy. OpenBLAS's processor override, which
// slows a current numpy here, is left out of its environment; it writes
// no bytecode caches beside the scripts.
process_call python_call(const case_setting& setting, const std::string& script,
                         const std::vector<std::string>& args);

// `zvhost --lang en run TOOL --set S...` from the scratch folder, with the
// scratch folder's temp/ as TEMP and UTF-8 as the ANSI code page.
process_call zvhost_run(const case_setting& setting, const std::string& tool,
                        const std::vector<std::string>& settings);

// `zv_bench_tools --phases-of FOLDER TEMP`, with the scratch folder's temp/.
process_call phases_call(const case_setting& setting, const std::string& folder);

// `pgrid ARGS...`
process_call pgrid_call(const case_setting& setting, const std::vector<std::string>& args);

// Runs a measured call; on failure prints what failed and the end of its
// output to standard error.
process_figure measure(const process_call& call);

// The same for a call that prepares or checks data: true when it succeeded.
bool prepare(const process_call& call);

} // namespace zv::bench
