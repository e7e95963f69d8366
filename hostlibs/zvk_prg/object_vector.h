// Object vectors of 2-D vertices: a list of parts, each a list of vertices.
// The C handles zv_ov_d2_t and zv_pv_d2_t point at these structures.
#pragma once

#include "host/zvk_prg.h"

#include <memory>
#include <vector>

struct zv_pv_d2 {
    std::vector<zv_vertex_d2> vertices;
};

struct zv_ov_d2 {
    // Parts are held by pointer so that a part handle stays valid while
    // further parts are appended.
    std::vector<std::unique_ptr<zv_pv_d2>> parts;
};
