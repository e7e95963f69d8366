#include "host/zvk_prg.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{

struct vector_holder {
    zv_ov_d2_t vector = zv_ov_d2_create();
    ~vector_holder() { zv_ov_d2_destroy(vector); }
};

TEST(ObjectVector, StartsEmptyKeepsPartsInOrderAndClears)
{
    vector_holder h;
    ASSERT_NE(h.vector, nullptr);
    EXPECT_EQ(zv_ov_d2_get_size(h.vector), 0u);

    const zv_vertex_d2 line[] = {{1, 2}, {3, 4}, {5, 6}};
    const zv_vertex_d2 point[] = {{7, 8}};
    ASSERT_EQ(zv_ov_d2_add_part(h.vector, line, 3), 1);
    ASSERT_EQ(zv_ov_d2_add_part(h.vector, point, 1), 1);
    ASSERT_EQ(zv_ov_d2_get_size(h.vector), 2u);

    zv_pv_d2_t first = zv_ov_d2_get_pv_ptr(h.vector, 0);
    ASSERT_EQ(zv_pv_d2_get_size(first), 3u);
    EXPECT_EQ(zv_pv_d2_get_vtx(first, 2).x, 5.0);
    EXPECT_EQ(zv_pv_d2_get_vtx(first, 2).y, 6.0);
    EXPECT_EQ(zv_pv_d2_get_vtx(zv_ov_d2_get_pv_ptr(h.vector, 1), 0).y, 8.0);

    zv_ov_d2_clear(h.vector);
    EXPECT_EQ(zv_ov_d2_get_size(h.vector), 0u);
    EXPECT_EQ(zv_ov_d2_get_pv_ptr(h.vector, 0), nullptr);
}

TEST(ObjectVector, PartHandleSurvivesFurtherAppends)
{
    vector_holder h;
    const zv_vertex_d2 v[] = {{1, 1}, {2, 2}};
    zv_ov_d2_add_part(h.vector, v, 2);
    zv_pv_d2_t first = zv_ov_d2_get_pv_ptr(h.vector, 0);
    for (int i = 0; i < 100; ++i) {
        zv_ov_d2_add_part(h.vector, v, 1);
    }
    EXPECT_EQ(zv_pv_d2_get_size(first), 2u);
    EXPECT_EQ(zv_pv_d2_get_vtx(first, 1).x, 2.0);
}

TEST(ObjectVector, EmptyPartIsAllowedButNullVerticesAreNot)
{
    vector_holder h;
    EXPECT_EQ(zv_ov_d2_add_part(h.vector, nullptr, 0), 1);
    EXPECT_EQ(zv_pv_d2_get_size(zv_ov_d2_get_pv_ptr(h.vector, 0)), 0u);
    EXPECT_EQ(zv_ov_d2_add_part(h.vector, nullptr, 3), 0);
    EXPECT_EQ(zv_ov_d2_get_size(h.vector), 1u);
}

TEST(ObjectVector, OutOfRangeAndNullHandlesGiveDefaults)
{
    vector_holder h;
    const zv_vertex_d2 v[] = {{9, 9}};
    zv_ov_d2_add_part(h.vector, v, 1);
    EXPECT_EQ(zv_ov_d2_get_pv_ptr(h.vector, 1), nullptr);
    const zv_vertex_d2 outside = zv_pv_d2_get_vtx(zv_ov_d2_get_pv_ptr(h.vector, 0), 1);
    EXPECT_EQ(outside.x, 0.0);
    EXPECT_EQ(outside.y, 0.0);
    EXPECT_EQ(zv_ov_d2_get_size(nullptr), 0u);
    EXPECT_EQ(zv_pv_d2_get_size(nullptr), 0u);
    EXPECT_EQ(zv_ov_d2_add_part(nullptr, v, 1), 0);
    zv_ov_d2_clear(nullptr);
    zv_ov_d2_destroy(nullptr);
}

} // namespace
