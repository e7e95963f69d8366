// Creating a 100,000-record x 28-field table cell by cell: zv_dbf_create_w +
// zv_dbf_set_str_w against shapelib's DBFWriteStringAttribute, both writing
// the same texts.
#include "bench_common.h"

#include "host/zvk_file_dbf.h"

#include <shapefil.h>

#include <cstdio>
#include <cstring>
#include <unistd.h>
#include <vector>

namespace zv::bench
{
namespace
{

constexpr uint32_t record_count = 100000;
constexpr uint32_t field_count = 28;
constexpr uint32_t text_fields = 20;   // the rest are numbers
constexpr std::size_t pool_size = 998; // even: an odd index below it stays inside

struct value_pool {
    std::vector<std::string> narrow;
    std::vector<std::u16string> wide;
};

value_pool make_pool()
{
    value_pool pool;
    for (std::size_t i = 0; i < pool_size; ++i) {
        char text[32];
        if (i % 2 == 0) {
            std::snprintf(text, sizeof text, "PROFILE_%zu_LINE", i * 7919 % 100000);
        } else {
            std::snprintf(text, sizeof text, "%.3f", static_cast<double>(i) * 12.345);
        }
        pool.narrow.emplace_back(text);
        pool.wide.push_back(u16(text));
    }
    return pool;
}

std::size_t pick(uint32_t field, uint32_t record)
{
    const std::size_t i = (static_cast<std::size_t>(record) * field_count + field) % pool_size;
    return field < text_fields ? i : (i | 1); // numbers for the numeric fields
}

std::vector<dbf_field_desc> descriptors()
{
    std::vector<dbf_field_desc> fields(field_count);
    for (uint32_t f = 0; f < field_count; ++f) {
        std::snprintf(fields[f].name, sizeof fields[f].name, "F%02u", f);
        fields[f].type = f < text_fields ? 'C' : 'N';
        fields[f].length = f < text_fields ? 20 : 14;
        fields[f].decimals = f < text_fields ? 0 : 3;
    }
    return fields;
}

bool write_ours(const std::string& path, const value_pool& pool)
{
    const std::vector<dbf_field_desc> fields = descriptors();
    zv_dbf_t table = zv_dbf_create_w(u16(path).c_str(), field_count, record_count, fields.data(), 0);
    if (table == nullptr) {
        return false;
    }
    bool ok = true;
    for (uint32_t r = 0; r < record_count; ++r) {
        for (uint32_t f = 0; f < field_count; ++f) {
            ok = zv_dbf_set_str_w(table, f, r, pool.wide[pick(f, r)].c_str()) && ok;
        }
    }
    zv_dbf_close(table);
    return ok;
}

bool write_shapelib(const std::string& path, const value_pool& pool)
{
    DBFHandle table = DBFCreate(path.c_str());
    if (table == nullptr) {
        return false;
    }
    for (const dbf_field_desc& d : descriptors()) {
        DBFAddField(table, d.name, d.type == 'C' ? FTString : FTDouble, d.length, d.decimals);
    }
    bool ok = true;
    for (uint32_t r = 0; r < record_count; ++r) {
        for (uint32_t f = 0; f < field_count; ++f) {
            ok = DBFWriteStringAttribute(table, static_cast<int>(r), static_cast<int>(f),
                                         pool.narrow[pick(f, r)].c_str()) != 0 &&
                 ok;
        }
    }
    DBFClose(table);
    return ok;
}

// shapelib reads back the last record of our table as we wrote it.
bool same_last_record(const std::string& ours, const value_pool& pool)
{
    DBFHandle table = DBFOpen(ours.c_str(), "rb");
    bool same = table != nullptr && DBFGetRecordCount(table) == static_cast<int>(record_count);
    for (uint32_t f = 0; same && f < field_count; ++f) {
        const char* text = DBFReadStringAttribute(table, record_count - 1, static_cast<int>(f));
        same = text != nullptr && pool.narrow[pick(f, record_count - 1)] == text;
    }
    if (table != nullptr) {
        DBFClose(table);
    }
    return same;
}

// Removes a table and the code-page file beside it, and lets the system
// start writing out what the previous run left in memory, so that each run
// starts from the same state.
void remove_table(const std::string& dbf)
{
    std::remove(dbf.c_str());
    std::remove((dbf.substr(0, dbf.size() - 4) + ".cpg").c_str());
    ::sync();
}

} // namespace

bool bench_dbf_write(const scratch_folder& folder, comparison& out)
{
    const value_pool pool = make_pool();
    const std::string ours = folder.file("ours.dbf");
    const std::string anchor = folder.file("shapelib.dbf");
    if (!write_ours(ours, pool) || !write_shapelib(anchor, pool) || !same_last_record(ours, pool)) {
        std::fprintf(stderr, "table writing failed or shapelib reads our table differently\n");
        return false;
    }
    // Both write a new file each run, on the same file system: replacing a
    // file costs the file system extra work that belongs to neither library.
    const auto remove_ours = [&] { remove_table(ours); };
    const auto remove_anchor = [&] { remove_table(anchor); };
    const timing ours_time = best_of(5, remove_ours, [&] { write_ours(ours, pool); });
    const timing anchor_time = best_of(5, remove_anchor, [&] { write_shapelib(anchor, pool); });
    out.set(record_count, ours_time, anchor_time);
    return true;
}

} // namespace zv::bench
