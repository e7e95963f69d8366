// The file layer's calls, each through the replaceable table, and the
// calendar arithmetic that needs no system.
#include "platform/file_io.h"

#include "foundation/guard.h"

namespace zv::platform
{
namespace
{

// Plain pointer, not atomic: the module runs on one thread. Null until a
// test replaces the table, so no static initialisation order matters.
const file_io_ops* replaced_ops = nullptr;

const file_io_ops& active_ops()
{
    return replaced_ops != nullptr ? *replaced_ops : system_file_io_ops();
}

} // namespace

const file_io_ops* set_file_io_ops_for_testing(const file_io_ops* ops) noexcept
{
    const file_io_ops* previous = &active_ops();
    replaced_ops = ops;
    return previous;
}

file_handle open_file_read(const std::u16string& path) noexcept
{
    return foundation::guarded(invalid_file, [&] { return active_ops().open_read(path); });
}

file_handle create_file_write(const std::u16string& path) noexcept
{
    return foundation::guarded(invalid_file, [&] { return active_ops().create_write(path); });
}

std::int64_t read_file(file_handle file, void* buffer, std::size_t size_bytes) noexcept
{
    return file == invalid_file ? -1 : active_ops().read(file, buffer, size_bytes);
}

std::int64_t write_file(file_handle file, const void* data, std::size_t size_bytes) noexcept
{
    return file == invalid_file ? -1 : active_ops().write(file, data, size_bytes);
}

bool seek_file(file_handle file, std::uint64_t offset_bytes) noexcept
{
    return file != invalid_file && active_ops().seek(file, offset_bytes);
}

std::int64_t tell_file(file_handle file) noexcept
{
    return file == invalid_file ? -1 : active_ops().tell(file);
}

bool file_can_seek(file_handle file) noexcept
{
    const std::int64_t pos = tell_file(file);
    return pos >= 0 && seek_file(file, static_cast<std::uint64_t>(pos));
}

bool file_information(file_handle file, file_info& out) noexcept
{
    return file != invalid_file && active_ops().info(file, out);
}

void close_file(file_handle file) noexcept
{
    if (file != invalid_file) {
        active_ops().close(file);
    }
}

bool remove_file(const std::u16string& path) noexcept
{
    return foundation::guarded(false, [&] { return active_ops().remove(path); });
}

std::int64_t unix_seconds_of(const calendar_time& time) noexcept
{
    // Days from civil date (proleptic Gregorian), no time zone involved.
    const int y = time.year - (time.month <= 2 ? 1 : 0);
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int yoe = y - era * 400;
    const int mp = (time.month + 9) % 12;
    const int doy = (153 * mp + 2) / 5 + time.day - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    const std::int64_t days = static_cast<std::int64_t>(era) * 146097 + doe - 719468;
    return days * 86400 + time.hour * 3600 + time.minute * 60 + time.second;
}

} // namespace zv::platform
