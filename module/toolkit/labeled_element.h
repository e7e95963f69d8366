// An element with a caption label. It has no layout of its own: add_labeled
// puts the caption in one cell of the holding grid and the element in the
// next, so the caption stands to the element's left in one row.
#pragma once

#include "toolkit/label.h"

namespace zv::toolkit::detail
{

template <class T> class labeled_element : public T, public with_place
{
  public:
    using element_type = T;

    // Enables or disables the element and its caption alike.
    virtual void set_enabled(bool enabled)
    {
        T::set_enabled(enabled);
        caption.set_enabled(enabled);
    }
    void set_caption(std::int32_t id) noexcept { caption.set_text(id); }

    label caption;
};

} // namespace zv::toolkit::detail
