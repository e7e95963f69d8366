// Interfaces of service registration: the factories the module offers, the
// host's registry and creation context, and the visitors of the handshake by
// which a client factory obtains a host service.
#pragma once

#include "protocol/glue.h"

namespace zv
{

namespace iface
{
struct service_factory;
}

class service_factory_impl : public impl_root<iface::service_factory>
{
  public:
    // context: the host's creation context; argument: the visitor source.
    virtual void create(interface_ref /*context*/, interface_ref /*argument*/) {}
};

ZV_INTERFACE(service_factory, "zv_service_factory_interface_1", 2, &service_factory_impl::create);

// The host's registry, handed to the bundle's register_services.
namespace iface
{
struct service_registry;
}

class service_registry_impl : public impl_root<iface::service_registry>
{
  public:
    // `identifier` is valid during the call; `factory` a service factory reference.
    virtual void add_factory(const char16_t* /*identifier*/, interface_ref /*factory*/) {}
};

ZV_INTERFACE(service_registry, "zv_service_registry_interface_0", 2, &service_registry_impl::add_factory);

// The registry as a creation context hands it to a registry visitor: slot 1
// looks a service up and hands what it finds to the given service visitor.
// The module reaches it only by slot position; the name is the host side's.
namespace iface
{
struct service_locator;
}

class service_locator_impl : public impl_root<iface::service_locator>
{
  public:
    virtual void find_service(const char16_t* /*identifier*/, interface_ref /*service_visitor*/) {}
};

ZV_INTERFACE(service_locator, "zv_service_locator_interface_0", 2, &service_locator_impl::find_service);

// The host's creation context, passed to a factory's create. The module calls
// slot 1 for the context's referent (the parent of what it creates) and slot 2
// to be handed the registry. The name is the host side's.
namespace iface
{
struct bundle_context;
}

class bundle_context_impl : public impl_root<iface::bundle_context>
{
  public:
    virtual interface_ref referent() { return {}; }
    virtual void visit_registry(interface_ref /*registry_visitor*/) {}
};

ZV_INTERFACE(bundle_context, "zv_bundle_context_interface_0", 3, &bundle_context_impl::referent,
             &bundle_context_impl::visit_registry);

namespace iface
{
struct service_registry_visitor;
}

class service_registry_visitor_impl : public impl_root<iface::service_registry_visitor>
{
  public:
    // `registry` is a service_locator reference.
    virtual void visit(interface_ref /*registry*/) {}
};

ZV_INTERFACE(service_registry_visitor, "zv_service_registry_visitor_interface_0", 2,
             &service_registry_visitor_impl::visit);

// Root-only: its root answers for the typed service visitors of the same object.
namespace iface
{
struct service_visitor;
}

class service_visitor_impl : public impl_root<iface::service_visitor>
{
};

ZV_INTERFACE(service_visitor, "zv_service_visitor_interface_0", 1);

} // namespace zv
