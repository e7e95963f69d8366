// Fuzz target of the shapefile reader. The input is a .shx and a .shp in
// one: the first four bytes (little-endian) give the length of the .shx
// part, the rest after it is the .shp. Both are written to a private folder
// and read through the C functions, every record and its parts. shapelib
// opens the same files as the reference: a pair it refuses must not open.
#include "host/zvk_file_shp.h"
#include "kit/scratch_folder.h"

#include <shapefil.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace
{

void quiet(const char*) {}

bool shapelib_opens(const std::string& base)
{
    SAHooks hooks;
    SASetupDefaultHooks(&hooks);
    hooks.Error = quiet;
    SHPHandle handle = SHPOpenLL(base.c_str(), "rb", &hooks);
    if (handle == nullptr)
        return false;
    SHPClose(handle);
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const zv::test::scratch_folder folder("zv_shp_fuzz");
    if (size < 4)
        return 0;
    std::uint32_t shx_size = 0;
    std::memcpy(&shx_size, data, 4);
    const std::size_t rest = size - 4;
    const std::size_t shx_bytes = shx_size < rest ? shx_size : rest;
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 4, rest);
    zv::test::write_bytes(folder.file("f.shx"), bytes.substr(0, shx_bytes));
    zv::test::write_bytes(folder.file("f.shp"), bytes.substr(shx_bytes));

    zv_shp_file_t file = zv_shp_file_open_w(zv::test::u16(folder.file("f.shp")).c_str(), true);
    if (file == nullptr)
        return 0;
    if (!shapelib_opens(folder.file("f")))
        std::abort(); // accepted what the reference refuses
    zv_ov_d2_t parts = zv_ov_d2_create();
    const std::uint32_t count = zv_shp_file_get_no(file);
    for (std::uint32_t i = 0; i < count && i < 4096; ++i) {
        zv_shp_record_header header{};
        if (zv_shp_file_get_obj(file, i, &header) && zv_shp_file_get_polypoint(file, &header, parts)) {
            for (std::uint32_t p = 0; p < zv_ov_d2_get_size(parts); ++p) {
                const zv_pv_d2_t part = zv_ov_d2_get_pv_ptr(parts, p);
                const std::uint32_t n = zv_pv_d2_get_size(part);
                if (n > 0)
                    (void)zv_pv_d2_get_vtx(part, n - 1);
            }
        }
    }
    zv_ov_d2_destroy(parts);
    zv_shp_file_close(file);
    return 0;
}
