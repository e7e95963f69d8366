#include "resources/resource_modules.h"

namespace zv::resource
{

platform::module_handle own_module()
{
    static const platform::module_handle handle = platform::own_module();
    return handle;
}

platform::module_handle basic_library()
{
    return platform::loaded_module("zvk_basic");
}

} // namespace zv::resource
