// A fresh folder under the system's temporary folder, removed with everything
// in it at the end of the test.
#pragma once

#include <filesystem>
#include <random>
#include <string>

namespace zv::test
{

class scratch_dir
{
  public:
    explicit scratch_dir(const std::string& prefix)
        : path_(std::filesystem::temp_directory_path() / (prefix + std::to_string(std::random_device()())))
    {
        std::filesystem::create_directories(path_);
    }
    scratch_dir(const scratch_dir&) = delete;
    scratch_dir& operator=(const scratch_dir&) = delete;
    ~scratch_dir()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

} // namespace zv::test
