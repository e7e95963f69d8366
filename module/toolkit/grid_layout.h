// A grid of R rows and C columns whose cells present other elements. Children
// are added in the order they are to appear: row by row, left to right
// (or column by column with a non-zero fill order), skipping taken cells.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "toolkit/element.h"

namespace zv::toolkit
{

template <int R, int C> class grid_layout;

namespace detail
{

template <int R, int C, class Derived> class grid_layout_base : public grid_layout_impl
{
    static_assert(R > 0 && C > 0);

  public:
    grid_layout_base() = default;
    grid_layout_base(const grid_layout_base&) = delete;
    grid_layout_base& operator=(const grid_layout_base&) = delete;

    // Places the element in the next free cell; a full layout drops it.
    template <class T> void add(T& element)
    {
        if (advance_to_free_cell())
            cells_[cell_index(column_, row_)] = std::make_unique<generic_element_impl<T>>(&element);
    }

    // The caption in the next free cell, then the element in the one after.
    template <class Labeled> void add_labeled(Labeled& element)
    {
        add(element.caption);
        add(static_cast<typename Labeled::element_type&>(element));
    }

    void set_column_stretch(int column, bool stretch) { column_stretch_.at(column) = stretch; }
    void set_row_stretch(int row, bool stretch) { row_stretch_.at(row) = stretch; }
    // Before the first add: the cursor starts over for the new order.
    void set_fill_order(std::int32_t order) noexcept
    {
        fill_order_ = order;
        row_ = order == 0 ? 0 : -1;
        column_ = order == 0 ? -1 : 0;
    }

    void present(interface_ref element_visitor)
    {
        call<&element_visitor_impl::visit_grid_layout>(element_visitor, make_ref<iface::grid_layout>(this));
    }

    std::int32_t layout_value() override { return layout_value_; }
    std::int32_t column_count() override { return C; }
    std::int32_t row_count() override { return R; }
    bool column_stretch(std::int32_t column) override
    {
        return in_range(column, C) && column_stretch_[column];
    }
    bool row_stretch(std::int32_t row) override { return in_range(row, R) && row_stretch_[row]; }
    std::int32_t column_value(std::int32_t column) override
    {
        return in_range(column, C) ? column_value_[column] : 0;
    }
    std::int32_t row_value(std::int32_t row) override { return in_range(row, R) ? row_value_[row] : 0; }
    bool column_flag(std::int32_t column) override { return !in_range(column, C) || column_flag_[column]; }
    bool row_flag(std::int32_t row) override { return !in_range(row, R) || row_flag_[row]; }
    void visit_cell(std::int32_t column, std::int32_t row, interface_ref element_visitor) override
    {
        if (!in_range(column, C) || !in_range(row, R))
            return;
        if (const auto& cell = cells_[cell_index(column, row)])
            cell->accept(element_visitor);
    }
    void attach_view(interface_ref view) override { view_.attach(view); }

  private:
    static constexpr bool in_range(std::int32_t i, int n) noexcept { return i >= 0 && i < n; }
    static constexpr std::size_t cell_index(std::int32_t column, std::int32_t row) noexcept
    {
        return static_cast<std::size_t>(column + row * C);
    }

    // Moves the cursor to the next free cell; false when the layout is full.
    bool advance_to_free_cell()
    {
        // Fill order 0 advances the column first; otherwise the row.
        std::int32_t& minor = fill_order_ == 0 ? column_ : row_;
        std::int32_t& major = fill_order_ == 0 ? row_ : column_;
        const int minor_count = fill_order_ == 0 ? C : R;
        const int major_count = fill_order_ == 0 ? R : C;
        for (;;) {
            if (major >= major_count || minor >= minor_count)
                return false;
            if (++minor == minor_count) {
                minor = 0;
                if (++major == major_count)
                    return false;
            }
            if (!cells_[cell_index(column_, row_)])
                return true;
        }
    }

    std::array<std::unique_ptr<generic_element>, R * C> cells_{};
    std::array<bool, R> row_stretch_{};
    std::array<bool, C> column_stretch_{};
    std::array<bool, R> row_flag_ = filled<R>(true);
    std::array<bool, C> column_flag_ = filled<C>(true);
    std::array<std::int32_t, R> row_value_{};
    std::array<std::int32_t, C> column_value_{};
    std::int32_t layout_value_ = 0;
    std::int32_t fill_order_ = 0;
    // The first add lands in (0, 0): the coordinate advanced first starts at -1.
    std::int32_t row_ = 0;
    std::int32_t column_ = -1;
    [[maybe_unused]] std::int32_t unreported_ = 1;
    element_view_ref view_;

    template <int N> static constexpr std::array<bool, N> filled(bool value)
    {
        std::array<bool, N> flags{};
        flags.fill(value);
        return flags;
    }
};

} // namespace detail

template <int R, int C> class grid_layout final : public detail::grid_layout_base<R, C, grid_layout<R, C>>
{
};

} // namespace zv::toolkit
