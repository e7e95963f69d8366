#include "geodesic_length.h"

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
        double previous = geodesic(model_.ellipsoid, gp, gq);
        for (int level = 1; level <= rule_.max_halvings; ++level) {
            const auto refined = pieces(p, q, gp, gq, 1u << level);
            if (!refined) {
                return std::nullopt;
            }
            const bool settled = std::fabs(*refined - previous) < rule_.tolerance_m;
            previous = *refined;
            if (settled) {
                break;
            }
        }
        return previous;
    }

  private:
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
