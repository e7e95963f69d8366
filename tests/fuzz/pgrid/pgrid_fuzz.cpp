// Arbitrary bytes go to the .pgrid reader as a file, reading every value of
// every property of whatever opens (or the reason it does not), and to the
// CSV reader with either separator. Neither may crash, hang or read out of
// bounds.
#include "kit/scratch_folder.h"
#include "pgrid_csv.h"
#include "pgrid_file.h"

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const zv::test::scratch_folder folder("zv_pgrid_fuzz");
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    zv::test::write_bytes(folder / "in.pgrid", bytes);
    std::string why;
    if (auto file = zv::zvk_file_tos4::pgrid_file::open(folder.file("in.pgrid"), false, &why)) {
        const auto& h = file->info();
        // A valid file's size bounds its object count; the cap keeps one input
        // from asking for gigabytes anyway.
        const std::uint64_t n = std::min<std::uint64_t>(h.object_count, 1u << 20);
        std::vector<float> values(n);
        for (std::size_t k = 0; k < h.properties.size(); ++k) {
            file->read_floats(k, 0, n, values.data(), false);
            file->read_floats(k, h.object_count / 2, 1, values.data(), true);
        }
    }
    std::string error;
    zv::zvk_file_tos4::parse_csv(bytes, &error);
    zv::zvk_file_tos4::parse_csv(bytes, &error, ';');
    return 0;
}
