#include "platform/library_loader.h"

#include <dlfcn.h>

#include <utility>

namespace zv::hostapp::platform
{

bool library::open(const std::string& path, std::string& error)
{
    close();
    // A path without a slash would make the loader search the library path;
    // the host loads exactly the file it was given.
    std::string file = path.find('/') == std::string::npos ? "./" + path : path;
    handle_ = ::dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle_ == nullptr) {
        const char* why = ::dlerror();
        error = why != nullptr ? why : "cannot load " + path;
        return false;
    }
    return true;
}

void* library::symbol(const char* name) const noexcept
{
    return handle_ != nullptr ? ::dlsym(handle_, name) : nullptr;
}

void library::close() noexcept
{
    if (handle_ != nullptr)
        ::dlclose(std::exchange(handle_, nullptr));
}

std::string library_file_name(std::string_view name)
{
    return "lib" + std::string(name) + ".so";
}

std::string library_folder_beside_programs()
{
    return "../lib/";
}

} // namespace zv::hostapp::platform
