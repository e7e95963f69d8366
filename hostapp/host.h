// The host application: loads a module with the operating system's loader,
// calls its entry, keeps the service registry and offers the creation
// context, the localizer service and (given a translation file) a localizer.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "host_objects.h"
#include "message_sink.h"
#include "modal_dialog_view.h"
#include "protocol/boundary.h"
#include "protocol/interface_ref.h"
#include "translations.h"
#include "zvhost_api.h"

namespace zv::hostapp
{

// The module entry as the host calls it: returns the bundle reference as the
// two words of the C declaration (calling it through any other function type
// is undefined behaviour).
using module_entry_fn = zv_bundle_entry_fn;

inline constexpr const char* module_entry_name = "zv_bundle_interface_to_custom_pointer";

class ZVHOST_API host
{
  public:
    host();
    ~host();
    host(const host&) = delete;
    host& operator=(const host&) = delete;

    // The localizer will serve these texts. Without it the localizer service
    // hands out no localizer and the module keeps using its own strings. A
    // module that already holds a localizer is handed the new one.
    void set_translations(translations texts);

    // The user-interface language, "ru" or "en", for the whole process (the
    // module and zvk_basic read it at each lookup): every text read afterwards
    // is in it. An empty language leaves the choice to the locale again.
    static void set_language(std::string_view language);
    // The language chosen, empty when the locale chooses.
    static std::string chosen_language();

    // Loads the module at `path`, calls its entry and lets it register its
    // services. On failure (not loadable, no entry) returns false with `error`.
    bool load(const std::string& path, std::string& error);

    // The same for a module whose entry is already in the process.
    bool attach(module_entry_fn entry, std::string& error);

    // Registered factories, in registration order.
    const std::vector<service_record>& services() const noexcept;

    // Calls create(context, source) on every client factory with one service
    // source, so that the module's localizer client asks for and receives the
    // localizer and the modal dialog service factory hands over its service.
    // The host holds that service and attaches its choosers to its dialog.
    void connect_clients();

    // The choosers the module opens through its modal dialog service, with
    // the script of their answers.
    host_modal_dialog_view& choosers() noexcept;
    // Whether the module's modal dialog has the choosers attached.
    bool has_choosers() const noexcept;

    // Asks the tool factory registered under `identifier` for its service and
    // holds it (strongly) until release_services or the host's end. Returns the
    // service, or null when there is no such tool or it handed out nothing.
    interface_ref create_service(std::u16string_view identifier);
    // Lets go of one service that create_service handed out, or of all.
    void release_service(interface_ref service);
    void release_services();

    // The creation context handed to every create.
    interface_ref context() const noexcept;

    // Observations of the localizer (0 without one): string requests received,
    // and holders registered with it besides the host's own.
    std::size_t localizer_requests() const noexcept;
    std::size_t localizer_watchers() const noexcept;

    // The message boxes shown while this host lives (it is zvk_msgs' sink).
    message_sink& messages() noexcept;

  private:
    struct state;
    std::unique_ptr<state> state_;
};

} // namespace zv::hostapp
