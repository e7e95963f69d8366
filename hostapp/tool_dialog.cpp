#include "tool_dialog.h"

#include <algorithm>

namespace zv::hostapp
{
namespace
{

constexpr std::int32_t max_buttons = 64;

class docker_receiver final : public docker_visitor_impl
{
  public:
    void visit(const char16_t* internal_name, interface_ref received) override
    {
        name = internal_name != nullptr ? std::u16string(internal_name) : std::u16string();
        docker = received;
    }

    std::u16string name;
    interface_ref docker;
};

class button_box_receiver final : public button_box_visitor_impl
{
  public:
    void visit(interface_ref received) override { button_box = received; }

    interface_ref button_box;
};

std::vector<dialog_button> read_buttons(const interface_ref& box)
{
    std::vector<dialog_button> buttons;
    const std::int32_t count = std::clamp(call<&button_box_impl::count>(box), 0, max_buttons);
    for (std::int32_t i = 0; i < count; ++i)
        buttons.push_back(
            {read_text<&button_box_impl::visit_caption>(box, i), call<&button_box_impl::enabled>(box, i)});
    return buttons;
}

// "prf_beg_end_app" and "/app/prf_beg_end_app" name ".../app/prf_beg_end_app".
bool ends_service_path(std::u16string_view identifier, std::u16string_view name)
{
    if (name.empty() || !identifier.ends_with(name))
        return false;
    if (name.front() == u'/' || identifier.size() == name.size())
        return true;
    return identifier[identifier.size() - name.size() - 1] == u'/';
}

// Whether the tool's internal name or its title in either language is `name`.
bool answers_to(const tool_dialog& dialog, std::u16string_view name)
{
    if (dialog.name() == name)
        return true;
    const std::string chosen = host::chosen_language();
    bool found = false;
    for (const char* language : {"en", "ru"}) {
        host::set_language(language);
        found = found || dialog.title() == name;
    }
    host::set_language(chosen);
    return found;
}

} // namespace

tool_dialog::tool_dialog(interface_ref tool) : tool_(tool)
{
    docker_receiver docker;
    call<&custom_app_service_impl::visit_docker>(tool_.get(), make_ref<iface::docker_visitor>(&docker));
    docker_ = docker.docker;
    name_ = std::move(docker.name);
    button_box_receiver box;
    call<&custom_app_service_impl::visit_button_box>(tool_.get(), make_ref<iface::button_box_visitor>(&box));
    button_box_ = box.button_box;
}

// The picture's views detach while the tool (and its elements) still live.
tool_dialog::~tool_dialog() = default;

std::u16string tool_dialog::title() const
{
    return read_text<&docker_impl::visit_title>(docker_);
}

dialog_picture& tool_dialog::show()
{
    // The old views go first: an element keeps one view, the newest.
    picture_.content.reset();
    picture_.name = name_;
    picture_.title = title();
    picture_.content = read_element_tree(
        [&](interface_ref visitor) { call<&docker_impl::visit_content>(docker_, visitor); });
    picture_.buttons = read_buttons(button_box_);
    shown_ = true;
    return picture_;
}

bool tool_dialog::accept()
{
    if (call<&button_box_impl::count>(button_box_) <= 0)
        return false;
    return call<&button_box_impl::click>(button_box_, 0);
}

std::optional<std::u16string> find_tool(host& h, std::u16string_view name)
{
    for (const service_record& record : h.services()) {
        if (!record.is_client() && ends_service_path(record.identifier, name))
            return record.identifier;
    }
    for (const service_record& record : h.services()) {
        if (record.is_client())
            continue;
        const interface_ref tool = h.create_service(record.identifier);
        bool found = false;
        {
            const tool_dialog dialog(tool);
            found = answers_to(dialog, name);
        }
        h.release_service(tool);
        if (found)
            return record.identifier;
    }
    return std::nullopt;
}

} // namespace zv::hostapp
