// The one way exceptions stop at a boundary: every component slot thunk and
// every exported C function runs its body through `guarded`, which turns any
// exception (an allocation failure above all) into the documented failure
// value, so nothing is thrown into a caller that cannot catch it.
#pragma once

#include <type_traits>
#include <utility>

namespace zv::foundation
{

// Runs body; any exception becomes `failure`. When body returns nothing,
// `failure` is returned on success too (callers of void slots ignore it).
template <class Result, class Body> Result guarded(Result failure, Body&& body) noexcept
{
    try {
        if constexpr (std::is_void_v<std::invoke_result_t<Body&>>) {
            body();
            return failure;
        } else {
            return static_cast<Result>(body());
        }
    } catch (...) {
        return failure;
    }
}

// Runs body and swallows any exception: for functions with no failure value.
template <class Body> void guarded_void(Body&& body) noexcept
{
    try {
        std::forward<Body>(body)();
    } catch (...) {
    }
}

} // namespace zv::foundation
