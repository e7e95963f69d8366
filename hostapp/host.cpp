#include "host.h"

#include <list>
#include <optional>

#include "localizer.h"
#include "platform/library_loader.h"
#include "protocol/lifetime.h"

namespace zv::hostapp
{

// Members are destroyed in reverse order: the host's holds go first, while
// the module (whose holders they may notify) is still loaded; the library
// is closed last.
struct host::state {
    platform::library library;
    message_sink messages;
    host_registry services;
    host_localizer_service localizers{[this] { return localizer_ref.get(); }};
    host_service_locator locator{localizers};
    ref<iface::localizer, 0> localizer_ref;
    ref<iface::bundle_context, 0> context_ref;
    // Released first: a tool holds the context as its parent.
    std::list<ref<iface::custom_app_service, 0>> tools;
    host_localizer* localizer_object = nullptr;
    bool attached = false;
};

host::host() : state_(std::make_unique<state>())
{
    // Held by the host from here on; destroyed when its last holder lets go.
    auto* context = new host_context(state_->locator);
    state_->context_ref.reset(make_ref<iface::bundle_context>(context));
}

host::~host() = default;

void host::set_translations(translations texts)
{
    auto* object = new host_localizer(std::move(texts));
    state_->localizer_ref.reset(make_ref<iface::localizer>(object));
    state_->localizer_object = object;
}

bool host::load(const std::string& path, std::string& error)
{
    if (!state_->library.open(path, error))
        return false;
    auto entry = reinterpret_cast<module_entry_fn>(state_->library.symbol(module_entry_name));
    if (entry == nullptr) {
        error = path + ": not a module (no " + module_entry_name + ")";
        state_->library.close();
        return false;
    }
    return attach(entry, error);
}

bool host::attach(module_entry_fn entry, std::string& error)
{
    if (state_->attached) {
        error = "a module is already loaded";
        return false;
    }
    const zv_interface_words words = entry != nullptr ? entry(this) : zv_interface_words{};
    const interface_ref bundle{words.table, words.object};
    if (!bundle.table) {
        error = "the module's entry returned no bundle";
        return false;
    }
    state_->attached = true;
    // Bundle slot 1: register_services(registry).
    using register_fn = void (*)(const void*, void*, const interface_ref*);
    auto slot = reinterpret_cast<register_fn>(static_cast<const slot_fn*>(bundle.table)[1]);
    const interface_ref registry_ref = make_ref<iface::service_registry>(&state_->services);
    if (slot != nullptr)
        slot(bundle.table, bundle.object, &registry_ref);
    return true;
}

const std::vector<service_record>& host::services() const noexcept
{
    return state_->services.records();
}

void host::connect_clients()
{
    const interface_ref context = state_->context_ref.get();
    for (const service_record& record : state_->services.records()) {
        if (record.is_client())
            call<&service_factory_impl::create>(record.factory, context, interface_ref{});
    }
}

interface_ref host::create_service(std::u16string_view identifier)
{
    for (const service_record& record : state_->services.records()) {
        if (record.is_client() || record.identifier != identifier)
            continue;
        host_service_receiver receiver;
        call<&service_factory_impl::create>(record.factory, state_->context_ref.get(),
                                            make_ref<iface::custom_app_service_visitor>(&receiver));
        if (!receiver.received.valid())
            return {};
        state_->tools.emplace_back(receiver.received.get());
        return receiver.received.get();
    }
    return {};
}

void host::release_services()
{
    state_->tools.clear();
}

interface_ref host::context() const noexcept
{
    return state_->context_ref.get();
}

std::size_t host::localizer_requests() const noexcept
{
    return state_->localizer_ref ? state_->localizer_object->requests() : 0;
}

std::size_t host::localizer_watchers() const noexcept
{
    return state_->localizer_ref ? state_->localizer_object->holders() - 1 : 0;
}

message_sink& host::messages() noexcept
{
    return state_->messages;
}

} // namespace zv::hostapp
