// The module's client of the host's localizer: a client factory that the host
// calls to hand the module its localizer (through the registry and the
// localizer service), and the accessor through which string and bitmap
// lookups reach that localizer.
#pragma once

#include <string>

#include "protocol/interface_ref.h"
#include "protocol/lifetime.h"
#include "protocol/localizer_interfaces.h"
#include "protocol/polymorphic.h"
#include "protocol/service_interfaces.h"
#include "util/service_factories.h"

namespace zv
{

// The localizer the module's client currently holds (a "zv_localizer_interface_1"
// reference), or null when the host has not delivered one or it has gone.
// Read it at every lookup; never keep it.
interface_ref current_localizer() noexcept;

namespace detail
{

// The visitor interfaces all name their slot `visit`; these parts give each
// its own overridable name so one object can answer all of them.
class registry_visitor_part : public service_registry_visitor_impl
{
  public:
    void visit(interface_ref registry) final { on_registry(registry); }

  protected:
    virtual void on_registry(interface_ref registry) = 0;
};

class localizer_service_visitor_part : public polymorphic<localizer_service_visitor_impl>
{
  public:
    void visit(interface_ref service) final { on_localizer_service(service); }

  protected:
    virtual void on_localizer_service(interface_ref service) = 0;
};

class localizer_visitor_part : public localizer_visitor_impl
{
  public:
    void visit(interface_ref localizer_ref) final { on_localizer(localizer_ref); }

  protected:
    virtual void on_localizer(interface_ref localizer_ref) = 0;
};

// The handshake, driven by the host:
//   create(context)                -> context slot 2 (registry visitor)
//   registry visitor visit(reg)    -> reg slot 1 (authority + "/localizer", service visitor)
//   localizer service visitor visit(svc) -> svc slot 1 (context, localizer visitor)
//   localizer visitor visit(loc)   -> weak hold of loc
// The service visitor's root answers both "zv_service_visitor_interface_0" and
// "zv_localizer_service_visitor_interface_1" through the shared query chain.
class local_factory_impl : public custom_client_factory_impl,
                           public registry_visitor_part,
                           public polymorphic<service_visitor_impl>,
                           public localizer_service_visitor_part,
                           public localizer_visitor_part,
                           public localizer_client_impl
{
  public:
    local_factory_impl();

    // Only the first create with a valid context counts.
    void create(interface_ref context, interface_ref argument) override;

    // The held localizer, null until delivered and after it has gone.
    const interface_ref& localizer() const noexcept { return localizer_.get(); }

  protected:
    void on_registry(interface_ref registry) override;
    void on_localizer_service(interface_ref service) override;
    void on_localizer(interface_ref localizer_ref) override;

  private:
    ref<iface::localizer, 1> localizer_;
    interface_ref context_;
    std::u16string localizer_service_id_;
};

} // namespace detail
} // namespace zv
