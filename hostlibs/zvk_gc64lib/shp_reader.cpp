#include "shp_reader.h"

#include "file_ops.h"
#include "shapelib_io.h"

#include <optional>
#include <utility>

namespace zv::gc
{
namespace
{

constexpr std::size_t max_prj_bytes = 1 << 20;

// The parts of a shapelib object; nullopt when its part table is inconsistent.
std::optional<std::vector<ring>> parts_of(const SHPObject& s)
{
    std::vector<ring> parts;
    if (s.nVertices < 0 || s.nParts < 0)
        return std::nullopt;
    if (s.nParts == 0) { // points and multipoints: the vertices are one part
        if (s.nVertices > 0)
            parts.emplace_back();
        for (int i = 0; i < s.nVertices; ++i)
            parts.back().push_back({s.padfX[i], s.padfY[i]});
        return parts;
    }
    for (int p = 0; p < s.nParts; ++p) {
        const int begin = s.panPartStart[p];
        const int end = p + 1 < s.nParts ? s.panPartStart[p + 1] : s.nVertices;
        if (begin < 0 || end < begin || end > s.nVertices)
            return std::nullopt;
        ring r;
        r.reserve(static_cast<std::size_t>(end - begin));
        for (int i = begin; i < end; ++i)
            r.push_back({s.padfX[i], s.padfY[i]});
        parts.push_back(std::move(r));
    }
    return parts;
}

bool read_shapes(const std::string& base, geom_table& table)
{
    shp_ptr shp(SHPOpenLL((base + ".shp").c_str(), "rb", quiet_hooks()));
    if (!shp)
        return false;
    int count = 0, type = 0;
    SHPGetInfo(shp.get(), &count, &type, nullptr, nullptr);
    table.kind = kind_of_shape_type(type);
    table.objects.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        shape_ptr s(SHPReadObject(shp.get(), i));
        if (!s)
            return false;
        auto parts = parts_of(*s);
        if (!parts)
            return false;
        geom_object obj;
        obj.kind = kind_of_shape_type(s->nSHPType);
        obj.parts = std::move(*parts);
        obj.source_object = i;
        table.objects.push_back(std::move(obj));
    }
    return true;
}

void read_fields(DBFHandle dbf, attribute_set& attrs)
{
    for (int i = 0; i < dbf->nFields; ++i) {
        char name[XBASE_FLDNAME_LEN_READ + 1] = {};
        int width = 0, decimals = 0;
        DBFGetFieldInfo(dbf, i, name, &width, &decimals);
        field_desc f;
        f.name = name;
        f.type = DBFGetNativeFieldType(dbf, i);
        f.width = dbf->panFieldSize[i];
        f.decimals = dbf->panFieldDecimals[i];
        attrs.fields.push_back(std::move(f));
    }
}

// The record's field bytes, field by field as the header places them.
std::optional<std::string> read_record(DBFHandle dbf, int row)
{
    const char* tuple = DBFReadTuple(dbf, row);
    if (tuple == nullptr)
        return std::nullopt;
    std::string bytes;
    for (int i = 0; i < dbf->nFields; ++i) {
        const int offset = dbf->panFieldOffset[i], size = dbf->panFieldSize[i];
        if (offset < 0 || size < 0 || offset + size > dbf->nRecordLength)
            return std::nullopt;
        bytes.append(tuple + offset, static_cast<std::size_t>(size));
    }
    return bytes;
}

// A missing table is allowed (attributes stays null); a damaged one is not.
bool read_attributes(const std::string& base, geom_table& table)
{
    const auto path = find_companion(base, ".dbf");
    if (!path)
        return true;
    dbf_ptr dbf(DBFOpenLL(path->c_str(), "rb", quiet_hooks()));
    if (!dbf)
        return false;
    auto attrs = std::make_shared<attribute_set>();
    read_fields(dbf.get(), *attrs);
    if (const char* cp = DBFGetCodePage(dbf.get()))
        attrs->code_page = cp;
    const int rows = DBFGetRecordCount(dbf.get());
    attrs->records.reserve(static_cast<std::size_t>(rows));
    for (int r = 0; r < rows; ++r) {
        auto record = read_record(dbf.get(), r);
        if (!record)
            return false;
        attrs->records.push_back(std::move(*record));
    }
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
    auto text = read_file(*path, max_prj_bytes);
    if (!text)
        return false;
    table.prj = std::move(*text);
    table.has_prj = true;
    return true;
}

} // namespace

bool load_shapefile(const std::string& path, geom_table& table)
{
    table.clear();
    const std::string base = strip_extension(path);
    const bool ok = read_shapes(base, table) && read_attributes(base, table) && read_projection(base, table);
    if (!ok)
        table.clear();
    return ok;
}

} // namespace zv::gc
