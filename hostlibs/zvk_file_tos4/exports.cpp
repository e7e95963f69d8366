// The C functions of zvk_file_tos4. Nothing is thrown across them: each body
// runs under a guard that turns an exception into the failure result.
#include "pgrid_file.h"

#include "foundation/guard.h"
#include "foundation/paths.h"
#include "host/zvk_file_tos4.h"
#include "zvk_basic/adapter_text.h"

struct zv_tos4_file {
    std::unique_ptr<zv::zvk_file_tos4::pgrid_file> file;
};

struct zv_tos4_prop {
    zv::zvk_file_tos4::pgrid_file* file;
    std::size_t index;
};

namespace
{

using zv::foundation::guarded;

const zv::zvk_file_tos4::property_info* property_at(zv_tos4_file_t file, uint32_t property)
{
    if (file == nullptr || property >= file->file->info().properties.size()) {
        return nullptr;
    }
    return &file->file->info().properties[property];
}

} // namespace

extern "C" {

ZV_HOST_API zv_tos4_file_t zv_tos4_file_open_w(const char16_t* path, int mode)
{
    if (path == nullptr || (mode != ZV_TOS4_OPEN_WRITE && mode != ZV_TOS4_OPEN_LIST)) {
        return nullptr;
    }
    return guarded<zv_tos4_file_t>(nullptr, [&]() -> zv_tos4_file_t {
        auto file = zv::zvk_file_tos4::pgrid_file::open(zv::foundation::native_path_or_empty(path),
                                                        mode == ZV_TOS4_OPEN_WRITE);
        return file ? new zv_tos4_file{std::move(file)} : nullptr;
    });
}

ZV_HOST_API void zv_tos4_file_close(zv_tos4_file_t file)
{
    delete file;
}

ZV_HOST_API uint32_t zv_tos4_get_prop_count(zv_tos4_file_t file)
{
    return file == nullptr ? 0u : static_cast<uint32_t>(file->file->info().properties.size());
}

ZV_HOST_API bool zv_tos4_get_prop_name_w(zv_tos4_file_t file, uint32_t property, zv_string_adp_t adapter)
{
    const auto* info = property_at(file, property);
    return info != nullptr && guarded(false, [&] { return zv::zvk_basic::assign_utf8(adapter, info->name); });
}

// A property without a caption is shown by its name: lists of properties
// would otherwise hold blank items.
ZV_HOST_API bool zv_tos4_get_prop_caption_w(zv_tos4_file_t file, uint32_t property, zv_string_adp_t adapter)
{
    const auto* info = property_at(file, property);
    return info != nullptr && guarded(false, [&] {
               return zv::zvk_basic::assign_utf8(adapter, info->caption.empty() ? info->name : info->caption);
           });
}

ZV_HOST_API int32_t zv_tos4_get_index_by_name_w(zv_tos4_file_t file, const char16_t* name)
{
    if (file == nullptr || name == nullptr) {
        return -1;
    }
    return guarded<int32_t>(
        -1, [&] { return static_cast<int32_t>(file->file->find(zv::foundation::to_utf8(name))); });
}

ZV_HOST_API zv_tos4_prop_t zv_tos4_prop_open(zv_tos4_file_t file, int32_t index)
{
    if (index < 0 || property_at(file, static_cast<uint32_t>(index)) == nullptr) {
        return nullptr;
    }
    return guarded<zv_tos4_prop_t>(nullptr, [&] {
        return new zv_tos4_prop{file->file.get(), static_cast<std::size_t>(index)};
    });
}

ZV_HOST_API void zv_tos4_prop_close(zv_tos4_prop_t property)
{
    delete property;
}

ZV_HOST_API uint64_t zv_tos4_get_object_count_64(zv_tos4_file_t file)
{
    return file == nullptr ? 0u : file->file->info().object_count;
}

ZV_HOST_API uint64_t zv_tos4_prop_read_64(zv_tos4_prop_t property, uint64_t first, uint64_t count,
                                          float* buffer, uint64_t buffer_count, bool keep_nodata,
                                          uint32_t options)
{
    if (property == nullptr || options != 0 || count > buffer_count || (buffer == nullptr && count > 0)) {
        return 0;
    }
    return guarded<uint64_t>(0, [&]() -> uint64_t {
        return property->file->read_floats(property->index, first, count, buffer, keep_nodata) ? count : 0;
    });
}

ZV_HOST_API uint64_t zv_tos4_prop_write_64(zv_tos4_prop_t property, uint64_t first, const float* buffer,
                                           uint64_t count, bool /*keep_nodata*/, uint32_t options)
{
    if (property == nullptr || options != 0 || (buffer == nullptr && count > 0)) {
        return 0;
    }
    return guarded<uint64_t>(0, [&]() -> uint64_t {
        return property->file->write_floats(property->index, first, buffer, count) ? count : 0;
    });
}

} // extern "C"
