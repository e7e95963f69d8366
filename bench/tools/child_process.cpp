#include "child_process.h"

#include <chrono>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace zv::bench
{

namespace
{

std::string name_of(const std::string& entry)
{
    return entry.substr(0, entry.find('='));
}

bool listed(const std::vector<std::string>& names, const std::string& name)
{
    for (const std::string& n : names)
        if (n == name)
            return true;
    return false;
}

// This process's environment with the call's changes.
std::vector<std::string> child_environment(const process_call& call)
{
    std::vector<std::string> overridden = call.env_unset;
    for (const std::string& entry : call.env_set)
        overridden.push_back(name_of(entry));
    std::vector<std::string> env;
    for (char** e = environ; *e != nullptr; ++e)
        if (!listed(overridden, name_of(*e)))
            env.emplace_back(*e);
    env.insert(env.end(), call.env_set.begin(), call.env_set.end());
    return env;
}

std::vector<char*> pointers(std::vector<std::string>& texts)
{
    std::vector<char*> out;
    for (std::string& t : texts)
        out.push_back(t.data());
    out.push_back(nullptr);
    return out;
}

double seconds_of(const timeval& t)
{
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6;
}

pid_t spawn(const process_call& call)
{
    std::vector<std::string> argv = call.argv;
    std::vector<std::string> env = child_environment(call);
    std::vector<char*> argv_ptrs = pointers(argv);
    std::vector<char*> env_ptrs = pointers(env);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, call.log_path.c_str(),
                                     O_WRONLY | O_CREAT | O_APPEND, 0644);
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    if (!call.folder.empty())
        posix_spawn_file_actions_addchdir_np(&actions, call.folder.c_str());
    pid_t pid = -1;
    if (posix_spawn(&pid, argv_ptrs[0], &actions, nullptr, argv_ptrs.data(), env_ptrs.data()) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

} // namespace

process_figure run_process(const process_call& call)
{
    process_figure figure;
    ::sync();
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = spawn(call);
    if (pid < 0)
        return figure;
    int raw = 0;
    rusage usage{};
    if (::wait4(pid, &raw, 0, &usage) != pid)
        return figure;
    figure.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    figure.cpu_seconds = seconds_of(usage.ru_utime) + seconds_of(usage.ru_stime);
    figure.peak_mib = static_cast<double>(usage.ru_maxrss) / 1024.0; // ru_maxrss is in KiB
    figure.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    figure.ran = figure.status == 0;
    return figure;
}

} // namespace zv::bench
