// The OAT graph tool's processing: a graph Y = f(X) read from a polyline
// shapefile, and the rewriting of a .pgrid data file's result property Y from
// its source property X through that graph.
#pragma once

#include <string>
#include <vector>

namespace zv
{

// One property of a data file as the property lists offer it: the caption
// is shown, the name is used.
struct tos_property_item {
    std::u16string caption;
    std::u16string name;
};

// What a run works on, as the dialog gives it.
struct tos_graph_params {
    std::u16string data_path;
    std::u16string x_name;
    std::u16string y_name;
    std::u16string graph_path;
};

// Two consecutive vertices of a graph polyline. A graph is the list of its
// segments in file order: objects in index order, parts in order, segments
// along each part.
struct graph_segment {
    double x1;
    double y1;
    double x2;
    double y2;
};

class graph_index;

// Replaces segments with the graph of the polyline shapefile at path. False
// when the file does not open, is not a polyline file or yields no segment.
// Objects that cannot be read are passed over; no segment joins two parts.
bool tos_load_graph(const std::u16string& path, std::vector<graph_segment>& segments);

// The graph's value at x: the value of the first segment in file order for
// which the host's segment function yields one. False when none does (x is
// outside the graph) and for a NaN x.
bool tos_eval_graph(const graph_index& graph, double x, double& y);

// Rewrites the whole result property of the data file: each object's Y is the
// graph's value at its X, narrowed to float, or no-data where X is no-data or
// outside the graph. False, with nothing written, when the file does not open
// for writing or a property is missing or cannot be opened. A failed write of
// the values is not detected.
bool tos_apply_graph(const tos_graph_params& params, const std::vector<graph_segment>& segments);

// A run once its parameters are collected: loads the graph, applies it and
// shows the success message (string 219) in an information box. False, with
// no message, when the graph cannot be loaded or applied.
bool tos_run_graph(const tos_graph_params& params);

} // namespace zv
