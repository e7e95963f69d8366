#include "plugin/app/tos_graph_x2y_app/graph_index.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace zv
{
namespace
{

// A segment's widened x-range as a half-open interval of doubles,
// [start, end) with end the successor of the range's last double.
struct x_range {
    double start;
    double end;
    bool finite() const noexcept { return std::isfinite(start) && std::isfinite(end); }
};

x_range widened_range(const graph_segment& s) noexcept
{
    const double tolerance = graph_index::range_tolerance * (std::fabs(s.x1) + std::fabs(s.x2));
    const double low = std::min(s.x1, s.x2) - tolerance;
    const double high = std::max(s.x1, s.x2) + tolerance;
    // A NaN end makes the tolerance NaN, and so the range not finite.
    return {low, std::nextafter(high, std::numeric_limits<double>::infinity())};
}

// Calls add(node) for the nodes of a bottom-up segment tree that together
// cover the leaves [first, end).
template <class Add>
void for_each_covering_node(std::size_t leaves, std::size_t first, std::size_t end, Add add)
{
    for (first += leaves, end += leaves; first < end; first /= 2, end /= 2) {
        if (first % 2 == 1)
            add(first++);
        if (end % 2 == 1)
            add(--end);
    }
}

} // namespace

graph_index::graph_index(std::span<const graph_segment> segments)
    : segments_(segments.begin(), segments.end())
{
    if (segments_.size() > max_segments)
        throw std::length_error("graph_index: too many segments");
    std::vector<x_range> ranges;
    ranges.reserve(segments_.size());
    for (const graph_segment& s : segments_) {
        ranges.push_back(widened_range(s));
        if (ranges.back().finite()) {
            breakpoints_.push_back(ranges.back().start);
            breakpoints_.push_back(ranges.back().end);
        }
    }
    std::sort(breakpoints_.begin(), breakpoints_.end());
    breakpoints_.erase(std::unique(breakpoints_.begin(), breakpoints_.end()), breakpoints_.end());

    const std::size_t pieces = breakpoints_.size() + 1;
    std::vector<std::size_t> first_piece(ranges.size(), 0);
    std::vector<std::size_t> end_piece(ranges.size(), pieces);
    for (std::size_t i = 0; i < ranges.size(); ++i) {
        if (ranges[i].finite()) {
            first_piece[i] = piece_of(ranges[i].start);
            end_piece[i] = piece_of(ranges[i].end);
        }
    }
    leaves_ = std::bit_ceil(pieces);
    build_tree(first_piece, end_piece);
    build_paths();
}

// The lists of the tree's nodes, packed: node n's segments are
// node_segments_[node_starts_[n], node_starts_[n + 1]), in file order since
// segments are added in that order.
void graph_index::build_tree(const std::vector<std::size_t>& first_piece,
                             const std::vector<std::size_t>& end_piece)
{
    node_starts_.assign(2 * leaves_ + 1, 0);
    for (std::size_t i = 0; i < segments_.size(); ++i)
        for_each_covering_node(leaves_, first_piece[i], end_piece[i],
                               [&](std::size_t n) { ++node_starts_[n + 1]; });
    for (std::size_t n = 1; n < node_starts_.size(); ++n)
        node_starts_[n] += node_starts_[n - 1];
    node_segments_.resize(node_starts_.back());
    std::vector<std::size_t> fill(node_starts_.begin(), node_starts_.end() - 1);
    for (std::size_t i = 0; i < segments_.size(); ++i)
        for_each_covering_node(leaves_, first_piece[i], end_piece[i], [&](std::size_t n) {
            node_segments_[fill[n]++] = static_cast<std::uint32_t>(i);
        });
}

// For every piece, the nodes with segments on the way from its leaf to the
// root: the nodes whose lists hold exactly the segments covering the piece.
void graph_index::build_paths()
{
    const std::size_t pieces = breakpoints_.size() + 1;
    piece_starts_.assign(1, 0);
    piece_starts_.reserve(pieces + 1);
    for (std::size_t piece = 0; piece < pieces; ++piece) {
        for (std::size_t node = leaves_ + piece; node >= 1; node /= 2)
            if (node_starts_[node + 1] > node_starts_[node])
                piece_nodes_.push_back(static_cast<std::uint32_t>(node));
        piece_starts_.push_back(piece_nodes_.size());
    }
}

} // namespace zv
