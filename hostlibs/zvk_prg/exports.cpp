// The exported C functions of zvk_prg: object vectors of 2-D parts, and
// reading a value off one segment of a graph polyline.
#include "object_vector.h"

#include "foundation/guard.h"

#include <algorithm>
#include <cmath>
#include <new>

extern "C" {

ZV_HOST_API zv_ov_d2_t zv_ov_d2_create(void)
{
    return new (std::nothrow) zv_ov_d2{};
}

ZV_HOST_API void zv_ov_d2_destroy(zv_ov_d2_t vector)
{
    delete vector;
}

ZV_HOST_API uint32_t zv_ov_d2_get_size(zv_ov_d2_t vector)
{
    return vector == nullptr ? 0u : static_cast<uint32_t>(vector->parts.size());
}

ZV_HOST_API zv_pv_d2_t zv_ov_d2_get_pv_ptr(zv_ov_d2_t vector, uint32_t index)
{
    if (vector == nullptr || index >= vector->parts.size()) {
        return nullptr;
    }
    return vector->parts[index].get();
}

ZV_HOST_API void zv_ov_d2_clear(zv_ov_d2_t vector)
{
    if (vector != nullptr) {
        vector->parts.clear();
    }
}

ZV_HOST_API int zv_ov_d2_add_part(zv_ov_d2_t vector, const zv_vertex_d2* vertices, uint32_t count)
{
    if (vector == nullptr || (vertices == nullptr && count > 0)) {
        return 0;
    }
    return zv::foundation::guarded(0, [&] {
        auto part = std::make_unique<zv_pv_d2>();
        part->vertices.assign(vertices, vertices + count);
        vector->parts.push_back(std::move(part));
        return 1;
    });
}

ZV_HOST_API uint32_t zv_pv_d2_get_size(zv_pv_d2_t part)
{
    return part == nullptr ? 0u : static_cast<uint32_t>(part->vertices.size());
}

ZV_HOST_API zv_vertex_d2 zv_pv_d2_get_vtx(zv_pv_d2_t part, uint32_t index)
{
    if (part == nullptr || index >= part->vertices.size()) {
        return zv_vertex_d2{0.0, 0.0};
    }
    return part->vertices[index];
}

} // extern "C"

extern "C" ZV_HOST_API bool zv_vec_d2_get_y(double x1, double y1, double x2, double y2, double x, double* y)
{
    if (y == nullptr || !std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) ||
        !std::isfinite(y2) || !std::isfinite(x)) {
        return false;
    }
    // A vertical segment has no single y for its x.
    if (x1 == x2) {
        return false;
    }
    // Both ends belong to the segment, whichever way it runs.
    if (x < std::min(x1, x2) || x > std::max(x1, x2)) {
        return false;
    }
    // Halved operands keep differences of huge values finite.
    double t = (x - x1) / (x2 - x1);
    if (!std::isfinite(x2 - x1) || !std::isfinite(x - x1)) {
        t = (0.5 * x - 0.5 * x1) / (0.5 * x2 - 0.5 * x1);
    }
    // A weighted mean gives each end's y exactly at its x and cannot
    // overflow for finite ends.
    *y = (1.0 - t) * y1 + t * y2;
    return true;
}
