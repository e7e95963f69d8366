// Archives written to files, pipes and memory, read back by Python's zipfile,
// by unzip and by a parser of the records; refusals; and failures injected
// through the file layer, which may leave no handle open and no archive behind.
#include "test_support.h"

#include "foundation/byte_order.h"
#include "kit/command.h"
#include "kit/file_faults.h"
#include "kit/scratch_folder.h"
#include "zip/zip_archive_writer.h"

#include <gtest/gtest.h>

#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <tuple>

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

// Python's zipfile over an archive: testzip() and zlib.crc32 of every entry
// must pass; one line per entry "name|method|flags|size|crc".
command_result python_zip_listing(const std::filesystem::path& archive)
{
    return zv::test::run_python("import sys, zipfile, zlib\n"
                                "z = zipfile.ZipFile(sys.argv[1])\n"
                                "bad = z.testzip()\n"
                                "if bad is not None: sys.exit('bad entry ' + bad)\n"
                                "for i in z.infolist():\n"
                                "    data = z.read(i)\n"
                                "    assert zlib.crc32(data) == i.CRC, i.filename\n"
                                "    print('%s|%d|%d|%d|%08x' % (i.filename, i.compress_type, i.flag_bits,"
                                " len(data), i.CRC))\n",
                                {archive.string()});
}

std::uint32_t le16(const std::string& b, std::size_t at)
{
    return foundation::load_le<std::uint16_t>(reinterpret_cast<const unsigned char*>(b.data() + at));
}

std::uint32_t le32(const std::string& b, std::size_t at)
{
    return foundation::load_le<std::uint32_t>(reinterpret_cast<const unsigned char*>(b.data() + at));
}

// A local header, or a central record (which has "made by" first, then the
// same fields two bytes on, then the attributes and the local offset).
struct record {
    std::uint32_t made_by, needed, flags, method, time, date, crc, compressed, size, external, local_offset;
    std::string name, extra;
    std::size_t end; // where the data (local) or the next record (central) starts
};

std::optional<record> read_record(const std::string& a, std::size_t at, bool central)
{
    const std::size_t fixed = central ? 46 : 30;
    const std::size_t s = central ? 2 : 0;
    if (at + fixed > a.size() || le32(a, at) != (central ? 0x02014B50u : 0x04034B50u))
        return std::nullopt;
    record r{le16(a, at + 4),
             le16(a, at + 4 + s),
             le16(a, at + 6 + s),
             le16(a, at + 8 + s),
             le16(a, at + 10 + s),
             le16(a, at + 12 + s),
             le32(a, at + 14 + s),
             le32(a, at + 18 + s),
             le32(a, at + 22 + s),
             le32(a, at + 38),
             le32(a, at + 42),
             "",
             "",
             0};
    const std::size_t name_size = le16(a, at + 26 + s);
    const std::size_t extra_size = le16(a, at + 28 + s);
    r.end = at + fixed + name_size + extra_size + (central ? le16(a, at + 32) : 0);
    if (r.end > a.size())
        return std::nullopt;
    r.name = a.substr(at + fixed, name_size);
    r.extra = a.substr(at + fixed + name_size, extra_size);
    return r; // made_by, external and local_offset mean nothing in a local header
}

// The central records listed by the end record; nothing if malformed.
std::optional<std::vector<record>> central_directory(const std::string& a)
{
    if (a.size() < 22 || le32(a, a.size() - 22) != 0x06054B50)
        return std::nullopt;
    std::vector<record> entries;
    for (std::size_t i = 0, at = le32(a, a.size() - 6); i < le16(a, a.size() - 12);
         ++i, at = entries.back().end) {
        const auto r = read_record(a, at, true);
        if (!r)
            return std::nullopt;
        entries.push_back(*r);
    }
    return entries;
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

// Names that end like compressed archives are stored, the rest deflated;
// attributes follow the source; every local header holds the final values
// of its central record, and the next header follows the data directly.
TEST_F(ArchiveFile, ReadersAcceptEveryKindOfEntry)
{
    write_bytes(dir / "sheet.xml", text_of(xml_like(300000, 1)));
    write_bytes(dir / "random.bin", text_of(random_bytes(70000, 2)));
    write_bytes(dir / "empty.txt", "");
    write_bytes(dir / "лист.xml", "<a>текст</a>");
    write_bytes(dir / "ro.xml", "y");
    ASSERT_EQ(::chmod((dir / "ro.xml").c_str(), 0444), 0);
    ZipArchiveHandle* h = create(dir / "out.xlsx");
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(h->kind, zip_handle_creating);
    EXPECT_EQ(add_file(h, u"xl\\worksheets\\sheet1.xml", dir / "sheet.xml"), 0u);
    EXPECT_EQ(add_file(h, u"docProps/random.bin", dir / "random.bin"), 0u);
    EXPECT_EQ(add_file(h, u"empty.txt", dir / "empty.txt"), 0u);
    EXPECT_EQ(add_file(h, u"Лист.xml", dir / "лист.xml"), 0u);
    EXPECT_EQ(add_file(h, u"ro.xml", dir / "ro.xml"), 0u);
    EXPECT_EQ(add_file(h, u"inner.TGZ", dir / "random.bin"), 0u);
    EXPECT_EQ(add_memory(h, u"memory.txt", "block held by the caller"), 0u);
    EXPECT_EQ(W::AddEntry(h, u"folder", nullptr, 0, zip_source_folder), 0u);
    EXPECT_EQ(W::AddEntry(h, u"dir/", nullptr, 0, zip_source_folder), 0u);
    std::vector<std::string> lines = {
        "xl/worksheets/sheet1.xml|8|2|300000|",
        "docProps/random.bin|8|2|70000|",
        "empty.txt|8|2|0|00000000",
        ".xml|8|2|17|", // zipfile shows Лист in code page 437: the name has no UTF-8 flag
        "ro.xml|8|2|1|",
        "inner.TGZ|0|0|70000|",
        "memory.txt|8|2|24|",
        "folder/|0|0|0|00000000",
        "dir/|0|0|0|"};
    for (const char* name : {"a.Z", "b.z", "c.ZIP", "d.Zoo", "e.arc", "f.LZH", "g.arj", "h.gz"}) {
        EXPECT_EQ(add_file(h, zv::test::u16(name), dir / "ro.xml"), 0u) << name;
        lines.push_back(name + std::string("|0|0|1|"));
    }
    for (const char* name : {"b.zipx", "c.rels", "dir.zip/file", "gz"}) {
        EXPECT_EQ(add_file(h, zv::test::u16(name), dir / "ro.xml"), 0u) << name;
        lines.push_back(name + std::string("|8|2|1|"));
    }
    EXPECT_EQ(W::Close(h), 0u);
    EXPECT_EQ(W::LastResult(), 0u);

    const command_result listing = python_zip_listing(dir / "out.xlsx");
    ASSERT_EQ(listing.status, 0) << listing.output;
    for (const std::string& line : lines)
        EXPECT_NE(listing.output.find(line), std::string::npos) << line << "\n" << listing.output;
    const command_result unzip =
        run_command("unzip -t " + zv::test::quoted((dir / "out.xlsx").string()) + " 2>&1");
    EXPECT_EQ(unzip.status, 0) << unzip.output;
    EXPECT_NE(unzip.output.find("No errors detected"), std::string::npos) << unzip.output;

    const std::string archive = zv::test::read_bytes(dir / "out.xlsx");
    const auto entries = central_directory(archive);
    ASSERT_TRUE(entries.has_value());
    ASSERT_EQ(entries->size(), lines.size());
    EXPECT_EQ(entries->at(3).name, "Лист.xml");
    EXPECT_EQ(entries->at(0).external, 0x81800020u);
    EXPECT_EQ(entries->at(4).external, 0x81000021u) << "read-only";
    EXPECT_EQ(entries->at(6).external, 0x80000000u) << "memory";
    EXPECT_EQ(entries->at(8).external, 0x41C00010u) << "folder";
    EXPECT_EQ(entries->at(8).name, "dir/") << "no second slash";
    std::size_t expected_offset = 0;
    for (const record& c : *entries) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.made_by, 0x0B17u);
        EXPECT_EQ(c.needed, 20u);
        EXPECT_TRUE(c.method == 8 || c.compressed == c.size) << "stored";
        EXPECT_EQ(c.local_offset, expected_offset);
        const auto l = read_record(archive, c.local_offset, false);
        ASSERT_TRUE(l.has_value());
        EXPECT_EQ(std::tie(l->flags, l->crc, l->compressed, l->size, l->name),
                  std::tie(c.flags, c.crc, c.compressed, c.size, c.name));
        expected_offset = l->end + c.compressed;
    }
    EXPECT_EQ(le32(archive, archive.size() - 6), expected_offset)
        << "central directory starts after the data";
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

    std::optional<std::vector<record>> entries;
    std::string archive;
    for (int tries = 0; tries < 50 && !entries; ++tries) {
        run_command("sleep 0.1");
        archive = zv::test::read_bytes(dir / "piped.zip");
        entries = central_directory(archive);
    }
    ASSERT_TRUE(entries.has_value());
    ASSERT_EQ(entries->size(), 2u);
    for (const record& c : *entries) {
        SCOPED_TRACE(c.name);
        const auto l = read_record(archive, c.local_offset, false);
        ASSERT_TRUE(l.has_value());
        EXPECT_EQ(l->flags, 0x0008u);
        EXPECT_EQ(c.flags, 0x0008u) << "the central record takes the local flags";
        EXPECT_EQ(l->crc, 0u);
        const std::size_t descriptor = l->end + c.compressed;
        EXPECT_EQ(le32(archive, descriptor), 0x08074B50u);
        EXPECT_EQ(le32(archive, descriptor + 4), c.crc);
        EXPECT_EQ(le32(archive, descriptor + 8), c.compressed);
        EXPECT_EQ(le32(archive, descriptor + 12), c.size);
    }
    EXPECT_EQ((*entries)[1].compressed, 12u);
    const command_result listing = python_zip_listing(dir / "piped.zip");
    EXPECT_EQ(listing.status, 0) << listing.output;
}

TEST_F(ArchiveFile, TimeStampsComeFromTheLastWriteInUtc)
{
    write_bytes(dir / "t.xml", "<t/>");
    const std::time_t written = 1614834367; // 2021-03-04 05:06:07 UTC: an odd second
    const struct timespec times[2] = {{written - 100, 0}, {written, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, (dir / "t.xml").c_str(), times, 0), 0);
    ZipArchiveHandle* h = create(dir / "t.zip");
    ASSERT_EQ(add_file(h, u"t.xml", dir / "t.xml"), 0u);
    ASSERT_EQ(W::Close(h), 0u);

    const std::string archive = zv::test::read_bytes(dir / "t.zip");
    const auto entries = central_directory(archive);
    ASSERT_TRUE(entries.has_value());
    const record& c = entries->at(0);
    EXPECT_EQ(c.date, (2021 - 1980) << 9 | 3 << 5 | 4);
    EXPECT_EQ(c.time, 5 << 11 | 6 << 5 | 3) << "seconds are halved, rounded down";
    const auto l = read_record(archive, 0, false);
    ASSERT_TRUE(l.has_value());
    // Extended time stamps: the central one holds the modification time, the
    // local one the access time too.
    for (const std::string* extra : {&c.extra, &l->extra}) {
        const bool local = extra == &l->extra;
        ASSERT_EQ(extra->size(), local ? 17u : 9u);
        EXPECT_EQ(le16(*extra, 0), 0x5455u);
        EXPECT_EQ(le16(*extra, 2), local ? 13u : 5u);
        EXPECT_EQ((*extra)[4], 7);
        EXPECT_EQ(le32(*extra, 5), static_cast<std::uint32_t>(written));
    }
    EXPECT_EQ(le32(l->extra, 9), static_cast<std::uint32_t>(written - 100));
    EXPECT_EQ(l->time, c.time);
    EXPECT_EQ(l->date, c.date);
}

TEST_F(ArchiveFile, EmptyArchiveIsTheEndRecordAlone)
{
    ZipArchiveHandle* h = create(dir / "empty.zip");
    ASSERT_NE(h, nullptr);
    ASSERT_EQ(W::Close(h), 0u);
    EXPECT_EQ(zv::test::read_bytes(dir / "empty.zip"), "PK\x05\x06" + std::string(18, '\0'));
}

TEST(ArchiveMemory, CallersBufferAndOwnBlockHoldValidArchives)
{
    std::vector<std::uint8_t> buffer(1 << 20);
    const std::string text = text_of(xml_like(200000, 8));
    for (bool own_block : {false, true}) {
        ZipArchiveHandle* h =
            W::Create(own_block ? nullptr : buffer.data(), 1 << 20, zip_mode_memory, nullptr);
        ASSERT_NE(h, nullptr);
        ASSERT_EQ(add_memory(h, u"x.xml", text), 0u);
        void* base = nullptr;
        std::uint32_t length = 0;
        ASSERT_EQ(W::GetMemoryBlock(h, &base, &length), 0u);
        EXPECT_EQ(add_memory(h, u"late", "x"), 0x50000u);
        EXPECT_EQ(W::LastResult(), 0x50000u);
        EXPECT_TRUE(own_block || base == buffer.data());
        scratch_folder dir{"zv_zip"};
        write_bytes(dir / "m.zip", std::string(static_cast<const char*>(base), length));
        const command_result listing = python_zip_listing(dir / "m.zip");
        EXPECT_EQ(listing.status, 0) << listing.output;
        EXPECT_NE(listing.output.find("x.xml|8|2|200000|"), std::string::npos) << listing.output;
        EXPECT_EQ(W::Close(h), 0u);
    }
}

TEST(ArchiveMemory, FullBufferIsStickyAndAFileArchiveHasNoMemoryBlock)
{
    std::vector<std::uint8_t> buffer(200);
    ZipArchiveHandle* h = W::Create(buffer.data(), 200, zip_mode_memory, nullptr);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(add_memory(h, u"a", "tiny"), 0u);
    EXPECT_EQ(add_memory(h, u"b", text_of(random_bytes(1000, 9))), 0x30000u);
    EXPECT_EQ(add_memory(h, u"c", "x"), 0x40000u);
    EXPECT_EQ(W::Close(h), 0x400u);

    scratch_folder dir{"zv_zip"};
    h = create(dir / "f.zip");
    void* base = nullptr;
    std::uint32_t length = 0;
    EXPECT_EQ(W::GetMemoryBlock(h, &base, &length), 0x20000u);
    EXPECT_EQ(add_memory(h, u"still", "ok"), 0u);
    EXPECT_EQ(W::Close(h), 0u);
}

TEST(ArchiveArguments, CreateRefusesWhatIsNotProvided)
{
    scratch_folder dir{"zv_zip"};
    const std::u16string path = u16(dir / "x.zip");
    const std::u16string missing = u16(dir / "no" / "such" / "x.zip");
    std::vector<std::uint8_t> buffer(100);
    const struct {
        const void* target;
        std::uint32_t mode;
        const char* password;
        std::uint32_t result;
    } cases[] = {
        {path.c_str(), zip_mode_handle, nullptr, 0x10000u},  // handles are not supported
        {path.c_str(), 7, nullptr, 0x10000u},                // no such mode
        {path.c_str(), zip_mode_file, "secret", 0x10000u},   // no encryption
        {buffer.data(), zip_mode_memory, nullptr, 0x30000u}, // no room
        {missing.c_str(), zip_mode_file, nullptr, 0x200u},   // no folder
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        EXPECT_EQ(W::Create(c.target, 0, c.mode, c.password), nullptr);
        EXPECT_EQ(W::LastResult(), c.result);
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "x.zip"));
}

TEST(ArchiveArguments, AddEntryRefusesBadNamesSourcesAndHandles)
{
    scratch_folder dir{"zv_zip"};
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
        {h, u"k.xml", "x", 9, 0x10000u},
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
    const command_result listing = python_zip_listing(dir / "x.zip");
    EXPECT_EQ(listing.status, 0) << listing.output;
}

class InjectedFailure : public ArchiveFile
{
  protected:
    void SetUp() override { write_bytes(dir / "part.xml", std::string(100000, 'q') + "<end/>"); }
    std::filesystem::path out = dir / "out.xlsx";
    zv::test::file_faults faults;
};

TEST_F(InjectedFailure, OutputThatCannotBeCreatedGivesNoHandle)
{
    faults.fail_every_create = true;
    EXPECT_EQ(create(out), nullptr);
    EXPECT_EQ(W::LastResult(), 0x200u);
    char text[64];
    EXPECT_EQ(W::ResultMessage(zr_last_result, text, sizeof text), 25u);
    EXPECT_STREQ(text, "Couldn't create/open file");
    EXPECT_FALSE(std::filesystem::exists(out));
    EXPECT_EQ(faults.open_handles, 0);
}

// A short write cuts a local header (budgets 0, 10 and 47), the data (60)
// or, after the entries, the directory (20).
TEST_F(InjectedFailure, ShortWriteIsAWriteErrorAndLeavesNoFileAndNoHandle)
{
    for (std::int64_t budget : {0, 10, 47, 60, 20}) {
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

} // namespace
} // namespace zv::zip::test
