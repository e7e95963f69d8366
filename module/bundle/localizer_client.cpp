#include "bundle/localizer_client.h"

#include "util/authority.h"

namespace zv::detail
{

local_factory_impl::local_factory_impl()
    : custom_client_factory_impl(u""), localizer_service_id_(service_identifier(localizer_service_path))
{
}

void local_factory_impl::create(interface_ref context, interface_ref /*argument*/)
{
    if (context_.valid())
        return;
    context_ = context;
    service_registry_visitor_impl* as_registry_visitor = this;
    call<&bundle_context_impl::visit_registry>(
        context_, make_ref<iface::service_registry_visitor>(as_registry_visitor));
}

void local_factory_impl::on_registry(interface_ref registry)
{
    service_visitor_impl* as_service_visitor = this;
    call<&service_locator_impl::find_service>(registry, localizer_service_id_.c_str(),
                                              make_ref<iface::service_visitor>(as_service_visitor));
}

void local_factory_impl::on_localizer_service(interface_ref service)
{
    localizer_visitor_impl* as_localizer_visitor = this;
    call<&localizer_service_impl::visit_localizer>(service, context_,
                                                   make_ref<iface::localizer_visitor>(as_localizer_visitor));
}

void local_factory_impl::on_localizer(interface_ref localizer_ref)
{
    localizer_.reset(localizer_ref);
}

} // namespace zv::detail
