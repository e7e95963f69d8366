// How the rings of a polygon nest: which are outer boundaries and which are
// holes, decided by containment rather than by orientation so that files with
// either ring orientation are read alike.
#pragma once

#include "geom_table.h"

#include <cstddef>
#include <vector>

namespace zv::zvk_gc64lib
{

// The signed area of a ring, positive when counter-clockwise.
double ring_signed_area(const ring& r);

// True when inner lies inside outer. Decided by the even-odd rule on a vertex
// of inner that is not on outer's boundary (else an edge midpoint), so rings
// touching at vertices count; coinciding rings do not contain each other.
bool ring_contains(const ring& outer, const ring& inner);

// For each ring, the other rings that contain it.
std::vector<std::vector<std::size_t>> ring_containers(const std::vector<ring>& rings);

// Number of other rings containing each ring: even depth is an outer
// boundary (or an island in a hole), odd depth a hole.
std::vector<int> ring_depths(const std::vector<ring>& rings);

// An outer ring with the holes directly inside it (indices into the rings).
struct ring_group {
    std::size_t outer;
    std::vector<std::size_t> holes;
};

// The polygon's rings grouped by outer ring, in the order of the outer rings.
// A hole belongs to the innermost outer ring that contains it (the one
// nested one level less deep).
std::vector<ring_group> group_rings(const std::vector<ring>& rings);

} // namespace zv::zvk_gc64lib
