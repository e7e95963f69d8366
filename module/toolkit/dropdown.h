// A drop-down list. dropdown_base answers the host; dropdownex<V> adds items
// that each carry a text shown to the user and a value the tool uses.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "toolkit/element.h"

namespace zv::toolkit
{

class dropdown_base : public dropdown_impl
{
  public:
    dropdown_base() = default;
    dropdown_base(const dropdown_base&) = delete;
    dropdown_base& operator=(const dropdown_base&) = delete;

    std::int32_t selection() override { return selection_; }
    // The host's choice: stored and handed to the change handler, also when
    // unchanged; the view is not told, the host made the change itself.
    void select(std::int32_t index) override;
    void visit_text(interface_ref string_visitor) override;
    std::int32_t value() override { return value_; }
    bool enabled() override { return enabled_; }
    void attach_view(interface_ref view) override { view_.attach(view); }

    void set_enabled(bool enabled) { detail::set_flag(enabled_, enabled, view_); }
    void set_change_handler(std::function<void(int)> handler) { on_change_ = std::move(handler); }
    void present(interface_ref element_visitor)
    {
        call<&element_visitor_impl::visit_dropdown>(element_visitor, make_ref<iface::dropdown>(this));
    }

  protected:
    // The module's choice: an index outside the items becomes -1; the view is
    // told unless `skip_unchanged` is set and nothing changed.
    void select_index(std::int32_t index, bool skip_unchanged);
    // After the items were replaced: a selection still inside them stays,
    // otherwise the first item, or -1 without items.
    void settle_selection();
    // After the items were removed.
    void clear_selection();

    std::int32_t selection_ = 0;
    detail::element_view_ref view_;

  private:
    std::u16string text_;
    std::int32_t value_ = 0;
    bool enabled_ = true;
    std::function<void(int)> on_change_;
};

template <class V> class dropdownex : public dropdown_base
{
  public:
    struct item {
        std::u16string text;
        V value;
    };

    std::int32_t count() override { return static_cast<std::int32_t>(items_.size()); }
    void visit_item_text(std::int32_t index, interface_ref string_visitor) override
    {
        if (in_items(index))
            call<&string_visitor_impl::visit>(string_visitor, items_[index].text.c_str());
    }

    void set_items(std::vector<item> items)
    {
        items_ = std::move(items);
        settle_selection();
    }
    void clear_items()
    {
        items_.clear();
        clear_selection();
    }
    void select(std::int32_t index, bool skip_unchanged) { select_index(index, skip_unchanged); }
    using dropdown_base::select;

    V selected_value() const { return value_at(selection_); }
    std::u16string selected_text() const
    {
        return in_items(selection_) ? items_[selection_].text : std::u16string();
    }
    V value_at(std::int32_t index) const { return in_items(index) ? items_[index].value : V(); }
    std::int32_t index_of_value(const V& value) const
    {
        return find([&](const item& i) { return i.value == value; });
    }
    std::int32_t index_of_text(const std::u16string& text) const
    {
        return find([&](const item& i) { return i.text == text; });
    }
    const std::vector<item>& items() const noexcept { return items_; }

  private:
    bool in_items(std::int32_t index) const noexcept
    {
        return index >= 0 && static_cast<std::size_t>(index) < items_.size();
    }
    template <class Match> std::int32_t find(Match match) const
    {
        for (std::size_t i = 0; i < items_.size(); ++i) {
            if (match(items_[i]))
                return static_cast<std::int32_t>(i);
        }
        return -1;
    }

    std::vector<item> items_;
};

} // namespace zv::toolkit
