// A resource table with the shapes a lookup must handle: a string that
// carries its own terminating zero, an empty string, a string whose units are
// followed by more text, a damaged bitmap, a bitmap and a monochrome cursor
// (see test_resources.h).
#include "test_resources.h"

#include <iterator>

#include "platform/module_resources.h"

namespace
{

using namespace zv::test;

constexpr char16_t self_terminated[] = u"kept in place";
constexpr char16_t longer_text[] = u"abcdeXYZ";
constexpr unsigned char damaged_bytes[] = {'B', 'M', 0, 1};

constexpr zv_resource_string strings[] = {
    {1, static_cast<uint32_t>(std::size(self_terminated)), self_terminated},
    {2, 0, u""},
    {3, 5, longer_text},
    {50003, 7, u"English"},
    {4, 3, nullptr},
};

const bytes frame = resources::frame_bmp();
const bytes cursor = resources::monochrome_cursor_file();

const zv_resource_picture bitmaps[] = {
    {resources::damaged_bitmap, static_cast<uint32_t>(std::size(damaged_bytes)), damaged_bytes},
    {resources::frame_bitmap, static_cast<uint32_t>(frame.size()), frame.data()},
};

const zv_resource_picture icons[] = {
    {resources::monochrome_cursor, static_cast<uint32_t>(cursor.size()), cursor.data()},
};

const zv_resource_table table{std::size(strings), strings, std::size(bitmaps), bitmaps,
                              std::size(icons),   icons};

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
