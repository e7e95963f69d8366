#include "util/modal_dialog_service.h"

#include "protocol/visitors.h"
#include "util/modal_dialog_service_factory.h"

namespace zv::util
{

namespace
{

// The view to call, or null when the service is not available.
interface_ref available_view() noexcept
{
    if (!modal_dialog_service_available())
        return {};
    const auto* dialog = detail::current_modal_dialog<0>;
    return dialog ? dialog->view() : interface_ref{};
}

template <auto Slot, class... A> std::u16string choose(A... args)
{
    std::u16string result;
    const interface_ref view = available_view();
    if (view.valid()) {
        stdwstring_visitor visitor(result);
        call<Slot>(view, args..., make_ref<iface::string_visitor>(&visitor));
    }
    return result;
}

} // namespace

bool modal_dialog_service_available() noexcept
{
    return detail::the_modal_dialog_service_factory().last_service().valid();
}

std::u16string choose_folder(const std::u16string& initial)
{
    return choose<&modal_dialog_view_impl::choose_folder>(initial.c_str());
}

std::u16string choose_open_file(const std::u16string& initial, const std::u16string& filter,
                                std::int32_t& filter_index)
{
    return choose<&modal_dialog_view_impl::choose_open_file>(initial.c_str(), filter.c_str(), &filter_index);
}

std::u16string choose_save_file(const std::u16string& initial, const std::u16string& filter,
                                std::int32_t& filter_index, std::uint8_t flag)
{
    return choose<&modal_dialog_view_impl::choose_save_file>(initial.c_str(), filter.c_str(), &filter_index,
                                                             flag);
}

} // namespace zv::util
