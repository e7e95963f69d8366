// The one place where exceptions stop before they reach the other side of the
// boundary: every slot thunk and every exported function runs through it.
#pragma once

#include <type_traits>
#include <utility>

namespace zv
{

// Runs fn; any exception becomes `fallback`. When fn returns nothing the
// fallback is returned on success too (callers of void slots ignore it).
template <class R, class F> R guarded(R fallback, F&& fn) noexcept
{
    try {
        if constexpr (std::is_void_v<std::invoke_result_t<F&>>) {
            fn();
            return fallback;
        } else {
            return static_cast<R>(fn());
        }
    } catch (...) {
        return fallback;
    }
}

} // namespace zv
