// Fuzz target: arbitrary polygons through nesting, splitting, both polygon
// operations and record formatting, and arbitrary bytes as a shapefile
// through loading and saving. Nothing may crash, hang or leave temporaries.
#include "dbf_output.h"
#include "geom_table.h"
#include "polygon_ops.h"
#include "table_load.h"
#include "table_save.h"

#include "kit/scratch_folder.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

namespace
{

using namespace zv::zvk_gc64lib;

// Vertices are pairs of little-endian 16-bit integers; x = -32768 ends a ring.
geom_table polygons_from(const std::uint8_t* data, std::size_t size)
{
    geom_table t;
    t.kind = shape_kind::polygon;
    t.objects.push_back({shape_kind::polygon, {ring{}}});
    std::vector<ring>& rings = t.objects[0].parts;
    for (std::size_t i = 0; i + 4 <= size && rings.size() < 64; i += 4) {
        const auto x = static_cast<std::int16_t>(data[i] | data[i + 1] << 8);
        const auto y = static_cast<std::int16_t>(data[i + 2] | data[i + 3] << 8);
        if (x == INT16_MIN)
            rings.emplace_back();
        else
            rings.back().push_back({x / 16.0, y / 16.0});
    }
    return t;
}

void run_geometry(const std::uint8_t* data, std::size_t size)
{
    geom_table t = polygons_from(data, size);
    geom_table parts, longs, shorts, rects;
    split_parts(t, parts);
    make_axes(parts, longs, shorts);
    make_rectangles(parts, rects);
    for (const geom_object& r : rects.objects) {
        if (r.parts.size() != 1 || r.parts[0].size() != 5)
            std::abort();
        (void)output_record(rects, r);
    }
}

// Two bytes (little-endian) give the length of the .shp; the rest is the .shx.
void run_files(const std::uint8_t* data, std::size_t size)
{
    static const zv::test::scratch_folder folder("zv_gc_fuzz"); // for the whole run
    if (!folder.ok())
        std::abort();
    if (size < 2)
        return;
    const std::size_t shp_size = std::min<std::size_t>(size - 2, data[0] | data[1] << 8);
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 2, size - 2);
    const std::string base = folder.file("f");
    zv::test::write_bytes(base + ".shp", bytes.substr(0, shp_size));
    zv::test::write_bytes(base + ".shx", bytes.substr(shp_size));
    geom_table t;
    if (load_table(base + ".shp", t)) {
        split_parts(t, t); // in place, as the tool may
        make_rectangles(t, t);
        save_table(t, folder.file("out.shp"));
    }
    if (std::distance(std::filesystem::directory_iterator(folder.path()), {}) > 7)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    if (data[0] % 2 == 0)
        run_geometry(data + 1, size - 1);
    else
        run_files(data + 1, size - 1);
    return 0;
}
