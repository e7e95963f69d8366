#include "pgrid_test_files.h"

#include <cmath>
#include <fstream>
#include <random>
#include <sstream>

namespace zv::test
{

pgrid_folder::pgrid_folder()
{
    std::random_device random;
    path_ = std::filesystem::temp_directory_path() / ("zv_pgrid_" + std::to_string(random()));
    std::filesystem::create_directories(path_);
}

pgrid_folder::~pgrid_folder()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::u16string wide_path(const std::filesystem::path& path)
{
    return path.u16string();
}

std::string read_bytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void write_bytes(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

zv::pgrid::header sample_header()
{
    using zv::pgrid::stored_type;
    zv::pgrid::header h;
    h.object_count = 3;
    h.properties = {
        {"poro", "Пористость", stored_type::f32, NAN},
        {"depth", "Глубина, м", stored_type::f64, -9999.0},
        {"facies", "Фация", stored_type::i32, -2147483648.0},
        {"zone", "", stored_type::i16, -32768.0},
        {"flag", "Признак", stored_type::u8, 255.0},
    };
    return h;
}

std::vector<std::vector<double>> sample_columns()
{
    return {
        {0.125, NAN, 0.30000001192092896},
        {1234.5678, -9999.0, -0.001},
        {7, -2147483648.0, -2147483647},
        {-32767, -32768.0, 32767},
        {0, 255.0, 254},
    };
}

} // namespace zv::test
