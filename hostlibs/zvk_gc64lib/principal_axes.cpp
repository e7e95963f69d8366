#include "principal_axes.h"

#include "ring_topology.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zv::zvk_gc64lib
{
namespace
{

// Area moments of a region about a local origin: area, first moments
// (integrals of x and y) and second moments (of x*x, y*y, x*y).
struct moments {
    double area = 0, sx = 0, sy = 0, sxx = 0, syy = 0, sxy = 0;
    void add(const moments& m, double sign)
    {
        area += sign * m.area;
        sx += sign * m.sx;
        sy += sign * m.sy;
        sxx += sign * m.sxx;
        syy += sign * m.syy;
        sxy += sign * m.sxy;
    }
};

// Mean position and central second moments per unit of mass.
struct spread {
    point mean{0, 0};
    double vxx = 0, vyy = 0, vxy = 0;
};

// Exact moments of the region bounded by one ring (Green's theorem over its
// edges); signed, positive for a counter-clockwise ring.
moments ring_moments(const ring& r, point o)
{
    moments m;
    const std::size_t n = r.size();
    for (std::size_t i = 0; i < n; ++i) {
        const double ax = r[i].x - o.x, ay = r[i].y - o.y;
        const double bx = r[(i + 1) % n].x - o.x, by = r[(i + 1) % n].y - o.y;
        const double c = ax * by - bx * ay;
        m.area += c;
        m.sx += (ax + bx) * c;
        m.sy += (ay + by) * c;
        m.sxx += (ax * ax + ax * bx + bx * bx) * c;
        m.syy += (ay * ay + ay * by + by * by) * c;
        m.sxy += (ax * by + 2 * ax * ay + 2 * bx * by + bx * ay) * c;
    }
    m.area /= 2;
    m.sx /= 6;
    m.sy /= 6;
    m.sxx /= 12;
    m.syy /= 12;
    m.sxy /= 24;
    return m;
}

// Moments of the polygon: each ring counted with its own orientation undone
// and with + for an outer ring, - for a hole (by nesting depth).
std::optional<spread> area_spread(const std::vector<ring>& rings, point o, double extent2)
{
    const std::vector<int> depth = ring_depths(rings);
    moments total;
    for (std::size_t i = 0; i < rings.size(); ++i) {
        const moments m = ring_moments(rings[i], o);
        if (m.area == 0)
            continue;
        const double orientation = m.area > 0 ? 1.0 : -1.0;
        total.add(m, orientation * (depth[i] % 2 == 0 ? 1.0 : -1.0));
    }
    if (!(std::fabs(total.area) > 1e-12 * extent2))
        return std::nullopt;
    spread s;
    s.mean = {total.sx / total.area, total.sy / total.area};
    s.vxx = total.sxx / total.area - s.mean.x * s.mean.x;
    s.vyy = total.syy / total.area - s.mean.y * s.mean.y;
    s.vxy = total.sxy / total.area - s.mean.x * s.mean.y;
    return s;
}

// The vertices as unit point masses; a ring's closing vertex is not counted twice.
spread vertex_spread(const std::vector<ring>& rings, point o)
{
    std::vector<point> pts;
    for (const ring& r : rings) {
        std::size_t n = r.size();
        if (n > 1 && r.front().x == r.back().x && r.front().y == r.back().y)
            --n;
        for (std::size_t i = 0; i < n; ++i)
            pts.push_back({r[i].x - o.x, r[i].y - o.y});
    }
    spread s;
    const double count = static_cast<double>(pts.size());
    for (point p : pts) {
        s.mean.x += p.x / count;
        s.mean.y += p.y / count;
    }
    for (point p : pts) {
        const double dx = p.x - s.mean.x, dy = p.y - s.mean.y;
        s.vxx += dx * dx / count;
        s.vyy += dy * dy / count;
        s.vxy += dx * dy / count;
    }
    return s;
}

// The first longest edge; due east when every edge has zero length.
point longest_edge_direction(const std::vector<ring>& rings)
{
    point best{1, 0};
    double best_len = 0;
    for (const ring& r : rings)
        for (std::size_t i = 0; i + 1 < r.size(); ++i) {
            const double dx = r[i + 1].x - r[i].x, dy = r[i + 1].y - r[i].y;
            const double len = std::hypot(dx, dy);
            if (len > best_len) {
                best = {dx / len, dy / len};
                best_len = len;
            }
        }
    return best;
}

// Whether a direction's azimuth lies outside [0, 180): westward, or due
// south (x within rounding of zero).
bool faces_west(point d)
{
    return d.x < -1e-12 || (std::fabs(d.x) <= 1e-12 && d.y < 0);
}

// Flips a direction into azimuths [0, 180).
point canonical(point d)
{
    return faces_west(d) ? point{-d.x, -d.y} : d;
}

point major_direction(const spread& s, const std::vector<ring>& rings)
{
    const double half_diff = (s.vxx - s.vyy) / 2;
    const double disc = std::hypot(half_diff, s.vxy);
    // Equal principal moments: every direction is principal.
    if (!(disc > 1e-9 * (s.vxx + s.vyy)))
        return canonical(longest_edge_direction(rings));
    const double theta = 0.5 * std::atan2(2 * s.vxy, s.vxx - s.vyy);
    return canonical({std::cos(theta), std::sin(theta)});
}

struct extent {
    point center{0, 0};
    double diag2 = 0; // squared diagonal
    bool any = false;
    bool finite = true;
};

extent measure(const std::vector<ring>& rings)
{
    double xmin = INFINITY, ymin = INFINITY, xmax = -INFINITY, ymax = -INFINITY;
    extent e;
    for (const ring& r : rings)
        for (point p : r) {
            if (!std::isfinite(p.x) || !std::isfinite(p.y))
                e.finite = false;
            xmin = std::min(xmin, p.x);
            xmax = std::max(xmax, p.x);
            ymin = std::min(ymin, p.y);
            ymax = std::max(ymax, p.y);
            e.any = true;
        }
    if (e.any && e.finite) {
        e.center = {(xmin + xmax) / 2, (ymin + ymax) / 2};
        e.diag2 = (xmax - xmin) * (xmax - xmin) + (ymax - ymin) * (ymax - ymin);
    }
    return e;
}

} // namespace

std::optional<principal_frame> polygon_principal_frame(const std::vector<ring>& rings)
{
    const extent e = measure(rings);
    if (!e.any || !e.finite)
        return std::nullopt;
    const point o = e.center;
    spread s;
    if (auto by_area = area_spread(rings, o, e.diag2))
        s = *by_area;
    else
        s = vertex_spread(rings, o);
    principal_frame f;
    f.centroid = {o.x + s.mean.x, o.y + s.mean.y};
    f.major = major_direction(s, rings);
    f.minor = {-f.major.y, f.major.x};
    return f;
}

std::optional<oriented_box> polygon_oriented_box(const std::vector<ring>& rings)
{
    const auto frame = polygon_principal_frame(rings);
    if (!frame)
        return std::nullopt;
    oriented_box box;
    box.frame = *frame;
    const point c = frame->centroid;
    bool first = true;
    for (const ring& r : rings)
        for (point p : r) {
            const double dx = p.x - c.x, dy = p.y - c.y;
            const double s = dx * frame->major.x + dy * frame->major.y;
            const double t = dx * frame->minor.x + dy * frame->minor.y;
            box.major_min = first ? s : std::min(box.major_min, s);
            box.major_max = first ? s : std::max(box.major_max, s);
            box.minor_min = first ? t : std::min(box.minor_min, t);
            box.minor_max = first ? t : std::max(box.minor_max, t);
            first = false;
        }
    return box;
}

point oriented_box::at(double along_major, double along_minor) const
{
    const principal_frame& f = frame;
    return {f.centroid.x + along_major * f.major.x + along_minor * f.minor.x,
            f.centroid.y + along_major * f.major.y + along_minor * f.minor.y};
}

ring oriented_box::long_axis() const
{
    return {at(major_min, 0), at(major_max, 0)};
}

ring oriented_box::short_axis() const
{
    // minor keeps its turn from major for the rectangle's orientation, so it
    // may face west; the drawn axis runs eastward all the same.
    if (faces_west(frame.minor))
        return {at(0, minor_max), at(0, minor_min)};
    return {at(0, minor_min), at(0, minor_max)};
}

ring oriented_box::rectangle() const
{
    // minor is major turned counter-clockwise, so this order runs clockwise.
    return {at(major_min, minor_min), at(major_min, minor_max), at(major_max, minor_max),
            at(major_max, minor_min), at(major_min, minor_min)};
}

double line_azimuth_degrees(point direction)
{
    double az = std::atan2(direction.x, direction.y) * 180.0 / std::numbers::pi;
    if (az < 0)
        az += 180.0;
    if (az >= 180.0)
        az -= 180.0;
    if (az > 180.0 - 1e-10)
        az = 0.0;
    return az;
}

} // namespace zv::zvk_gc64lib
