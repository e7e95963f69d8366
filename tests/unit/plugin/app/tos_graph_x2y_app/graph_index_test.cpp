#include "plugin/app/tos_graph_x2y_app/graph_index.h"

#include <gtest/gtest.h>

#include "host/zvk_prg.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <random>
#include <vector>

namespace zv
{
namespace
{

constexpr double inf = std::numeric_limits<double>::infinity();
constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double huge = std::numeric_limits<double>::max();

using polyline = std::vector<std::pair<double, double>>;

std::vector<graph_segment> segments_of(const std::vector<polyline>& parts)
{
    std::vector<graph_segment> segments;
    for (const polyline& part : parts)
        for (std::size_t j = 1; j < part.size(); ++j)
            segments.push_back({part[j - 1].first, part[j - 1].second, part[j].first, part[j].second});
    return segments;
}

using segment_function = bool (*)(const graph_segment&, double x, double& y);

bool host_function(const graph_segment& s, double x, double& y)
{
    return zv_vec_d2_get_y(s.x1, s.y1, s.x2, s.y2, x, &y);
}

// The widening of a segment's x-range that the index promises to allow for.
constexpr double promised_tolerance = 1e-9;

double widening(const graph_segment& s)
{
    return promised_tolerance * (std::fabs(s.x1) + std::fabs(s.x2));
}

// Also yields for x a little outside the segment (within half the promised
// widening), the value at the nearer end.
bool lenient_function(const graph_segment& s, double x, double& y)
{
    const double slack = 0.5 * widening(s);
    const double low = std::min(s.x1, s.x2), high = std::max(s.x1, s.x2);
    return x >= low - slack && x <= high + slack && host_function(s, std::clamp(x, low, high), y);
}

// The search the index stands in for: every segment, in file order.
std::optional<double> linear_search(const std::vector<graph_segment>& graph, double x, segment_function f)
{
    for (const graph_segment& s : graph)
        if (double y = 0.0; f(s, x, y))
            return y;
    return std::nullopt;
}

std::optional<double> indexed_search(const graph_index& index, double x, segment_function f)
{
    std::optional<double> found;
    index.find_first(x, [&](const graph_segment& s) {
        double y = 0.0;
        return f(s, x, y) && (found = y, true);
    });
    return found;
}

// Every end of every segment, its neighbouring doubles and points just
// outside the widening, the middles between ends, and values far away.
std::vector<double> probes_for(const std::vector<graph_segment>& graph)
{
    std::vector<double> probes = {-inf, inf, nan, 0.0, -0.0, -huge, huge, 1e300, -1e300};
    for (const graph_segment& s : graph) {
        const double tolerance = widening(s);
        for (const double end : {s.x1, s.x2}) {
            probes.insert(probes.end(), {end, std::nextafter(end, -inf), std::nextafter(end, inf),
                                         end - 0.4 * tolerance, end + 0.4 * tolerance, end - 2 * tolerance,
                                         end + 2 * tolerance, (s.x1 + s.x2) / 2, end - 1, end + 1});
        }
    }
    return probes;
}

void expect_same_as_linear_search(const std::vector<graph_segment>& graph, const std::vector<double>& probes)
{
    const graph_index index(graph);
    for (const double x : probes) {
        SCOPED_TRACE(x);
        const std::optional<double> expected = linear_search(graph, x, host_function);
        double y = -1.0;
        EXPECT_EQ(tos_eval_graph(index, x, y), expected.has_value());
        if (expected) {
            EXPECT_EQ(y, *expected);
        }
        EXPECT_EQ(indexed_search(index, x, lenient_function), linear_search(graph, x, lenient_function));
    }
}

// A random walk in x that often turns back and sometimes stands still
// (vertical segments), on a coarse grid so that ends coincide; 1 to 3 parts.
std::vector<graph_segment> random_graph(std::mt19937_64& random)
{
    std::uniform_int_distribution<int> parts(1, 3), vertices(1, 30), step(-6, 10), y(-50, 50);
    std::vector<polyline> graph(parts(random));
    for (polyline& part : graph) {
        double x = step(random) * 0.5;
        for (int n = vertices(random); n > 0; --n, x += step(random) * 0.5)
            part.push_back({x, y(random) * 0.25});
    }
    return segments_of(graph);
}

// The first segment in file order that yields wins, as in the search over
// all segments: on folded, overlapping, vertical, multi-part, degenerate and
// non-finite graphs, with the host's segment function and with one that
// accepts x slightly outside its segment.
TEST(GraphIndex, FindsWhatTheSearchThroughAllSegmentsFinds)
{
    const std::vector<std::vector<polyline>> graphs = {
        {{{0, 0}, {1, 2}, {3, 3}, {6, 1}}},                                   // increasing
        {{{0, 0}, {10, 10}, {2, 5}, {12, 0}}},                                // folded back and forth
        {{{0, 1}, {5, 1}}, {{2, 7}, {8, 7}}, {{-1, 3}, {9, 3}}},              // overlapping objects
        {{{0, 0}, {2, 2}, {2, 8}, {4, 8}, {4, 0}, {6, 0}}},                   // vertical steps
        {{{0, 0}, {1, 1}}, {{3, 3}, {4, 0}}, {{5, 5}}},                       // parts with gaps, one vertex
        {{{1, 1}, {1, 1}, {2, 2}, {2, 2}}},                                   // zero-length segments
        {{{0, 0}, {nan, 1}, {2, 2}, {inf, 3}, {4, 4}}, {{-inf, 0}, {-1, 1}}}, // non-finite ends
        {{{-1e308, 0}, {1e308, 1}}, {{huge, 1}, {-huge, 2}}, {{-2, 0}, {-1, 1}}}, // widening overflows
        {{{1e-300, 0}, {2e-300, 1}, {-3e-300, 2}}, {{-1e9, 5}, {-1e9 + 1, 6}}},   // tiny and large
    };
    for (std::size_t i = 0; i < graphs.size(); ++i) {
        SCOPED_TRACE(i);
        const std::vector<graph_segment> graph = segments_of(graphs[i]);
        expect_same_as_linear_search(graph, probes_for(graph));
    }
    std::mt19937_64 random(20240315);
    std::uniform_real_distribution<double> anywhere(-10.0, 60.0);
    for (int i = 0; i < 200; ++i) {
        SCOPED_TRACE("random graph " + std::to_string(i));
        const std::vector<graph_segment> graph = random_graph(random);
        std::vector<double> probes = probes_for(graph);
        for (int k = 0; k < 50; ++k)
            probes.push_back(anywhere(random));
        expect_same_as_linear_search(graph, probes);
    }
}

// Inside one segment of a long increasing graph, that segment alone is
// offered; at a shared vertex the two segments meeting there.
TEST(GraphIndex, OffersOnlyTheSegmentsAroundX)
{
    polyline line;
    for (int i = 0; i <= 1000; ++i)
        line.push_back({1000.0 + i * 2.5, std::sin(i)});
    const graph_index index(segments_of({line}));
    for (const auto& [x, offered] : std::vector<std::pair<double, int>>{
             {1000.0 + 1.25, 1}, {2000.0 + 1.0, 1}, {1000.0 + 2.5 * 1000, 1}, {2000.0, 2}, {900.0, 0}}) {
        int calls = 0;
        index.find_first(x, [&](const graph_segment&) { return ++calls, false; });
        EXPECT_EQ(calls, offered) << x;
    }
}

} // namespace
} // namespace zv
