// The host objects a module talks to while it registers its services and
// obtains the host's services: the registry, the creation context, the
// service locator that the context hands to registry visitors, and the
// localizer service.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "protocol/app_service_interfaces.h"
#include "protocol/lifetime.h"
#include "protocol/localizer_interfaces.h"
#include "protocol/polymorphic.h"
#include "protocol/referent.h"
#include "protocol/service_interfaces.h"
#include "zvhost_api.h"

namespace zv::hostapp
{

// One registered factory. An empty identifier marks a client factory: the
// host calls it to hand the module a service rather than to obtain one.
struct ZVHOST_API service_record {
    std::u16string identifier;
    interface_ref factory;

    bool is_client() const noexcept { return identifier.empty(); }
};

// Keeps the factories in registration order.
class ZVHOST_API host_registry final : public service_registry_impl
{
  public:
    void add_factory(const char16_t* identifier, interface_ref factory) override;
    const std::vector<service_record>& records() const noexcept { return records_; }

  private:
    std::vector<service_record> records_;
};

// Hands the localizer (when there is one) to the localizer visitor, and
// remembers the visitor, so that a new localizer reaches every module that
// asked for one. The visitors must live as long as their module is loaded.
class ZVHOST_API host_localizer_service final : public localizer_service_impl
{
  public:
    // `current` answers the localizer reference at the moment of the request.
    explicit host_localizer_service(std::function<interface_ref()> current) : current_(std::move(current)) {}
    void visit_localizer(interface_ref context, interface_ref localizer_visitor) override;

    // Hands the current localizer to every visitor that has asked.
    void deliver_again();

  private:
    std::function<interface_ref()> current_;
    std::vector<interface_ref> visitors_;
};

// Looks up the host's services by identifier: an identifier ending in
// "/localizer" names the localizer service, whatever its authority.
class ZVHOST_API host_service_locator final : public service_locator_impl
{
  public:
    explicit host_service_locator(host_localizer_service& localizers) : localizers_(&localizers) {}
    void find_service(const char16_t* identifier, interface_ref service_visitor) override;

  private:
    host_localizer_service* localizers_;
};

// The creation context passed to every create. Its lifetime is managed:
// what a module creates in it keeps it alive as its parent.
class ZVHOST_API host_context final : public referent<bundle_context_impl>
{
  public:
    explicit host_context(host_service_locator& locator) : obj(), locator_(&locator) {}
    void visit_registry(interface_ref registry_visitor) override;

  private:
    host_service_locator* locator_;
};

// The visitor source handed to every create: one object whose root answers
// for every kind of service visitor the host offers. Each part takes a strong
// hold on the service it receives at once, since the factory lets go of its
// own hold when create returns. Only the last service of each kind is kept.
// These three are not exported: a binary that makes one uses its own copy
// throughout, so its holders are taken and let go through the same tables
// (a Windows program would otherwise take them in zvhost.dll's copy and let
// go in its own, and the service would never learn it was let go).
class host_tool_receiver : public polymorphic<custom_app_service_visitor_impl>
{
  public:
    void visit(interface_ref service) override { tool.reset(service); }

    ref<iface::custom_app_service, 0> tool;
};

class host_dialog_service_receiver : public polymorphic<modal_dialog_service_visitor_impl>
{
  public:
    void visit(interface_ref service) override { dialog_service.reset(service); }

    ref<iface::modal_dialog_service, 0> dialog_service;
};

class host_service_source final : public host_tool_receiver, public host_dialog_service_receiver
{
  public:
    // The reference handed to create as its argument.
    interface_ref as_argument() { return make_ref<iface::custom_app_service_visitor>(this); }
};

} // namespace zv::hostapp
