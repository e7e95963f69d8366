// The module's static objects. They live in this one translation unit because
// C++ orders static construction only within a translation unit, and the host
// sees the factories in construction order. Destruction runs in reverse: the
// localizer client first (its weak holder lets go of the localizer), then the
// factories, each leaving the factory list, and the list last.
#include "bundle/localizer_client.h"
#include "plugin/app/pgn_oriented_axes2d_app/pgn_oriented_axes2d_app_app.h"
#include "plugin/app/prf_beg_end_app/prf_beg_end_app_app.h"
#include "plugin/app/tos_graph_x2y_app/tos_graph_x2y_app_app.h"
#include "util/modal_dialog_service_factory.h"
#include "util/service_factory.h"

namespace zv
{
namespace
{

util::service_factory<pgn_oriented_axes2d_app_app> pgn_oriented_axes2d_factory;
util::detail::modal_dialog_service_factory<0> modal_dialog_factory;
util::service_factory<prf_beg_end_app_app> prf_beg_end_factory;
util::service_factory<tos_graph_x2y_app_app> tos_graph_x2y_factory;
detail::local_factory_impl localizer_client_object;

} // namespace

util::detail::modal_dialog_service_factory<0>& util::detail::the_modal_dialog_service_factory() noexcept
{
    return modal_dialog_factory;
}

interface_ref current_localizer() noexcept
{
    return localizer_client_object.localizer();
}

} // namespace zv
