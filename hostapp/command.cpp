#include "command.h"

#include <optional>
#include <ostream>

#include "command_line.h"
#include "dialog_inputs.h"
#include "dialog_render.h"
#include "foundation/utf.h"
#include "host.h"
#include "platform/process_environment.h"
#include "tool_dialog.h"
#include "translations.h"

namespace zv::hostapp
{
namespace
{

// Loads the translations and the module, and connects the module's clients.
bool prepare(const command_options& opt, host& h, std::ostream& err)
{
    std::string error;
    if (!opt.translations_file.empty()) {
        std::optional<translations> texts = translations::load(opt.translations_file, error);
        if (!texts) {
            err << "zvhost: " << error << '\n';
            return false;
        }
        h.set_translations(std::move(*texts));
    }
    if (!h.load(opt.module, error)) {
        err << "zvhost: " << error << '\n';
        return false;
    }
    h.connect_clients();
    return true;
}

int list_services(host& h, std::ostream& out)
{
    for (const service_record& record : h.services()) {
        const std::string id = record.is_client() ? "(client)" : foundation::to_utf8(record.identifier);
        out << id << '\t' << (record.is_client() ? "client" : "tool") << '\n';
    }
    return exit_ok;
}

std::string labels_of(const std::vector<dialog_input>& inputs)
{
    std::string labels;
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        const std::string label = inputs[i].label.empty() ? "#" + std::to_string(i + 1)
                                                          : "'" + foundation::to_utf8(inputs[i].label) + "'";
        labels += (i == 0 ? "" : ", ") + label;
    }
    return labels.empty() ? "it has none" : "its inputs: " + labels;
}

// Applies the settings in order, on the picture of the dialog shown.
bool apply_settings(const command_options& opt, host& h, tool_dialog& dialog, std::ostream& err)
{
    std::vector<dialog_input> inputs;
    if (dialog.shown() != nullptr && dialog.shown()->content)
        inputs = collect_inputs(*dialog.shown()->content);
    for (const setting& s : opt.settings) {
        dialog_input* input = find_input(inputs, foundation::to_utf16(s.key));
        if (input == nullptr) {
            err << "zvhost: no input labelled '" << s.key << "' (" << labels_of(inputs) << ")\n";
            return false;
        }
        if (input->kind == input_kind::file && !h.has_choosers()) {
            err << "zvhost: '" << s.key << "': the module offers the host no file chooser\n";
            return false;
        }
        const std::string problem = set_input(*input, foundation::to_utf16(s.value), h.choosers());
        if (!problem.empty()) {
            err << "zvhost: '" << s.key << "': " << problem << '\n';
            return false;
        }
    }
    return true;
}

// show and run: find the tool, show its dialog, apply the settings, then
// print the dialog or press its accepting button.
int use_tool(const command_options& opt, host& h, std::ostream& out, std::ostream& err)
{
    const std::optional<std::u16string> identifier = find_tool(h, foundation::to_utf16(opt.tool));
    if (!identifier) {
        err << "zvhost: no tool '" << opt.tool << "' in " << opt.module << '\n';
        return exit_load_error;
    }
    tool_dialog dialog(h.create_service(*identifier));
    if (!dialog.valid()) {
        err << "zvhost: the tool '" << opt.tool << "' presents no dialog\n";
        return exit_load_error;
    }
    // The picture goes to standard output; messages of show go aside.
    h.messages().set_echo(opt.command == "run" ? &out : &err);
    dialog.show();
    if (!apply_settings(opt, h, dialog, err))
        return exit_load_error;
    if (opt.command == "show") {
        const dialog_picture& picture = dialog.show();
        out << (opt.json ? render_json(picture) : render_text(picture));
        return exit_ok;
    }
    if (dialog.accept())
        return exit_ok;
    err << "zvhost: the dialog stayed open\n";
    return exit_dialog_open;
}

} // namespace

int run_command(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err)
{
    try {
        command_options opt;
        const std::string problem = parse_command_line(arguments, opt);
        if (!problem.empty()) {
            err << "zvhost: " << problem << "\n" << usage_text;
            return exit_usage;
        }
        if (opt.help) {
            out << usage_text;
            return exit_ok;
        }
        // The language must be set before the module and zvk_basic read it.
        if (!opt.lang.empty())
            host::set_language(opt.lang);
        opt.module = module_to_load(opt, platform::executable_path());
        host h;
        if (!prepare(opt, h, err))
            return exit_load_error;
        return opt.command == "list" ? list_services(h, out) : use_tool(opt, h, out, err);
    } catch (const std::exception& e) {
        err << "zvhost: " << e.what() << '\n';
        return exit_load_error;
    }
}

} // namespace zv::hostapp
