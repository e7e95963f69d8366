// A dialog of one row: a caption and a file input beside it, the input's
// column stretched. The root layout is what a docker presents.
#pragma once

#include <cstdint>

#include "toolkit/file_input.h"
#include "toolkit/grid_layout.h"
#include "toolkit/labeled_element.h"

namespace zv::toolkit
{

class file_input_row
{
  public:
    // filter: a text id, 0 for none.
    file_input_row(std::int32_t caption, std::int32_t mode, std::int32_t filter)
    {
        input.set_caption(caption);
        input.set_mode(mode);
        if (filter != 0)
            input.set_filter(filter);
        root.add_labeled(input);
        root.set_column_stretch(1, true);
    }
    file_input_row(const file_input_row&) = delete;
    file_input_row& operator=(const file_input_row&) = delete;

    detail::labeled_element<file_input> input;
    grid_layout<1, 2> root;
};

} // namespace zv::toolkit
