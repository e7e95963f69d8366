#include "temp_file_system.h"

#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/sysmacros.h>

namespace zv::bench
{

std::string ext4_device_without_journal(const std::string& folder)
{
    constexpr long ext4_magic = 0xEF53;
    struct statfs fs {
    };
    struct stat st {
    };
    if (::statfs(folder.c_str(), &fs) != 0 || fs.f_type != ext4_magic || ::stat(folder.c_str(), &st) != 0)
        return {};
    std::error_code ec;
    const std::string block =
        "/sys/dev/block/" + std::to_string(major(st.st_dev)) + ":" + std::to_string(minor(st.st_dev));
    const std::string device = std::filesystem::read_symlink(block, ec).filename().string();
    std::ifstream journal("/sys/fs/ext4/" + device + "/journal_task");
    std::string task;
    return !ec && std::getline(journal, task) && task == "<none>" ? device : std::string();
}

} // namespace zv::bench
