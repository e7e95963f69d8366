#include "geodesic_length.h"

#include <array>
#include <cmath>

namespace zv::zvk_proj4_d2
{
namespace
{

// Geodesic distance between two points given as longitude, latitude degrees.
double geodesic(const geod_geodesic& ellipsoid, const zv_vertex_d2& a, const zv_vertex_d2& b)
{
    double distance = 0.0;
    geod_inverse(&ellipsoid, a.y, a.x, b.y, b.x, &distance, nullptr, nullptr);
    return distance;
}

// Earth-centred coordinates of a point given as longitude, latitude degrees.
std::array<double, 3> earth_centred(const geod_geodesic& ellipsoid, const zv_vertex_d2& p)
{
    constexpr double radians = 3.14159265358979323846 / 180.0;
    const double e2 = ellipsoid.f * (2.0 - ellipsoid.f);
    const double sin_lat = std::sin(p.y * radians);
    const double cos_lat = std::cos(p.y * radians);
    const double n = ellipsoid.a / std::sqrt(1.0 - e2 * sin_lat * sin_lat);
    return {n * cos_lat * std::cos(p.x * radians), n * cos_lat * std::sin(p.x * radians),
            n * (1.0 - e2) * sin_lat};
}

// The straight line through the ellipsoid between two points, which no
// path on its surface is shorter than.
double chord(const geod_geodesic& ellipsoid, const zv_vertex_d2& a, const zv_vertex_d2& b)
{
    const auto p = earth_centred(ellipsoid, a);
    const auto q = earth_centred(ellipsoid, b);
    return std::hypot(p[0] - q[0], p[1] - q[1], p[2] - q[2]);
}

// Far more than the rounding of geod_inverse (nanometres on ellipsoids as
// flat as the Earth's) and of the chord.
constexpr double kChordMargin_m = 1e-6;
constexpr double kEarthLikeFlattening = 0.01;

class projected_meter
{
  public:
    projected_meter(const length_model& model, const halving_rule& rule) : model_(model), rule_(rule) {}

    // Longitude and latitude of a projected point; nullopt when it has none.
    std::optional<zv_vertex_d2> to_geographic(const zv_vertex_d2& p) const
    {
        PJ_COORD c = proj_coord(p.x, p.y, 0.0, 0.0);
        c = proj_trans(model_.to_geographic.get(), PJ_FWD, c);
        if (!std::isfinite(c.xy.x) || !std::isfinite(c.xy.y) || c.xy.x == HUGE_VAL) {
            return std::nullopt;
        }
        return zv_vertex_d2{c.xy.x, c.xy.y};
    }

    // Length of the straight projected segment p-q whose geographic ends are
    // gp and gq, refined by halving.
    std::optional<double> segment(const zv_vertex_d2& p, const zv_vertex_d2& q, const zv_vertex_d2& gp,
                                  const zv_vertex_d2& gq) const
    {
        if (rule_.max_halvings < 1) {
            return geodesic(model_.ellipsoid, gp, gq);
        }
        double previous = 0.0;
        for (int level = 1; level <= rule_.max_halvings; ++level) {
            const auto refined = pieces(p, q, gp, gq, 1u << level);
            if (!refined) {
                return std::nullopt;
            }
            const bool settled = level == 1 ? first_halving_settles(gp, gq, *refined)
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
    // than the tolerance, the answer is yes without computing the geodesic,
    // which most short segments need no more.
    bool first_halving_settles(const zv_vertex_d2& gp, const zv_vertex_d2& gq, double two_pieces) const
    {
        const bool earth_like = std::fabs(model_.ellipsoid.f) < kEarthLikeFlattening;
        if (earth_like && two_pieces - chord(model_.ellipsoid, gp, gq) < rule_.tolerance_m - kChordMargin_m) {
            return true;
        }
        return std::fabs(two_pieces - geodesic(model_.ellipsoid, gp, gq)) < rule_.tolerance_m;
    }

    std::optional<double> pieces(const zv_vertex_d2& p, const zv_vertex_d2& q, const zv_vertex_d2& gp,
                                 const zv_vertex_d2& gq, unsigned count) const
    {
        double sum = 0.0;
        zv_vertex_d2 last = gp;
        for (unsigned k = 1; k < count; ++k) {
            const double t = static_cast<double>(k) / count;
            const auto g = to_geographic({p.x + t * (q.x - p.x), p.y + t * (q.y - p.y)});
            if (!g) {
                return std::nullopt;
            }
            sum += geodesic(model_.ellipsoid, last, *g);
            last = *g;
        }
        return sum + geodesic(model_.ellipsoid, last, gq);
    }

    const length_model& model_;
    const halving_rule& rule_;
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
        sum += geodesic(model.ellipsoid, a, b);
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
    std::vector<zv_vertex_d2> geographic;
    geographic.reserve(vertices.size());
    for (const auto& v : vertices) {
        const auto g = meter.to_geographic(v);
        if (!g) {
            return std::nullopt;
        }
        geographic.push_back(*g);
    }
    double sum = 0.0;
    for (std::size_t i = 1; i < vertices.size(); ++i) {
        const auto piece = meter.segment(vertices[i - 1], vertices[i], geographic[i - 1], geographic[i]);
        if (!piece) {
            return std::nullopt;
        }
        sum += *piece;
    }
    return sum;
}

} // namespace zv::zvk_proj4_d2
