#include "command_line.h"

#include "foundation/paths.h"
#include "platform/library_loader.h"

namespace zv::hostapp
{

const char* const usage_text =
    "usage: zvhost [OPTIONS] list [MODULE]\n"
    "       zvhost [OPTIONS] show TOOL [--json] [--set LABEL=VALUE]...\n"
    "       zvhost [OPTIONS] run TOOL [--set LABEL=VALUE]...\n"
    "       zvhost --help\n"
    "\n"
    "  list [MODULE]        print the module's services in registration order, one\n"
    "                       per line: identifier TAB kind (tool or client)\n"
    "  show TOOL            print the tool's dialog as a user sees it\n"
    "  run TOOL             apply the settings, press the dialog's accepting button and\n"
    "                       print every message box as KIND: TEXT\n"
    "  TOOL                 a tool's title in either language, its internal name, or the\n"
    "                       end of its service path (prf_beg_end_app)\n"
    "\n"
    "  --module PATH        the module to load; without it, MODULE or the module\n"
    "                       zv_geotools in ../lib relative to the zvhost program\n"
    "                       (on Windows beside it)\n"
    "  --set LABEL=VALUE    give VALUE to the input labelled LABEL (or #N: the N-th\n"
    "                       input): a file input's chooser answers VALUE, a drop-down\n"
    "                       selects its item VALUE; in the order given\n"
    "  --json               show: print the dialog as JSON\n"
    "  --lang ru|en         user-interface language of the host\n"
    "  --translations FILE  serve the module's strings from FILE (id TAB text lines)\n"
    "  --help               show this text\n"
    "\n"
    "exit status: 0 done (run: the dialog closed); 1 run: the dialog stayed open;\n"
    "2 usage error, module or translation file not loadable, tool, input or item\n"
    "not found\n";

namespace
{

// Reads the option value after `arguments[i]`; false when it is missing.
bool take_value(const std::vector<std::string>& arguments, std::size_t& i, std::string& value)
{
    if (i + 1 >= arguments.size())
        return false;
    value = arguments[++i];
    return true;
}

// One option at arguments[i] (its value too); returns the problem.
std::string parse_option(const std::vector<std::string>& arguments, std::size_t& i, command_options& opt)
{
    const std::string& a = arguments[i];
    std::string value;
    if (a == "--help" || a == "-h") {
        opt.help = true;
    } else if (a == "--json") {
        opt.json = true;
    } else if (a == "--lang") {
        if (!take_value(arguments, i, opt.lang))
            return "--lang needs a value (ru or en)";
        if (opt.lang != "ru" && opt.lang != "en")
            return "unknown language '" + opt.lang + "'";
    } else if (a == "--translations") {
        if (!take_value(arguments, i, opt.translations_file))
            return "--translations needs a file";
    } else if (a == "--module") {
        if (!take_value(arguments, i, opt.module) || opt.module.empty())
            return "--module needs a path";
    } else if (a == "--set") {
        if (!take_value(arguments, i, value))
            return "--set needs LABEL=VALUE";
        const std::size_t equals = value.find('=');
        if (equals == std::string::npos || equals == 0)
            return "--set needs LABEL=VALUE, not '" + value + "'";
        opt.settings.push_back({value.substr(0, equals), value.substr(equals + 1)});
    } else {
        return "unknown option '" + a + "'";
    }
    return {};
}

// The command and its operands.
std::string parse_command(const std::vector<std::string>& positional, command_options& opt)
{
    if (positional.empty())
        return "no command given";
    opt.command = positional[0];
    if (opt.command == "list") {
        if (positional.size() > 2)
            return "list takes at most one MODULE";
        if (positional.size() == 2 && !opt.module.empty())
            return "list takes MODULE or --module, not both";
        if (positional.size() == 2)
            opt.module = positional[1];
    } else if (opt.command == "show" || opt.command == "run") {
        if (positional.size() != 2)
            return opt.command + " needs exactly one TOOL";
        opt.tool = positional[1];
    } else {
        return "unknown command '" + opt.command + "'";
    }
    if (opt.json && opt.command != "show")
        return "--json is for show";
    if (!opt.settings.empty() && opt.command == "list")
        return "--set is for show and run";
    return {};
}

} // namespace

std::string parse_command_line(const std::vector<std::string>& arguments, command_options& opt)
{
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i].starts_with("-") && arguments[i].size() > 1) {
            if (std::string problem = parse_option(arguments, i, opt); !problem.empty())
                return problem;
        } else {
            positional.push_back(arguments[i]);
        }
    }
    return opt.help ? std::string() : parse_command(positional, opt);
}

std::string module_to_load(const command_options& options, const std::string& program)
{
    if (!options.module.empty())
        return options.module;
    const std::string folder = program.substr(0, foundation::file_name_start(std::string_view(program)));
    return (folder.empty() ? std::string("./") : folder) + platform::library_folder_beside_programs() +
           platform::library_file_name("zv_geotools");
}

} // namespace zv::hostapp
