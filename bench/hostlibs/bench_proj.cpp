// Reprojecting vertices from a projected system into WGS84 longitude and
// latitude: a reprojector of zvk_proj4_d2 (zv_rpj_d2_apply_vtx) against
// calling PROJ's proj_trans directly on the same transformation.
#include "bench_common.h"

#include "host/zvk_proj4_d2.h"

#include <proj.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace zv::bench
{
namespace
{

constexpr std::size_t point_count = 200000;

// Gauss-Kruger zone 7 on Krassowsky's ellipsoid, and the WGS84 target of
// the profile tool.
const char* const source_definition = "+proj=tmerc +lat_0=0 +lon_0=39 +k=1 +x_0=7500000 +y_0=0 +ellps=krass "
                                      "+towgs84=23.57,-140.95,-79.8,0,0.35,0.79,-0.22 +units=m +no_defs";
const char* const target_definition = "+proj=longlat +datum=WGS84 +ellps=WGS84 +lon_wrap=45 +no_defs";

std::vector<zv_vertex_d2> make_points()
{
    std::vector<zv_vertex_d2> points(point_count);
    for (std::size_t i = 0; i < point_count; ++i) {
        points[i] = {7400000.0 + static_cast<double>(i % 1000) * 150.0,
                     6100000.0 + static_cast<double>(i / 1000) * 900.0};
    }
    return points;
}

bool run_ours(zv_rpj_d2_t rpj, const std::vector<zv_vertex_d2>& in, std::vector<zv_vertex_d2>& out)
{
    out = in;
    bool ok = true;
    for (zv_vertex_d2& v : out) {
        ok = zv_rpj_d2_apply_vtx(rpj, &v) && ok;
    }
    return ok;
}

void run_proj(PJ* op, const std::vector<zv_vertex_d2>& in, std::vector<zv_vertex_d2>& out)
{
    out.resize(in.size());
    for (std::size_t i = 0; i < in.size(); ++i) {
        const PJ_COORD c = proj_trans(op, PJ_FWD, proj_coord(in[i].x, in[i].y, 0, 0));
        out[i] = {c.xy.x, c.xy.y};
    }
}

// The direct PROJ transformation, built as a caller of PROJ would build it.
PJ* direct_transformation(PJ_CONTEXT* ctx)
{
    const std::string from = std::string(source_definition) + " +type=crs";
    const std::string to = std::string(target_definition) + " +type=crs";
    PJ* op = proj_create_crs_to_crs(ctx, from.c_str(), to.c_str(), nullptr);
    if (op == nullptr) {
        return nullptr;
    }
    PJ* normalized = proj_normalize_for_visualization(ctx, op);
    proj_destroy(op);
    return normalized;
}

bool same_points(const std::vector<zv_vertex_d2>& a, const std::vector<zv_vertex_d2>& b)
{
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::fabs(a[i].x - b[i].x) > 1e-9 || std::fabs(a[i].y - b[i].y) > 1e-9) {
            std::fprintf(stderr, "point %zu: %.12f %.12f vs %.12f %.12f\n", i, a[i].x, a[i].y, b[i].x,
                         b[i].y);
            return false;
        }
    }
    return true;
}

} // namespace

bool bench_reproject(comparison& out)
{
    const std::vector<zv_vertex_d2> points = make_points();
    zv_rpj_d2_t rpj = zv_rpj_d2_create();
    PJ_CONTEXT* ctx = proj_context_create();
    PJ* op = direct_transformation(ctx);
    bool ok = rpj != nullptr && op != nullptr &&
              zv_rpj_d2_init_w(rpj, u16(source_definition).c_str(), u16(target_definition).c_str());
    std::vector<zv_vertex_d2> ours, anchor;
    ok = ok && run_ours(rpj, points, ours);
    if (ok) {
        run_proj(op, points, anchor);
        ok = same_points(ours, anchor);
    }
    if (ok) {
        const timing ours_time = best_of(3, [&] { run_ours(rpj, points, ours); });
        const timing anchor_time = best_of(3, [&] { run_proj(op, points, anchor); });
        out.set(point_count, ours_time, anchor_time);
    }
    proj_destroy(op);
    proj_context_destroy(ctx);
    zv_rpj_d2_destroy(rpj);
    return ok;
}

} // namespace zv::bench
