#include "plugin/app/prf_beg_end_app/prf_processing.h"

#include "foundation/code_page.h"
#include "foundation/guard.h"
#include "host/zvk_msgs.h"
#include "plugin/app/attribute_export/attribute_export.h"
#include "resources/string_loader.h"
#include "support/encoding.h"
#include "support/files.h"
#include "support/paths.h"
#include "support/string_adapter.h"

#include <algorithm>
#include <cstring>

namespace zv
{
namespace
{

// The two target systems, geographic with longitudes wrapped around 45°.
constexpr char16_t gsk2011_definition[] =
    u"+proj=longlat +towgs84=0.013,-0.092,-0.03,-0.0017,0.0036,-0.0043,0.0074 +ellps=GSK2011 +lon_wrap=45 "
    u"+no_defs";
constexpr char16_t wgs84_definition[] = u"+proj=longlat +datum=WGS84 +ellps=WGS84 +lon_wrap=45 +no_defs";

constexpr char16_t out_folder_name[] = u"out";
constexpr char16_t shapefile_pattern[] = u"*.shp";

// Text ids of the closing messages.
constexpr std::int32_t done_text = 12;
constexpr std::int32_t errors_text = 13;

// The appended fields in their column order, with the slot each one's
// position goes to.
struct coordinate_field {
    const char* name;
    prf_coordinate_slot slot;
};
constexpr coordinate_field coordinate_fields[] = {
    {"LAT_B_W84", prf_lat_b_w84},   {"LON_B_W84", prf_lon_b_w84},   {"LAT_B_GK11", prf_lat_b_gk11},
    {"LON_B_GK11", prf_lon_b_gk11}, {"LAT_E_W84", prf_lat_e_w84},   {"LON_E_W84", prf_lon_e_w84},
    {"LAT_E_GK11", prf_lat_e_gk11}, {"LON_E_GK11", prf_lon_e_gk11},
};
constexpr std::uint8_t coordinate_field_length = 20;
constexpr std::size_t field_name_bytes = 10;

// Where the texts of one system go: first.x, first.y, last.x, last.y.
using endpoint_slots = std::array<prf_coordinate_slot, 4>;
constexpr endpoint_slots gsk2011_slots{prf_lon_b_gk11, prf_lat_b_gk11, prf_lon_e_gk11, prf_lat_e_gk11};
constexpr endpoint_slots wgs84_slots{prf_lon_b_w84, prf_lat_b_w84, prf_lon_e_w84, prf_lat_e_w84};

// Arguments of the length computation: at most 6 halvings of a projected
// segment, stopping below 0.1 m of change.
constexpr double length_halvings = 6.0;
constexpr double length_tolerance_m = 0.1;

struct profile_ends {
    zv_vertex_d2 first;
    zv_vertex_d2 last;
};

void show_message(std::int32_t id, void (*show)(const char16_t*))
{
    show(resource::load_string(id).c_str());
}

void close_table(zv_dbf_t& table) noexcept
{
    zv_dbf_close(table);
    table = nullptr;
}

void close_shapefile(prf_beg_end_context& state) noexcept
{
    zv_shp_file_close(state.shp);
    state.shp = nullptr;
    state.object_count = 0;
}

// The output table first: closing it is what writes it.
void close_files(prf_beg_end_context& state) noexcept
{
    close_table(state.out_table);
    close_table(state.src_table);
    close_shapefile(state);
}

struct files_closer {
    prf_beg_end_context& state;
    ~files_closer() { close_files(state); }
};

// An output table over the table of a listed shapefile (its own, when it
// lies in "out", or that of a namesake lying there) would change an input.
bool overwrites_input(const prf_beg_end_context& state, const std::u16string& source_table,
                      const std::u16string& out_table)
{
    const auto same = [&](const std::u16string& input) { return support::same_path(input, out_table); };
    return same(source_table) || std::any_of(state.input_tables.begin(), state.input_tables.end(), same);
}

bool open_shapefile(prf_beg_end_context& state, const std::u16string& path)
{
    close_shapefile(state);
    state.shp = zv_shp_file_open_w(path.c_str(), true);
    const std::uint32_t count = zv_shp_file_get_no(state.shp);
    if (state.shp == nullptr || zv_shp_file_get_type(state.shp) != ZV_SHP_POLYLINE || count == 0) {
        close_shapefile(state);
        return false;
    }
    state.object_count = count;
    return true;
}

bool open_source_table(prf_beg_end_context& state, const std::u16string& path)
{
    close_table(state.src_table);
    state.src_table = zv_dbf_open_w(path.c_str(), true, 0);
    if (state.src_table != nullptr && zv_dbf_get_nr(state.src_table) == state.object_count)
        return true;
    close_table(state.src_table);
    return false;
}

// A name longer than a descriptor holds is cut after 10 bytes, or before
// the character that would straddle them under a multi-byte ANSI code page.
std::size_t field_name_length(const char* name)
{
    return foundation::fitting_length(name, code_page_of(encoding_system), field_name_bytes);
}

dbf_field_desc field_desc(const char* name, char type, std::uint8_t length, std::uint8_t decimals)
{
    dbf_field_desc desc{};
    if (name != nullptr)
        std::memcpy(desc.name, name, field_name_length(name));
    desc.type = type;
    desc.length = length;
    desc.decimals = decimals;
    return desc;
}

dbf_field_desc source_field_desc(zv_dbf_t table, std::uint32_t field)
{
    return field_desc(zv_dbf_get_field_name(table, field),
                      zv_dbftype2char(zv_dbf_get_field_type(table, field)),
                      zv_dbf_get_field_flen(table, field), zv_dbf_get_field_dlen(table, field));
}

// Every source value as text, into the same cell of the output table; a
// value that cannot be read leaves its cell empty.
void copy_values(prf_beg_end_context& state)
{
    std::u16string text;
    Tzv_std_wstring_adapter adapter(text);
    for (std::uint32_t r = 0; r < state.object_count; ++r)
        for (std::uint32_t f = 0; f < state.field_count; ++f)
            if (zv_dbf_get_str_w(state.src_table, f, r, adapter.handle()))
                zv_dbf_set_str_w(state.out_table, f, r, text.c_str());
}

// Opens the shapefile and its table, writes the output table and closes all
// three again, on every path.
bool write_output_table(prf_beg_end_context& state, const std::u16string& shp_path,
                        const std::u16string& source_table, const std::u16string& out_table,
                        const std::u16string& definition)
{
    const files_closer closer{state};
    const bool shapefile_accepted = open_shapefile(state, shp_path);
    const bool table_accepted = open_source_table(state, source_table);
    if (!shapefile_accepted || !table_accepted || !prf_create_output_table(state, out_table))
        return false;
    copy_values(state);
    return prf_write_endpoints(state, definition);
}

// The first and last vertex of object i when it is a one-part polyline with
// vertices whose length can be computed in the source system.
bool read_profile_ends(prf_beg_end_context& state, std::uint32_t i, const std::u16string& definition,
                       profile_ends& ends)
{
    zv_shp_record_header header{};
    if (!zv_shp_file_get_obj(state.shp, i, &header) || header.shape_type != ZV_SHP_POLYLINE)
        return false;
    zv_shp_file_get_polypoint(state.shp, &header, state.parts); // a failed read leaves no part
    if (zv_ov_d2_get_size(state.parts) != 1)
        return false;
    const zv_pv_d2_t part = zv_ov_d2_get_pv_ptr(state.parts, 0);
    const std::uint32_t n = zv_pv_d2_get_size(part);
    if (n == 0)
        return false;
    ends = {zv_pv_d2_get_vtx(part, 0), zv_pv_d2_get_vtx(part, n - 1)};
    double length = 0.0; // only whether it can be computed counts; no length is stored
    return zv_precision_calc_length(state.parts, definition.c_str(), length_halvings, length_tolerance_m,
                                    &length) == ZV_PRECISION_OK;
}

// The projection library's text of a coordinate; empty when it has none.
std::string coordinate_text(double value)
{
    std::string text;
    bool delivered = false;
    {
        Tzv_std_string_adapter adapter(text);
        delivered = zv_geocoord_tostring(value, adapter.handle());
    }
    return delivered ? text : std::string();
}

// first.x, first.y, last.x, last.y in the reprojector's target system. The
// ends come by value: each system starts from the untransformed vertices.
std::array<std::string, 4> endpoint_texts(zv_rpj_d2_t reprojector, profile_ends ends)
{
    zv_rpj_d2_apply_vtx(reprojector, &ends.first);
    zv_rpj_d2_apply_vtx(reprojector, &ends.last);
    return {coordinate_text(ends.first.x), coordinate_text(ends.first.y), coordinate_text(ends.last.x),
            coordinate_text(ends.last.y)};
}

void write_texts(const prf_beg_end_context& state, std::uint32_t record, const endpoint_slots& slots,
                 const std::array<std::string, 4>& texts)
{
    for (std::size_t k = 0; k < slots.size(); ++k)
        zv_dbf_set_str(state.out_table, state.field_index[slots[k]], record, texts[k].c_str());
}

} // namespace

prf_beg_end_context::prf_beg_end_context(const std::u16string& folder_path)
    : folder(folder_path), to_wgs84(zv_rpj_d2_create()), to_gsk2011(zv_rpj_d2_create()),
      parts(zv_ov_d2_create())
{
}

prf_beg_end_context::~prf_beg_end_context()
{
    close_files(*this);
    zv_ov_d2_destroy(parts);
    zv_rpj_d2_destroy(to_gsk2011);
    zv_rpj_d2_destroy(to_wgs84);
}

bool prf_run(const std::u16string& folder)
{
    if (folder.empty())
        return false;
    return foundation::guarded(false, [&] {
        prf_beg_end_context state(folder);
        return prf_process_folder(state);
    });
}

bool prf_process_folder(prf_beg_end_context& state)
{
    using namespace support;
    const std::vector<std::u16string> shapefiles =
        list(state.folder, shapefile_pattern, list_directories | list_files | list_recursive);
    // Any entry named "out" counts as the folder, even a file (then no
    // output table can be made); only that one level is ever created.
    if (shapefiles.empty() || !create_directory(join(state.folder, out_folder_name))) {
        show_message(errors_text, zv_show_werror);
        return false;
    }
    state.input_tables.clear();
    for (const std::u16string& path : shapefiles)
        state.input_tables.push_back(with_extension(path, u".dbf"));
    // One file running out of memory does not end the run.
    for (const std::u16string& path : shapefiles)
        foundation::guarded(false, [&] { return prf_process_file(state, path); });
    show_message(done_text, zv_show_wmessage);
    return true;
}

bool prf_process_file(prf_beg_end_context& state, const std::u16string& shp_path)
{
    using namespace support;
    const std::u16string source_table = with_extension(shp_path, u".dbf");
    const std::u16string out_table = join(join(state.folder, out_folder_name), file_name(source_table));
    if (overwrites_input(state, source_table, out_table))
        return false;
    std::u16string definition; // each file's own: one without a .prj never takes the previous one's
    {
        Tzv_std_wstring_adapter adapter(definition);
        zv_pj4_load_ex(shp_path.c_str(), adapter.handle());
    }
    const bool to_gsk2011 = zv_rpj_d2_init_w(state.to_gsk2011, definition.c_str(), gsk2011_definition);
    const bool to_wgs84 = zv_rpj_d2_init_w(state.to_wgs84, definition.c_str(), wgs84_definition);
    if (!to_gsk2011 || !to_wgs84 || !write_output_table(state, shp_path, source_table, out_table, definition))
        return false;
    // The table is closed by now; the export opens it again.
    return export_attributes_to_workbook(out_table, with_extension(out_table, u"_src.xlsx"));
}

bool prf_create_output_table(prf_beg_end_context& state, const std::u16string& out_table_path)
{
    close_table(state.out_table);
    state.field_count = zv_dbf_get_nf(state.src_table);
    std::vector<dbf_field_desc> fields;
    fields.reserve(state.field_count + std::size(coordinate_fields));
    for (std::uint32_t f = 0; f < state.field_count; ++f)
        fields.push_back(source_field_desc(state.src_table, f));
    // Appended even when the source has fields of these names: the values
    // go by position to the appended ones.
    for (const coordinate_field& field : coordinate_fields) {
        state.field_index[field.slot] = static_cast<std::uint32_t>(fields.size());
        fields.push_back(field_desc(field.name, 'C', coordinate_field_length, 0));
    }
    state.out_table = zv_dbf_create_w(out_table_path.c_str(), static_cast<std::uint32_t>(fields.size()),
                                      state.object_count, fields.data(), 0);
    return state.out_table != nullptr;
}

bool prf_write_endpoints(prf_beg_end_context& state, const std::u16string& source_definition)
{
    for (std::uint32_t i = 0; i < state.object_count; ++i) {
        profile_ends ends{};
        if (!read_profile_ends(state, i, source_definition, ends))
            continue; // its coordinate fields stay empty
        const auto gsk2011 = endpoint_texts(state.to_gsk2011, ends);
        const auto wgs84 = endpoint_texts(state.to_wgs84, ends);
        write_texts(state, i, gsk2011_slots, gsk2011);
        write_texts(state, i, wgs84_slots, wgs84);
    }
    return true;
}

} // namespace zv
