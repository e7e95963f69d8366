#include "table_save.h"

#include "dbf_output.h"
#include "foundation/file.h"
#include "foundation/paths.h"
#include "zvk_file_dbf/dbf_table.h"
#include "zvk_file_shp/shp_writer.h"

#include <array>

namespace zv::zvk_gc64lib
{
namespace
{

constexpr std::array<const char*, 5> output_extensions{".shx", ".dbf", ".prj", ".cpg", ".shp"};

std::int32_t shape_type_of_kind(shape_kind kind)
{
    switch (kind) {
    case shape_kind::point:
        return ZV_SHP_POINT;
    case shape_kind::line:
        return ZV_SHP_POLYLINE;
    case shape_kind::polygon:
        return ZV_SHP_POLYGON;
    case shape_kind::multipoint:
        return ZV_SHP_MULTIPOINT;
    default:
        return ZV_SHP_NULL;
    }
}

// Removes an output an earlier save left, so that none of another table
// stays beside this one; false when it is there and cannot be removed.
bool remove_stale(const std::string& path)
{
    return !foundation::is_regular_file(path) || foundation::remove_file(path);
}

// Every object of the table's kind with its parts; the others (and objects
// without parts) become null records.
bool write_shapes(const geom_table& table, zvk_file_shp::writer& shp)
{
    std::vector<zv_vertex_d2> vertices;
    std::vector<std::uint32_t> starts;
    for (const geom_object& obj : table.objects) {
        vertices.clear();
        starts.clear();
        if (obj.kind == table.kind) {
            for (const ring& r : obj.parts) {
                starts.push_back(static_cast<std::uint32_t>(vertices.size()));
                for (point p : r)
                    vertices.push_back({p.x, p.y});
            }
        }
        if (!shp.add(vertices, starts))
            return false;
    }
    return true;
}

// The .cpg of the output is the source's, as it was; none when the source
// had none (the table writer names the code page it was given).
bool copy_cpg(const geom_table& table, const std::string& base)
{
    const std::string path = base + ".cpg";
    if (table.attributes && !table.attributes->cpg.empty())
        return foundation::write_file_replacing(path, table.attributes->cpg);
    return remove_stale(path);
}

bool put_prj(const geom_table& table, foundation::replacement_file& prj, const std::string& base)
{
    if (table.has_prj)
        return prj.commit();
    return remove_stale(base + ".prj");
}

void remove_outputs(const std::string& base)
{
    for (const char* ext : output_extensions)
        remove_stale(base + ext);
}

} // namespace

bool save_table(const geom_table& table, const std::string& path)
{
    const std::int32_t type = shape_type_of_kind(table.kind);
    if (type == ZV_SHP_NULL)
        return false;
    const std::string base(foundation::without_extension(std::string_view(path)));
    zvk_file_shp::writer shp;
    zvk_file_dbf::table dbf;
    foundation::replacement_file prj;
    const bool written =
        shp.create(base, type) && write_shapes(table, shp) &&
        fill_attribute_table(table, base + ".dbf", dbf) && dbf.finish() &&
        (!table.has_prj || (prj.create(base + ".prj") && prj.append(table.prj.data(), table.prj.size())));
    if (!written)
        return false; // the temporaries go with their owners
    // Outputs reach the destination from here on, the .shp last; a failure
    // removes them all.
    const bool placed =
        dbf.put_in_place() && copy_cpg(table, base) && put_prj(table, prj, base) && shp.commit();
    if (!placed)
        remove_outputs(base);
    return placed;
}

} // namespace zv::zvk_gc64lib
