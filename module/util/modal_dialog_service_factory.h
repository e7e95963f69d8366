// The factory of the module's modal dialog service, registered under the
// empty identifier. At most one service lives at a time: while it lives,
// every create hands the host the same one.
#pragma once

#include "protocol/lifetime.h"
#include "util/modal_dialog_service.h"
#include "util/service_factories.h"

namespace zv::util::detail
{

template <int N> class modal_dialog_service_factory final : public custom_service_factory_impl
{
  public:
    modal_dialog_service_factory() : custom_service_factory_impl(u"") {}

    void create(interface_ref context, interface_ref argument) override;

    // The service handed out last, null once it has been destroyed.
    const interface_ref& last_service() const noexcept { return last_service_.get(); }

  private:
    ref<iface::modal_dialog_service, 1> last_service_;
};

// The modal dialog of the service created last (null before the first). Only
// used while the factory's last service lives.
template <int N> inline modal_dialog<N>* current_modal_dialog = nullptr;

// The module's one factory, defined with the other static objects.
modal_dialog_service_factory<0>& the_modal_dialog_service_factory() noexcept;

template <int N> void modal_dialog_service_factory<N>::create(interface_ref context, interface_ref argument)
{
    if (!argument.valid())
        return;
    const interface_ref visitor = cast<iface::modal_dialog_service_visitor>(root_of(argument));
    if (!visitor.valid())
        return;
    ref<iface::modal_dialog_service, 0> service(last_service_.get());
    if (!service.valid()) {
        const interface_ref parent = call<&bundle_context_impl::referent>(context);
        auto* created = new modal_dialog_service<N>(parent);
        current_modal_dialog<N> = &created->dialog;
        service.reset(make_ref<iface::modal_dialog_service>(created));
    }
    call<&modal_dialog_service_visitor_impl::visit>(visitor, service.get());
    last_service_.reset(service.get());
}

} // namespace zv::util::detail
