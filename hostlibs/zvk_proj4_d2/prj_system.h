// A coordinate system as a .prj's text defines it, with all that the PROJ.4
// definitions for its data need. The session keeps one per text, so a run
// over many files of one system parses the text and asks PROJ's database
// once; a file with another extent only chooses a shift again.
#pragma once

#include "proj_session.h"
#include "wgs84_binding.h"

#include <map>
#include <memory>
#include <optional>
#include <string>

namespace zv::zvk_proj4_d2
{

class prj_system
{
  public:
    // Null when PROJ does not understand the definition as a coordinate system.
    static std::shared_ptr<prj_system> read(proj_session& session, const std::string& definition);

    // Whether the definition depends on the data's extent: the system has no
    // shift to WGS84 of its own and PROJ knows Helmert transformations for it.
    bool binds_per_extent() const { return shifts_ && !shifts_->empty(); }

    // The PROJ.4 definition for data within data_bounds: the system bound to
    // WGS84 by the shift chosen for them (choose_shift, on the bounds taken to
    // longitudes and latitudes; without bounds, or bounds that cannot be taken
    // there, by the rule without an extent), else the system as it is.
    // nullopt when PROJ writes no PROJ.4 definition for it.
    std::optional<std::string> definition_for(proj_session& session,
                                              const std::optional<plane_box>& data_bounds);

  private:
    std::string definition_; // as read, the key of the length model for the extent
    pj_ptr crs_;
    std::optional<std::string> own_;                          // the system as it is
    std::shared_ptr<const helmert_shifts> shifts_;            // null when it keeps its own
    std::map<std::size_t, std::optional<std::string>> bound_; // by shift, once made
};

} // namespace zv::zvk_proj4_d2
