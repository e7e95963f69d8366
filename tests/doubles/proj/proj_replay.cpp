// The stand-in for PROJ in the Windows build, where no build of PROJ exists:
// every call is answered from the answers recorded around the real library
// on Linux (proj_recorder.cpp), for the questions the tests ask. A question
// without a recorded answer fails the way PROJ fails (a null object, an
// error value) and says so on standard error, naming the script that
// records the answers again. Nothing here computes a coordinate.
#include "proj_answers.h"

#include <proj_experimental.h>

#include <geodesic.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

// The objects of the double are their names.
struct pj_ctx {
    int unused = 0;
};

struct PJconsts {
    std::string name;
    std::string proj_string; // kept for proj_as_proj_string's answer
    std::string wkt;         // and proj_as_wkt's
};

struct PJ_OBJ_LIST {
    std::string name;
};

struct PJ_OPERATION_FACTORY_CONTEXT {
    std::string name;
};

namespace
{

namespace pd = zv::proj_double;

std::string answers_file()
{
    const char* chosen = std::getenv("ZV_PROJ_ANSWERS");
    return chosen != nullptr && *chosen != '\0' ? chosen : ZV_PROJ_ANSWERS_FILE;
}

const pd::answer_book& book()
{
    static const pd::answer_book answers = pd::read_answers(answers_file());
    return answers;
}

// The recorded answer, or nothing (told once per question).
const std::string* answer(const std::string& call, const std::string& question)
{
    const auto found = book().find({call, question});
    if (found != book().end())
        return &found->second;
    static std::mutex told_lock;
    static std::set<std::pair<std::string, std::string>> told;
    const std::lock_guard<std::mutex> lock(told_lock);
    if (told.insert({call, question}).second)
        std::fprintf(stderr,
                     "PROJ replay: no answer recorded for %s(%s); run scripts/record-proj-answers.sh\n",
                     call.c_str(), pd::escaped(question).c_str());
    return nullptr;
}

template <class Object> std::string name_of(const Object* object)
{
    return object != nullptr ? object->name : "null";
}

// An object made by `call` from `from`, when the recording says one was made.
template <class Object = PJ> Object* made(const char* call, const std::string& from)
{
    const std::string* made_one = answer(call, from);
    if (made_one == nullptr || *made_one != "ok")
        return nullptr;
    return new Object{pd::made(call, from)};
}

// The recorded numbers of an answer; nothing when there is none.
std::optional<std::vector<double>> numbers(const char* call, const std::string& question, std::size_t count)
{
    const std::string* recorded = answer(call, question);
    if (recorded == nullptr)
        return std::nullopt;
    return pd::answer_numbers(*recorded, count);
}

template <class Number> Number number(const char* call, const std::string& question, Number failure)
{
    const auto values = numbers(call, question, 1);
    return values ? static_cast<Number>((*values)[0]) : failure;
}

// Copies answer values from index 1 on to the outputs that are asked for;
// value 0 is the call's result.
void hand_out(const std::vector<double>& values, std::initializer_list<double*> outputs)
{
    std::size_t i = 1;
    for (double* out : outputs) {
        if (out != nullptr && i < values.size())
            *out = values[i];
        ++i;
    }
}

std::string with(const std::string& name, long long value)
{
    return name + "|" + std::to_string(value);
}

// A recorded text ("=" and the text, or "null"), kept in the object's field.
const char* text_answer(const char* call, const PJ* object, int type, std::string PJconsts::*field)
{
    const std::string* recorded = answer(call, with(name_of(object), type));
    if (object == nullptr || recorded == nullptr || recorded->empty() || recorded->front() != '=')
        return nullptr;
    std::string& kept = const_cast<PJ*>(object)->*field;
    kept = recorded->substr(1);
    return kept.c_str();
}

} // namespace

extern "C" {

PJ_CONTEXT* proj_context_create(void)
{
    return new pj_ctx;
}

PJ_CONTEXT* proj_context_destroy(PJ_CONTEXT* ctx)
{
    delete ctx;
    return nullptr;
}

PJ_LOG_LEVEL proj_log_level(PJ_CONTEXT*, PJ_LOG_LEVEL)
{
    return PJ_LOG_NONE;
}

PJ* proj_create(PJ_CONTEXT*, const char* definition)
{
    return definition != nullptr ? made("create", definition) : nullptr;
}

PJ* proj_destroy(PJ* object)
{
    delete object;
    return nullptr;
}

int proj_is_crs(const PJ* object)
{
    return number("is_crs", name_of(object), 0);
}

PJ_TYPE proj_get_type(const PJ* object)
{
    return static_cast<PJ_TYPE>(number("type", name_of(object), static_cast<int>(PJ_TYPE_UNKNOWN)));
}

PJ* proj_get_source_crs(PJ_CONTEXT*, const PJ* object)
{
    return made("source_crs", name_of(object));
}

PJ* proj_get_target_crs(PJ_CONTEXT*, const PJ* object)
{
    return made("target_crs", name_of(object));
}

PJ* proj_crs_get_geodetic_crs(PJ_CONTEXT*, const PJ* crs)
{
    return made("geodetic_crs", name_of(crs));
}

PJ* proj_get_ellipsoid(PJ_CONTEXT*, const PJ* object)
{
    return made("ellipsoid", name_of(object));
}

PJ* proj_normalize_for_visualization(PJ_CONTEXT*, const PJ* object)
{
    return made("normalize", name_of(object));
}

PJ* proj_create_crs_to_crs_from_pj(PJ_CONTEXT*, const PJ* source, const PJ* target, PJ_AREA*,
                                   const char* const*)
{
    return made("crs_to_crs", name_of(source) + "," + name_of(target));
}

PJ* proj_crs_create_bound_crs(PJ_CONTEXT*, const PJ* base, const PJ* hub, const PJ* transformation)
{
    return made("bound_crs", name_of(base) + "," + name_of(hub) + "," + name_of(transformation));
}

int proj_ellipsoid_get_parameters(PJ_CONTEXT*, const PJ* ellipsoid, double* semi_major, double* semi_minor,
                                  int* minor_computed, double* inverse_flattening)
{
    const auto values = numbers("ellipsoid_parameters", name_of(ellipsoid), 5);
    if (!values)
        return 0;
    double computed = 0;
    hand_out(*values, {semi_major, semi_minor, &computed, inverse_flattening});
    if (minor_computed != nullptr)
        *minor_computed = static_cast<int>(computed);
    return static_cast<int>((*values)[0]);
}

const char* proj_as_proj_string(PJ_CONTEXT*, const PJ* object, PJ_PROJ_STRING_TYPE type, const char* const*)
{
    return text_answer("proj_string", object, type, &PJconsts::proj_string);
}

const char* proj_as_wkt(PJ_CONTEXT*, const PJ* object, PJ_WKT_TYPE type, const char* const*)
{
    return text_answer("wkt", object, type, &PJconsts::wkt);
}

PJ_OPERATION_FACTORY_CONTEXT* proj_create_operation_factory_context(PJ_CONTEXT*, const char* authority)
{
    return new PJ_OPERATION_FACTORY_CONTEXT{pd::made("factory", authority != nullptr ? authority : "null")};
}

void proj_operation_factory_context_destroy(PJ_OPERATION_FACTORY_CONTEXT* factory)
{
    delete factory;
}

// The settings of a factory are part of its name, so the operations it
// finds are asked for under the settings they were found with.
void proj_operation_factory_context_set_spatial_criterion(PJ_CONTEXT*, PJ_OPERATION_FACTORY_CONTEXT* factory,
                                                          PROJ_SPATIAL_CRITERION criterion)
{
    factory->name = with(factory->name + "|spatial", criterion);
}

void proj_operation_factory_context_set_grid_availability_use(PJ_CONTEXT*,
                                                              PJ_OPERATION_FACTORY_CONTEXT* factory,
                                                              PROJ_GRID_AVAILABILITY_USE use)
{
    factory->name = with(factory->name + "|grids", use);
}

void proj_operation_factory_context_set_allow_use_intermediate_crs(PJ_CONTEXT*,
                                                                   PJ_OPERATION_FACTORY_CONTEXT* factory,
                                                                   PROJ_INTERMEDIATE_CRS_USE use)
{
    factory->name = with(factory->name + "|intermediate", use);
}

PJ_OBJ_LIST* proj_create_operations(PJ_CONTEXT*, const PJ* source, const PJ* target,
                                    const PJ_OPERATION_FACTORY_CONTEXT* factory)
{
    return made<PJ_OBJ_LIST>("operations", name_of(source) + "," + name_of(target) + "," + name_of(factory));
}

int proj_list_get_count(const PJ_OBJ_LIST* list)
{
    return number("list_count", name_of(list), 0);
}

PJ* proj_list_get(PJ_CONTEXT*, const PJ_OBJ_LIST* list, int index)
{
    return made("list_get", with(name_of(list), index));
}

void proj_list_destroy(PJ_OBJ_LIST* list)
{
    delete list;
}

int proj_concatoperation_get_step_count(PJ_CONTEXT*, const PJ* operation)
{
    return number("step_count", name_of(operation), 0);
}

PJ* proj_concatoperation_get_step(PJ_CONTEXT*, const PJ* operation, int step)
{
    return made("step", with(name_of(operation), step));
}

int proj_coordoperation_get_towgs84_values(PJ_CONTEXT*, const PJ* operation, double* values, int count,
                                           int emit_error)
{
    const std::string question = with(with(name_of(operation), count), emit_error);
    const auto recorded = numbers("towgs84", question, static_cast<std::size_t>(count) + 1);
    if (!recorded)
        return 0;
    for (int i = 0; values != nullptr && i < count; ++i)
        values[i] = (*recorded)[static_cast<std::size_t>(i) + 1];
    return static_cast<int>((*recorded)[0]);
}

double proj_coordoperation_get_accuracy(PJ_CONTEXT*, const PJ* operation)
{
    return number("accuracy", name_of(operation), -1.0);
}

int proj_get_area_of_use(PJ_CONTEXT*, const PJ* object, double* west, double* south, double* east,
                         double* north, const char** area_name)
{
    if (area_name != nullptr)
        *area_name = nullptr; // names are not recorded
    const auto values = numbers("area_of_use", name_of(object), 5);
    if (!values)
        return 0;
    hand_out(*values, {west, south, east, north});
    return static_cast<int>((*values)[0]);
}

PJ_COORD proj_coord(double x, double y, double z, double t)
{
    PJ_COORD c;
    c.v[0] = x;
    c.v[1] = y;
    c.v[2] = z;
    c.v[3] = t;
    return c;
}

PJ_COORD proj_trans(PJ* object, PJ_DIRECTION direction, PJ_COORD coord)
{
    std::string question = with(name_of(object), direction);
    for (const double v : coord.v)
        question += "|" + pd::exact(v);
    const std::string* recorded = answer("trans", question);
    if (recorded == nullptr)
        return proj_coord(HUGE_VAL, HUGE_VAL, HUGE_VAL, HUGE_VAL);
    const std::vector<double> values = pd::answer_numbers(*recorded, 4);
    return proj_coord(values[0], values[1], values[2], values[3]);
}

int proj_trans_bounds(PJ_CONTEXT*, PJ* object, PJ_DIRECTION direction, double xmin, double ymin, double xmax,
                      double ymax, double* out_xmin, double* out_ymin, double* out_xmax, double* out_ymax,
                      int densify)
{
    std::string question = with(with(name_of(object), direction), densify);
    for (const double v : {xmin, ymin, xmax, ymax})
        question += "|" + pd::exact(v);
    const auto values = numbers("trans_bounds", question, 5);
    if (!values)
        return 0;
    hand_out(*values, {out_xmin, out_ymin, out_xmax, out_ymax});
    return static_cast<int>((*values)[0]);
}

void geod_init(struct geod_geodesic* g, double a, double f)
{
    *g = geod_geodesic{};
    g->a = a;
    g->f = f;
}

void geod_inverse(const struct geod_geodesic* g, double lat1, double lon1, double lat2, double lon2,
                  double* ps12, double* pazi1, double* pazi2)
{
    std::string question = pd::exact(g->a) + "|" + pd::exact(g->f);
    for (const double v : {lat1, lon1, lat2, lon2})
        question += "|" + pd::exact(v);
    const std::string* recorded = answer("geod_inverse", question);
    const std::vector<double> values = pd::answer_numbers(recorded != nullptr ? *recorded : "nan nan nan", 3);
    if (ps12 != nullptr)
        *ps12 = values[0];
    if (pazi1 != nullptr)
        *pazi1 = values[1];
    if (pazi2 != nullptr)
        *pazi2 = values[2];
}

} // extern "C"
