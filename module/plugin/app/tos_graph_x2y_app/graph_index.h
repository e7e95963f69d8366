// An index of a graph's segments by their x-ranges: at a given x it offers the
// segments that may yield a value there, and only those, in file order, so the
// first one that yields is the one a search through all segments would find.
//
// What it assumes of the segment function: a segment (x1, y1, x2, y2) yields a
// value only for x in [min(x1, x2) - t, max(x1, x2) + t], where
// t = range_tolerance * (|x1| + |x2|). A segment whose widened range is not
// finite (an end that is infinite or NaN) is offered at every x.
//
// How: the start of each widened range and the successor of its end are the
// breakpoints that cut the line into pieces [b[k-1], b[k]). Over the pieces a
// segment tree keeps each segment, in file order, in the few nodes that
// together cover its range; every piece keeps the non-empty nodes on its path
// to the root. A query finds the piece by binary search and merges those
// nodes' lists: O(log s + candidates) per x, O(s log s) memory. The search
// starts at the piece of the previous query, so a property that changes
// smoothly from object to object mostly skips the binary search; that
// remembered piece makes one index unfit for concurrent queries.
#pragma once

#include "plugin/app/tos_graph_x2y_app/tos_graph.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace zv
{

class graph_index
{
  public:
    // Relative widening of each segment's x-range (see above).
    static constexpr double range_tolerance = 1e-9;
    // More segments than this are refused (std::length_error).
    static constexpr std::size_t max_segments = std::size_t{1} << 28;

    explicit graph_index(std::span<const graph_segment> segments);

    // Offers the candidate segments at x to try_segment in file order until
    // it returns true; whether one did.
    template <class Try> bool find_first(double x, Try&& try_segment) const;

  private:
    // Enough for the deepest tree that max_segments can make.
    static constexpr std::size_t max_path = 40;

    std::size_t piece_of(double x) const noexcept;
    std::size_t piece_near(double x) const noexcept;
    std::span<const std::uint32_t> nodes_of_piece(std::size_t piece) const noexcept;
    std::span<const std::uint32_t> segments_of_node(std::uint32_t node) const noexcept;
    void build_tree(const std::vector<std::size_t>& first_piece, const std::vector<std::size_t>& end_piece);
    void build_paths();

    std::vector<graph_segment> segments_;
    std::vector<double> breakpoints_;
    std::size_t leaves_ = 0; // of the tree, a power of two; node 1 is the root, leaf k is node leaves_ + k
    std::vector<std::size_t> node_starts_;
    std::vector<std::uint32_t> node_segments_;
    std::vector<std::size_t> piece_starts_;
    std::vector<std::uint32_t> piece_nodes_;
    mutable std::size_t last_piece_ = 0;
};

// The queries' hot path stays in the header, to be inlined.

// The number of breakpoints not above x: piece k is [b[k-1], b[k]). A
// binary search without branches on the comparisons.
inline std::size_t graph_index::piece_of(double x) const noexcept
{
    std::size_t length = breakpoints_.size();
    if (length == 0)
        return 0;
    const double* base = breakpoints_.data();
    while (length > 1) {
        const std::size_t half = length / 2;
        base = base[half] <= x ? base + half : base;
        length -= half;
    }
    return static_cast<std::size_t>(base - breakpoints_.data()) + (*base <= x ? 1 : 0);
}

inline std::size_t graph_index::piece_near(double x) const noexcept
{
    const std::size_t k = last_piece_;
    if ((k == 0 || breakpoints_[k - 1] <= x) && (k == breakpoints_.size() || x < breakpoints_[k]))
        return k;
    return last_piece_ = piece_of(x);
}

inline std::span<const std::uint32_t> graph_index::nodes_of_piece(std::size_t piece) const noexcept
{
    return std::span(piece_nodes_)
        .subspan(piece_starts_[piece], piece_starts_[piece + 1] - piece_starts_[piece]);
}

inline std::span<const std::uint32_t> graph_index::segments_of_node(std::uint32_t node) const noexcept
{
    return std::span(node_segments_).subspan(node_starts_[node], node_starts_[node + 1] - node_starts_[node]);
}

template <class Try> bool graph_index::find_first(double x, Try&& try_segment) const
{
    // One list per node, each in file order; each step tries the smallest head.
    struct list {
        const std::uint32_t* next;
        const std::uint32_t* end;
    };
    list heads[max_path]; // left uninitialised: only the first `count` are used
    std::size_t count = 0;
    for (const std::uint32_t node : nodes_of_piece(piece_near(x))) {
        const std::span<const std::uint32_t> segments = segments_of_node(node);
        heads[count++] = {segments.data(), segments.data() + segments.size()};
    }
    while (count > 0) {
        std::size_t best = 0;
        for (std::size_t i = 1; i < count; ++i)
            if (*heads[i].next < *heads[best].next)
                best = i;
        if (try_segment(segments_[*heads[best].next]))
            return true;
        if (++heads[best].next == heads[best].end)
            heads[best] = heads[--count];
    }
    return false;
}

} // namespace zv
