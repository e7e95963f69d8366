// The one way an exported C function of a host library runs its body:
// any exception becomes the function's documented failure value, so nothing
// is thrown across the C boundary.
#pragma once

#include <utility>

namespace zv::hostcommon
{

template <typename Result, typename Body> Result guarded(Result failure, Body&& body) noexcept
{
    try {
        return std::forward<Body>(body)();
    } catch (...) {
        return failure;
    }
}

template <typename Body> void guarded_void(Body&& body) noexcept
{
    try {
        std::forward<Body>(body)();
    } catch (...) {
    }
}

} // namespace zv::hostcommon
