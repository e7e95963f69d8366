// Running a process as a user would, through the shell: zvhost, python3 with
// the independent readers, PROJ's and zlib's tools. Standard output and the
// exit status come back; standard error is the caller's to redirect.
#pragma once

#include "kit/scratch_folder.h"

#include <sys/wait.h>

#include <cstdio>
#include <string>
#include <vector>

namespace zv::test
{

struct command_result {
    int status = -1; // exit status; -1 when the command could not run or was killed
    std::string output;
    bool ok() const { return status == 0; }
};

inline command_result run_command(const std::string& command)
{
    command_result result;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr)
        return result;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        result.output.append(buffer, n);
    const int raw = ::pclose(pipe);
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return result;
}

// One shell word, whatever the text holds.
inline std::string quoted(const std::string& text);

// Runs a command with `input` as its standard input.
inline command_result run_command(const std::string& command, const std::string& input)
{
    const scratch_folder folder("zv_input");
    write_bytes(folder / "input.txt", input);
    return run_command(command + " < " + quoted(folder.file("input.txt")));
}

// One shell word, whatever the text holds.
inline std::string quoted(const std::string& text)
{
    std::string out = "'";
    for (const char c : text)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

// Runs a Python script (Debian's python3, with zipfile, openpyxl and pyshp)
// with arguments. The script lives in a folder of its own, so it never shows
// up among the files a test looks at; standard error joins the output.
inline command_result run_python(const std::string& script, const std::vector<std::string>& args = {})
{
    const scratch_folder folder("zv_script");
    write_bytes(folder / "script.py", script);
    std::string command = quoted(ZV_PYTHON) + " " + quoted(folder.file("script.py"));
    for (const auto& a : args)
        command += " " + quoted(a);
    return run_command(command + " 2>&1");
}

// What independent readers see in a workbook (tests/data/xlsx/read_workbook.py):
// one fact per line, or with an entry name the bytes of that entry.
inline std::string read_workbook(const std::filesystem::path& workbook, const std::string& entry = "")
{
    const std::string script = read_bytes(std::filesystem::path(ZV_TEST_DATA) / "xlsx" / "read_workbook.py");
    return run_python(script, {workbook.string(), entry}).output;
}

// The lines of a text, without their line ends.
inline std::vector<std::string> lines_of(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

} // namespace zv::test
