#include "prj_system.h"

namespace zv::zvk_proj4_d2
{
namespace
{

std::optional<std::string> proj4_definition(PJ_CONTEXT* ctx, const PJ* crs)
{
    const char* text = proj_as_proj_string(ctx, crs, PJ_PROJ_4, nullptr);
    if (text == nullptr || *text == 0) {
        return std::nullopt;
    }
    return std::string(text);
}

} // namespace

std::shared_ptr<prj_system> prj_system::read(proj_session& session, const std::string& definition)
{
    pj_ptr crs = session.create_crs(definition);
    if (!crs) {
        return nullptr;
    }
    auto system = std::make_shared<prj_system>();
    system->definition_ = definition;
    system->own_ = proj4_definition(session.context(), crs.get());
    // A bound system carries its own shift.
    if (proj_get_type(crs.get()) != PJ_TYPE_BOUND_CRS) {
        system->shifts_ = session.shifts_to_wgs84(crs.get());
    }
    system->crs_ = std::move(crs);
    return system;
}

std::optional<std::string> prj_system::definition_for(proj_session& session,
                                                      const std::optional<plane_box>& data_bounds)
{
    if (!binds_per_extent()) {
        return own_;
    }
    const auto extent =
        data_bounds ? geographic_extent(session, definition_, *data_bounds) : std::optional<geo_box>();
    const auto chosen = choose_shift(*shifts_, extent);
    if (!chosen) {
        return own_;
    }
    auto made = bound_.find(*chosen);
    if (made == bound_.end()) {
        const pj_ptr bound = bind_to_wgs84(session.context(), crs_.get(), (*shifts_)[*chosen]);
        made = bound_.emplace(*chosen, bound ? proj4_definition(session.context(), bound.get()) : own_).first;
    }
    return made->second;
}

} // namespace zv::zvk_proj4_d2
