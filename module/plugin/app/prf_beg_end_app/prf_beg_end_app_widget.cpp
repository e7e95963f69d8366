#include "plugin/app/prf_beg_end_app/prf_beg_end_app_widget.h"

#include "plugin/app/prf_beg_end_app/prf_processing.h"

namespace zv
{

namespace
{

constexpr std::int32_t folder_caption = 11; // "Path to processing files"

} // namespace

prf_beg_end_app_widget::prf_beg_end_app_widget() : file_input_row(folder_caption, toolkit::choose_folder, 0)
{
}

bool prf_beg_end_app_widget::run()
{
    if (input.path().empty())
        return false;
    return prf_run(input.path());
}

} // namespace zv
