#include "modal_dialog_view.h"

#include "protocol/visitors.h"

namespace zv::hostapp
{
namespace
{

std::u16string text_or_empty(const char16_t* text)
{
    return text != nullptr ? std::u16string(text) : std::u16string();
}

} // namespace

void host_modal_dialog_view::answer(chooser_kind kind, const char16_t* initial, const char16_t* filter,
                                    const std::int32_t* filter_index, const interface_ref& result)
{
    chooser_request request{kind, text_or_empty(initial), text_or_empty(filter),
                            filter_index != nullptr ? *filter_index : 0, !answers_.empty()};
    requests_.push_back(request);
    if (!request.answered)
        return;
    const std::u16string path = std::move(answers_.front());
    answers_.pop_front();
    call<&string_visitor_impl::visit>(result, path.c_str());
}

void host_modal_dialog_view::choose_folder(const char16_t* initial, interface_ref result)
{
    answer(chooser_kind::folder, initial, nullptr, nullptr, result);
}

void host_modal_dialog_view::choose_open_file(const char16_t* initial, const char16_t* filter,
                                              std::int32_t* filter_index, interface_ref result)
{
    answer(chooser_kind::open_file, initial, filter, filter_index, result);
}

void host_modal_dialog_view::choose_save_file(const char16_t* initial, const char16_t* filter,
                                              std::int32_t* filter_index, std::uint8_t, interface_ref result)
{
    answer(chooser_kind::save_file, initial, filter, filter_index, result);
}

void host_modal_dialog_visitor::visit(const char16_t*, interface_ref modal_dialog)
{
    if (!modal_dialog.valid())
        return;
    dialog_ = modal_dialog;
    call<&modal_dialog_impl::attach_view>(dialog_, make_ref<iface::modal_dialog_view>(view_));
}

void host_modal_dialog_visitor::detach()
{
    call<&modal_dialog_impl::attach_view>(dialog_, interface_ref{});
    dialog_ = {};
}

} // namespace zv::hostapp
