// Windows: reserved and committed in one VirtualAlloc; committed pages are
// zero-filled.
#include "platform/memory.h"

#include <windows.h>

namespace zv::platform
{

void* allocate_pages(std::size_t size) noexcept
{
    if (size == 0)
        return nullptr;
    return ::VirtualAlloc(nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
}

void free_pages(void* pages, std::size_t /*size*/) noexcept
{
    if (pages != nullptr)
        ::VirtualFree(pages, 0, MEM_RELEASE);
}

} // namespace zv::platform
