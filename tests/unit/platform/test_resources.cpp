// A resource table with the shapes a lookup must handle: a string that
// carries its own terminating zero, an empty string, a string whose units are
// followed by more text, and one bitmap.
#include <iterator>

#include "platform/module_resources.h"

namespace
{

constexpr char16_t self_terminated[] = u"kept in place";
constexpr char16_t longer_text[] = u"abcdeXYZ";
constexpr unsigned char bitmap_bytes[] = {'B', 'M', 0, 1};

constexpr zv_resource_string strings[] = {
    {1, static_cast<uint32_t>(std::size(self_terminated)), self_terminated},
    {2, 0, u""},
    {3, 5, longer_text},
    {50003, 7, u"English"},
    {4, 3, nullptr},
};

constexpr zv_resource_picture bitmaps[] = {
    {7, static_cast<uint32_t>(std::size(bitmap_bytes)), bitmap_bytes},
};

constexpr zv_resource_table table{std::size(strings), strings, std::size(bitmaps), bitmaps};

} // namespace

extern "C" ZV_RESOURCE_TABLE_EXPORT const zv_resource_table* zv_module_resource_table(void) noexcept
{
    return &table;
}

// Referenced by the tests so that the library is loaded with them.
extern "C" ZV_RESOURCE_TABLE_EXPORT int zv_test_resources_marker(void) noexcept
{
    return 7;
}
