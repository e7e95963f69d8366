// The stand-in for PROJ in the Windows build, where no build of PROJ exists:
// every call is answered from the answers recorded around the real library
// on Linux (proj_recorder.cpp), for the questions the tests ask. A question
// without a recorded answer fails the way PROJ fails (a null object, an
// error value) and says so on standard error, naming the script that
// records the answers again. Nothing here computes a coordinate.
#include "proj_answers.h"

#include <proj.h>

#include <geodesic.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <set>
#include <sstream>
#include <string>

struct pj_ctx {
    int unused = 0;
};

struct PJconsts {
    std::string name;
    std::string proj_string; // kept for proj_as_proj_string's answer
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

const std::string& name_of(const PJ* object)
{
    static const std::string none = "null";
    return object != nullptr ? object->name : none;
}

// An object made by `call` from `from`, when the recording says one was made.
PJ* made(const char* call, const std::string& from)
{
    const std::string* made_one = answer(call, from);
    if (made_one == nullptr || *made_one != "ok")
        return nullptr;
    return new PJconsts{pd::made(call, from), {}};
}

int integer_answer(const char* call, const PJ* object, int failure)
{
    const std::string* recorded = answer(call, name_of(object));
    return recorded != nullptr ? std::atoi(recorded->c_str()) : failure;
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
    return integer_answer("is_crs", object, 0);
}

PJ_TYPE proj_get_type(const PJ* object)
{
    return static_cast<PJ_TYPE>(integer_answer("type", object, PJ_TYPE_UNKNOWN));
}

PJ* proj_get_source_crs(PJ_CONTEXT*, const PJ* object)
{
    return made("source_crs", name_of(object));
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

int proj_ellipsoid_get_parameters(PJ_CONTEXT*, const PJ* ellipsoid, double* semi_major, double* semi_minor,
                                  int* minor_computed, double* inverse_flattening)
{
    const std::string* recorded = answer("ellipsoid_parameters", name_of(ellipsoid));
    if (recorded == nullptr)
        return 0;
    std::istringstream parts(*recorded);
    std::string ok, a, b, computed, inverse;
    parts >> ok >> a >> b >> computed >> inverse;
    if (semi_major != nullptr)
        *semi_major = pd::exact_value(a);
    if (semi_minor != nullptr)
        *semi_minor = pd::exact_value(b);
    if (minor_computed != nullptr)
        *minor_computed = std::atoi(computed.c_str());
    if (inverse_flattening != nullptr)
        *inverse_flattening = pd::exact_value(inverse);
    return std::atoi(ok.c_str());
}

const char* proj_as_proj_string(PJ_CONTEXT*, const PJ* object, PJ_PROJ_STRING_TYPE type, const char* const*)
{
    const std::string* recorded = answer("proj_string", name_of(object) + "|" + std::to_string(type));
    if (object == nullptr || recorded == nullptr || recorded->empty() || recorded->front() != '=')
        return nullptr;
    auto* writable = const_cast<PJ*>(object);
    writable->proj_string = recorded->substr(1);
    return writable->proj_string.c_str();
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
    std::string question = name_of(object) + "|" + std::to_string(direction);
    for (const double v : coord.v)
        question += "|" + pd::exact(v);
    const std::string* recorded = answer("trans", question);
    if (recorded == nullptr)
        return proj_coord(HUGE_VAL, HUGE_VAL, HUGE_VAL, HUGE_VAL);
    std::istringstream parts(*recorded);
    PJ_COORD out;
    for (double& v : out.v) {
        std::string part;
        parts >> part;
        v = pd::exact_value(part);
    }
    return out;
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
    std::istringstream parts(recorded != nullptr ? *recorded : std::string("nan nan nan"));
    std::string s12, azi1, azi2;
    parts >> s12 >> azi1 >> azi2;
    if (ps12 != nullptr)
        *ps12 = pd::exact_value(s12);
    if (pazi1 != nullptr)
        *pazi1 = pd::exact_value(azi1);
    if (pazi2 != nullptr)
        *pazi2 = pd::exact_value(azi2);
}

} // extern "C"
