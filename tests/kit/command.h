// Running a process as a user would, through the shell (cmd.exe on
// Windows): zvhost, python3 with the independent readers, PROJ's and zlib's
// tools. Standard output and the exit status come back; standard error is
// the caller's to redirect (to null_device to drop it).
#pragma once

#include "kit/scratch_folder.h"

#if !defined(_WIN32)
#include <sys/wait.h>
#endif

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

#if defined(_WIN32)
inline constexpr const char* null_device = "NUL";
// The independent readers are Linux programs, which a Windows program run
// by Wine cannot run and wait for.
inline constexpr bool can_run_linux_readers = false;
#else
inline constexpr const char* null_device = "/dev/null";
inline constexpr bool can_run_linux_readers = true;
#endif

// A program of the build (zvhost, pgrid) as a command word.
inline std::string program(const std::string& name)
{
#if defined(_WIN32)
    return std::string(ZV_BIN_DIR) + "/" + name + ".exe";
#else
    return std::string(ZV_BIN_DIR) + "/" + name;
#endif
}

// The file of a shared library of the build, by its name without prefix or
// suffix ("zv_geotools").
inline std::string shared_library(const std::string& name)
{
#if defined(_WIN32)
    return std::string(ZV_BIN_DIR) + "/" + name + ".dll";
#else
    return std::string(ZV_LIB_DIR) + "/lib" + name + ".so";
#endif
}

inline command_result run_command(const std::string& command)
{
    command_result result;
#if defined(_WIN32)
    // cmd /c drops the outermost quotes of a command line that starts with one.
    // The command line goes to the system as UTF-16, so paths keep any letter.
    const std::u16string line = zv::foundation::to_utf16("\"" + command + "\"");
    FILE* pipe = ::_wpopen(reinterpret_cast<const wchar_t*>(line.c_str()), L"rb");
#else
    FILE* pipe = ::popen(command.c_str(), "r");
#endif
    if (pipe == nullptr)
        return result;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        result.output.append(buffer, n);
#if defined(_WIN32)
    result.status = ::_pclose(pipe);
#else
    const int raw = ::pclose(pipe);
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
#endif
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

// One shell word, whatever the text holds (on Windows: any text without a
// double quote, which no path has there).
inline std::string quoted(const std::string& text)
{
#if defined(_WIN32)
    return "\"" + text + "\"";
#else
    std::string out = "'";
    for (const char c : text)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
#endif
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
