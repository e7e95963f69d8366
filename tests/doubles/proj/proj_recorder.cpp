// Records PROJ's answers for the Windows test double (proj_replay.cpp):
// preloaded into a Linux test run (LD_PRELOAD), each of these functions
// calls the real one, names the objects it makes by how they were made, and
// appends every answer to the file that ZV_PROJ_RECORD names, in the form
// the replay asks for it. scripts/record-proj-answers.sh uses it.
#include "proj_answers.h"

#include <dlfcn.h>

#include <proj_experimental.h>

#include <geodesic.h>

#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <map>
#include <mutex>
#include <string>
#include <utility>

namespace
{

namespace pd = zv::proj_double;

// The real library, where the loader's order does not reach it (a library
// loaded with RTLD_LOCAL, such as a module's dependency).
void* real_library()
{
    static void* handle = ::dlopen(ZV_REAL_PROJ_LIBRARY, RTLD_LAZY | RTLD_LOCAL);
    return handle;
}

void* real_symbol(const char* name)
{
    void* found = ::dlsym(RTLD_NEXT, name);
    if (found == nullptr && real_library() != nullptr)
        found = ::dlsym(real_library(), name);
    if (found == nullptr) {
        std::fprintf(stderr, "PROJ recorder: %s not found\n", name);
        std::abort();
    }
    return found;
}

#define ZV_TEXT(x) #x
#define ZV_SYMBOL(x) ZV_TEXT(x)
// The real definition of a function (PROJ may rename its symbols).
#define ZV_REAL(fn) reinterpret_cast<decltype(&fn)>(real_symbol(ZV_SYMBOL(fn)))

std::recursive_mutex lock;
std::map<const void*, std::string> names; // the objects alive, by how they were made

void record(const std::string& call, const std::string& question, const std::string& answer)
{
    static std::FILE* out = [] {
        const char* path = std::getenv("ZV_PROJ_RECORD");
        return path != nullptr ? std::fopen(path, "ab") : nullptr;
    }();
    if (out == nullptr)
        return;
    const std::lock_guard<std::recursive_mutex> held(lock);
    const std::string line = pd::answer_line(call, question, answer);
    std::fwrite(line.data(), 1, line.size(), out);
    std::fflush(out);
}

std::string name_of(const void* object)
{
    if (object == nullptr)
        return "null";
    const std::lock_guard<std::recursive_mutex> held(lock);
    const auto found = names.find(object);
    return found != names.end() ? found->second : "unnamed";
}

void rename(const void* object, const std::string& name)
{
    const std::lock_guard<std::recursive_mutex> held(lock);
    names[object] = name;
}

void forget(const void* object)
{
    const std::lock_guard<std::recursive_mutex> held(lock);
    names.erase(object);
}

// Records whether `call` made an object from `from`, and names it.
template <class Object> Object* made(const char* call, const std::string& from, Object* object)
{
    record(call, from, object != nullptr ? "ok" : "null");
    if (object != nullptr)
        rename(object, pd::made(call, from));
    return object;
}

std::string with(const std::string& name, long long value)
{
    return name + "|" + std::to_string(value);
}

// Writes the outputs that were asked for.
void hand_out(std::initializer_list<std::pair<double*, double>> outputs)
{
    for (const auto& [out, value] : outputs)
        if (out != nullptr)
            *out = value;
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
    forget(object);
    return ZV_REAL(proj_destroy)(object);
}

int proj_is_crs(const PJ* object)
{
    const int answer = ZV_REAL(proj_is_crs)(object);
    record("is_crs", name_of(object), std::to_string(answer));
    return answer;
}

PJ_TYPE proj_get_type(const PJ* object)
{
    const PJ_TYPE answer = ZV_REAL(proj_get_type)(object);
    record("type", name_of(object), std::to_string(answer));
    return answer;
}

PJ* proj_get_source_crs(PJ_CONTEXT* ctx, const PJ* object)
{
    return made("source_crs", name_of(object), ZV_REAL(proj_get_source_crs)(ctx, object));
}

PJ* proj_get_target_crs(PJ_CONTEXT* ctx, const PJ* object)
{
    return made("target_crs", name_of(object), ZV_REAL(proj_get_target_crs)(ctx, object));
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

PJ* proj_crs_create_bound_crs(PJ_CONTEXT* ctx, const PJ* base, const PJ* hub, const PJ* transformation)
{
    PJ* object = ZV_REAL(proj_crs_create_bound_crs)(ctx, base, hub, transformation);
    return made("bound_crs", name_of(base) + "," + name_of(hub) + "," + name_of(transformation), object);
}

int proj_ellipsoid_get_parameters(PJ_CONTEXT* ctx, const PJ* ellipsoid, double* semi_major,
                                  double* semi_minor, int* minor_computed, double* inverse_flattening)
{
    double a = 0, b = 0, inverse = 0;
    int computed = 0;
    const int ok = ZV_REAL(proj_ellipsoid_get_parameters)(ctx, ellipsoid, &a, &b, &computed, &inverse);
    hand_out({{semi_major, a}, {semi_minor, b}, {inverse_flattening, inverse}});
    if (minor_computed != nullptr)
        *minor_computed = computed;
    record("ellipsoid_parameters", name_of(ellipsoid),
           pd::numbers_answer({double(ok), a, b, double(computed), inverse}));
    return ok;
}

const char* proj_as_proj_string(PJ_CONTEXT* ctx, const PJ* object, PJ_PROJ_STRING_TYPE type,
                                const char* const* options)
{
    const char* text = ZV_REAL(proj_as_proj_string)(ctx, object, type, options);
    record("proj_string", with(name_of(object), type), text != nullptr ? "=" + std::string(text) : "null");
    return text;
}

const char* proj_as_wkt(PJ_CONTEXT* ctx, const PJ* object, PJ_WKT_TYPE type, const char* const* options)
{
    const char* text = ZV_REAL(proj_as_wkt)(ctx, object, type, options);
    record("wkt", with(name_of(object), type), text != nullptr ? "=" + std::string(text) : "null");
    return text;
}

PJ_OPERATION_FACTORY_CONTEXT* proj_create_operation_factory_context(PJ_CONTEXT* ctx, const char* authority)
{
    PJ_OPERATION_FACTORY_CONTEXT* factory = ZV_REAL(proj_create_operation_factory_context)(ctx, authority);
    if (factory != nullptr)
        rename(factory, pd::made("factory", authority != nullptr ? authority : "null"));
    return factory;
}

void proj_operation_factory_context_destroy(PJ_OPERATION_FACTORY_CONTEXT* factory)
{
    forget(factory);
    ZV_REAL(proj_operation_factory_context_destroy)(factory);
}

void proj_operation_factory_context_set_spatial_criterion(PJ_CONTEXT* ctx,
                                                          PJ_OPERATION_FACTORY_CONTEXT* factory,
                                                          PROJ_SPATIAL_CRITERION criterion)
{
    rename(factory, with(name_of(factory) + "|spatial", criterion));
    ZV_REAL(proj_operation_factory_context_set_spatial_criterion)(ctx, factory, criterion);
}

void proj_operation_factory_context_set_grid_availability_use(PJ_CONTEXT* ctx,
                                                              PJ_OPERATION_FACTORY_CONTEXT* factory,
                                                              PROJ_GRID_AVAILABILITY_USE use)
{
    rename(factory, with(name_of(factory) + "|grids", use));
    ZV_REAL(proj_operation_factory_context_set_grid_availability_use)(ctx, factory, use);
}

void proj_operation_factory_context_set_allow_use_intermediate_crs(PJ_CONTEXT* ctx,
                                                                   PJ_OPERATION_FACTORY_CONTEXT* factory,
                                                                   PROJ_INTERMEDIATE_CRS_USE use)
{
    rename(factory, with(name_of(factory) + "|intermediate", use));
    ZV_REAL(proj_operation_factory_context_set_allow_use_intermediate_crs)(ctx, factory, use);
}

PJ_OBJ_LIST* proj_create_operations(PJ_CONTEXT* ctx, const PJ* source, const PJ* target,
                                    const PJ_OPERATION_FACTORY_CONTEXT* factory)
{
    PJ_OBJ_LIST* list = ZV_REAL(proj_create_operations)(ctx, source, target, factory);
    return made("operations", name_of(source) + "," + name_of(target) + "," + name_of(factory), list);
}

int proj_list_get_count(const PJ_OBJ_LIST* list)
{
    const int count = ZV_REAL(proj_list_get_count)(list);
    record("list_count", name_of(list), std::to_string(count));
    return count;
}

PJ* proj_list_get(PJ_CONTEXT* ctx, const PJ_OBJ_LIST* list, int index)
{
    return made("list_get", with(name_of(list), index), ZV_REAL(proj_list_get)(ctx, list, index));
}

void proj_list_destroy(PJ_OBJ_LIST* list)
{
    forget(list);
    ZV_REAL(proj_list_destroy)(list);
}

int proj_concatoperation_get_step_count(PJ_CONTEXT* ctx, const PJ* operation)
{
    const int count = ZV_REAL(proj_concatoperation_get_step_count)(ctx, operation);
    record("step_count", name_of(operation), std::to_string(count));
    return count;
}

PJ* proj_concatoperation_get_step(PJ_CONTEXT* ctx, const PJ* operation, int step)
{
    return made("step", with(name_of(operation), step),
                ZV_REAL(proj_concatoperation_get_step)(ctx, operation, step));
}

int proj_coordoperation_get_towgs84_values(PJ_CONTEXT* ctx, const PJ* operation, double* values, int count,
                                           int emit_error)
{
    const int ok = ZV_REAL(proj_coordoperation_get_towgs84_values)(ctx, operation, values, count, emit_error);
    std::string answer = pd::exact(ok);
    // Without an answer the values are whatever the caller left there.
    for (int i = 0; ok != 0 && values != nullptr && i < count; ++i)
        answer += " " + pd::exact(values[i]);
    record("towgs84", with(with(name_of(operation), count), emit_error), answer);
    return ok;
}

double proj_coordoperation_get_accuracy(PJ_CONTEXT* ctx, const PJ* operation)
{
    const double accuracy = ZV_REAL(proj_coordoperation_get_accuracy)(ctx, operation);
    record("accuracy", name_of(operation), pd::exact(accuracy));
    return accuracy;
}

int proj_get_area_of_use(PJ_CONTEXT* ctx, const PJ* object, double* west, double* south, double* east,
                         double* north, const char** area_name)
{
    double w = 0, s = 0, e = 0, n = 0;
    const int ok = ZV_REAL(proj_get_area_of_use)(ctx, object, &w, &s, &e, &n, area_name);
    hand_out({{west, w}, {south, s}, {east, e}, {north, n}});
    record("area_of_use", name_of(object), pd::numbers_answer({double(ok), w, s, e, n}));
    return ok;
}

PJ_COORD proj_trans(PJ* object, PJ_DIRECTION direction, PJ_COORD coord)
{
    std::string question = with(name_of(object), direction);
    for (const double v : coord.v)
        question += "|" + pd::exact(v);
    const PJ_COORD out = ZV_REAL(proj_trans)(object, direction, coord);
    record("trans", question, pd::numbers_answer({out.v[0], out.v[1], out.v[2], out.v[3]}));
    return out;
}

int proj_trans_bounds(PJ_CONTEXT* ctx, PJ* object, PJ_DIRECTION direction, double xmin, double ymin,
                      double xmax, double ymax, double* out_xmin, double* out_ymin, double* out_xmax,
                      double* out_ymax, int densify)
{
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    const int ok = ZV_REAL(proj_trans_bounds)(ctx, object, direction, xmin, ymin, xmax, ymax, &x0, &y0, &x1,
                                              &y1, densify);
    hand_out({{out_xmin, x0}, {out_ymin, y0}, {out_xmax, x1}, {out_ymax, y1}});
    std::string question = with(with(name_of(object), direction), densify);
    for (const double v : {xmin, ymin, xmax, ymax})
        question += "|" + pd::exact(v);
    record("trans_bounds", question, pd::numbers_answer({double(ok), x0, y0, x1, y1}));
    return ok;
}

void geod_inverse(const struct geod_geodesic* g, double lat1, double lon1, double lat2, double lon2,
                  double* ps12, double* pazi1, double* pazi2)
{
    double s12 = 0, azi1 = 0, azi2 = 0;
    ZV_REAL(geod_inverse)(g, lat1, lon1, lat2, lon2, &s12, &azi1, &azi2);
    hand_out({{ps12, s12}, {pazi1, azi1}, {pazi2, azi2}});
    std::string question = pd::exact(g->a) + "|" + pd::exact(g->f);
    for (const double v : {lat1, lon1, lat2, lon2})
        question += "|" + pd::exact(v);
    record("geod_inverse", question, pd::numbers_answer({s12, azi1, azi2}));
}

} // extern "C"
