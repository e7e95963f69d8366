// The operating system's loader, as the host application uses it to load a
// module by path and find its entry.
#pragma once

#include <string>
#include <string_view>
#include <utility>

namespace zv::hostapp::platform
{

// An opened library; closes it when destroyed.
class library
{
  public:
    library() = default;
    library(const library&) = delete;
    library& operator=(const library&) = delete;
    library(library&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    library& operator=(library&& other) noexcept
    {
        if (this != &other) {
            close();
            handle_ = std::exchange(other.handle_, nullptr);
        }
        return *this;
    }
    ~library() { close(); }

    // Loads the library at `path`. On failure returns false and sets `error`
    // to the loader's explanation.
    bool open(const std::string& path, std::string& error);
    // The address of an exported symbol, or null.
    void* symbol(const char* name) const noexcept;
    bool is_open() const noexcept { return handle_ != nullptr; }
    void close() noexcept;

  private:
    void* handle_ = nullptr;
};

// The file name of the shared library called `name` on this system
// ("libname.so", "name.dll").
std::string library_file_name(std::string_view name);

// Where the build puts shared libraries, relative to the folder of its
// programs: "../lib/" on POSIX (found through run paths), "" on Windows,
// where every DLL sits beside the programs.
std::string library_folder_beside_programs();

} // namespace zv::hostapp::platform
