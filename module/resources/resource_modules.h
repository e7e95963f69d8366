// The modules whose resources the string and bitmap lookups read: the
// module's own, and the host's basic library zvk_basic.
#pragma once

#include "platform/module_resources.h"

namespace zv::resource
{

// The module's own handle, asked once: it does not change while the module
// is loaded.
platform::module_handle own_module();

// zvk_basic's handle when it is loaded, else null. Never loads it.
platform::module_handle basic_library();

} // namespace zv::resource
