// Prints the PROJ.4 definition that the projection library derives for a data
// file (its .prj, bound to WGS84 where it has no shift of its own), so the
// end-to-end tests can give cs2cs exactly what the tools work with.
#include <cstdio>
#include <string>

#include "foundation/utf.h"
#include "host/zvk_basic.h"
#include "host/zvk_proj4_d2.h"

namespace
{

void take_wide(const char16_t* text, void* context)
{
    *static_cast<std::u16string*>(context) = text ? text : u"";
}

void take_narrow(const char* text, void* context)
{
    *static_cast<std::u16string*>(context) = zv::foundation::to_utf16(text ? text : "");
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("usage: prj_definition DATA_FILE\n", stderr);
        return 2;
    }
    std::u16string definition;
    zv_string_adp_t adapter = zv_string_adp_create(&take_narrow, &take_wide, &definition);
    const std::u16string path = zv::foundation::to_utf16(argv[1]);
    const bool found = zv_pj4_load_ex(path.c_str(), adapter);
    zv_string_adp_destroy(adapter);
    std::printf("%s\n", zv::foundation::to_utf8(definition).c_str());
    return found ? 0 : 1;
}
