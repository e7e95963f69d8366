// The host's modal dialog view: the folder, file-open and file-save choosers
// the module asks for when the user browses. Here the user is a script: each
// chooser takes the next queued answer (no answer: the user cancelled).
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "protocol/dialog_interfaces.h"
#include "zvhost_api.h"

namespace zv::hostapp
{

enum class chooser_kind { folder, open_file, save_file };

// What a chooser was asked with, and whether it had an answer.
struct ZVHOST_API chooser_request {
    chooser_kind kind;
    std::u16string initial;
    std::u16string filter;
    std::int32_t filter_index = 0;
    bool answered = false;
};

class ZVHOST_API host_modal_dialog_view final : public modal_dialog_view_impl
{
  public:
    // The next chooser answers `path`; answers are taken in the order queued.
    void queue_answer(std::u16string path) { answers_.push_back(std::move(path)); }
    void clear_answers() noexcept { answers_.clear(); }
    std::size_t pending_answers() const noexcept { return answers_.size(); }

    // Every chooser request so far, in order.
    const std::vector<chooser_request>& requests() const noexcept { return requests_; }

    void choose_folder(const char16_t* initial, interface_ref result) override;
    void choose_open_file(const char16_t* initial, const char16_t* filter, std::int32_t* filter_index,
                          interface_ref result) override;
    void choose_save_file(const char16_t* initial, const char16_t* filter, std::int32_t* filter_index,
                          std::uint8_t flag, interface_ref result) override;

  private:
    void answer(chooser_kind kind, const char16_t* initial, const char16_t* filter,
                const std::int32_t* filter_index, const interface_ref& result);

    std::deque<std::u16string> answers_;
    std::vector<chooser_request> requests_;
};

// Receives the module's modal dialog and attaches the view to it. The module
// keeps only a plain reference to the view: detach before the view goes.
class ZVHOST_API host_modal_dialog_visitor final : public modal_dialog_visitor_impl
{
  public:
    explicit host_modal_dialog_visitor(host_modal_dialog_view& view) : view_(&view) {}
    host_modal_dialog_visitor(const host_modal_dialog_visitor&) = delete;
    host_modal_dialog_visitor& operator=(const host_modal_dialog_visitor&) = delete;

    void visit(const char16_t* name, interface_ref modal_dialog) override;

    bool attached() const noexcept { return dialog_.valid(); }
    // Lets go of the dialog: attaches no view. Call while the dialog lives.
    void detach();

  private:
    host_modal_dialog_view* view_;
    interface_ref dialog_;
};

} // namespace zv::hostapp
