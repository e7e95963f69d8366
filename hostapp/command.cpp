#include "command.h"

#include <optional>
#include <ostream>

#include "foundation/paths.h"
#include "foundation/utf.h"
#include "host.h"
#include "platform/process_environment.h"
#include "translations.h"

namespace zv::hostapp
{
namespace
{

constexpr const char* usage_text =
    "usage: zvhost [--lang ru|en] [--translations FILE] list MODULE\n"
    "       zvhost --help\n"
    "\n"
    "  list MODULE          load MODULE and print its services in registration order,\n"
    "                       one per line: identifier TAB kind (tool or client)\n"
    "  --lang ru|en         user-interface language of the host\n"
    "  --translations FILE  serve the module's strings from FILE (id TAB text lines)\n"
    "  --help               show this text\n";

struct options {
    bool help = false;
    std::string lang;
    std::string translations_file;
    std::string command;
    std::string module;
};

// Reads the option value after `arguments[i]`; false when it is missing.
bool take_value(const std::vector<std::string>& arguments, std::size_t& i, std::string& value)
{
    if (i + 1 >= arguments.size())
        return false;
    value = arguments[++i];
    return true;
}

// Parses the command line; returns the reason on error.
std::string parse(const std::vector<std::string>& arguments, options& opt)
{
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        if (a == "--help" || a == "-h") {
            opt.help = true;
        } else if (a == "--lang") {
            if (!take_value(arguments, i, opt.lang))
                return "--lang needs a value (ru or en)";
            if (opt.lang != "ru" && opt.lang != "en")
                return "unknown language '" + opt.lang + "'";
        } else if (a == "--translations") {
            if (!take_value(arguments, i, opt.translations_file))
                return "--translations needs a file";
        } else if (a.starts_with("-") && a.size() > 1) {
            return "unknown option '" + a + "'";
        } else {
            positional.push_back(a);
        }
    }
    if (opt.help)
        return {};
    if (positional.empty())
        return "no command given";
    opt.command = positional[0];
    if (opt.command != "list")
        return "unknown command '" + opt.command + "'";
    if (positional.size() != 2)
        return "list needs exactly one MODULE";
    opt.module = positional[1];
    return {};
}

std::string kind_name(const service_record& record)
{
    return record.is_client() ? "client" : "tool";
}

int list_services(const options& opt, std::ostream& out, std::ostream& err)
{
    host h;
    std::string error;
    if (!opt.translations_file.empty()) {
        std::optional<translations> texts = translations::load(opt.translations_file, error);
        if (!texts) {
            err << "zvhost: " << error << '\n';
            return exit_load_error;
        }
        h.set_translations(std::move(*texts));
    }
    if (!h.load(opt.module, error)) {
        err << "zvhost: " << error << '\n';
        return exit_load_error;
    }
    h.connect_clients();
    for (const service_record& record : h.services()) {
        std::string id = record.is_client() ? "(client)" : foundation::to_utf8(record.identifier);
        out << id << '\t' << kind_name(record) << '\n';
    }
    return exit_ok;
}

} // namespace

int run_command(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err)
{
    try {
        options opt;
        std::string problem = parse(arguments, opt);
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
            platform::set_environment("ZV_LANG", opt.lang.c_str());
        return list_services(opt, out, err);
    } catch (const std::exception& e) {
        err << "zvhost: " << e.what() << '\n';
        return exit_load_error;
    }
}

} // namespace zv::hostapp
