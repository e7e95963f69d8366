// A small host for dialog tests, beside libzvhost's service source (which
// offers the tool and modal dialog service visitors and holds what it
// receives): a modal dialog view whose choosers answer from a queue and
// record their calls with the save chooser's flag, and an element view that
// counts notifications.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "host_objects.h"
#include "protocol/protocol.h"

namespace zv::test
{

class scripted_view final : public modal_dialog_view_impl
{
  public:
    struct request {
        int slot;
        std::u16string initial;
        std::u16string filter;
        std::int32_t filter_index;
        int flag;
    };

    void choose_folder(const char16_t* initial, interface_ref result) override
    {
        answer({3, initial, u"", -1, -1}, result);
    }
    void choose_open_file(const char16_t* initial, const char16_t* filter, std::int32_t* index,
                          interface_ref result) override
    {
        answer({4, initial, filter, *index, -1}, result);
    }
    void choose_save_file(const char16_t* initial, const char16_t* filter, std::int32_t* index,
                          std::uint8_t flag, interface_ref result) override
    {
        answer({6, initial, filter, *index, flag}, result);
    }

    std::deque<std::u16string> answers;
    std::vector<request> requests;

  private:
    void answer(request r, interface_ref result)
    {
        requests.push_back(std::move(r));
        if (answers.empty())
            return;
        call<&string_visitor_impl::visit>(result, answers.front().c_str());
        answers.pop_front();
    }
};

class counting_view final : public element_view_impl
{
  public:
    void layout_changed() override { ++layout; }
    void content_changed() override { ++content; }
    interface_ref reference() { return make_ref<iface::element_view>(this); }
    int layout = 0;
    int content = 0;
};

// Receives a modal dialog and attaches the view to it.
class dialog_receiver final : public modal_dialog_visitor_impl
{
  public:
    explicit dialog_receiver(scripted_view& view) : view_(&view) {}
    void visit(const char16_t*, interface_ref dialog) override
    {
        call<&modal_dialog_impl::attach_view>(dialog, make_ref<iface::modal_dialog_view>(view_));
    }

  private:
    scripted_view* view_;
};

// Obtains the module's modal dialog service through `factory` and attaches
// `view` to its dialog; the source keeps the service alive.
template <class Factory>
void connect_view(Factory& factory, hostapp::host_service_source& source, scripted_view& view)
{
    factory.create(interface_ref{}, source.as_argument());
    dialog_receiver receiver(view);
    call<&modal_dialog_service_impl::visit_modal_dialog>(source.dialog_service.get(),
                                                         make_ref<iface::modal_dialog_visitor>(&receiver));
}

} // namespace zv::test
