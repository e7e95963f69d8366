#include "toolkit/file_input.h"

#include "resources/string_loader.h"
#include "support/paths.h"
#include "util/modal_dialog_service.h"

namespace zv::toolkit
{

namespace
{

constexpr std::int32_t browse_image = -75; // zvk_basic's bitmap 75
constexpr std::int32_t path_width = 50;

} // namespace

std::int32_t filter_index_for(const std::u16string& path, const std::u16string& filter)
{
    const std::u16string extension = support::extension_lower(support::file_name(path));
    if (extension.empty() || filter.empty())
        return 0;
    // Fields at odd positions are the patterns; empty fields count.
    std::int32_t field = 0;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = filter.find(u'|', start);
        const std::u16string_view text = std::u16string_view(filter).substr(
            start, end == std::u16string::npos ? std::u16string::npos : end - start);
        if (field % 2 == 1 && text.find(extension) != std::u16string_view::npos)
            return field / 2;
        if (end == std::u16string::npos)
            return 0;
        start = end + 1;
        ++field;
    }
}

namespace detail
{

template <class Derived> file_input_base<Derived>::file_input_base()
{
    path_.set_width(path_width);
    browse_.set_image(browse_image);
    browse_.set_click_handler([this] { browse(); });
    layout_.add(path_);
    layout_.add(browse_);
    layout_.set_column_stretch(0, true);
}

template <class Derived> void file_input_base<Derived>::set_filter(std::int32_t text_id)
{
    filter_ = resource::load_string(text_id);
}

template <class Derived> void file_input_base<Derived>::set_enabled(bool enabled)
{
    path_.set_enabled(enabled);
    browse_.set_enabled(enabled);
}

template <class Derived> std::u16string file_input_base<Derived>::ask_chooser(const std::u16string& initial)
{
    switch (mode_) {
    case open_file:
        return util::choose_open_file(initial, filter_, filter_index_);
    case save_file:
        return util::choose_save_file(initial, filter_, filter_index_, 1);
    case save_file_flag_0:
        return util::choose_save_file(initial, filter_, filter_index_, 0);
    case choose_folder: {
        std::u16string folder = util::choose_folder(initial);
        return support::with_trailing_separator(folder);
    }
    default:
        return {};
    }
}

template <class Derived> void file_input_base<Derived>::browse()
{
    filter_index_ = filter_index_for(path(), filter_);
    const std::int32_t index_before = filter_index_;
    const std::u16string chosen = ask_chooser(path().empty() ? initial_folder_ : path());
    if (chosen.empty())
        return;
    if (chosen == path() && filter_index_ == index_before)
        return;
    take(chosen);
}

template <class Derived> void file_input_base<Derived>::take(const std::u16string& chosen)
{
    if (validator_) {
        if (validator_(chosen))
            path_.set_text(chosen);
        return;
    }
    path_.set_text(chosen);
    if (on_change_)
        on_change_();
}

template class file_input_base<file_input>;

} // namespace detail

} // namespace zv::toolkit
