// The module's modal dialog service: the host receives it, asks it for its
// modal dialog and attaches its view, through which the module opens the
// host's folder, file-open and file-save choosers.
#pragma once

#include <cstdint>
#include <string>

#include "protocol/app_service_interfaces.h"
#include "protocol/dialog_interfaces.h"
#include "protocol/referent.h"

namespace zv::util
{

namespace detail
{

template <int N> class modal_dialog final : public modal_dialog_impl
{
  public:
    void attach_view(interface_ref view) override { view_ = view; }
    const interface_ref& view() const noexcept { return view_; }

  private:
    interface_ref view_;
};

template <int N> class modal_dialog_service final : public referent<modal_dialog_service_impl>
{
  public:
    explicit modal_dialog_service(const interface_ref& parent) : obj(parent) {}

    // Hands the visitor the modal dialog, without a name.
    void visit_modal_dialog(interface_ref modal_dialog_visitor) override
    {
        if (modal_dialog_visitor.valid())
            call<&modal_dialog_visitor_impl::visit>(modal_dialog_visitor, nullptr,
                                                    make_ref<iface::modal_dialog>(&dialog));
    }

    modal_dialog<N> dialog;
};

} // namespace detail

// Whether the host holds a modal dialog service of this module.
bool modal_dialog_service_available() noexcept;

// The host's choosers. Each answers an empty string when no service or view
// is available or the user chose nothing. The filter holds description and
// pattern fields separated by "|"; the host may change the filter index.
std::u16string choose_folder(const std::u16string& initial);
std::u16string choose_open_file(const std::u16string& initial, const std::u16string& filter,
                                std::int32_t& filter_index);
std::u16string choose_save_file(const std::u16string& initial, const std::u16string& filter,
                                std::int32_t& filter_index, std::uint8_t flag);

} // namespace zv::util
