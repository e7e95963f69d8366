#include "shp_writer.h"

#include "dbf_output.h"
#include "file_ops.h"
#include "shapelib_io.h"

#include <array>

namespace zv::gc
{
namespace
{

// Extensions of the files a save may produce, in the order they are put in
// place: the .shp last, so that a new .shp never stands beside an old .shx.
constexpr std::array<const char*, 5> output_extensions{".shx", ".dbf", ".prj", ".cpg", ".shp"};

shape_ptr make_shape(shape_kind table_kind, const geom_object& obj)
{
    const bool writable = obj.kind == table_kind && !obj.parts.empty();
    if (!writable)
        return shape_ptr(SHPCreateSimpleObject(SHPT_NULL, 0, nullptr, nullptr, nullptr));
    std::vector<int> starts;
    std::vector<double> xs, ys;
    for (const ring& r : obj.parts) {
        starts.push_back(static_cast<int>(xs.size()));
        for (point p : r) {
            xs.push_back(p.x);
            ys.push_back(p.y);
        }
    }
    const int type = shape_type_of_kind(table_kind);
    const int n = static_cast<int>(xs.size());
    if (table_kind == shape_kind::point || table_kind == shape_kind::multipoint)
        return shape_ptr(SHPCreateSimpleObject(type, table_kind == shape_kind::point ? 1 : n, xs.data(),
                                               ys.data(), nullptr));
    return shape_ptr(SHPCreateObject(type, -1, static_cast<int>(starts.size()), starts.data(), nullptr, n,
                                     xs.data(), ys.data(), nullptr, nullptr));
}

bool write_shapes(const geom_table& table, const std::string& tmp)
{
    shp_ptr shp(SHPCreateLL((tmp + ".shp").c_str(), shape_type_of_kind(table.kind), quiet_hooks()));
    if (!shp)
        return false;
    for (const geom_object& obj : table.objects) {
        shape_ptr s = make_shape(table.kind, obj);
        if (!s || SHPWriteObject(shp.get(), -1, s.get()) < 0)
            return false;
    }
    return true;
}

bool write_attributes(const geom_table& table, const std::string& tmp)
{
    const char* code_page = nullptr;
    if (table.attributes && !table.attributes->code_page.empty())
        code_page = table.attributes->code_page.c_str();
    dbf_ptr dbf(DBFCreateLL((tmp + ".dbf").c_str(), code_page, quiet_hooks()));
    if (!dbf)
        return false;
    for (const field_desc& f : output_fields(table))
        if (DBFAddNativeFieldType(dbf.get(), f.name.c_str(), f.type, f.width, f.decimals) < 0)
            return false;
    // The end-of-file mark only after the last record: written after every
    // record, it makes shapelib seek back before the next one.
    DBFSetWriteEndOfFileChar(dbf.get(), 0);
    int row = 0;
    for (const geom_object& obj : table.objects) {
        std::string record = output_record(table, obj);
        if (static_cast<int>(record.size()) != dbf->nRecordLength)
            return false;
        if (!DBFWriteTuple(dbf.get(), row++, record.data()))
            return false;
    }
    DBFSetWriteEndOfFileChar(dbf.get(), 1);
    return true;
}

// Every file is written and closed, and no write or close failed.
bool write_all(const geom_table& table, const std::string& tmp)
{
    reset_io_failure();
    bool ok = write_shapes(table, tmp) && write_attributes(table, tmp);
    if (ok && table.has_prj)
        ok = write_file(tmp + ".prj", table.prj);
    return ok && !io_failed();
}

void remove_outputs(const std::string& base)
{
    for (const char* ext : output_extensions)
        remove_file(base + ext);
}

// Renames the temporaries into place; a companion that this save did not
// produce is removed from the destination so that no stale .prj or .cpg
// describes the new files.
bool put_in_place(const std::string& tmp, const std::string& base)
{
    for (const char* ext : output_extensions) {
        if (!file_exists(tmp + ext)) {
            remove_file(base + ext);
            continue;
        }
        if (!replace_file(tmp + ext, base + ext))
            return false;
    }
    return true;
}

} // namespace

bool save_shapefile(const geom_table& table, const std::string& path)
{
    if (table.kind == shape_kind::null || table.kind == shape_kind::multipatch)
        return false;
    const std::string base = strip_extension(path);
    const std::string tmp = temporary_base(base);
    if (!write_all(table, tmp)) {
        remove_outputs(tmp);
        return false;
    }
    if (!put_in_place(tmp, base)) {
        remove_outputs(tmp);
        remove_outputs(base);
        return false;
    }
    return true;
}

} // namespace zv::gc
