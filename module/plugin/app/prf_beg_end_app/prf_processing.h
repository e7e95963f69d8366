// The processing of the profile begin/end/length tool: for every polyline
// shapefile below a folder it writes, into the folder's subfolder "out", a
// copy of the shapefile's attribute table with eight text fields appended
// (latitude and longitude of each profile's first and last vertex in
// GSK-2011 and WGS84) and exports that table to a workbook beside it. Input
// files are never changed; every run over a folder ends with one message box.
#pragma once

#include "host/zvk_file_dbf.h"
#include "host/zvk_file_shp.h"
#include "host/zvk_prg.h"
#include "host/zvk_proj4_d2.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace zv
{

// Slots of prf_beg_end_context::field_index, one per coordinate field.
enum prf_coordinate_slot : std::size_t {
    prf_lat_b_gk11,
    prf_lon_b_gk11,
    prf_lat_b_w84,
    prf_lon_b_w84,
    prf_lat_e_gk11,
    prf_lon_e_gk11,
    prf_lat_e_w84,
    prf_lon_e_w84,
    prf_coordinate_slot_count
};

// The state of one run. The constructor creates the two reprojectors and
// the object vector; the destructor closes whatever file handle is still
// open and destroys the vector and the reprojectors, so every handle is
// released on every path.
struct prf_beg_end_context {
    explicit prf_beg_end_context(const std::u16string& folder_path);
    ~prf_beg_end_context();
    prf_beg_end_context(const prf_beg_end_context&) = delete;
    prf_beg_end_context& operator=(const prf_beg_end_context&) = delete;

    const std::u16string& folder;
    // Positions of the coordinate fields in the output table.
    std::array<std::uint32_t, prf_coordinate_slot_count> field_index{};
    zv_rpj_d2_t to_wgs84 = nullptr;
    zv_rpj_d2_t to_gsk2011 = nullptr;
    zv_ov_d2_t parts = nullptr;
    zv_shp_file_t shp = nullptr;
    zv_dbf_t src_table = nullptr;
    zv_dbf_t out_table = nullptr;
    std::uint32_t object_count = 0;
    std::uint32_t field_count = 0;
    // The source tables of every listed shapefile: no output table may be
    // written over one of them.
    std::vector<std::u16string> input_tables;
};

// Runs the tool over the folder as the dialog's accept action does once the
// dialog has its path text: builds the run state, processes the folder and
// releases every handle. Returns the result of prf_process_folder; false
// without any message for an empty path. Never throws.
bool prf_run(const std::u16string& folder);

// Lists the shapefiles below the folder, makes the folder "out" and hands
// every listed file to prf_process_file; ends with the box "Done!", or
// "Errors!" (returning false) when nothing was listed or "out" cannot be made.
bool prf_process_folder(prf_beg_end_context& state);

// Writes the output table and the workbook of one shapefile; false when the
// file was skipped or its workbook could not be written.
bool prf_process_file(prf_beg_end_context& state, const std::u16string& shp_path);

// Creates the output table: the source table's fields, then the eight
// coordinate fields, with object_count empty records.
bool prf_create_output_table(prf_beg_end_context& state, const std::u16string& out_table_path);

// Writes the begin and end coordinates of every one-part polyline object
// into the output table; objects that do not qualify keep empty fields.
bool prf_write_endpoints(prf_beg_end_context& state, const std::u16string& source_definition);

} // namespace zv
