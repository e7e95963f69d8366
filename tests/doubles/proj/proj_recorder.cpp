// Records PROJ's answers for the Windows test double (proj_replay.cpp):
// preloaded into a Linux test run (LD_PRELOAD), each of these functions
// calls the real one (the next definition in the loader's order), names the
// objects it makes by how they were made, and appends every answer to the
// file that ZV_PROJ_RECORD names. scripts/record-proj-answers.sh uses it.
#include "proj_answers.h"

#include <dlfcn.h>

#include <proj.h>

#include <geodesic.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <mutex>
#include <string>

namespace
{

namespace pd = zv::proj_double;

#define ZV_TEXT(x) #x
#define ZV_SYMBOL(x) ZV_TEXT(x)
// The real definition of a function (PROJ may rename its symbols).
#define ZV_REAL(fn) reinterpret_cast<decltype(&fn)>(real_symbol(ZV_SYMBOL(fn)))

void* real_symbol(const char* name)
{
    void* found = ::dlsym(RTLD_NEXT, name);
    if (found == nullptr) {
        std::fprintf(stderr, "PROJ recorder: %s not found\n", name);
        std::abort();
    }
    return found;
}

std::mutex lock;
std::map<const PJ*, std::string> names; // the objects alive, by how they were made

void record(const std::string& call, const std::string& question, const std::string& answer)
{
    static std::FILE* out = [] {
        const char* path = std::getenv("ZV_PROJ_RECORD");
        return path != nullptr ? std::fopen(path, "ab") : nullptr;
    }();
    if (out == nullptr)
        return;
    const std::string line = pd::answer_line(call, question, answer);
    std::fwrite(line.data(), 1, line.size(), out);
    std::fflush(out);
}

std::string name_of(const PJ* object)
{
    if (object == nullptr)
        return "null";
    const auto found = names.find(object);
    return found != names.end() ? found->second : "unnamed";
}

// Records whether `call` made an object from `from`, and names it.
PJ* made(const char* call, const std::string& from, PJ* object)
{
    const std::lock_guard<std::mutex> held(lock);
    record(call, from, object != nullptr ? "ok" : "null");
    if (object != nullptr)
        names[object] = pd::made(call, from);
    return object;
}

} // namespace

extern "C" {

PJ* proj_create(PJ_CONTEXT* ctx, const char* definition)
{
    PJ* object = ZV_REAL(proj_create)(ctx, definition);
    return definition != nullptr ? made("create", definition, object) : object;
}

PJ* proj_destroy(PJ* object)
{
    {
        const std::lock_guard<std::mutex> held(lock);
        names.erase(object);
    }
    return ZV_REAL(proj_destroy)(object);
}

int proj_is_crs(const PJ* object)
{
    const int answer = ZV_REAL(proj_is_crs)(object);
    const std::lock_guard<std::mutex> held(lock);
    record("is_crs", name_of(object), std::to_string(answer));
    return answer;
}

PJ_TYPE proj_get_type(const PJ* object)
{
    const PJ_TYPE answer = ZV_REAL(proj_get_type)(object);
    const std::lock_guard<std::mutex> held(lock);
    record("type", name_of(object), std::to_string(answer));
    return answer;
}

PJ* proj_get_source_crs(PJ_CONTEXT* ctx, const PJ* object)
{
    return made("source_crs", name_of(object), ZV_REAL(proj_get_source_crs)(ctx, object));
}

PJ* proj_crs_get_geodetic_crs(PJ_CONTEXT* ctx, const PJ* crs)
{
    return made("geodetic_crs", name_of(crs), ZV_REAL(proj_crs_get_geodetic_crs)(ctx, crs));
}

PJ* proj_get_ellipsoid(PJ_CONTEXT* ctx, const PJ* object)
{
    return made("ellipsoid", name_of(object), ZV_REAL(proj_get_ellipsoid)(ctx, object));
}

PJ* proj_normalize_for_visualization(PJ_CONTEXT* ctx, const PJ* object)
{
    return made("normalize", name_of(object), ZV_REAL(proj_normalize_for_visualization)(ctx, object));
}

PJ* proj_create_crs_to_crs_from_pj(PJ_CONTEXT* ctx, const PJ* source, const PJ* target, PJ_AREA* area,
                                   const char* const* options)
{
    PJ* object = ZV_REAL(proj_create_crs_to_crs_from_pj)(ctx, source, target, area, options);
    return made("crs_to_crs", name_of(source) + "," + name_of(target), object);
}

int proj_ellipsoid_get_parameters(PJ_CONTEXT* ctx, const PJ* ellipsoid, double* semi_major,
                                  double* semi_minor, int* minor_computed, double* inverse_flattening)
{
    double a = 0, b = 0, inverse = 0;
    int computed = 0;
    const int ok = ZV_REAL(proj_ellipsoid_get_parameters)(ctx, ellipsoid, &a, &b, &computed, &inverse);
    if (semi_major != nullptr)
        *semi_major = a;
    if (semi_minor != nullptr)
        *semi_minor = b;
    if (minor_computed != nullptr)
        *minor_computed = computed;
    if (inverse_flattening != nullptr)
        *inverse_flattening = inverse;
    const std::lock_guard<std::mutex> held(lock);
    record("ellipsoid_parameters", name_of(ellipsoid),
           std::to_string(ok) + " " + pd::exact(a) + " " + pd::exact(b) + " " + std::to_string(computed) +
               " " + pd::exact(inverse));
    return ok;
}

const char* proj_as_proj_string(PJ_CONTEXT* ctx, const PJ* object, PJ_PROJ_STRING_TYPE type,
                                const char* const* options)
{
    const char* text = ZV_REAL(proj_as_proj_string)(ctx, object, type, options);
    const std::lock_guard<std::mutex> held(lock);
    record("proj_string", name_of(object) + "|" + std::to_string(type),
           text != nullptr ? "=" + std::string(text) : "null");
    return text;
}

PJ_COORD proj_trans(PJ* object, PJ_DIRECTION direction, PJ_COORD coord)
{
    std::string question;
    {
        const std::lock_guard<std::mutex> held(lock);
        question = name_of(object) + "|" + std::to_string(direction);
    }
    for (const double v : coord.v)
        question += "|" + pd::exact(v);
    const PJ_COORD out = ZV_REAL(proj_trans)(object, direction, coord);
    std::string answer;
    for (const double v : out.v)
        answer += (answer.empty() ? "" : " ") + pd::exact(v);
    const std::lock_guard<std::mutex> held(lock);
    record("trans", question, answer);
    return out;
}

void geod_inverse(const struct geod_geodesic* g, double lat1, double lon1, double lat2, double lon2,
                  double* ps12, double* pazi1, double* pazi2)
{
    double s12 = 0, azi1 = 0, azi2 = 0;
    ZV_REAL(geod_inverse)(g, lat1, lon1, lat2, lon2, &s12, &azi1, &azi2);
    if (ps12 != nullptr)
        *ps12 = s12;
    if (pazi1 != nullptr)
        *pazi1 = azi1;
    if (pazi2 != nullptr)
        *pazi2 = azi2;
    std::string question = pd::exact(g->a) + "|" + pd::exact(g->f);
    for (const double v : {lat1, lon1, lat2, lon2})
        question += "|" + pd::exact(v);
    const std::lock_guard<std::mutex> held(lock);
    record("geod_inverse", question, pd::exact(s12) + " " + pd::exact(azi1) + " " + pd::exact(azi2));
}

} // extern "C"
