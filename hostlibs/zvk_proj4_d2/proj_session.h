// The library's PROJ context and its caches of PROJ objects, so that a run
// over many files with the same coordinate systems builds each
// transformation once.
#pragma once

#include <geodesic.h>
#include <proj.h>

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace zv::zvk_proj4_d2
{

using pj_ptr = std::shared_ptr<PJ>;

// Takes ownership of a PROJ object; null stays null.
pj_ptr owned(PJ* object);

bool is_geographic(const PJ* crs);

struct helmert_shift; // wgs84_binding.h
using helmert_shifts = std::vector<helmert_shift>;
class prj_system; // prj_system.h

// How lengths are measured for one coordinate system: its ellipsoid and,
// for a projected system, the way back to longitude and latitude.
struct length_model {
    geod_geodesic ellipsoid{};
    pj_ptr to_geographic; // null when the system is geographic already
};

// A definition as PROJ takes it: UTF-8, trimmed, and a PROJ.4 definition
// marked as a coordinate system ("+type=crs") so that it is not read as an
// operation.
std::string crs_text(const char16_t* definition);

class proj_session
{
  public:
    static proj_session& instance();

    PJ_CONTEXT* context() const { return ctx_; }

    // The transformation from source to target (x longitude, y latitude in
    // degrees for geographic systems); null when either is not understood or
    // has no horizontal position (a vertical, geocentric or time system).
    pj_ptr transformation(const std::string& source, const std::string& target);

    // The length model of a system; null when it is not understood.
    std::shared_ptr<const length_model> lengths(const std::string& definition);

    // The Helmert transformations from the geographic system of crs to WGS84
    // (find_helmert_shifts), kept per geographic system.
    std::shared_ptr<const helmert_shifts> shifts_to_wgs84(const PJ* crs);

    // The system of a .prj's text (prj_system::read); null when it is not
    // understood.
    std::shared_ptr<prj_system> read_prj(const std::string& definition);

    // A coordinate system object, not cached; null when not understood.
    pj_ptr create_crs(const std::string& definition);

    // Forgets every cached object (objects still in use stay alive).
    void clear();

    std::size_t cached_transformations() const { return transformations_.size(); }

    proj_session(const proj_session&) = delete;
    proj_session& operator=(const proj_session&) = delete;

  private:
    proj_session();
    ~proj_session();

    pj_ptr build_transformation(const std::string& source, const std::string& target);
    std::shared_ptr<const length_model> build_lengths(const std::string& definition);

    PJ_CONTEXT* ctx_ = nullptr;
    // Failures are cached too (as null), so a bad definition is not parsed
    // again for every file.
    std::map<std::pair<std::string, std::string>, pj_ptr> transformations_;
    std::map<std::string, std::shared_ptr<const length_model>> lengths_;
    std::map<std::string, std::shared_ptr<const helmert_shifts>> shifts_; // by geographic system's WKT
    std::map<std::string, std::shared_ptr<prj_system>> prj_systems_;
};

} // namespace zv::zvk_proj4_d2
