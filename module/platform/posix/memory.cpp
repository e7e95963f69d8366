// POSIX: anonymous private mappings, which the kernel hands out zero-filled.
#include "platform/memory.h"

#include <sys/mman.h>

namespace zv::platform
{

void* allocate_pages(std::size_t size) noexcept
{
    if (size == 0)
        return nullptr;
    void* pages = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    return pages == MAP_FAILED ? nullptr : pages;
}

void free_pages(void* pages, std::size_t size) noexcept
{
    if (pages != nullptr)
        ::munmap(pages, size);
}

} // namespace zv::platform
