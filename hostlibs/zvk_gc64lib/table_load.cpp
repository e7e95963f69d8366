#include "table_load.h"

#include "foundation/code_page.h"
#include "foundation/file.h"
#include "foundation/paths.h"
#include "zvk_file_dbf/dbf_codepage.h"
#include "zvk_file_dbf/dbf_table.h"
#include "zvk_file_shp/shp_reader.h"

#include <utility>

namespace zv::zvk_gc64lib
{
namespace
{

using foundation::find_companion;

// A .prj holds one WKT text, a .cpg one code page name.
constexpr std::size_t max_prj_bytes = 1 << 20;
constexpr std::size_t max_cpg_bytes = 4096;

// The 2-D kind of a shape type (Z and M variants included); an unknown type
// is null.
shape_kind kind_of_shape_type(std::int32_t type)
{
    switch (type) {
    case ZV_SHP_POINT:
    case ZV_SHP_POINTZ:
    case ZV_SHP_POINTM:
        return shape_kind::point;
    case ZV_SHP_POLYLINE:
    case ZV_SHP_POLYLINEZ:
    case ZV_SHP_POLYLINEM:
        return shape_kind::line;
    case ZV_SHP_POLYGON:
    case ZV_SHP_POLYGONZ:
    case ZV_SHP_POLYGONM:
        return shape_kind::polygon;
    case ZV_SHP_MULTIPOINT:
    case ZV_SHP_MULTIPOINTZ:
    case ZV_SHP_MULTIPOINTM:
        return shape_kind::multipoint;
    case ZV_SHP_MULTIPATCH:
        return shape_kind::multipatch;
    default:
        return shape_kind::null;
    }
}

// The parts of a decoded record (a point or multipoint record is one part).
std::vector<ring> parts_of(const zvk_file_shp::record& rec)
{
    std::vector<ring> parts(rec.starts.size());
    for (std::size_t p = 0; p < parts.size(); ++p) {
        const std::size_t end = p + 1 < parts.size() ? rec.starts[p + 1] : rec.vertices.size();
        for (std::size_t i = rec.starts[p]; i < end; ++i)
            parts[p].push_back({rec.vertices[i].x, rec.vertices[i].y});
    }
    return parts;
}

bool read_shapes(const std::string& base, geom_table& table)
{
    zvk_file_shp::reader shp;
    if (!shp.open(base + ".shp"))
        return false;
    table.kind = kind_of_shape_type(shp.shape_type());
    table.objects.reserve(shp.count());
    for (std::uint32_t i = 0; i < shp.count(); ++i) {
        if (!shp.read(i))
            return false;
        geom_object obj;
        obj.kind = kind_of_shape_type(shp.last().header.shape_type);
        obj.parts = parts_of(shp.last());
        obj.source_object = static_cast<std::int32_t>(i);
        table.objects.push_back(std::move(obj));
    }
    return true;
}

// The source's declared code page: its .cpg text, kept to be copied as it
// is, or else its language-driver byte.
bool read_code_page(const std::string& base, std::uint8_t driver, attribute_set& attrs)
{
    if (const auto path = find_companion(base, ".cpg")) {
        auto text = foundation::read_small_file(*path, max_cpg_bytes);
        if (!text)
            return false;
        attrs.cpg = std::move(*text);
        attrs.code_page = zvk_file_dbf::code_page_of_cpg(attrs.cpg);
        return true;
    }
    attrs.code_page = zvk_file_dbf::code_page_of_driver(driver, foundation::ansi_code_page());
    return true;
}

// The fields and the raw bytes of every record, field by field; false when
// a record cannot be read.
bool read_records(zvk_file_dbf::table& dbf, attribute_set& attrs)
{
    const zvk_file_dbf::layout& shape = dbf.shape();
    for (const zvk_file_dbf::field& f : shape.fields)
        attrs.fields.push_back({f.name, f.type, f.length, f.decimals});
    attrs.records.reserve(shape.record_count);
    for (std::uint32_t r = 0; r < shape.record_count; ++r) {
        std::string& bytes = attrs.records.emplace_back();
        for (std::uint32_t i = 0; i < shape.fields.size(); ++i) {
            const unsigned char* cell = dbf.cell(i, r);
            if (cell == nullptr)
                return false;
            bytes.append(reinterpret_cast<const char*>(cell), shape.fields[i].length);
        }
    }
    return true;
}

// A missing table is allowed (attributes stays null); a damaged one is not.
bool read_attributes(const std::string& base, geom_table& table)
{
    const auto path = find_companion(base, ".dbf");
    if (!path)
        return true;
    zvk_file_dbf::table dbf;
    auto attrs = std::make_shared<attribute_set>();
    if (!dbf.open(*path, false, foundation::ansi_code_page()) ||
        !read_code_page(base, dbf.shape().driver, *attrs) || !read_records(dbf, *attrs))
        return false;
    const auto rows = static_cast<std::int64_t>(attrs->records.size());
    for (geom_object& obj : table.objects)
        if (obj.source_object < rows)
            obj.attribute_row = obj.source_object;
    table.attributes = std::move(attrs);
    return true;
}

bool read_projection(const std::string& base, geom_table& table)
{
    const auto path = find_companion(base, ".prj");
    if (!path)
        return true;
    auto text = foundation::read_small_file(*path, max_prj_bytes);
    if (!text)
        return false;
    table.prj = std::move(*text);
    table.has_prj = true;
    return true;
}

} // namespace

bool load_table(const std::string& path, geom_table& table)
{
    table.clear();
    const std::string base(foundation::without_extension(std::string_view(path)));
    const bool ok = read_shapes(base, table) && read_attributes(base, table) && read_projection(base, table);
    if (!ok)
        table.clear();
    return ok;
}

} // namespace zv::zvk_gc64lib
