// The exported C functions of zvk_io.
#include "xml_quote.h"

#include "foundation/guard.h"
#include "host/zvk_io.h"

#include <string>

extern "C" ZV_HOST_API bool zv_xml_quote_string(const char16_t* text, zv_string_adp_t adapter)
{
    return zv::foundation::guarded(false, [&] {
        // The quoted text is built in a string of its own before delivery, so
        // an adapter bound to the string behind text sees only the result;
        // the string is kept for the next call, which then allocates nothing.
        thread_local std::u16string quoted;
        zv::zvk_io::xml_quote(text == nullptr ? u"" : text, quoted);
        zv_string_adp_assign_w(adapter, quoted.c_str());
        return true;
    });
}
