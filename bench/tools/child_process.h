// One program run as a whole process, timed from the outside: wall clock,
// processor time and peak resident memory as the kernel counts them for
// that child alone (wait4). The kernel carries the spawning process's peak
// over into the child's at exec, so the spawning process must stay small.
#pragma once

#include <string>
#include <vector>

namespace zv::bench
{

struct process_figure {
    bool ran = false; // started and exited with status 0
    int status = -1;  // exit status; -1 when it could not start or was killed
    double seconds = 0;
    double cpu_seconds = 0; // user and system
    double peak_mib = 0;
};

struct process_call {
    std::vector<std::string> argv;
    // NAME=VALUE entries added to (or replacing) this process's environment.
    std::vector<std::string> env_set;
    // Names left out of the child's environment.
    std::vector<std::string> env_unset;
    std::string folder;   // working folder of the child
    std::string log_path; // standard output and error go here
};

// Runs the call to its end. Dirty pages of earlier runs are flushed first,
// so that their write-back does not land in this run's time.
process_figure run_process(const process_call& call);

} // namespace zv::bench
