// The C functions of zvk_proj4_d2. Nothing is thrown across them: each body
// runs under a guard that turns an exception into the failure result.
#include "coord_text.h"
#include "geodesic_length.h"
#include "prj_file.h"
#include "proj_session.h"

#include "foundation/guard.h"
#include "host/zvk_proj4_d2.h"
#include "zvk_basic/adapter_text.h"

#include <cmath>

struct zv_rpj_d2 {
    zv::zvk_proj4_d2::pj_ptr transformation; // null while not usable
};

namespace
{

using zv::foundation::guarded;

std::vector<zv_vertex_d2> part_vertices(zv_ov_d2_t vector, uint32_t index)
{
    const zv_pv_d2_t part = zv_ov_d2_get_pv_ptr(vector, index);
    std::vector<zv_vertex_d2> vertices(zv_pv_d2_get_size(part));
    for (uint32_t k = 0; k < vertices.size(); ++k) {
        vertices[k] = zv_pv_d2_get_vtx(part, k);
    }
    return vertices;
}

int total_length(zv_ov_d2_t vector, const zv::zvk_proj4_d2::length_model& model,
                 const zv::zvk_proj4_d2::halving_rule& rule, double* length)
{
    double sum = 0.0;
    const uint32_t parts = zv_ov_d2_get_size(vector);
    for (uint32_t p = 0; p < parts; ++p) {
        const auto piece = zv::zvk_proj4_d2::polyline_length(model, part_vertices(vector, p), rule);
        if (!piece) {
            return ZV_PRECISION_BAD_VERTEX;
        }
        sum += *piece;
    }
    *length = sum;
    return ZV_PRECISION_OK;
}

} // namespace

extern "C" {

ZV_HOST_API zv_rpj_d2_t zv_rpj_d2_create(void)
{
    return guarded<zv_rpj_d2_t>(nullptr, [] { return new zv_rpj_d2{}; });
}

ZV_HOST_API void zv_rpj_d2_destroy(zv_rpj_d2_t reprojector)
{
    delete reprojector;
}

ZV_HOST_API bool zv_rpj_d2_init_w(zv_rpj_d2_t reprojector, const char16_t* source_definition,
                                  const char16_t* target_definition)
{
    if (reprojector == nullptr) {
        return false;
    }
    reprojector->transformation.reset();
    return guarded(false, [&] {
        auto& session = zv::zvk_proj4_d2::proj_session::instance();
        reprojector->transformation = session.transformation(zv::zvk_proj4_d2::crs_text(source_definition),
                                                             zv::zvk_proj4_d2::crs_text(target_definition));
        return reprojector->transformation != nullptr;
    });
}

ZV_HOST_API bool zv_rpj_d2_apply_vtx(zv_rpj_d2_t reprojector, zv_vertex_d2* vertex)
{
    if (reprojector == nullptr || vertex == nullptr || !reprojector->transformation) {
        return false;
    }
    PJ_COORD c = proj_coord(vertex->x, vertex->y, 0.0, 0.0);
    c = proj_trans(reprojector->transformation.get(), PJ_FWD, c);
    if (c.xy.x == HUGE_VAL || !std::isfinite(c.xy.x) || !std::isfinite(c.xy.y)) {
        return false;
    }
    vertex->x = c.xy.x;
    vertex->y = c.xy.y;
    return true;
}

ZV_HOST_API bool zv_pj4_load_ex(const char16_t* data_file_path, zv_string_adp_t adapter)
{
    if (data_file_path == nullptr || *data_file_path == 0) {
        return false;
    }
    return guarded(false, [&] {
        const auto definition = zv::zvk_proj4_d2::load_prj_definition(data_file_path);
        return definition && zv::zvk_basic::assign_utf8(adapter, *definition);
    });
}

ZV_HOST_API int zv_precision_calc_length(zv_ov_d2_t vector, const char16_t* definition, double max_halvings,
                                         double tolerance_m, double* length)
{
    if (vector == nullptr || length == nullptr || !(max_halvings >= 0.0 && max_halvings <= 20.0) ||
        !(tolerance_m > 0.0) || !std::isfinite(tolerance_m)) {
        return ZV_PRECISION_BAD_ARGUMENT;
    }
    return guarded<int>(ZV_PRECISION_BAD_DEFINITION, [&] {
        const auto model =
            zv::zvk_proj4_d2::proj_session::instance().lengths(zv::zvk_proj4_d2::crs_text(definition));
        if (!model) {
            return static_cast<int>(ZV_PRECISION_BAD_DEFINITION);
        }
        const zv::zvk_proj4_d2::halving_rule rule{static_cast<int>(max_halvings), tolerance_m};
        return total_length(vector, *model, rule, length);
    });
}

ZV_HOST_API bool zv_geocoord_tostring(double value, zv_string_adp_t adapter)
{
    return guarded(false, [&] {
        const auto text = zv::zvk_proj4_d2::coord_text(value);
        zv_string_adp_assign(adapter, text ? text->c_str() : "");
        return text.has_value();
    });
}

} // extern "C"
