// Reading 100,000 polylines of 10 vertices: zv_shp_file_get_obj +
// zv_shp_file_get_polypoint against shapelib's SHPReadObject on the same file.
#include "bench_common.h"

#include "host/zvk_file_shp.h"

#include <shapefil.h>

#include <cstdio>
#include <vector>

namespace zv::bench
{
namespace
{

constexpr int object_count = 100000;
constexpr int vertex_count = 10;

bool write_polylines(const std::string& path)
{
    SHPHandle shp = SHPCreate(path.c_str(), SHPT_ARC);
    if (shp == nullptr) {
        return false;
    }
    std::vector<double> x(vertex_count), y(vertex_count);
    bool ok = true;
    for (int i = 0; i < object_count && ok; ++i) {
        for (int v = 0; v < vertex_count; ++v) {
            x[v] = 500000.0 + i * 3.5 + v;
            y[v] = 6200000.0 + i * 0.25 - v * 2.0;
        }
        SHPObject* obj = SHPCreateSimpleObject(SHPT_ARC, vertex_count, x.data(), y.data(), nullptr);
        ok = obj != nullptr && SHPWriteObject(shp, -1, obj) >= 0;
        SHPDestroyObject(obj);
    }
    SHPClose(shp);
    return ok;
}

// Sum of the last vertex's x of every object, so nothing is optimised away.
double read_ours(const std::string& path)
{
    double sum = 0;
    zv_shp_file_t file = zv_shp_file_open_w(u16(path).c_str(), true);
    zv_ov_d2_t parts = zv_ov_d2_create();
    const uint32_t n = zv_shp_file_get_no(file);
    for (uint32_t i = 0; i < n; ++i) {
        zv_shp_record_header header{};
        if (zv_shp_file_get_obj(file, i, &header) && zv_shp_file_get_polypoint(file, &header, parts)) {
            const zv_pv_d2_t part = zv_ov_d2_get_pv_ptr(parts, 0);
            sum += zv_pv_d2_get_vtx(part, zv_pv_d2_get_size(part) - 1).x;
        }
    }
    zv_ov_d2_destroy(parts);
    zv_shp_file_close(file);
    return sum;
}

double read_shapelib(const std::string& path)
{
    double sum = 0;
    SHPHandle shp = SHPOpen(path.c_str(), "rb");
    int count = 0;
    SHPGetInfo(shp, &count, nullptr, nullptr, nullptr);
    for (int i = 0; i < count; ++i) {
        SHPObject* obj = SHPReadObject(shp, i);
        if (obj != nullptr) {
            sum += obj->padfX[obj->nVertices - 1];
            SHPDestroyObject(obj);
        }
    }
    SHPClose(shp);
    return sum;
}

} // namespace

bool bench_shp_read(const scratch_folder& folder, comparison& out)
{
    const std::string path = folder.file("lines.shp");
    if (!write_polylines(path)) {
        return false;
    }
    // Both readers must agree before their speed means anything.
    if (read_ours(path) != read_shapelib(path)) {
        std::fprintf(stderr, "shapefile readers disagree\n");
        return false;
    }
    const timing ours = best_of(5, [&] { read_ours(path); });
    const timing anchor = best_of(5, [&] { read_shapelib(path); });
    out.set(object_count, ours, anchor);
    return true;
}

} // namespace zv::bench
