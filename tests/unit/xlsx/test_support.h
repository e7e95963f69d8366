// Helpers shared by the workbook writer's tests: a scratch folder that is
// removed afterwards, whole-file reading, and writing one part to a string.
#pragma once

#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>
#include <string>

#include "xlsx/part_stream.h"
#include "xlsx/xml_writer.h"

namespace xlsx_test
{

inline std::u16string Widen(const std::string& ascii)
{
    return std::u16string(ascii.begin(), ascii.end());
}

class ScratchFolder
{
  public:
    ScratchFolder()
    {
        std::random_device seed;
        path_ = std::filesystem::temp_directory_path() / ("zv_xlsx_test_" + std::to_string(seed()));
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path& path() const { return path_; }
    std::u16string u16() const { return Widen(path_.string()); }
    // Paths of everything below the folder, relative to it.
    std::vector<std::string> Contents() const
    {
        std::vector<std::string> found;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(path_))
            found.push_back(std::filesystem::relative(entry.path(), path_).string());
        return found;
    }

  private:
    std::filesystem::path path_;
};

inline std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Runs `write` on a writer over a scratch file (after the declaration) and
// returns the bytes of the file.
inline std::string WriteToString(const std::function<void(zv::xlsx::XmlWriter&)>& write)
{
    ScratchFolder folder;
    const auto file = folder.path() / "part.xml";
    {
        zv::xlsx::PartStream stream;
        stream.Open(Widen(file.string()));
        zv::xlsx::XmlWriter xml(stream);
        xml << zv::xlsx::XmlToken::Prolog();
        write(xml);
    }
    return ReadFile(file);
}

inline std::string Golden(const std::string& name)
{
    return ReadFile(std::filesystem::path(ZV_TEST_DATA) / "xlsx" / name);
}

} // namespace xlsx_test
