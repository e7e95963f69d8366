// A tool's dialog as the host shows and drives it: the docker and the button
// box the tool hands over, the picture of its element tree, the accepting
// button. The host knows no tool: it reads what each tool presents.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dialog_element.h"
#include "host.h"
#include "protocol/app_service_interfaces.h"
#include "protocol/lifetime.h"

namespace zv::hostapp
{

struct ZVHOST_API dialog_button {
    std::u16string text;
    bool enabled = true;
};

// What the user sees of a dialog: its title, its elements, its buttons.
struct ZVHOST_API dialog_picture {
    std::u16string name; // the tool's internal name
    std::u16string title;
    std::unique_ptr<dialog_element> content;
    std::vector<dialog_button> buttons;
};

class ZVHOST_API tool_dialog
{
  public:
    // Asks the tool for its docker and its button box; holds the tool while
    // the dialog lives.
    explicit tool_dialog(interface_ref tool);
    ~tool_dialog();
    tool_dialog(const tool_dialog&) = delete;
    tool_dialog& operator=(const tool_dialog&) = delete;

    // Whether the tool handed over a docker.
    bool valid() const noexcept { return docker_.valid(); }
    // The internal name the tool gave with its docker.
    const std::u16string& name() const noexcept { return name_; }
    // The title in the language of this moment.
    std::u16string title() const;

    // Reads the whole dialog afresh, every text in the language of this
    // moment, and attaches the host's views to every element: from then until
    // the next show the picture follows the module's notifications.
    dialog_picture& show();
    // The picture of the last show; null before the first.
    dialog_picture* shown() noexcept { return shown_ ? &picture_ : nullptr; }

    // Presses the accepting button (the button box's first): true when the
    // dialog may close.
    bool accept();

  private:
    ref<iface::custom_app_service, 0> tool_; // first: outlives the picture's views
    interface_ref docker_;
    interface_ref button_box_;
    std::u16string name_;
    dialog_picture picture_;
    bool shown_ = false;
};

// The identifier of the tool that `name` names: its title in either language,
// its internal name, or the end of its service path after a "/"
// ("prf_beg_end_app", "/app/prf_beg_end_app"). Tools asked for their names are
// released again. Nothing when no tool answers to the name.
ZVHOST_API std::optional<std::u16string> find_tool(host& h, std::u16string_view name);

} // namespace zv::hostapp
