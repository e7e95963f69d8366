#include "plugin/app/tos_graph_x2y_app/tos_graph_x2y_app_widget.h"

#include <vector>

#include "host/zvk_file_tos4.h"
#include "host/zvk_msgs.h"
#include "platform/case_mapping.h"
#include "plugin/app/tos_graph_x2y_app/tos_graph.h"
#include "resources/string_loader.h"
#include "support/string_adapter.h"

namespace zv
{

namespace
{

enum text : std::int32_t {
    graph_box_title = 211,
    data_box_title = 212,
    graph_file_caption = 213,
    graph_file_filter = 214,
    data_file_caption = 215,
    data_file_filter = 216,
    x_caption = 217,
    y_caption = 218,
    wrong_parameters = 220,
};

using items = std::vector<toolkit::dropdownex<std::u16string>::item>;

// Every property of the data file: its caption shown, its name used. False
// when the file cannot be opened.
bool read_properties(const std::u16string& path, items& properties)
{
    zv_tos4_file_t file = zv_tos4_file_open_w(path.c_str(), 1);
    if (file == nullptr)
        return false;
    const std::uint32_t count = zv_tos4_get_prop_count(file);
    for (std::uint32_t k = 0; k < count; ++k) {
        std::u16string name;
        std::u16string caption;
        {
            Tzv_std_wstring_adapter name_adapter(name);
            Tzv_std_wstring_adapter caption_adapter(caption);
            zv_tos4_get_prop_name_w(file, k, name_adapter.handle());
            zv_tos4_get_prop_caption_w(file, k, caption_adapter.handle());
        }
        properties.push_back({std::move(caption), std::move(name)});
    }
    zv_tos4_file_close(file);
    return true;
}

// Each list opens and reads the file on its own, as a user's edit of the file
// between the two reads would show in the second.
void refill(tos_graph_x2y_app_widget::property_list& list, const std::u16string& path)
{
    items properties;
    if (read_properties(path, properties)) {
        list.set_items(std::move(properties));
    } else {
        list.clear_items();
    }
}

} // namespace

tos_graph_x2y_app_widget::tos_graph_x2y_app_widget()
{
    graph_file.set_caption(graph_file_caption);
    graph_file.set_mode(toolkit::open_file);
    graph_file.set_filter(graph_file_filter);
    data_file.set_caption(data_file_caption);
    data_file.set_mode(toolkit::open_file);
    data_file.set_filter(data_file_filter);
    data_file.set_change_handler([this] { refill_property_lists(); });
    x_property.set_caption(x_caption);
    y_property.set_caption(y_caption);

    graph_box.set_caption(graph_box_title);
    graph_box.add_labeled(graph_file);
    graph_box.content().set_column_stretch(1, true);

    data_file_row.add_labeled(data_file);
    data_file_row.set_column_stretch(1, true);
    property_row.add_labeled(x_property);
    property_row.add_labeled(y_property);
    property_row.set_column_stretch(1, true);
    property_row.set_column_stretch(3, true);
    data_box.set_caption(data_box_title);
    data_box.add(data_file_row);
    data_box.add(property_row);

    root.add(graph_box);
    root.add(data_box);
}

void tos_graph_x2y_app_widget::refill_property_lists()
{
    refill(x_property, data_file.path());
    refill(y_property, data_file.path());
}

bool tos_collect_params(const tos_graph_x2y_app_widget& widget, tos_graph_params& params)
{
    const std::u16string& graph = widget.graph_file.path();
    const std::u16string& data = widget.data_file.path();
    const std::u16string x = widget.x_property.selected_value();
    const std::u16string y = widget.y_property.selected_value();
    if (graph.empty() || data.empty() || x.empty() || y.empty() || platform::compare_no_case(x, y) == 0)
        return false;
    params = {data, x, y, graph};
    return true;
}

bool tos_graph_x2y_app_widget::run()
{
    tos_graph_params params;
    if (!tos_collect_params(*this, params)) {
        zv_show_wwarning(resource::load_string(wrong_parameters).c_str());
        return false;
    }
    return tos_run_graph(params);
}

} // namespace zv
