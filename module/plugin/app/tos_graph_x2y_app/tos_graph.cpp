#include "plugin/app/tos_graph_x2y_app/tos_graph.h"

#include "host/zvk_file_shp.h"
#include "host/zvk_file_tos4.h"
#include "host/zvk_msgs.h"
#include "host/zvk_prg.h"
#include "plugin/app/tos_graph_x2y_app/graph_index.h"
#include "resources/string_loader.h"
#include "support/host_handle.h"

#include <bit>
#include <cmath>
#include <cstdint>

namespace zv
{
namespace
{

using shp_file = support::host_handle<zv_shp_file, &zv_shp_file_close>;
using object_vector = support::host_handle<zv_ov_d2, &zv_ov_d2_destroy>;
using tos4_file = support::host_handle<zv_tos4_file, &zv_tos4_file_close>;
using tos4_property = support::host_handle<zv_tos4_prop, &zv_tos4_prop_close>;

// "Success!" / "Выполнено!"
constexpr std::int32_t success_message = 219;

// The value of objects without a Y.
constexpr float no_data = std::bit_cast<float>(std::uint32_t{0x7FC00000});

// The segments of every part of one object, in order.
void append_segments(zv_ov_d2_t object, std::vector<graph_segment>& segments)
{
    const std::uint32_t parts = zv_ov_d2_get_size(object);
    for (std::uint32_t p = 0; p < parts; ++p) {
        const zv_pv_d2_t part = zv_ov_d2_get_pv_ptr(object, p);
        const std::uint32_t vertices = zv_pv_d2_get_size(part);
        for (std::uint32_t j = 1; j < vertices; ++j) {
            const zv_vertex_d2 a = zv_pv_d2_get_vtx(part, j - 1);
            const zv_vertex_d2 b = zv_pv_d2_get_vtx(part, j);
            segments.push_back({a.x, a.y, b.x, b.y});
        }
    }
}

bool read_polyline(zv_shp_file_t file, std::uint32_t index, zv_ov_d2_t object)
{
    zv_shp_record_header header{};
    return zv_shp_file_get_obj(file, index, &header) && header.shape_type == ZV_SHP_POLYLINE &&
           zv_shp_file_get_polypoint(file, &header, object);
}

float y_at(const graph_index& graph, float x)
{
    double y = 0.0;
    return tos_eval_graph(graph, x, y) ? static_cast<float>(y) : no_data;
}

} // namespace

bool tos_load_graph(const std::u16string& path, std::vector<graph_segment>& segments)
{
    segments.clear();
    const object_vector object(zv_ov_d2_create());
    const shp_file file(zv_shp_file_open_w(path.c_str(), true));
    if (!file || zv_shp_file_get_type(file.get()) != ZV_SHP_POLYLINE)
        return false;
    const std::uint32_t count = zv_shp_file_get_no(file.get());
    for (std::uint32_t i = 0; i < count; ++i)
        if (read_polyline(file.get(), i, object.get()))
            append_segments(object.get(), segments);
    return !segments.empty();
}

bool tos_eval_graph(const graph_index& graph, double x, double& y)
{
    if (std::isnan(x))
        return false;
    return graph.find_first(x, [&](const graph_segment& s) {
        double value = 0.0;
        if (!zv_vec_d2_get_y(s.x1, s.y1, s.x2, s.y2, x, &value))
            return false;
        y = value;
        return true;
    });
}

bool tos_apply_graph(const tos_graph_params& params, const std::vector<graph_segment>& segments)
{
    const tos4_file file(zv_tos4_file_open_w(params.data_path.c_str(), ZV_TOS4_OPEN_WRITE));
    if (!file)
        return false;
    const std::int32_t ix = zv_tos4_get_index_by_name_w(file.get(), params.x_name.c_str());
    const std::int32_t iy = zv_tos4_get_index_by_name_w(file.get(), params.y_name.c_str());
    if (ix < 0 || iy < 0)
        return false;
    // Declared after the file, so closed before it: Y first, then X.
    const tos4_property px(zv_tos4_prop_open(file.get(), ix));
    const tos4_property py(zv_tos4_prop_open(file.get(), iy));
    if (!px || !py)
        return false;

    const std::uint64_t n = zv_tos4_get_object_count_64(file.get());
    std::vector<float> xs(n);
    std::vector<float> ys(n);
    zv_tos4_prop_read_64(px.get(), 0, n, xs.data(), n, false, 0);
    const graph_index graph(segments);
    for (std::size_t k = 0; k < xs.size(); ++k)
        ys[k] = y_at(graph, xs[k]);
    zv_tos4_prop_write_64(py.get(), 0, ys.data(), n, false, 0);
    return true;
}

bool tos_run_graph(const tos_graph_params& params)
{
    std::vector<graph_segment> segments;
    if (!tos_load_graph(params.graph_path, segments) || !tos_apply_graph(params, segments))
        return false;
    zv_show_wmessage(resource::load_string(success_message).c_str());
    return true;
}

} // namespace zv
