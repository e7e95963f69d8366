// Injected file failures. file_faults: a fake of the module's platform file
// layer that counts open handles and created files, and makes chosen
// creates fail and chosen writes fall short, passing everything else to the
// system's layer. file_size_limit: a cap on file sizes for the whole
// process, which makes writes fail inside the host libraries too (they are
// shared libraries with their own file code). Each is in force for the life
// of the object; one at a time.
#pragma once

#include "platform/file_io.h"

#if !defined(_WIN32)
#include <sys/resource.h>
#endif

#include <algorithm>
#include <csignal>
#include <cstdint>
#include <string>

namespace zv::test
{

class file_faults
{
  public:
    file_faults()
    {
        ops_ = platform::system_file_io_ops();
        ops_.open_read = open_read;
        ops_.create_write = create_write;
        ops_.write = write;
        ops_.close = close;
        active() = this;
        previous_ = platform::set_file_io_ops_for_testing(&ops_);
    }
    ~file_faults()
    {
        platform::set_file_io_ops_for_testing(previous_);
        active() = nullptr;
    }
    file_faults(const file_faults&) = delete;
    file_faults& operator=(const file_faults&) = delete;

    bool fail_every_create = false;
    std::u16string failing_create_suffix; // creating a path that ends so fails
    std::u16string short_file_suffix;     // writes to a file created so take half
    std::int64_t write_budget = -1;       // bytes all writes may still take; -1: no limit
    int open_handles = 0;
    int created_files = 0;

  private:
    static file_faults*& active()
    {
        static file_faults* current = nullptr;
        return current;
    }
    static const platform::file_io_ops& system() { return platform::system_file_io_ops(); }
    static bool ends_with(const std::u16string& text, const std::u16string& suffix)
    {
        return !suffix.empty() && text.ends_with(suffix);
    }
    static platform::file_handle counted(platform::file_handle file)
    {
        active()->open_handles += file != platform::invalid_file ? 1 : 0;
        return file;
    }
    static platform::file_handle open_read(const std::u16string& path)
    {
        return counted(system().open_read(path));
    }
    static platform::file_handle create_write(const std::u16string& path)
    {
        file_faults& f = *active();
        if (f.fail_every_create || ends_with(path, f.failing_create_suffix))
            return platform::invalid_file;
        const platform::file_handle file = counted(system().create_write(path));
        f.created_files += file != platform::invalid_file ? 1 : 0;
        if (ends_with(path, f.short_file_suffix))
            f.short_file_ = file;
        return file;
    }
    static std::int64_t write(platform::file_handle file, const void* data, std::size_t size)
    {
        file_faults& f = *active();
        if (file == f.short_file_ && size > 1)
            size /= 2;
        if (f.write_budget >= 0) {
            size = std::min<std::size_t>(size, static_cast<std::size_t>(f.write_budget));
            f.write_budget -= static_cast<std::int64_t>(size);
        }
        return system().write(file, data, size);
    }
    static void close(platform::file_handle file)
    {
        --active()->open_handles;
        system().close(file);
    }

    platform::file_io_ops ops_{};
    const platform::file_io_ops* previous_ = nullptr;
    platform::file_handle short_file_ = platform::invalid_file;
};

#if !defined(_WIN32)
// No file of the process grows past max_bytes: a write beyond fails as on
// a full disk (EFBIG; the signal that would end the process is ignored).
// Commands the test starts meanwhile inherit the cap.
class file_size_limit
{
  public:
    explicit file_size_limit(rlim_t max_bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit capped = saved_;
        capped.rlim_cur = std::min(max_bytes, saved_.rlim_max);
        ::setrlimit(RLIMIT_FSIZE, &capped);
    }
    ~file_size_limit()
    {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previous_);
    }
    file_size_limit(const file_size_limit&) = delete;
    file_size_limit& operator=(const file_size_limit&) = delete;

  private:
    rlimit saved_{};
    void (*previous_)(int) = SIG_DFL;
};

#endif

} // namespace zv::test
