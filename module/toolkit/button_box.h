// The row of dialog buttons a tool offers beside its docker. A press answers
// whether the dialog may close, through the tool's handlers.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "protocol/dialog_interfaces.h"

namespace zv::toolkit
{

class button_box : public button_box_impl
{
  public:
    struct button_record {
        bool enabled;
        std::int32_t caption; // text id
        std::int32_t code;
    };

    // Codes of the buttons: which handler a press runs.
    static constexpr std::int32_t accept_codes[] = {1, 2, 32};
    static constexpr std::int32_t close_codes[] = {4, 8, 64};
    static constexpr std::int32_t apply_code = 16;

    // Two buttons: zvk_basic's strings 101 (code 2, accepts) and 102 (code 8,
    // closes without asking the tool).
    button_box();
    button_box(const button_box&) = delete;
    button_box& operator=(const button_box&) = delete;

    void set_accept_handler(std::function<bool()> handler) { on_accept_ = std::move(handler); }
    void set_apply_handler(std::function<void()> handler) { on_apply_ = std::move(handler); }
    void set_general_handler(std::function<bool(int)> handler) { on_other_ = std::move(handler); }

    void attach_first(interface_ref reference) override { first_ = reference; }
    void attach_second(interface_ref reference) override { second_ = reference; }
    std::int32_t count() override { return static_cast<std::int32_t>(buttons_.size()); }
    void visit_caption(std::int32_t index, interface_ref string_visitor) override;
    bool enabled(std::int32_t index) override;
    bool click(std::int32_t index) override;
    std::int32_t default_index() override { return default_index_; }
    std::int32_t second_index() override { return -1; }

  private:
    const button_record* at(std::int32_t index) const noexcept;

    std::vector<button_record> buttons_;
    std::int32_t default_index_ = -1;
    std::function<bool(int)> on_other_;
    std::function<bool()> on_accept_;
    std::function<void()> on_apply_;
    interface_ref first_;
    interface_ref second_;
};

} // namespace zv::toolkit
