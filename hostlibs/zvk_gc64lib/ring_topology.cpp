#include "ring_topology.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace zv::zvk_gc64lib
{
namespace
{

struct bounds {
    double xmin = INFINITY, ymin = INFINITY, xmax = -INFINITY, ymax = -INFINITY;
    void add(point p)
    {
        xmin = std::min(xmin, p.x);
        ymin = std::min(ymin, p.y);
        xmax = std::max(xmax, p.x);
        ymax = std::max(ymax, p.y);
    }
    bool holds(const bounds& b) const
    {
        return b.xmin >= xmin && b.xmax <= xmax && b.ymin >= ymin && b.ymax <= ymax;
    }
};

bounds ring_bounds(const ring& r)
{
    bounds b;
    for (point p : r)
        b.add(p);
    return b;
}

// p on the segment a-b, within a tolerance relative to the segment's size so
// that vertices shared by touching rings are recognised after rounding.
bool on_segment(point p, point a, point b)
{
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double px = p.x - a.x, py = p.y - a.y;
    const double len2 = dx * dx + dy * dy;
    if (len2 == 0.0)
        return px == 0.0 && py == 0.0;
    const double cross = dx * py - dy * px;
    if (std::fabs(cross) > 1e-12 * len2 + 1e-300)
        return false;
    const double dot = dx * px + dy * py;
    return dot >= -1e-12 * len2 && dot <= len2 * (1.0 + 1e-12);
}

// Where p lies relative to ring r: nullopt on its boundary, else inside or not
// by the even-odd crossing rule.
std::optional<bool> locate(point p, const ring& r)
{
    bool inside = false;
    const std::size_t n = r.size();
    for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
        const point a = r[j], b = r[i];
        if (on_segment(p, a, b))
            return std::nullopt;
        if ((a.y > p.y) != (b.y > p.y)) {
            const double x = a.x + (p.y - a.y) * (b.x - a.x) / (b.y - a.y);
            if (p.x < x)
                inside = !inside;
        }
    }
    return inside;
}

// Candidate points of inner for the containment test, best first: its
// vertices, then its edge midpoints. When all of them lie on the outer
// ring's boundary, the rings coincide and neither contains the other.
std::vector<point> probe_points(const ring& inner)
{
    std::vector<point> probes(inner.begin(), inner.end());
    for (std::size_t i = 0; i + 1 < inner.size(); ++i)
        probes.push_back({(inner[i].x + inner[i + 1].x) / 2, (inner[i].y + inner[i + 1].y) / 2});
    return probes;
}

} // namespace

double ring_signed_area(const ring& r)
{
    if (r.size() < 3)
        return 0.0;
    // Relative to the first vertex, as projected coordinates are large; the
    // closing edge back to that vertex then adds nothing, closed ring or not.
    const point o = r.front();
    double twice = 0.0;
    for (std::size_t i = 0; i + 1 < r.size(); ++i) {
        const double x1 = r[i].x - o.x, y1 = r[i].y - o.y;
        const double x2 = r[i + 1].x - o.x, y2 = r[i + 1].y - o.y;
        twice += x1 * y2 - x2 * y1;
    }
    return twice / 2.0;
}

namespace
{

// Containment once the rings' bounds are known.
bool contains_within(const ring& outer, const bounds& outer_box, const ring& inner, const bounds& inner_box)
{
    if (outer.size() < 3 || inner.empty() || !outer_box.holds(inner_box))
        return false;
    for (point p : probe_points(inner)) {
        if (auto where = locate(p, outer))
            return *where;
    }
    return false;
}

} // namespace

bool ring_contains(const ring& outer, const ring& inner)
{
    return contains_within(outer, ring_bounds(outer), inner, ring_bounds(inner));
}

std::vector<std::vector<std::size_t>> ring_containers(const std::vector<ring>& rings)
{
    std::vector<bounds> boxes;
    boxes.reserve(rings.size());
    for (const ring& r : rings)
        boxes.push_back(ring_bounds(r));
    std::vector<std::vector<std::size_t>> containers(rings.size());
    for (std::size_t i = 0; i < rings.size(); ++i)
        for (std::size_t j = 0; j < rings.size(); ++j)
            if (i != j && contains_within(rings[j], boxes[j], rings[i], boxes[i]))
                containers[i].push_back(j);
    return containers;
}

std::vector<int> ring_depths(const std::vector<ring>& rings)
{
    std::vector<int> depth;
    for (const auto& c : ring_containers(rings))
        depth.push_back(static_cast<int>(c.size()));
    return depth;
}

std::vector<ring_group> group_rings(const std::vector<ring>& rings)
{
    const auto containers = ring_containers(rings);
    auto depth = [&](std::size_t i) { return containers[i].size(); };
    std::vector<ring_group> groups;
    std::vector<std::size_t> group_of(rings.size(), SIZE_MAX);
    for (std::size_t i = 0; i < rings.size(); ++i) {
        if (depth(i) % 2 != 0)
            continue;
        group_of[i] = groups.size();
        groups.push_back({i, {}});
    }
    for (std::size_t i = 0; i < rings.size(); ++i) {
        if (depth(i) % 2 == 0)
            continue;
        // The hole's owner is the innermost ring around it, one level up.
        std::size_t owner = SIZE_MAX;
        for (std::size_t j : containers[i])
            if (depth(j) + 1 == depth(i))
                owner = j;
        if (owner == SIZE_MAX) { // inconsistent nesting (overlapping rings): keep the ring
            group_of[i] = groups.size();
            groups.push_back({i, {}});
        } else {
            groups[group_of[owner]].holes.push_back(i);
        }
    }
    return groups;
}

} // namespace zv::zvk_gc64lib
