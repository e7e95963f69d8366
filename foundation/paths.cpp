#include "foundation/paths.h"

namespace zv::foundation
{

std::string native_path_or_empty(const char16_t* path)
{
    return path == nullptr ? std::string() : native_path(path).value_or(std::string());
}

} // namespace zv::foundation
