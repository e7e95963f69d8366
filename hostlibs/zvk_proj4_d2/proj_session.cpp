#include "proj_session.h"

#include "prj_system.h"
#include "wgs84_binding.h"

#include "foundation/paths.h"
#include "foundation/utf.h"

#include <cctype>

namespace zv::zvk_proj4_d2
{
namespace
{

// Caches are bounded; when one is full it is emptied, which costs a rebuild
// but never invalidates objects that reprojectors still hold. A key far
// longer than any real definition is not kept, so a cache holds at most
// kMaxCached keys of kMaxKeyBytes.
constexpr std::size_t kMaxCached = 256;
constexpr std::size_t kMaxKeyBytes = 64 * 1024;

std::size_t key_bytes(const std::string& key)
{
    return key.size();
}

std::size_t key_bytes(const std::pair<std::string, std::string>& key)
{
    return key.first.size() + key.second.size();
}

// Whether a vertex's x and y can be a position in the system: not a height,
// not geocentric X, Y, Z, not a time. A bound system is judged by its base.
bool has_horizontal_axes(PJ_CONTEXT* ctx, const PJ* crs)
{
    if (proj_get_type(crs) == PJ_TYPE_BOUND_CRS) {
        const pj_ptr base = owned(proj_get_source_crs(ctx, crs));
        return base && has_horizontal_axes(ctx, base.get());
    }
    switch (proj_get_type(crs)) {
    case PJ_TYPE_VERTICAL_CRS:
    case PJ_TYPE_GEOCENTRIC_CRS:
    case PJ_TYPE_TEMPORAL_CRS:
        return false;
    default:
        return true;
    }
}

// Looks key up in a bounded cache, building and keeping the value (a failure
// too) when it is missing.
template <class Cache, class Build>
typename Cache::mapped_type cached(Cache& cache, const typename Cache::key_type& key, Build&& build)
{
    if (auto found = cache.find(key); found != cache.end()) {
        return found->second;
    }
    typename Cache::mapped_type built = build();
    if (key_bytes(key) <= kMaxKeyBytes) {
        if (cache.size() >= kMaxCached) {
            cache.clear();
        }
        cache.emplace(key, built);
    }
    return built;
}

} // namespace

pj_ptr owned(PJ* object)
{
    return object == nullptr ? pj_ptr() : pj_ptr(object, [](PJ* p) { proj_destroy(p); });
}

bool is_geographic(const PJ* crs)
{
    const PJ_TYPE type = proj_get_type(crs);
    return type == PJ_TYPE_GEOGRAPHIC_2D_CRS || type == PJ_TYPE_GEOGRAPHIC_3D_CRS;
}

std::string crs_text(const char16_t* definition)
{
    std::string text = zv::foundation::to_utf8(definition == nullptr ? u"" : definition);
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) {
        return {};
    }
    text = text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
    if (text[0] == '+' && text.find("+type=crs") == std::string::npos) {
        text += " +type=crs";
    }
    return text;
}

proj_session& proj_session::instance()
{
    static proj_session session;
    return session;
}

proj_session::proj_session() : ctx_(proj_context_create())
{
    // Failures are reported by results; PROJ's own messages would only
    // clutter the host's standard error.
    proj_log_level(ctx_, PJ_LOG_NONE);
}

proj_session::~proj_session()
{
    clear();
    proj_context_destroy(ctx_);
}

void proj_session::clear()
{
    transformations_.clear();
    lengths_.clear();
    shifts_.clear();
    prj_systems_.clear();
}

pj_ptr proj_session::create_crs(const std::string& definition)
{
    if (definition.empty()) {
        return {};
    }
    pj_ptr crs = owned(proj_create(ctx_, definition.c_str()));
    if (!crs || !proj_is_crs(crs.get())) {
        return {};
    }
    return crs;
}

pj_ptr proj_session::transformation(const std::string& source, const std::string& target)
{
    return cached(transformations_, std::make_pair(source, target),
                  [&] { return build_transformation(source, target); });
}

pj_ptr proj_session::build_transformation(const std::string& source, const std::string& target)
{
    const pj_ptr from = create_crs(source);
    const pj_ptr to = create_crs(target);
    if (!from || !to || !has_horizontal_axes(ctx_, from.get()) || !has_horizontal_axes(ctx_, to.get())) {
        return {};
    }
    const pj_ptr op = owned(proj_create_crs_to_crs_from_pj(ctx_, from.get(), to.get(), nullptr, nullptr));
    if (!op) {
        return {};
    }
    // Longitude first, degrees, whatever axis order the systems declare.
    return owned(proj_normalize_for_visualization(ctx_, op.get()));
}

std::shared_ptr<const length_model> proj_session::lengths(const std::string& definition)
{
    return cached(lengths_, definition, [&] { return build_lengths(definition); });
}

std::shared_ptr<const helmert_shifts> proj_session::shifts_to_wgs84(const PJ* crs)
{
    const auto find = [&] { return std::make_shared<const helmert_shifts>(find_helmert_shifts(ctx_, crs)); };
    const pj_ptr geographic = owned(proj_crs_get_geodetic_crs(ctx_, crs));
    const char* wkt = geographic ? proj_as_wkt(ctx_, geographic.get(), PJ_WKT2_2019, nullptr) : nullptr;
    // A system whose geographic system PROJ cannot write out is not kept.
    return wkt != nullptr ? cached(shifts_, std::string(wkt), find) : find();
}

std::shared_ptr<prj_system> proj_session::read_prj(const std::string& definition)
{
    return cached(prj_systems_, definition, [&] { return prj_system::read(*this, definition); });
}

std::shared_ptr<const length_model> proj_session::build_lengths(const std::string& definition)
{
    pj_ptr crs = create_crs(definition);
    // A definition with +towgs84 is a bound system; lengths belong to the
    // system it is bound from, not to its way to WGS84.
    if (crs && proj_get_type(crs.get()) == PJ_TYPE_BOUND_CRS) {
        crs = owned(proj_get_source_crs(ctx_, crs.get()));
    }
    if (!crs) {
        return nullptr;
    }
    const pj_ptr ellipsoid = owned(proj_get_ellipsoid(ctx_, crs.get()));
    double a = 0.0, b = 0.0, inverse_flattening = 0.0;
    int computed = 0;
    if (!ellipsoid ||
        !proj_ellipsoid_get_parameters(ctx_, ellipsoid.get(), &a, &b, &computed, &inverse_flattening)) {
        return nullptr;
    }
    auto model = std::make_shared<length_model>();
    geod_init(&model->ellipsoid, a, inverse_flattening == 0.0 ? 0.0 : 1.0 / inverse_flattening);
    if (!is_geographic(crs.get())) {
        const pj_ptr geodetic = owned(proj_crs_get_geodetic_crs(ctx_, crs.get()));
        if (!geodetic) {
            return nullptr;
        }
        const pj_ptr op =
            owned(proj_create_crs_to_crs_from_pj(ctx_, crs.get(), geodetic.get(), nullptr, nullptr));
        model->to_geographic = op ? owned(proj_normalize_for_visualization(ctx_, op.get())) : nullptr;
        if (!model->to_geographic) {
            return nullptr;
        }
    }
    return model;
}

} // namespace zv::zvk_proj4_d2
