#include "dialog_render.h"

#include <algorithm>
#include <cstdio>
#include <initializer_list>

#include "foundation/utf.h"

namespace zv::hostapp
{
namespace
{

// --- text ---

using block = std::vector<std::string>; // the lines an element takes

std::string utf8(std::u16string_view text)
{
    return foundation::to_utf8(text);
}

std::string leaf_text(const dialog_element& e)
{
    switch (e.kind) {
    case element_kind::label:
        return utf8(e.text);
    case element_kind::output:
        return "[" + utf8(e.text) + "]";
    case element_kind::button:
        return "<" + (e.text.empty() ? std::string("...") : utf8(e.text)) + ">";
    case element_kind::dropdown: {
        std::string items;
        for (std::size_t i = 0; i < e.items.size(); ++i) {
            const bool selected = static_cast<std::int32_t>(i) == e.selection;
            items += (i == 0 ? "" : " | ") + std::string(selected ? "*" : "") + utf8(e.items[i]) +
                     (selected ? "*" : "");
        }
        return "{" + items + "}";
    }
    default:
        return {};
    }
}

block text_of(const dialog_element& e);

// Cells of one row stand side by side when each takes one line, else one
// below the other.
block grid_text(const dialog_element& e)
{
    block lines;
    for (std::int32_t r = 0; r < e.rows; ++r) {
        std::vector<block> cells;
        for (std::int32_t c = 0; c < e.columns; ++c) {
            if (const dialog_element* cell = e.cell(c, r))
                cells.push_back(text_of(*cell));
        }
        std::erase_if(cells, [](const block& b) { return b.empty(); });
        if (cells.empty())
            continue;
        if (std::all_of(cells.begin(), cells.end(), [](const block& b) { return b.size() == 1; })) {
            std::string line;
            for (const block& cell : cells)
                line += (line.empty() ? "" : "  ") + cell[0];
            lines.push_back(line);
        } else {
            for (const block& cell : cells)
                lines.insert(lines.end(), cell.begin(), cell.end());
        }
    }
    return lines;
}

block text_of(const dialog_element& e)
{
    const std::string disabled = e.enabled ? "" : " (disabled)";
    if (e.kind == element_kind::grid_layout)
        return grid_text(e);
    if (e.kind != element_kind::groupbox)
        return {leaf_text(e) + disabled};
    block lines{"-- " + utf8(e.text) + " --" + disabled};
    if (!e.children.empty() && e.children[0]) {
        for (const std::string& line : text_of(*e.children[0]))
            lines.push_back("  " + line);
    }
    return lines;
}

// Characters, not bytes: continuation bytes of UTF-8 do not count.
std::size_t width_of(const std::string& text)
{
    return static_cast<std::size_t>(std::count_if(
        text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// --- JSON ---

std::string json_string(std::u16string_view text)
{
    std::string out = "\"";
    for (const char c : utf8(text)) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string json_bool(bool value)
{
    return value ? "true" : "false";
}

template <class T, class F> std::string json_array(const std::vector<T>& values, F&& each)
{
    std::string out = "[";
    for (std::size_t i = 0; i < values.size(); ++i)
        out += (i == 0 ? "" : ",") + each(values[i]);
    return out + "]";
}

// {"name":value,...} from name/value pairs whose values are JSON already.
std::string json_object(std::initializer_list<std::pair<const char*, std::string>> members)
{
    std::string out = "{";
    for (const auto& [name, value] : members)
        out += (out.size() == 1 ? "\"" : ",\"") + std::string(name) + "\":" + value;
    return out + "}";
}

std::string json_of(const dialog_element* e);

std::string grid_json(const dialog_element& e)
{
    std::string cells = "[";
    for (std::int32_t r = 0; r < e.rows; ++r) {
        cells += r == 0 ? "[" : ",[";
        for (std::int32_t c = 0; c < e.columns; ++c)
            cells += (c == 0 ? "" : ",") + json_of(e.cell(c, r));
        cells += "]";
    }
    const auto flag = [](bool b) { return json_bool(b); };
    return json_object({{"kind", "\"grid_layout\""},
                        {"columns", std::to_string(e.columns)},
                        {"rows", std::to_string(e.rows)},
                        {"column_stretch", json_array(e.column_stretch, flag)},
                        {"row_stretch", json_array(e.row_stretch, flag)},
                        {"cells", cells + "]"}});
}

std::string json_of(const dialog_element* e)
{
    if (e == nullptr)
        return "null";
    const std::string enabled = json_bool(e->enabled);
    switch (e->kind) {
    case element_kind::grid_layout:
        return grid_json(*e);
    case element_kind::groupbox:
        return json_object({{"kind", "\"groupbox\""},
                            {"caption", json_string(e->text)},
                            {"second_text", json_string(e->detail)},
                            {"enabled", enabled},
                            {"content", json_of(e->children.empty() ? nullptr : e->children[0].get())}});
    case element_kind::label:
        return json_object({{"kind", "\"label\""}, {"text", json_string(e->text)}, {"enabled", enabled}});
    case element_kind::output:
        return json_object({{"kind", "\"output\""},
                            {"text", json_string(e->text)},
                            {"caption", json_string(e->detail)},
                            {"enabled", enabled}});
    case element_kind::button:
        return json_object({{"kind", "\"button\""},
                            {"text", json_string(e->text)},
                            {"hint", json_string(e->detail)},
                            {"image", json_bool(e->has_image)},
                            {"pressed", json_bool(e->pressed)},
                            {"enabled", enabled}});
    case element_kind::dropdown:
        return json_object(
            {{"kind", "\"dropdown\""},
             {"items", json_array(e->items, [](const std::u16string& t) { return json_string(t); })},
             {"selection", std::to_string(e->selection)},
             {"enabled", enabled}});
    }
    return "null";
}

} // namespace

std::string render_text(const dialog_picture& picture)
{
    const std::string title = utf8(picture.title);
    std::string out = title + "\n" + std::string(width_of(title), '=') + "\n";
    if (picture.content) {
        for (const std::string& line : text_of(*picture.content))
            out += line + "\n";
    }
    std::string buttons;
    for (const dialog_button& button : picture.buttons)
        buttons +=
            (buttons.empty() ? "<" : "  <") + utf8(button.text) + ">" + (button.enabled ? "" : " (disabled)");
    return out + "\n" + buttons + "\n";
}

std::string render_json(const dialog_picture& picture)
{
    const auto button = [](const dialog_button& b) {
        return json_object({{"text", json_string(b.text)}, {"enabled", json_bool(b.enabled)}});
    };
    return json_object({{"name", json_string(picture.name)},
                        {"title", json_string(picture.title)},
                        {"content", json_of(picture.content.get())},
                        {"buttons", json_array(picture.buttons, button)}}) +
           "\n";
}

} // namespace zv::hostapp
