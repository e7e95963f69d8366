#include "dialog_inputs.h"

#include <algorithm>
#include <charconv>

#include "foundation/utf.h"

namespace zv::hostapp
{
namespace
{

dialog_element* child_of_kind(const dialog_element& grid, element_kind kind)
{
    for (const auto& child : grid.children) {
        if (child && child->kind == kind)
            return child.get();
    }
    return nullptr;
}

// A grid layout that holds exactly an output and a button.
bool is_file_input(const dialog_element& e)
{
    if (e.kind != element_kind::grid_layout)
        return false;
    const auto filled =
        std::count_if(e.children.begin(), e.children.end(), [](const auto& c) { return c != nullptr; });
    return filled == 2 && child_of_kind(e, element_kind::output) && child_of_kind(e, element_kind::button);
}

void collect(dialog_element& e, const dialog_element* before, std::vector<dialog_input>& out)
{
    const std::u16string label = before && before->kind == element_kind::label ? before->text : u"";
    if (is_file_input(e)) {
        out.push_back({input_kind::file, label, &e});
    } else if (e.kind == element_kind::dropdown) {
        out.push_back({input_kind::choice, label, &e});
    } else if (e.kind == element_kind::groupbox && !e.children.empty() && e.children[0]) {
        collect(*e.children[0], nullptr, out);
    } else if (e.kind == element_kind::grid_layout) {
        const dialog_element* previous = nullptr;
        for (const auto& cell : e.children) {
            if (!cell)
                continue;
            collect(*cell, previous, out);
            previous = cell.get();
        }
    }
}

// A label's text without the colon and spaces that end it.
std::u16string_view bare(std::u16string_view text)
{
    while (!text.empty() && (text.back() == u':' || text.back() == u' '))
        text.remove_suffix(1);
    return text;
}

// "#N" with N from 1; 0 when `key` is no position.
std::size_t position_of(std::u16string_view key)
{
    if (key.size() < 2 || key.front() != u'#')
        return 0;
    const std::string digits = foundation::to_utf8(key.substr(1));
    std::size_t n = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), n);
    return error == std::errc() && end == digits.data() + digits.size() ? n : 0;
}

std::string quoted(std::u16string_view text)
{
    return "'" + foundation::to_utf8(text) + "'";
}

std::string browse(const dialog_input& input, std::u16string_view value, host_modal_dialog_view& choosers)
{
    dialog_element* button = input.browse();
    const std::size_t asked = choosers.requests().size();
    choosers.clear_answers();
    choosers.queue_answer(std::u16string(value));
    call<&button_impl::click>(button->element);
    choosers.clear_answers();
    button->refresh();
    input.path()->refresh();
    if (choosers.requests().size() == asked)
        return "its browse button opened no chooser";
    return {};
}

std::string choose(const dialog_input& input, std::u16string_view value)
{
    dialog_element& list = *input.element;
    list.refresh();
    const auto item = std::find(list.items.begin(), list.items.end(), value);
    if (item == list.items.end()) {
        std::string items;
        for (const auto& text : list.items)
            items += (items.empty() ? "" : ", ") + quoted(text);
        return "it has no item " + quoted(value) +
               (items.empty() ? " (it has none)" : " (its items: " + items + ")");
    }
    call<&dropdown_impl::select>(list.element, static_cast<std::int32_t>(item - list.items.begin()));
    list.refresh();
    return {};
}

} // namespace

dialog_element* dialog_input::path() const
{
    return kind == input_kind::file ? child_of_kind(*element, element_kind::output) : nullptr;
}

dialog_element* dialog_input::browse() const
{
    return kind == input_kind::file ? child_of_kind(*element, element_kind::button) : nullptr;
}

std::vector<dialog_input> collect_inputs(dialog_element& root)
{
    std::vector<dialog_input> inputs;
    collect(root, nullptr, inputs);
    return inputs;
}

dialog_input* find_input(std::vector<dialog_input>& inputs, std::u16string_view key)
{
    if (const std::size_t n = position_of(key); n != 0)
        return n <= inputs.size() ? &inputs[n - 1] : nullptr;
    for (auto& input : inputs) {
        if (input.label == key)
            return &input;
    }
    for (auto& input : inputs) {
        if (!bare(key).empty() && bare(input.label) == bare(key))
            return &input;
    }
    return nullptr;
}

std::string set_input(const dialog_input& input, std::u16string_view value, host_modal_dialog_view& choosers)
{
    return input.kind == input_kind::file ? browse(input, value, choosers) : choose(input, value);
}

} // namespace zv::hostapp
