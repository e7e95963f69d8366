#include "shapelib_io.h"

#include <cstdio>

namespace zv::gc {
namespace {

thread_local bool g_io_failed = false;

std::FILE* as_file(SAFile f)
{
    return reinterpret_cast<std::FILE*>(f);
}

SAOffset checked_write(void* p, SAOffset size, SAOffset nmemb, SAFile file)
{
    const std::size_t done = std::fwrite(p, size, nmemb, as_file(file));
    if (done != nmemb) g_io_failed = true;
    return done;
}

// A seek flushes the buffer, and a failed flush shows only here.
SAOffset checked_seek(SAFile file, SAOffset offset, int whence)
{
    const int rc = std::fseek(as_file(file), static_cast<long>(offset), whence);
    if (rc != 0) g_io_failed = true;
    return static_cast<SAOffset>(rc);
}

int checked_flush(SAFile file)
{
    const int rc = std::fflush(as_file(file));
    if (rc != 0) g_io_failed = true;
    return rc;
}

int checked_close(SAFile file)
{
    if (std::ferror(as_file(file))) g_io_failed = true;
    const int rc = std::fclose(as_file(file));
    if (rc != 0) g_io_failed = true;
    return rc;
}

void silent_error(const char*) {}

SAHooks make_hooks()
{
    SAHooks hooks;
    SASetupDefaultHooks(&hooks);
    hooks.FWrite = checked_write;
    hooks.FSeek = checked_seek;
    hooks.FFlush = checked_flush;
    hooks.FClose = checked_close;
    hooks.Error = silent_error;
    return hooks;
}

}  // namespace

shape_kind kind_of_shape_type(int shp_type)
{
    switch (shp_type) {
    case SHPT_POINT: case SHPT_POINTZ: case SHPT_POINTM: return shape_kind::point;
    case SHPT_ARC: case SHPT_ARCZ: case SHPT_ARCM: return shape_kind::line;
    case SHPT_POLYGON: case SHPT_POLYGONZ: case SHPT_POLYGONM: return shape_kind::polygon;
    case SHPT_MULTIPOINT: case SHPT_MULTIPOINTZ: case SHPT_MULTIPOINTM:
        return shape_kind::multipoint;
    case SHPT_MULTIPATCH: return shape_kind::multipatch;
    default: return shape_kind::null;
    }
}

int shape_type_of_kind(shape_kind kind)
{
    switch (kind) {
    case shape_kind::point: return SHPT_POINT;
    case shape_kind::line: return SHPT_ARC;
    case shape_kind::polygon: return SHPT_POLYGON;
    case shape_kind::multipoint: return SHPT_MULTIPOINT;
    case shape_kind::multipatch: return SHPT_MULTIPATCH;
    case shape_kind::null: break;
    }
    return SHPT_NULL;
}

SAHooks* quiet_hooks()
{
    // shapelib copies the hooks into each handle; one instance serves all.
    static SAHooks hooks = make_hooks();
    return &hooks;
}

void reset_io_failure()
{
    g_io_failed = false;
}

bool io_failed()
{
    return g_io_failed;
}

}  // namespace zv::gc
