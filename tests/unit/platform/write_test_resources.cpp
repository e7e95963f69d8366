// Writes the pictures of zv_test_resources for the Windows build, where the
// resource compiler takes them from files: the frame's .bmp, the cursor's
// .cur and a script holding them and the damaged bitmap's raw bytes, which
// test_resources.rc includes. Run by the build, under Wine when it is a
// cross build: write_test_resources FOLDER
#include "test_resources.h"

#include <cstdio>
#include <fstream>
#include <string>

namespace
{

namespace res = zv::test::resources;

bool write_file(const std::string& path, const zv::test::bytes& content)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(content.data()), static_cast<std::streamsize>(content.size()));
    return static_cast<bool>(out);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: write_test_resources FOLDER\n");
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "/";
    const std::string script = std::to_string(res::damaged_bitmap) + " 2\nBEGIN\n  0x4d42, 0x0100\nEND\n" +
                               std::to_string(res::frame_bitmap) + " BITMAP \"frame.bmp\"\n" +
                               std::to_string(res::monochrome_cursor) + " CURSOR \"cursor.cur\"\n";
    const bool written =
        write_file(folder + "frame.bmp", res::frame_bmp()) &&
        write_file(folder + "cursor.cur", res::monochrome_cursor_file()) &&
        write_file(folder + "test_pictures.rc", zv::test::bytes(script.begin(), script.end()));
    return written ? 0 : 1;
}
