// A resource table with the shapes a lookup must handle: a string that
// carries its own terminating zero, an empty string, a string whose units are
// followed by more text, a damaged bitmap, a bitmap and a monochrome cursor
// (see test_resources.h).
#include "test_resources.h"

#include <iterator>

#include "kit/picture_files.h"
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

// Rows of 16 values, top row first.
template <class Value> std::vector<std::vector<uint32_t>> rows_of(Value value)
{
    std::vector<std::vector<uint32_t>> rows(16, std::vector<uint32_t>(16));
    for (uint32_t y = 0; y < 16; ++y)
        for (uint32_t x = 0; x < 16; ++x)
            rows[y][x] = value(x, y);
    return rows;
}

bytes frame_bmp()
{
    return bmp_file({16, 16, 24}, {}, stored_rows(rows_of(resources::frame_pixel), 24));
}

bytes monochrome_cursor()
{
    bytes pixels = stored_rows(rows_of([](uint32_t x, uint32_t) { return resources::cursor_white(x); }), 1);
    const bytes mask =
        stored_rows(rows_of([](uint32_t, uint32_t y) { return resources::cursor_transparent(y); }), 1);
    pixels.insert(pixels.end(), mask.begin(), mask.end());
    return icon_file(2, 3, 5, {16, 32, 1}, {0x000000, 0xFFFFFF}, pixels);
}

const bytes frame = frame_bmp();
const bytes cursor = monochrome_cursor();

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
