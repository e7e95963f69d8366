#include "geodesic_length.h"

#include "surface_distance.h"

#include <cmath>

namespace zv::zvk_proj4_d2
{
namespace
{

// Far more than the rounding of the distances (nanometres on ellipsoids as
// flat as the Earth's) and of the chord.
constexpr double kChordMargin_m = 1e-6;

class projected_meter
{
  public:
    projected_meter(const length_model& model, const halving_rule& rule)
        : model_(model), rule_(rule), surface_(model.ellipsoid)
    {
    }

    // The point on the ellipsoid of a projected one; nullopt when it has none.
    std::optional<surface_point> to_surface(const zv_vertex_d2& p) const
    {
        PJ_COORD c = proj_coord(p.x, p.y, 0.0, 0.0);
        c = proj_trans(model_.to_geographic.get(), PJ_FWD, c);
        if (!std::isfinite(c.xy.x) || !std::isfinite(c.xy.y) || c.xy.x == HUGE_VAL) {
            return std::nullopt;
        }
        return surface_.locate({c.xy.x, c.xy.y});
    }

    // Length of the straight projected segment p-q whose points on the
    // ellipsoid are sp and sq, refined by halving.
    std::optional<double> segment(const zv_vertex_d2& p, const zv_vertex_d2& q, const surface_point& sp,
                                  const surface_point& sq) const
    {
        if (rule_.max_halvings < 1) {
            return surface_.geodesic(sp, sq);
        }
        double previous = 0.0;
        for (int level = 1; level <= rule_.max_halvings; ++level) {
            const auto refined = pieces(p, q, sp, sq, 1u << level);
            if (!refined) {
                return std::nullopt;
            }
            const bool settled = level == 1 ? first_halving_settles(sp, sq, *refined)
                                            : std::fabs(*refined - previous) < rule_.tolerance_m;
            previous = *refined;
            if (settled) {
                break;
            }
        }
        return previous;
    }

  private:
    // Whether the two pieces' length is within the tolerance of the geodesic
    // between the ends. That geodesic is no longer than the two pieces, and
    // no shorter than the chord: when the pieces exceed the chord by less
    // than the tolerance, the answer is yes without computing the geodesic.
    bool first_halving_settles(const surface_point& sp, const surface_point& sq, double two_pieces) const
    {
        if (surface_.earth_like() &&
            two_pieces - surface_distance::chord(sp, sq) < rule_.tolerance_m - kChordMargin_m) {
            return true;
        }
        return std::fabs(two_pieces - surface_.geodesic(sp, sq)) < rule_.tolerance_m;
    }

    std::optional<double> pieces(const zv_vertex_d2& p, const zv_vertex_d2& q, const surface_point& sp,
                                 const surface_point& sq, unsigned count) const
    {
        double sum = 0.0;
        surface_point last = sp;
        for (unsigned k = 1; k < count; ++k) {
            const double t = static_cast<double>(k) / count;
            const auto s = to_surface({p.x + t * (q.x - p.x), p.y + t * (q.y - p.y)});
            if (!s) {
                return std::nullopt;
            }
            sum += surface_.geodesic(last, *s);
            last = *s;
        }
        return sum + surface_.geodesic(last, sq);
    }

    const length_model& model_;
    const halving_rule& rule_;
    surface_distance surface_;
};

std::optional<double> geographic_length(const length_model& model, const std::vector<zv_vertex_d2>& vertices)
{
    double sum = 0.0;
    for (std::size_t i = 1; i < vertices.size(); ++i) {
        const auto& a = vertices[i - 1];
        const auto& b = vertices[i];
        if (!std::isfinite(a.x) || !std::isfinite(a.y) || !std::isfinite(b.x) || !std::isfinite(b.y) ||
            std::fabs(a.y) > 90.0 || std::fabs(b.y) > 90.0) {
            return std::nullopt;
        }
        sum += geod_distance(model.ellipsoid, a, b);
    }
    return sum;
}

} // namespace

std::optional<double> polyline_length(const length_model& model, const std::vector<zv_vertex_d2>& vertices,
                                      const halving_rule& rule)
{
    if (!model.to_geographic) {
        return geographic_length(model, vertices);
    }
    const projected_meter meter(model, rule);
    std::vector<surface_point> surface;
    surface.reserve(vertices.size());
    for (const auto& v : vertices) {
        const auto s = meter.to_surface(v);
        if (!s) {
            return std::nullopt;
        }
        surface.push_back(*s);
    }
    double sum = 0.0;
    for (std::size_t i = 1; i < vertices.size(); ++i) {
        const auto piece = meter.segment(vertices[i - 1], vertices[i], surface[i - 1], surface[i]);
        if (!piece) {
            return std::nullopt;
        }
        sum += *piece;
    }
    return sum;
}

} // namespace zv::zvk_proj4_d2
