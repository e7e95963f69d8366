#include "host_objects.h"

#include <algorithm>
#include <string_view>

namespace zv::hostapp
{

void host_registry::add_factory(const char16_t* identifier, interface_ref factory)
{
    records_.push_back({identifier != nullptr ? std::u16string(identifier) : std::u16string(), factory});
}

void host_localizer_service::visit_localizer(interface_ref, interface_ref localizer_visitor)
{
    if (!localizer_visitor.valid())
        return;
    if (std::find(visitors_.begin(), visitors_.end(), localizer_visitor) == visitors_.end())
        visitors_.push_back(localizer_visitor);
    const interface_ref current = current_ ? current_() : interface_ref{};
    if (current.valid())
        call<&localizer_visitor_impl::visit>(localizer_visitor, current);
}

void host_localizer_service::deliver_again()
{
    const interface_ref current = current_ ? current_() : interface_ref{};
    if (!current.valid())
        return;
    for (const interface_ref& visitor : visitors_)
        call<&localizer_visitor_impl::visit>(visitor, current);
}

void host_service_locator::find_service(const char16_t* identifier, interface_ref service_visitor)
{
    if (identifier == nullptr || !service_visitor.valid())
        return;
    if (!std::u16string_view(identifier).ends_with(u"/localizer"))
        return;
    // The visitor's root answers for the typed visitor of the service found.
    const interface_ref typed = cast<iface::localizer_service_visitor>(root_of(service_visitor));
    call<&localizer_service_visitor_impl::visit>(typed, make_ref<iface::localizer_service>(localizers_));
}

void host_context::visit_registry(interface_ref registry_visitor)
{
    call<&service_registry_visitor_impl::visit>(registry_visitor, make_ref<iface::service_locator>(locator_));
}

} // namespace zv::hostapp
