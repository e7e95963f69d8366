// The exported C functions of zvk_file_shp. Each runs its body through
// guarded(), so nothing is thrown across the C boundary.
#include "host/zvk_file_shp.h"

#include "foundation/guard.h"
#include "foundation/paths.h"
#include "zvk_file_shp/shp_reader.h"

#include <memory>

struct zv_shp_file {
    zv::zvk_file_shp::reader reader;
};

using zv::foundation::guarded;

extern "C" {

ZV_HOST_API zv_shp_file_t zv_shp_file_open_w(const char16_t* path, bool read_only)
{
    return guarded<zv_shp_file_t>(nullptr, [&]() -> zv_shp_file_t {
        if (path == nullptr || !read_only) {
            return nullptr;
        }
        const auto native = zv::foundation::native_path(path);
        auto file = std::make_unique<zv_shp_file>();
        return native && file->reader.open(*native) ? file.release() : nullptr;
    });
}

ZV_HOST_API void zv_shp_file_close(zv_shp_file_t file)
{
    delete file;
}

ZV_HOST_API int32_t zv_shp_file_get_type(zv_shp_file_t file)
{
    return file != nullptr ? file->reader.shape_type() : -1;
}

ZV_HOST_API uint32_t zv_shp_file_get_no(zv_shp_file_t file)
{
    return file != nullptr ? file->reader.count() : 0;
}

ZV_HOST_API bool zv_shp_file_get_obj(zv_shp_file_t file, uint32_t index, zv_shp_record_header* header)
{
    return guarded(false, [&] {
        if (file == nullptr || header == nullptr || !file->reader.read(index)) {
            return false;
        }
        *header = file->reader.last().header;
        return true;
    });
}

ZV_HOST_API bool zv_shp_file_get_polypoint(zv_shp_file_t file, const zv_shp_record_header* header,
                                           zv_ov_d2_t vector)
{
    return guarded(false, [&] {
        if (vector == nullptr) {
            return false;
        }
        zv_ov_d2_clear(vector);
        if (file == nullptr || header == nullptr) {
            return false;
        }
        auto& reader = file->reader;
        if (!reader.has_record(header->index) && !reader.read(header->index)) {
            return false;
        }
        const zv::zvk_file_shp::record& rec = reader.last();
        if (rec.header.shape_type == ZV_SHP_NULL) {
            return false;
        }
        const std::size_t parts = rec.starts.size();
        for (std::size_t i = 0; i < parts; ++i) {
            const std::uint32_t begin = rec.starts[i];
            const std::uint32_t end =
                i + 1 < parts ? rec.starts[i + 1] : static_cast<std::uint32_t>(rec.vertices.size());
            if (zv_ov_d2_add_part(vector, rec.vertices.data() + begin, end - begin) == 0) {
                zv_ov_d2_clear(vector);
                return false;
            }
        }
        return true;
    });
}

} // extern "C"
