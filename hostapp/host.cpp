#include "host.h"

#include <algorithm>
#include <list>
#include <optional>

#include "localizer.h"
#include "platform/library_loader.h"
#include "platform/process_environment.h"
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
    // The module keeps plain references to the view: it outlives the service.
    host_modal_dialog_view choosers;
    host_modal_dialog_visitor chooser_attacher{choosers};
    ref<iface::modal_dialog_service, 0> dialog_service;
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

host::~host()
{
    state_->chooser_attacher.detach();
}

void host::set_translations(translations texts)
{
    auto* object = new host_localizer(std::move(texts));
    state_->localizer_ref.reset(make_ref<iface::localizer>(object));
    state_->localizer_object = object;
    state_->localizers.deliver_again();
}

// zvk_basic reads ZV_LANG first, then the locale.
void host::set_language(std::string_view language)
{
    if (language.empty())
        platform::unset_environment("ZV_LANG");
    else
        platform::set_environment("ZV_LANG", std::string(language).c_str());
}

std::string host::chosen_language()
{
    return platform::environment("ZV_LANG");
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
    host_service_source source;
    for (const service_record& record : state_->services.records()) {
        if (record.is_client())
            call<&service_factory_impl::create>(record.factory, context, source.as_argument());
    }
    if (!source.dialog_service.valid() || source.dialog_service.get() == state_->dialog_service.get())
        return;
    state_->chooser_attacher.detach();
    state_->dialog_service.reset(source.dialog_service.get());
    call<&modal_dialog_service_impl::visit_modal_dialog>(
        state_->dialog_service.get(), make_ref<iface::modal_dialog_visitor>(&state_->chooser_attacher));
}

host_modal_dialog_view& host::choosers() noexcept
{
    return state_->choosers;
}

bool host::has_choosers() const noexcept
{
    return state_->chooser_attacher.attached();
}

interface_ref host::create_service(std::u16string_view identifier)
{
    for (const service_record& record : state_->services.records()) {
        if (record.is_client() || record.identifier != identifier)
            continue;
        host_service_source source;
        call<&service_factory_impl::create>(record.factory, state_->context_ref.get(), source.as_argument());
        if (!source.tool.valid())
            return {};
        state_->tools.emplace_back(source.tool.get());
        return source.tool.get();
    }
    return {};
}

void host::release_service(interface_ref service)
{
    auto held = std::find_if(state_->tools.begin(), state_->tools.end(),
                             [&](const auto& tool) { return tool.get() == service; });
    if (held != state_->tools.end())
        state_->tools.erase(held);
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
