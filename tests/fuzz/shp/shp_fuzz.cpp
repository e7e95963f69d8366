// Fuzz target of the shapefile reader. The input is a .shx and a .shp in one:
// the first four bytes (little-endian) give the length of the .shx, the rest
// after it is the .shp. Every record is read through the C functions; shapelib
// is the reference for opening: a pair it refuses must not open.
#include "host/zvk_file_shp.h"
#include "kit/scratch_folder.h"

#include <shapefil.h>

#include <algorithm>
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
    if (handle != nullptr)
        SHPClose(handle);
    return handle != nullptr;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const zv::test::scratch_folder folder("zv_shp_fuzz");
    if (size < 4)
        return 0;
    std::uint32_t shx_size = 0;
    std::memcpy(&shx_size, data, 4);
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 4, size - 4);
    const std::size_t shx_bytes = std::min<std::size_t>(shx_size, bytes.size());
    zv::test::write_bytes(folder.file("f.shx"), bytes.substr(0, shx_bytes));
    zv::test::write_bytes(folder.file("f.shp"), bytes.substr(shx_bytes));

    zv_shp_file_t file = zv_shp_file_open_w(zv::test::u16(folder.file("f.shp")).c_str(), true);
    if (file == nullptr)
        return 0;
    if (!shapelib_opens(folder.file("f")))
        std::abort(); // accepted what the reference refuses
    // The parts are copies of what the reader checked (the sanitizers watch
    // the copying); reading them back finds nothing more.
    zv_ov_d2_t parts = zv_ov_d2_create();
    for (std::uint32_t i = 0; i < zv_shp_file_get_no(file) && i < 4096; ++i) {
        zv_shp_record_header header{};
        if (zv_shp_file_get_obj(file, i, &header))
            zv_shp_file_get_polypoint(file, &header, parts);
    }
    zv_ov_d2_destroy(parts);
    zv_shp_file_close(file);
    return 0;
}
