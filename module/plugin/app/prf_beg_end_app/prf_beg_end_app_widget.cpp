#include "plugin/app/prf_beg_end_app/prf_beg_end_app_widget.h"

#include "plugin/app/prf_beg_end_app/prf_processing.h"

namespace zv
{

namespace
{

constexpr std::int32_t folder_caption = 11; // "Path to processing files"

} // namespace

prf_beg_end_app_widget::prf_beg_end_app_widget()
{
    folder.set_caption(folder_caption);
    folder.set_mode(toolkit::choose_folder);
    root.add_labeled(folder);
    root.set_column_stretch(1, true);
}

bool prf_beg_end_app_widget::run()
{
    if (folder.path().empty())
        return false;
    return prf_run(folder.path());
}

} // namespace zv
