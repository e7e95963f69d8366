#include "wgs84_binding.h"

#include <proj_experimental.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace zv::zvk_proj4_d2
{
namespace
{

// Areas of use come from the database with two decimals; boxes that differ
// by less than this are the same box.
constexpr double kSameArea = 1e-9;

// A box edge is densified by this many points when taken to longitudes and
// latitudes, so that the curved image of a straight edge is covered.
constexpr int kEdgePoints = 21;

double lon_width(const geo_box& b)
{
    const double width = b.east - b.west;
    return width < 0 ? width + 360 : width;
}

double area_of(const geo_box& b)
{
    return lon_width(b) * (b.north - b.south);
}

// The length that [lo, hi] shares with [area_lo, area_hi]; a range of no
// length counts 1 when it lies inside, so that a single point or a straight
// east-west line still ranks the areas that hold it.
double shared_length(double lo, double hi, double area_lo, double area_hi)
{
    if (hi == lo)
        return lo >= area_lo && lo <= area_hi ? 1.0 : 0.0;
    return std::max(0.0, std::min(hi, area_hi) - std::max(lo, area_lo));
}

// Longitudes are compared with the extent moved by a full turn either way,
// so that boxes across the antimeridian meet the others.
double overlap(const geo_box& extent, const geo_box& area)
{
    double lon = 0;
    for (const double turn : {-360.0, 0.0, 360.0})
        lon = std::max(lon, shared_length(extent.west + turn, extent.west + turn + lon_width(extent),
                                          area.west, area.west + lon_width(area)));
    return lon * shared_length(extent.south, extent.north, area.south, area.north);
}

bool contains(const geo_box& area, const geo_box& extent)
{
    if (extent.south < area.south || extent.north > area.north)
        return false;
    for (const double turn : {-360.0, 0.0, 360.0}) {
        const double west = extent.west + turn;
        if (west >= area.west && west + lon_width(extent) <= area.west + lon_width(area))
            return true;
    }
    return false;
}

// A stated accuracy beats an unknown one; a smaller one beats a larger.
bool more_accurate(const helmert_shift& a, const helmert_shift& b)
{
    return a.accuracy_m >= 0 && (b.accuracy_m < 0 || a.accuracy_m < b.accuracy_m);
}

// The first index i with eligible(i) that no other eligible index beats.
template <class Eligible, class Better>
std::optional<std::size_t> best_index(std::size_t count, Eligible&& eligible, Better&& better)
{
    std::optional<std::size_t> best;
    for (std::size_t i = 0; i < count; ++i)
        if (eligible(i) && (!best || better(i, *best)))
            best = i;
    return best;
}

// The single Helmert transformation of op, which PROJ may wrap between
// conversions (axis order, units); null when op is anything else.
pj_ptr helmert_step(PJ_CONTEXT* ctx, const pj_ptr& op)
{
    const auto is_helmert = [ctx](const PJ* o) {
        double values[7] = {};
        return proj_coordoperation_get_towgs84_values(ctx, o, values, 7, false) != 0;
    };
    if (is_helmert(op.get()))
        return op;
    if (proj_get_type(op.get()) != PJ_TYPE_CONCATENATED_OPERATION)
        return {};
    pj_ptr found;
    for (int k = 0; k < proj_concatoperation_get_step_count(ctx, op.get()); ++k) {
        pj_ptr step = owned(proj_concatoperation_get_step(ctx, op.get(), k));
        if (step && proj_get_type(step.get()) == PJ_TYPE_CONVERSION)
            continue;
        if (!step || found || !is_helmert(step.get()))
            return {};
        found = std::move(step);
    }
    return found;
}

// Every operation between the two systems that PROJ's database has, wherever
// it applies and whatever grids it would need; no detours through a third
// system, which could not be written as +towgs84.
std::vector<pj_ptr> database_operations(PJ_CONTEXT* ctx, const PJ* source, const PJ* target)
{
    const std::unique_ptr<PJ_OPERATION_FACTORY_CONTEXT, void (*)(PJ_OPERATION_FACTORY_CONTEXT*)> factory(
        proj_create_operation_factory_context(ctx, nullptr), proj_operation_factory_context_destroy);
    if (!factory)
        return {};
    proj_operation_factory_context_set_spatial_criterion(ctx, factory.get(),
                                                         PROJ_SPATIAL_CRITERION_PARTIAL_INTERSECTION);
    proj_operation_factory_context_set_grid_availability_use(ctx, factory.get(),
                                                             PROJ_GRID_AVAILABILITY_IGNORED);
    proj_operation_factory_context_set_allow_use_intermediate_crs(ctx, factory.get(),
                                                                  PROJ_INTERMEDIATE_CRS_USE_NEVER);
    const std::unique_ptr<PJ_OBJ_LIST, void (*)(PJ_OBJ_LIST*)> list(
        proj_create_operations(ctx, source, target, factory.get()), proj_list_destroy);
    std::vector<pj_ptr> operations;
    for (int i = 0; list && i < proj_list_get_count(list.get()); ++i)
        if (pj_ptr op = owned(proj_list_get(ctx, list.get(), i)))
            operations.push_back(std::move(op));
    return operations;
}

} // namespace

std::optional<std::size_t> choose_shift(const helmert_shifts& shifts, const std::optional<geo_box>& extent)
{
    const auto more_accurate_at = [&](std::size_t i, std::size_t j) {
        return more_accurate(shifts[i], shifts[j]);
    };
    const auto area_at = [&](std::size_t i) { return area_of(shifts[i].area); };
    if (!extent) {
        return best_index(
            shifts.size(), [](std::size_t) { return true; },
            [&](std::size_t i, std::size_t j) {
                return area_at(i) > area_at(j) + kSameArea ||
                       (std::fabs(area_at(i) - area_at(j)) <= kSameArea && more_accurate_at(i, j));
            });
    }
    const auto holding = best_index(
        shifts.size(), [&](std::size_t i) { return contains(shifts[i].area, *extent); },
        [&](std::size_t i, std::size_t j) {
            return more_accurate_at(i, j) || (!more_accurate_at(j, i) && area_at(i) < area_at(j) - kSameArea);
        });
    if (holding)
        return holding;
    const auto overlap_at = [&](std::size_t i) { return overlap(*extent, shifts[i].area); };
    return best_index(
        shifts.size(), [&](std::size_t i) { return overlap_at(i) > 0; },
        [&](std::size_t i, std::size_t j) {
            return overlap_at(i) > overlap_at(j) ||
                   (overlap_at(i) == overlap_at(j) && more_accurate_at(i, j));
        });
}

helmert_shifts find_helmert_shifts(PJ_CONTEXT* ctx, const PJ* crs)
{
    const pj_ptr geographic = owned(proj_crs_get_geodetic_crs(ctx, crs));
    const pj_ptr wgs84 = owned(proj_create(ctx, "EPSG:4326"));
    if (!geographic || !wgs84 || !is_geographic(geographic.get()))
        return {};
    helmert_shifts shifts;
    for (const pj_ptr& op : database_operations(ctx, geographic.get(), wgs84.get())) {
        helmert_shift shift{helmert_step(ctx, op), proj_coordoperation_get_accuracy(ctx, op.get()), {}};
        geo_box& a = shift.area;
        // -1000 marks an unknown bound: a shift that says nowhere where it applies is not used.
        if (shift.transformation &&
            proj_get_area_of_use(ctx, op.get(), &a.west, &a.south, &a.east, &a.north, nullptr) &&
            a.west > -1000 && a.south > -1000 && a.east > -1000 && a.north > -1000)
            shifts.push_back(std::move(shift));
    }
    return shifts;
}

// The length model holds the way to longitudes and latitudes, cached per
// definition (none for a geographic system, whose shapefile coordinates are
// longitude and latitude already).
std::optional<geo_box> geographic_extent(proj_session& session, const std::string& definition,
                                         const plane_box& bounds)
{
    const auto model = session.lengths(definition);
    if (!model)
        return std::nullopt;
    geo_box box{bounds.xmin, bounds.ymin, bounds.xmax, bounds.ymax};
    if (model->to_geographic && !proj_trans_bounds(session.context(), model->to_geographic.get(), PJ_FWD,
                                                   bounds.xmin, bounds.ymin, bounds.xmax, bounds.ymax,
                                                   &box.west, &box.south, &box.east, &box.north, kEdgePoints))
        return std::nullopt;
    const bool sane = std::isfinite(box.west) && std::isfinite(box.east) && box.south >= -90 &&
                      box.north <= 90 && box.south <= box.north;
    if (!sane)
        return std::nullopt;
    box.west = std::remainder(box.west, 360.0); // into [-180, 180], like the areas of use
    box.east = std::remainder(box.east, 360.0);
    return box;
}

pj_ptr bind_to_wgs84(PJ_CONTEXT* ctx, const PJ* crs, const helmert_shift& shift)
{
    const pj_ptr wgs84 = owned(proj_get_target_crs(ctx, shift.transformation.get()));
    return wgs84 ? owned(proj_crs_create_bound_crs(ctx, crs, wgs84.get(), shift.transformation.get()))
                 : nullptr;
}

} // namespace zv::zvk_proj4_d2
