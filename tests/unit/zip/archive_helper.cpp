#include "archive_helper.h"

namespace zv::zip::test
{

byte_string read_file(const std::filesystem::path& path)
{
    const std::string text = zv::test::read_bytes(path);
    return byte_string(text.begin(), text.end());
}

std::u16string u16(const std::filesystem::path& path)
{
    return zv::test::u16(path.string());
}

command_result python_zip_listing(const std::filesystem::path& archive)
{
    const std::string script =
        "import sys, zipfile, zlib\n"
        "z = zipfile.ZipFile(sys.argv[1])\n"
        "bad = z.testzip()\n"
        "if bad is not None: sys.exit('bad entry ' + bad)\n"
        "for i in z.infolist():\n"
        "    data = z.read(i)\n"
        "    assert zlib.crc32(data) == i.CRC, i.filename\n"
        "    print('%s|%d|%d|%d|%08x' % (i.filename, i.compress_type, i.flag_bits, len(data), i.CRC))\n";
    return zv::test::run_python(script, {archive.string()});
}

std::uint32_t le32(const byte_string& b, std::size_t at)
{
    return static_cast<std::uint32_t>(b[at] | b[at + 1] << 8 | b[at + 2] << 16) | std::uint32_t{b[at + 3]}
                                                                                      << 24;
}

std::uint16_t le16(const byte_string& b, std::size_t at)
{
    return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

std::optional<std::vector<central_entry>> central_directory(const byte_string& a)
{
    if (a.size() < 22 || le32(a, a.size() - 22) != 0x06054B50) {
        return std::nullopt;
    }
    const std::size_t end = a.size() - 22;
    const unsigned count = le16(a, end + 10);
    std::size_t at = le32(a, end + 16);
    std::vector<central_entry> entries;
    for (unsigned i = 0; i < count; ++i) {
        if (at + 46 > a.size() || le32(a, at) != 0x02014B50) {
            return std::nullopt;
        }
        central_entry e{};
        e.made_by = le16(a, at + 4);
        e.needed = le16(a, at + 6);
        e.flags = le16(a, at + 8);
        e.method = le16(a, at + 10);
        e.time = le16(a, at + 12);
        e.date = le16(a, at + 14);
        e.crc = le32(a, at + 16);
        e.compressed = le32(a, at + 20);
        e.size = le32(a, at + 24);
        const std::size_t name_len = le16(a, at + 28);
        const std::size_t extra_len = le16(a, at + 30);
        e.external = le32(a, at + 38);
        e.local_offset = le32(a, at + 42);
        e.name.assign(a.begin() + static_cast<long>(at + 46),
                      a.begin() + static_cast<long>(at + 46 + name_len));
        e.extra.assign(a.begin() + static_cast<long>(at + 46 + name_len),
                       a.begin() + static_cast<long>(at + 46 + name_len + extra_len));
        entries.push_back(e);
        at += 46 + name_len + extra_len + le16(a, at + 32);
    }
    return entries;
}

std::optional<local_entry> local_header(const byte_string& a, std::size_t at)
{
    if (at + 30 > a.size() || le32(a, at) != 0x04034B50) {
        return std::nullopt;
    }
    local_entry e{};
    e.needed = le16(a, at + 4);
    e.flags = le16(a, at + 6);
    e.method = le16(a, at + 8);
    e.time = le16(a, at + 10);
    e.date = le16(a, at + 12);
    e.crc = le32(a, at + 14);
    e.compressed = le32(a, at + 18);
    e.size = le32(a, at + 22);
    const std::size_t name_len = le16(a, at + 26);
    const std::size_t extra_len = le16(a, at + 28);
    e.name.assign(a.begin() + static_cast<long>(at + 30), a.begin() + static_cast<long>(at + 30 + name_len));
    e.extra.assign(a.begin() + static_cast<long>(at + 30 + name_len),
                   a.begin() + static_cast<long>(at + 30 + name_len + extra_len));
    e.data_offset = at + 30 + name_len + extra_len;
    return e;
}

} // namespace zv::zip::test
