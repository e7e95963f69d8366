// The exported C functions: each checks its handles and runs its body inside
// guarded(), so that no exception leaves the library.
#include "host/zvk_gc64lib.h"

#include "foundation/guard.h"
#include "foundation/paths.h"
#include "geom_table.h"
#include "polygon_ops.h"
#include "table_load.h"
#include "table_save.h"

#include <new>
#include <optional>
#include <string>

struct zv_gc_geom_table {
    zv::zvk_gc64lib::geom_table table;
};

using zv::foundation::guarded;

namespace
{

// The native form of a path from the module; nullopt for a null or empty
// path or one that is not well-formed UTF-16.
std::optional<std::string> native(const char16_t* path)
{
    if (path == nullptr || *path == 0)
        return std::nullopt;
    return zv::foundation::native_path(path);
}

} // namespace

extern "C" {

ZV_HOST_API zv_gc_geom_table_t zv_gc_geom_table_create(void)
{
    return new (std::nothrow) zv_gc_geom_table{};
}

ZV_HOST_API void zv_gc_obj_destroy(void* object)
{
    // Geometry tables are the only objects this library hands out.
    delete static_cast<zv_gc_geom_table*>(object);
}

ZV_HOST_API bool zv_gc_geom_table_load_shp(zv_gc_geom_table_t table, const char16_t* path)
{
    if (table == nullptr)
        return false;
    const bool ok = guarded(false, [&] {
        const auto narrow = native(path);
        return narrow && zv::zvk_gc64lib::load_table(*narrow, table->table);
    });
    if (!ok)
        table->table.clear();
    return ok;
}

ZV_HOST_API bool zv_gc_geom_table_save_shp(zv_gc_geom_table_t table, const char16_t* path)
{
    if (table == nullptr)
        return false;
    return guarded(false, [&] {
        const auto narrow = native(path);
        return narrow && zv::zvk_gc64lib::save_table(table->table, *narrow);
    });
}

ZV_HOST_API bool zv_gc_geom_table_split_parts(zv_gc_geom_table_t source, zv_gc_geom_table_t target)
{
    if (source == nullptr || target == nullptr)
        return false;
    return guarded(false, [&] {
        zv::zvk_gc64lib::split_parts(source->table, target->table);
        return true;
    });
}

ZV_HOST_API bool zv_gc_geom_table_pgn_oriented_ls_axes2d(zv_gc_geom_table_t polygons,
                                                         zv_gc_geom_table_t long_axes,
                                                         zv_gc_geom_table_t short_axes)
{
    if (polygons == nullptr || long_axes == nullptr || short_axes == nullptr)
        return false;
    if (long_axes == short_axes)
        return false;
    return guarded(false, [&] {
        zv::zvk_gc64lib::make_axes(polygons->table, long_axes->table, short_axes->table);
        return true;
    });
}

ZV_HOST_API bool zv_gc_geom_table_pgn_oriented_rect2d(zv_gc_geom_table_t polygons,
                                                      zv_gc_geom_table_t rectangles)
{
    if (polygons == nullptr || rectangles == nullptr)
        return false;
    return guarded(false, [&] {
        zv::zvk_gc64lib::make_rectangles(polygons->table, rectangles->table);
        return true;
    });
}

ZV_HOST_API uint32_t zv_gc_geom_table_get_size(zv_gc_geom_table_t table)
{
    if (table == nullptr)
        return 0;
    return static_cast<uint32_t>(table->table.objects.size());
}

} // extern "C"
