#include "object_vector.h"

#include "foundation/guard.h"

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
