// A path display with a browse button that opens the host's file or folder
// chooser. The host reaches it through its layout: the path output in
// column 0 (stretched) and the browse button in column 1.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "toolkit/button.h"
#include "toolkit/grid_layout.h"
#include "toolkit/output.h"

namespace zv::toolkit
{

// What browsing asks the host for.
enum file_input_mode : std::int32_t {
    open_file = 0,
    save_file = 1,        // the save chooser with flag byte 1
    save_file_flag_0 = 2, // the save chooser with flag byte 0
    choose_folder = 3,
};

class file_input;

namespace detail
{

template <class Derived> class file_input_base : public with_element
{
  public:
    file_input_base();
    file_input_base(const file_input_base&) = delete;
    file_input_base& operator=(const file_input_base&) = delete;
    virtual ~file_input_base() = default;

    void set_mode(std::int32_t mode) noexcept { mode_ = mode; }
    void set_filter(std::int32_t text_id);
    void set_initial_folder(std::u16string folder) { initial_folder_ = std::move(folder); }
    void set_change_handler(std::function<void()> handler) { on_change_ = std::move(handler); }
    void set_validator(std::function<bool(const std::u16string&)> validator)
    {
        validator_ = std::move(validator);
    }
    const std::u16string& path() const noexcept { return path_.text(); }
    void set_enabled(bool enabled);
    std::int32_t filter_index() const noexcept { return filter_index_; }

    // The browse button's click: asks the chooser of the mode and takes its answer.
    void browse();

    // Presented as its layout.
    void present(interface_ref element_visitor) { layout_.present(element_visitor); }

  private:
    std::u16string ask_chooser(const std::u16string& initial);
    void take(const std::u16string& chosen);

    std::int32_t mode_ = open_file;
    std::int32_t filter_index_ = 0;
    std::u16string filter_;
    std::u16string initial_folder_;
    std::function<void()> on_change_;
    std::function<bool(const std::u16string&)> validator_;
    output path_;
    button browse_;
    grid_layout<1, 2> layout_;
};

} // namespace detail

// The filter pair to preselect for `path`: the first pair whose pattern
// contains the path's lower-cased extension, counted from 0; 0 when none does,
// when the path has no extension or the filter is empty.
std::int32_t filter_index_for(const std::u16string& path, const std::u16string& filter);

class file_input : public detail::file_input_base<file_input>
{
};

} // namespace zv::toolkit
