#include "shapelib_io.h"

#include <cstdio>
#include <new>

namespace zv::gc
{
namespace
{

thread_local bool g_io_failed = false;

// Large enough to batch many records per system call, small enough that the
// C library's refill of the buffer after a real seek stays cheap.
constexpr std::size_t stream_buffer_bytes = 64 << 10;

// A C stream with a large buffer and its position kept here. shapelib seeks
// before every record it reads or writes; a real seek to where the stream
// already is would flush the buffer, a system call or two per record.
struct tracked_file {
    enum class direction { none, reading, writing };
    std::FILE* stream = nullptr;
    char* buffer = nullptr;
    SAOffset position = 0;
    direction last = direction::none;

    // C streams need a seek between reading and writing.
    void turn_to(direction next)
    {
        if (last != direction::none && last != next)
            std::fseek(stream, 0, SEEK_CUR);
        last = next;
    }
    void resync() { position = static_cast<SAOffset>(std::ftell(stream)); }
};

tracked_file* as_tracked(SAFile f)
{
    return reinterpret_cast<tracked_file*>(f);
}

SAFile open_tracked(const char* name, const char* mode)
{
    auto* f = new (std::nothrow) tracked_file;
    if (f == nullptr)
        return nullptr;
    f->stream = std::fopen(name, mode);
    if (f->stream == nullptr) {
        delete f;
        return nullptr;
    }
    f->buffer = new (std::nothrow) char[stream_buffer_bytes];
    if (f->buffer != nullptr)
        std::setvbuf(f->stream, f->buffer, _IOFBF, stream_buffer_bytes);
    return reinterpret_cast<SAFile>(f);
}

SAOffset tracked_read(void* p, SAOffset size, SAOffset nmemb, SAFile file)
{
    tracked_file* f = as_tracked(file);
    f->turn_to(tracked_file::direction::reading);
    const std::size_t done = std::fread(p, size, nmemb, f->stream);
    if (done == nmemb)
        f->position += done * size;
    else
        f->resync();
    return done;
}

SAOffset tracked_write(void* p, SAOffset size, SAOffset nmemb, SAFile file)
{
    tracked_file* f = as_tracked(file);
    f->turn_to(tracked_file::direction::writing);
    const std::size_t done = std::fwrite(p, size, nmemb, f->stream);
    if (done == nmemb) {
        f->position += done * size;
    } else {
        g_io_failed = true;
        f->resync();
    }
    return done;
}

// A real seek flushes the buffer, and a failed flush shows only here.
SAOffset tracked_seek(SAFile file, SAOffset offset, int whence)
{
    tracked_file* f = as_tracked(file);
    if (whence == SEEK_SET && offset == f->position)
        return 0;
    const int rc = std::fseek(f->stream, static_cast<long>(offset), whence);
    if (rc != 0)
        g_io_failed = true;
    f->resync();
    f->last = tracked_file::direction::none;
    return static_cast<SAOffset>(rc);
}

SAOffset tracked_tell(SAFile file)
{
    return as_tracked(file)->position;
}

int tracked_flush(SAFile file)
{
    const int rc = std::fflush(as_tracked(file)->stream);
    if (rc != 0)
        g_io_failed = true;
    return rc;
}

int tracked_close(SAFile file)
{
    tracked_file* f = as_tracked(file);
    if (std::ferror(f->stream))
        g_io_failed = true;
    const int rc = std::fclose(f->stream);
    if (rc != 0)
        g_io_failed = true;
    delete[] f->buffer;
    delete f;
    return rc;
}

void silent_error(const char*) {}

SAHooks make_hooks()
{
    SAHooks hooks;
    SASetupDefaultHooks(&hooks);
    hooks.FOpen = open_tracked;
    hooks.FRead = tracked_read;
    hooks.FWrite = tracked_write;
    hooks.FSeek = tracked_seek;
    hooks.FTell = tracked_tell;
    hooks.FFlush = tracked_flush;
    hooks.FClose = tracked_close;
    hooks.Error = silent_error;
    return hooks;
}

} // namespace

shape_kind kind_of_shape_type(int shp_type)
{
    switch (shp_type) {
    case SHPT_POINT:
    case SHPT_POINTZ:
    case SHPT_POINTM:
        return shape_kind::point;
    case SHPT_ARC:
    case SHPT_ARCZ:
    case SHPT_ARCM:
        return shape_kind::line;
    case SHPT_POLYGON:
    case SHPT_POLYGONZ:
    case SHPT_POLYGONM:
        return shape_kind::polygon;
    case SHPT_MULTIPOINT:
    case SHPT_MULTIPOINTZ:
    case SHPT_MULTIPOINTM:
        return shape_kind::multipoint;
    case SHPT_MULTIPATCH:
        return shape_kind::multipatch;
    default:
        return shape_kind::null;
    }
}

int shape_type_of_kind(shape_kind kind)
{
    switch (kind) {
    case shape_kind::point:
        return SHPT_POINT;
    case shape_kind::line:
        return SHPT_ARC;
    case shape_kind::polygon:
        return SHPT_POLYGON;
    case shape_kind::multipoint:
        return SHPT_MULTIPOINT;
    case shape_kind::multipatch:
        return SHPT_MULTIPATCH;
    case shape_kind::null:
        break;
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

} // namespace zv::gc
