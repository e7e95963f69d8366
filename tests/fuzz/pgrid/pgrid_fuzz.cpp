// Feeds arbitrary bytes to the .pgrid reader as a file, and reads every
// value of every property of whatever opens; the same bytes go to the CSV
// reader. Neither may crash, hang or read out of bounds.
#include "kit/scratch_folder.h"
#include "pgrid_csv.h"
#include "pgrid_file.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace
{

// One scratch file per process, rewritten for every input, in a folder
// removed at exit.
const std::string& scratch_path()
{
    static const zv::test::scratch_folder folder("zv_pgrid_fuzz");
    static const std::string path = folder.file("in.pgrid");
    return path;
}

void read_everything(zv::zvk_file_tos4::pgrid_file& file)
{
    const auto& h = file.info();
    // The file size bounds the object count of a valid file; cap the buffer
    // anyway so one input cannot ask for gigabytes.
    const std::uint64_t n = std::min<std::uint64_t>(h.object_count, 1u << 20);
    std::vector<float> values(n);
    for (std::size_t k = 0; k < h.properties.size(); ++k) {
        file.read_floats(k, 0, n, values.data(), false);
        file.read_floats(k, h.object_count / 2, 1, values.data(), true);
    }
    file.find("x");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::FILE* out = std::fopen(scratch_path().c_str(), "wb");
    if (out == nullptr) {
        return 0;
    }
    std::fwrite(data, 1, size, out);
    std::fclose(out);
    if (auto file = zv::zvk_file_tos4::pgrid_file::open(scratch_path(), false)) {
        read_everything(*file);
    }
    std::remove(scratch_path().c_str());

    std::string error;
    zv::zvk_file_tos4::parse_csv(std::string_view(reinterpret_cast<const char*>(data), size), &error);
    return 0;
}
