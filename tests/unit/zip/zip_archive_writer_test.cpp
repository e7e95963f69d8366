// Archives written to files, pipes and memory, read back by Python's zipfile,
// by unzip and by a reader of the records in Python; refusals; failures injected
// through the file layer, which may leave no handle open and no archive behind;
// and every result code's message.
#include "test_support.h"

#include "kit/command.h"
#include "kit/file_faults.h"
#include "kit/scratch_folder.h"
#include "zip/zip_archive_writer.h"
#include "zip/zip_result.h"

#include <gtest/gtest.h>

#include <cstring>
#include <ctime>
#if !defined(_WIN32)
#include <fcntl.h>
#include <sys/stat.h>
#endif

namespace zv::zip::test
{
namespace
{

using W = ZipArchiveWriter;
using zv::test::command_result;
using zv::test::run_command;
using zv::test::scratch_folder;
using zv::test::write_bytes;

std::string text_of(const bytes& b)
{
    return std::string(b.begin(), b.end());
}

std::u16string u16(const std::filesystem::path& path)
{
    return zv::test::u16(path.string());
}

// Python reads the archive: zipfile's testzip() and zlib.crc32 of every
// entry must pass, and struct reads the records: each local header holds its
// central record's name, flags, time, CRC and sizes (with flag 8: a zero CRC
// and a data descriptor after the data), follows the previous entry's data,
// and the directory follows the last. Stored entries keep their size. One
// line per entry: "name|method|flags|size|external|crc|made by|needed|
// time|central extra|local extra", numbers in hex from the external on.
command_result read_archive(const std::filesystem::path& archive)
{
    return zv::test::run_python(
        "import struct, sys, zipfile, zlib\n"
        "z = zipfile.ZipFile(sys.argv[1])\n"
        "assert z.testzip() is None\n"
        "a, at = open(sys.argv[1], 'rb').read(), 0\n"
        "for i in z.infolist():\n"
        "    data = z.read(i)\n"
        "    assert zlib.crc32(data) == i.CRC and i.header_offset == at, i.filename\n"
        "    sig, _, flags, method, tm, dt, crc, cs, size, n, m = struct.unpack('<L5H3L2H', a[at:at + 30])\n"
        "    name, extra = a[at + 30:at + 30 + n], a[at + 30 + n:at + 30 + n + m]\n"
        "    at += 30 + n + m + i.compress_size\n"
        "    if flags & 8:\n"
        "        words = struct.unpack('<4L', a[at:at + 16])\n"
        "        assert crc == 0 and words == (0x08074B50, i.CRC, i.compress_size, i.file_size), name\n"
        "        crc, cs, size, at = i.CRC, i.compress_size, i.file_size, at + 16\n"
        "    when = (dt >> 9) + 1980, dt >> 5 & 15, dt & 31, tm >> 11, tm >> 5 & 63, tm % 32 * 2\n"
        "    raw = i.orig_filename.encode('utf-8' if i.flag_bits & 0x800 else 'cp437')\n"
        "    assert (sig, name, flags, method, when, crc, cs, size) == (0x04034B50, raw, i.flag_bits,\n"
        "        i.compress_type, i.date_time, i.CRC, i.compress_size, i.file_size), name\n"
        "    assert method == 8 or cs == size, name\n"
        "    print('%s|%d|%d|%d|%08x|%08x|%04x|%x|%d-%02d-%02d %02d:%02d:%02d|%s|%s' % ((name.decode(),\n"
        "        method, flags, size, i.external_attr, i.CRC, i.create_system << 8 | i.create_version,\n"
        "        i.extract_version) + i.date_time + (i.extra.hex(), extra.hex())))\n"
        "assert at == struct.unpack('<L', a[-6:-2])[0], 'the directory does not follow the data'\n",
        {archive.string()});
}

// Whether the report of read_archive has a line that starts with `start`.
[[maybe_unused]] bool has_entry(const command_result& report, const std::string& start)
{
    return ("\n" + report.output).find("\n" + start) != std::string::npos;
}

ZipArchiveHandle* create(const std::filesystem::path& path)
{
    return W::Create(u16(path).c_str(), 0, zip_mode_file, nullptr);
}

std::uint32_t add_file(ZipArchiveHandle* h, const std::u16string& name, const std::filesystem::path& source)
{
    return W::AddEntry(h, name.c_str(), u16(source).c_str(), 0, zip_source_file);
}

std::uint32_t add_memory(ZipArchiveHandle* h, const char16_t* name, const std::string& data)
{
    return W::AddEntry(h, name, data.data(), static_cast<std::uint32_t>(data.size()), zip_source_memory);
}

class ArchiveFile : public ::testing::Test
{
  protected:
    scratch_folder dir{"zv_zip"};
};

// File times, read-only modes and pipes are set up the POSIX way, and the
// archives read back by Linux programs.
#if !defined(_WIN32)
// Names that end like compressed archives are stored (in any case), the rest
// deflated (a longer extension, no dot); attributes and times follow the
// source; every local header holds the final values of its central record,
// and the next header follows the data directly. The DOS time is the last
// write in UTC, seconds halved and rounded down; the central extended time
// stamp holds the modification time (60406abf), the local one the access
// time (60406a5b) and the creation time (the modification time, being
// earlier than the change) too.
TEST_F(ArchiveFile, ReadersAcceptEveryKindOfEntry)
{
    write_bytes(dir / "random.bin", text_of(random_bytes(70000, 2)));
    write_bytes(dir / "empty.txt", "");
    const std::time_t written = 1614834367; // 2021-03-04 05:06:07 UTC: an odd second
    const struct timespec times[2] = {{written - 100, 0}, {written, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, (dir / "empty.txt").c_str(), times, 0), 0);
    write_bytes(dir / "лист.xml", "<a>текст</a>");
    write_bytes(dir / "ro.xml", "y");
    ASSERT_EQ(::chmod((dir / "ro.xml").c_str(), 0444), 0);
    ZipArchiveHandle* h = create(dir / "out.xlsx");
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(h->kind, zip_handle_creating);
    EXPECT_EQ(add_file(h, u"empty.txt", dir / "empty.txt"), 0u);
    EXPECT_EQ(add_file(h, u"xl\\Лист.xml", dir / "лист.xml"), 0u);
    EXPECT_EQ(add_file(h, u"ro.xml", dir / "ro.xml"), 0u);
    EXPECT_EQ(add_file(h, u"inner.TGZ", dir / "random.bin"), 0u);
    EXPECT_EQ(add_memory(h, u"memory.txt", "block held by the caller"), 0u);
    EXPECT_EQ(W::AddEntry(h, u"folder", nullptr, 0, zip_source_folder), 0u);
    EXPECT_EQ(W::AddEntry(h, u"dir/", nullptr, 0, zip_source_folder), 0u);
    std::vector<std::string> lines = {
        "xl/Лист.xml|8|2|17|81800020|", // no UTF-8 flag
        "empty.txt|8|2|0|81800020|00000000|0b17|14|2021-03-04 05:06:06|5554050007bf6a4060|"
        "55540d0007bf6a40605b6a4060bf6a4060",
        "ro.xml|8|2|1|81000021|",
        "inner.TGZ|0|0|70000|",
        "memory.txt|8|2|24|80000000|",
        "folder/|0|0|0|41c00010|00000000|",
        "dir/|0|0|0|"};
    for (const char* name : {"b.zipx", "gz"}) {
        EXPECT_EQ(add_file(h, zv::test::u16(name), dir / "ro.xml"), 0u) << name;
        lines.push_back(name + std::string("|8|2|1|"));
    }
    EXPECT_EQ(W::Close(h), 0u);
    EXPECT_EQ(W::LastResult(), 0u);

    const command_result report = read_archive(dir / "out.xlsx");
    ASSERT_EQ(report.status, 0) << report.output;
    for (const std::string& line : lines)
        EXPECT_TRUE(has_entry(report, line)) << line << "\n" << report.output;
    const std::vector<std::string> entries = zv::test::lines_of(report.output);
    EXPECT_EQ(entries.size(), lines.size());
    for (const std::string& entry : entries)
        EXPECT_NE(entry.find("|0b17|14|"), std::string::npos) << "made by, needed: " << entry;
    const command_result unzip =
        run_command("unzip -t " + zv::test::quoted((dir / "out.xlsx").string()) + " 2>&1");
    EXPECT_EQ(unzip.status, 0) << unzip.output;
    EXPECT_NE(unzip.output.find("No errors detected"), std::string::npos) << unzip.output;
}

TEST_F(ArchiveFile, PipeOutputGetsDataDescriptors)
{
    write_bytes(dir / "a.xml", text_of(xml_like(50000, 4)));
    write_bytes(dir / "b.zip", "stored bytes");
    // The archive goes through a pipe into a file: the writer cannot seek back.
    const std::filesystem::path fifo = dir / "pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    ASSERT_EQ(std::system(("cat '" + fifo.string() + "' > '" + (dir / "piped.zip").string() + "' &").c_str()),
              0);
    ZipArchiveHandle* h = create(fifo);
    ASSERT_NE(h, nullptr);
    ASSERT_EQ(add_file(h, u"a.xml", dir / "a.xml"), 0u);
    ASSERT_EQ(add_file(h, u"b.zip", dir / "b.zip"), 0u);
    ASSERT_EQ(W::Close(h), 0u);

    command_result report;
    for (int tries = 0; tries < 50 && !report.ok(); ++tries) {
        run_command("sleep 0.1");
        report = read_archive(dir / "piped.zip");
    }
    ASSERT_EQ(report.status, 0) << report.output;
    EXPECT_EQ(zv::test::lines_of(report.output).size(), 2u);
    EXPECT_TRUE(has_entry(report, "a.xml|8|8|50000|")) << report.output;
    EXPECT_TRUE(has_entry(report, "b.zip|0|8|12|")) << report.output;
}
#endif

TEST_F(ArchiveFile, EmptyArchiveIsTheEndRecordAlone)
{
    ZipArchiveHandle* h = create(dir / "empty.zip");
    ASSERT_NE(h, nullptr);
    ASSERT_EQ(W::Close(h), 0u);
    EXPECT_EQ(zv::test::read_bytes(dir / "empty.zip"), "PK\x05\x06" + std::string(18, '\0'));
}

// A block of its own (too small here) fails the same way as the caller's.
TEST(ArchiveMemory, CallersBufferHoldsAValidArchiveAndAFullBlockIsSticky)
{
    std::vector<std::uint8_t> buffer(1 << 20);
    ZipArchiveHandle* h = W::Create(buffer.data(), 1 << 20, zip_mode_memory, nullptr);
    ASSERT_NE(h, nullptr);
    ASSERT_EQ(add_memory(h, u"x.xml", text_of(xml_like(200000, 8))), 0u);
    void* base = nullptr;
    std::uint32_t length = 0;
    ASSERT_EQ(W::GetMemoryBlock(h, &base, &length), 0u);
    EXPECT_EQ(add_memory(h, u"late", "x"), 0x50000u);
    EXPECT_EQ(W::LastResult(), 0x50000u);
    EXPECT_EQ(base, buffer.data());
    scratch_folder dir{"zv_zip"};
    write_bytes(dir / "m.zip", std::string(static_cast<const char*>(base), length));
    if (zv::test::can_run_linux_readers) { // Python's zipfile is a Linux program
        const command_result listing = read_archive(dir / "m.zip");
        EXPECT_EQ(listing.status, 0) << listing.output;
        EXPECT_NE(listing.output.find("x.xml|8|2|200000|"), std::string::npos) << listing.output;
    }
    EXPECT_EQ(W::Close(h), 0u);

    h = W::Create(nullptr, 200, zip_mode_memory, nullptr);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(add_memory(h, u"a", "tiny"), 0u);
    EXPECT_EQ(add_memory(h, u"b", text_of(random_bytes(1000, 9))), 0x30000u);
    EXPECT_EQ(add_memory(h, u"c", "x"), 0x40000u);
    EXPECT_EQ(W::Close(h), 0x400u);

    h = create(dir / "f.zip");
    EXPECT_EQ(W::GetMemoryBlock(h, &base, &length), 0x20000u);
    EXPECT_EQ(add_memory(h, u"still", "ok"), 0u);
    EXPECT_EQ(W::Close(h), 0u);
}

// Handles and encryption are not supported; a memory archive needs room;
// entries need a name of at most 259 UTF-8 bytes, a source and a handle.
TEST(ArchiveArguments, CreateAndAddEntryRefuseWhatIsNotProvided)
{
    scratch_folder dir{"zv_zip"};
    const std::u16string path = u16(dir / "x.zip");
    std::vector<std::uint8_t> buffer(100);
    EXPECT_EQ(W::Create(path.c_str(), 0, zip_mode_handle, nullptr), nullptr);
    EXPECT_EQ(W::LastResult(), 0x10000u);
    EXPECT_EQ(W::Create(path.c_str(), 0, zip_mode_file, "secret"), nullptr);
    EXPECT_EQ(W::LastResult(), 0x10000u);
    EXPECT_EQ(W::Create(buffer.data(), 0, zip_mode_memory, nullptr), nullptr);
    EXPECT_EQ(W::LastResult(), 0x30000u);
    EXPECT_FALSE(std::filesystem::exists(dir / "x.zip"));

    ZipArchiveHandle* h = create(dir / "x.zip");
    ASSERT_NE(h, nullptr);
    const std::u16string missing = u16(dir / "missing.xml");
    const std::u16string long_name(260, u'n'), long_utf8(130, u'ж'), longest(259, u'n');
    const struct {
        ZipArchiveHandle* handle;
        const char16_t* name;
        const void* source;
        std::uint32_t kind, result;
    } cases[] = {
        {h, u"", "x", zip_source_memory, 0x10000u},
        {h, nullptr, "x", zip_source_memory, 0x10000u},
        {h, u"m.xml", missing.c_str(), zip_source_file, 0x200u},
        {h, u"h.xml", "x", zip_source_handle, 0x10000u},
        {h, long_name.c_str(), "x", zip_source_memory, 0x10000u},
        {h, long_utf8.c_str(), "x", zip_source_memory, 0x10000u}, // 260 UTF-8 bytes
        {h, longest.c_str(), "x", zip_source_memory, 0u},
        {nullptr, u"a", "x", zip_source_memory, 0x10000u},
    };
    for (const auto& c : cases)
        EXPECT_EQ(W::AddEntry(c.handle, c.name, c.source, 1, c.kind), c.result) << (&c - cases);
    EXPECT_EQ(W::Close(nullptr), 0x10000u);
    h->kind = 1;
    EXPECT_EQ(add_memory(h, u"a", "x"), 0x80000u);
    EXPECT_EQ(W::Close(h), 0x80000u);
    h->kind = zip_handle_creating;
    EXPECT_EQ(W::Close(h), 0u);
}

class InjectedFailure : public ArchiveFile
{
  protected:
    void SetUp() override { write_bytes(dir / "part.xml", std::string(100000, 'q') + "<end/>"); }
    std::filesystem::path out = dir / "out.xlsx";
    zv::test::file_faults faults;
};

// An output that cannot be created gives no handle; a short write cuts a
// local header (budget 10), the data (60) or, after the entries, the
// directory (20).
TEST_F(InjectedFailure, FailedCreateOrShortWriteLeavesNoFileAndNoHandle)
{
    faults.fail_every_create = true;
    EXPECT_EQ(create(out), nullptr);
    EXPECT_EQ(W::LastResult(), 0x200u);
    char text[64];
    EXPECT_EQ(W::ResultMessage(zr_last_result, text, sizeof text), 25u);
    EXPECT_STREQ(text, "Couldn't create/open file");
    EXPECT_FALSE(std::filesystem::exists(out));
    EXPECT_EQ(faults.open_handles, 0);
    faults.fail_every_create = false;
    for (std::int64_t budget : {10, 60, 20}) {
        SCOPED_TRACE(budget);
        ZipArchiveHandle* h = create(out);
        ASSERT_NE(h, nullptr);
        const bool in_directory = budget == 20;
        faults.write_budget = in_directory ? -1 : budget;
        EXPECT_EQ(add_file(h, u"a.bin.gz", dir / "part.xml"), in_directory ? 0u : 0x400u);
        EXPECT_EQ(add_file(h, u"b.xml", dir / "part.xml"), in_directory ? 0u : 0x40000u);
        EXPECT_EQ(faults.open_handles, 1) << "only the archive is still open";
        if (in_directory)
            faults.write_budget = budget;
        EXPECT_EQ(W::Close(h), 0x400u);
        EXPECT_EQ(faults.open_handles, 0);
        EXPECT_FALSE(std::filesystem::exists(out));
        faults.write_budget = -1;
    }
}

TEST(ResultMessage, EveryCodeHasItsTextCutToTheBuffer)
{
    const std::pair<std::uint32_t, const char*> table[] = {
        {0, "Success"},
        {0x100, "Culdn't duplicate handle"},
        {0x200, "Couldn't create/open file"},
        {0x300, "Failed to allocate memory"},
        {0x400, "Error writing to file"},
        {0x500, "File not found in the zipfile"},
        {0x600, "Still more data to unzip"},
        {0x700, "Zipfile is corrupt or not a zipfile"},
        {0x800, "Error reading file"},
        {0x10000, "Caller: faulty arguments"},
        {0x20000, "Caller: can only get memory of a memory zipfile"},
        {0x30000, "Caller: not enough space allocated for memory zipfile"},
        {0x40000, "Caller: there was a previous error"},
        {0x50000, "Caller: additions to the zip have already been ended"},
        {0x60000, "Zip-bug: the anticipated size turned out wrong"},
        {0x70000, "Caller: the file had already been partially unzipped"},
        {0x80000, "Caller: mixing creation and opening of zip"},
        {0x1000000, "Zip-bug: internal initialisation not completed"},
        {0x2000000, "Zip-bug: trying to seek the unseekable"},
        {0x4000000, "Zip-bug: tried to change mind, but not allowed"},
        {0x5000000, "Zip-bug: an internal error during flation"},
    };
    for (const auto& [code, text] : table) {
        char buffer[128];
        EXPECT_EQ(W::ResultMessage(code, buffer, sizeof buffer), std::strlen(text)) << code;
        EXPECT_STREQ(buffer, text) << code;
    }
    for (std::uint32_t other : {2u, 0x101u, 0x900u, 0x90000u, 0x3000000u, 0xFFFFFFFFu})
        EXPECT_STREQ(result_text(other), "unknown zip result code") << other;
    // Cut to the buffer, always terminated.
    char buffer[8];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(W::ResultMessage(0x400, buffer, 6), 21u);
    EXPECT_STREQ(buffer, "Error");
    EXPECT_EQ(buffer[6], 'x') << "nothing written past the given size";
    EXPECT_EQ(W::ResultMessage(0x400, buffer, 1), 21u);
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(W::ResultMessage(0x400, buffer, 0), 21u);
}

} // namespace
} // namespace zv::zip::test
