// Archives written to files and to memory, read back by Python's zipfile,
// by unzip and by a parser of the records, field by field.
#include "archive_helper.h"
#include "inflate_helper.h"

#include "zip/zip_archive_writer.h"

#include <gtest/gtest.h>

#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>

namespace zv::zip::test
{
namespace
{

using W = ZipArchiveWriter;

ZipArchiveHandle* create_file_archive(const std::filesystem::path& path)
{
    const std::u16string target = u16(path);
    return W::Create(target.c_str(), 0, zip_mode_file, nullptr);
}

std::uint32_t add_file(ZipArchiveHandle* h, const std::u16string& name, const std::filesystem::path& source)
{
    const std::u16string path = u16(source);
    return W::AddEntry(h, name.c_str(), path.c_str(), 0, zip_source_file);
}

std::string text_of(const bytes& b)
{
    return std::string(b.begin(), b.end());
}

class ArchiveFile : public ::testing::Test
{
  protected:
    scratch_folder dir{"zv_zip"};
};

TEST_F(ArchiveFile, PythonAndUnzipReadEveryEntry)
{
    const bytes xml = xml_like(300000, 1);
    write_bytes(dir / "sheet.xml", text_of(xml));
    write_bytes(dir / "random.bin", text_of(random_bytes(70000, 2)));
    write_bytes(dir / "empty.txt", "");
    write_bytes(dir / "лист.xml", "<a>текст</a>");
    const std::string memory = "block held by the caller";

    ZipArchiveHandle* h = create_file_archive(dir / "out.xlsx");
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(h->kind, zip_handle_creating);
    EXPECT_EQ(add_file(h, u"xl\\worksheets\\sheet1.xml", dir / "sheet.xml"), 0u);
    EXPECT_EQ(add_file(h, u"docProps/random.bin", dir / "random.bin"), 0u);
    EXPECT_EQ(add_file(h, u"empty.txt", dir / "empty.txt"), 0u);
    EXPECT_EQ(add_file(h, u"Лист.xml", dir / "лист.xml"), 0u);
    EXPECT_EQ(add_file(h, u"inner.ZIP", dir / "random.bin"), 0u);
    EXPECT_EQ(W::AddEntry(h, u"memory.txt", memory.data(), static_cast<std::uint32_t>(memory.size()),
                          zip_source_memory),
              0u);
    EXPECT_EQ(W::AddEntry(h, u"folder", nullptr, 0, zip_source_folder), 0u);
    EXPECT_EQ(W::Close(h), 0u);
    EXPECT_EQ(W::LastResult(), 0u);

    const command_result listing = python_zip_listing(dir / "out.xlsx");
    ASSERT_EQ(listing.status, 0) << listing.output;
    EXPECT_NE(listing.output.find("xl/worksheets/sheet1.xml|8|2|300000|"), std::string::npos)
        << listing.output;
    EXPECT_NE(listing.output.find("docProps/random.bin|8|2|70000|"), std::string::npos);
    EXPECT_NE(listing.output.find("empty.txt|8|2|0|00000000"), std::string::npos);
    // Names are UTF-8 without the language-encoding flag (bit 11).
    const auto entries = central_directory(read_file(dir / "out.xlsx"));
    ASSERT_TRUE(entries.has_value());
    EXPECT_EQ(entries->at(3).name, "Лист.xml");
    EXPECT_EQ(entries->at(3).flags & 0x0800, 0);
    EXPECT_NE(listing.output.find("inner.ZIP|0|0|70000|"), std::string::npos);
    EXPECT_NE(listing.output.find("memory.txt|8|2|24|"), std::string::npos);
    EXPECT_NE(listing.output.find("folder/|0|0|0|00000000"), std::string::npos);

    const command_result unzip = run_command("unzip -t '" + (dir / "out.xlsx").string() + "' 2>&1");
    EXPECT_EQ(unzip.status, 0) << unzip.output;
    EXPECT_NE(unzip.output.find("No errors detected"), std::string::npos) << unzip.output;
}

TEST_F(ArchiveFile, LocalHeadersHoldFinalValuesAndNoDescriptorFollows)
{
    write_bytes(dir / "a.xml", text_of(xml_like(100000, 3)));
    write_bytes(dir / "b.gz", "not really compressed");
    ZipArchiveHandle* h = create_file_archive(dir / "out.zip");
    ASSERT_NE(h, nullptr);
    ASSERT_EQ(add_file(h, u"a.xml", dir / "a.xml"), 0u);
    ASSERT_EQ(add_file(h, u"b.gz", dir / "b.gz"), 0u);
    ASSERT_EQ(W::Close(h), 0u);

    const byte_string archive = read_file(dir / "out.zip");
    const auto entries = central_directory(archive);
    ASSERT_TRUE(entries.has_value());
    ASSERT_EQ(entries->size(), 2u);
    std::size_t expected_offset = 0;
    for (const central_entry& c : *entries) {
        EXPECT_EQ(c.made_by, 0x0B17);
        EXPECT_EQ(c.needed, 20);
        EXPECT_EQ(c.flags, c.method == 8 ? 0x0002 : 0x0000) << c.name;
        EXPECT_EQ(c.local_offset, expected_offset) << "the next header follows the data directly";
        const auto l = local_header(archive, c.local_offset);
        ASSERT_TRUE(l.has_value());
        EXPECT_EQ(l->flags, c.flags);
        EXPECT_EQ(l->crc, c.crc);
        EXPECT_EQ(l->compressed, c.compressed);
        EXPECT_EQ(l->size, c.size);
        EXPECT_EQ(l->name, c.name);
        expected_offset = l->data_offset + c.compressed;
    }
    EXPECT_EQ((*entries)[1].method, 0);
    EXPECT_EQ((*entries)[1].compressed, 21u);
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
    const std::string copy = "cat '" + fifo.string() + "' > '" + (dir / "piped.zip").string() + "' &";
    ASSERT_EQ(std::system(copy.c_str()), 0);
    ZipArchiveHandle* h = create_file_archive(fifo);
    ASSERT_NE(h, nullptr);
    ASSERT_EQ(add_file(h, u"a.xml", dir / "a.xml"), 0u);
    ASSERT_EQ(add_file(h, u"b.zip", dir / "b.zip"), 0u);
    ASSERT_EQ(W::Close(h), 0u);
    run_command("sleep 0.2");

    byte_string archive;
    for (int tries = 0; tries < 50 && archive.empty(); ++tries) {
        archive = read_file(dir / "piped.zip");
        if (archive.size() < 22 || le32(archive, archive.size() - 22) != 0x06054B50) {
            archive.clear();
            run_command("sleep 0.1");
        }
    }
    const auto entries = central_directory(archive);
    ASSERT_TRUE(entries.has_value());
    ASSERT_EQ(entries->size(), 2u);
    for (const central_entry& c : *entries) {
        const auto l = local_header(archive, c.local_offset);
        ASSERT_TRUE(l.has_value());
        EXPECT_EQ(l->flags, 0x0008) << c.name;
        EXPECT_EQ(c.flags, 0x0008) << "the central record takes the local flags";
        EXPECT_EQ(l->crc, 0u);
        const std::size_t descriptor = l->data_offset + c.compressed;
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
    // 2021-03-04 05:06:07 UTC: an odd second.
    const std::time_t written = 1614834367;
    const struct timespec times[2] = {{written - 100, 0}, {written, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, (dir / "t.xml").c_str(), times, 0), 0);
    ZipArchiveHandle* h = create_file_archive(dir / "t.zip");
    ASSERT_EQ(add_file(h, u"t.xml", dir / "t.xml"), 0u);
    ASSERT_EQ(W::Close(h), 0u);

    const byte_string archive = read_file(dir / "t.zip");
    const auto entries = central_directory(archive);
    ASSERT_TRUE(entries.has_value());
    const central_entry& c = entries->at(0);
    EXPECT_EQ(c.date, (2021 - 1980) << 9 | 3 << 5 | 4);
    EXPECT_EQ(c.time, 5 << 11 | 6 << 5 | 3) << "seconds are halved, rounded down";
    ASSERT_EQ(c.extra.size(), 9u);
    const byte_string central_extra(c.extra.begin(), c.extra.end());
    EXPECT_EQ(le16(central_extra, 0), 0x5455);
    EXPECT_EQ(le16(central_extra, 2), 5);
    EXPECT_EQ(central_extra[4], 7);
    EXPECT_EQ(le32(central_extra, 5), static_cast<std::uint32_t>(written));

    const auto l = local_header(archive, 0);
    ASSERT_TRUE(l.has_value());
    ASSERT_EQ(l->extra.size(), 17u);
    const byte_string local_extra(l->extra.begin(), l->extra.end());
    EXPECT_EQ(le16(local_extra, 0), 0x5455);
    EXPECT_EQ(le16(local_extra, 2), 13);
    EXPECT_EQ(local_extra[4], 7);
    EXPECT_EQ(le32(local_extra, 5), static_cast<std::uint32_t>(written));
    EXPECT_EQ(le32(local_extra, 9), static_cast<std::uint32_t>(written - 100));
    EXPECT_EQ(l->time, c.time);
    EXPECT_EQ(l->date, c.date);
}

TEST_F(ArchiveFile, ExternalAttributesFollowTheSourceFile)
{
    write_bytes(dir / "rw.xml", "x");
    write_bytes(dir / "ro.xml", "y");
    ASSERT_EQ(::chmod((dir / "ro.xml").c_str(), 0444), 0);
    ZipArchiveHandle* h = create_file_archive(dir / "attr.zip");
    ASSERT_EQ(add_file(h, u"rw.xml", dir / "rw.xml"), 0u);
    ASSERT_EQ(add_file(h, u"ro.xml", dir / "ro.xml"), 0u);
    ASSERT_EQ(W::AddEntry(h, u"dir/", nullptr, 0, zip_source_folder), 0u);
    ASSERT_EQ(W::AddEntry(h, u"mem", "m", 1, zip_source_memory), 0u);
    ASSERT_EQ(W::Close(h), 0u);
    const auto entries = central_directory(read_file(dir / "attr.zip"));
    ASSERT_TRUE(entries.has_value());
    ASSERT_EQ(entries->size(), 4u);
    EXPECT_EQ(entries->at(0).external, 0x81800020u);
    EXPECT_EQ(entries->at(1).external, 0x81000021u);
    EXPECT_EQ(entries->at(2).external, 0x41C00010u);
    EXPECT_EQ(entries->at(2).name, "dir/") << "no second slash";
    EXPECT_EQ(entries->at(3).external, 0x80000000u);
}

TEST_F(ArchiveFile, EmptyArchiveIsTheEndRecordAlone)
{
    ZipArchiveHandle* h = create_file_archive(dir / "empty.zip");
    ASSERT_NE(h, nullptr);
    ASSERT_EQ(W::Close(h), 0u);
    const byte_string archive = read_file(dir / "empty.zip");
    const byte_string expected = {0x50, 0x4B, 0x05, 0x06, 0, 0, 0, 0, 0, 0, 0,
                                  0,    0,    0,    0,    0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(archive, expected);
}

TEST_F(ArchiveFile, ExtensionsOfCompressedDataAreStored)
{
    write_bytes(dir / "s", "0123456789012345678901234567890123456789");
    const char16_t* stored[] = {u"a.Z",   u"a.z",   u"b.ZIP", u"c.Zoo", u"d.arc",
                                u"e.LZH", u"f.arj", u"g.gz",  u"h.TGZ"};
    const char16_t* deflated[] = {u"a.xml", u"noext", u"b.zipx", u"c.rels", u"dir.zip/file", u"gz"};
    ZipArchiveHandle* h = create_file_archive(dir / "ext.zip");
    for (const char16_t* name : stored) {
        ASSERT_EQ(add_file(h, name, dir / "s"), 0u);
    }
    for (const char16_t* name : deflated) {
        ASSERT_EQ(add_file(h, name, dir / "s"), 0u);
    }
    ASSERT_EQ(W::Close(h), 0u);
    const auto entries = central_directory(read_file(dir / "ext.zip"));
    ASSERT_TRUE(entries.has_value());
    for (std::size_t i = 0; i < entries->size(); ++i) {
        EXPECT_EQ(entries->at(i).method, i < std::size(stored) ? 0 : 8) << entries->at(i).name;
    }
}

TEST(ArchiveMemory, CallersBufferAndOwnBlockHoldValidArchives)
{
    std::vector<std::uint8_t> buffer(1 << 20);
    const bytes text = xml_like(200000, 8);
    for (bool own_block : {false, true}) {
        ZipArchiveHandle* h =
            W::Create(own_block ? nullptr : buffer.data(), 1 << 20, zip_mode_memory, nullptr);
        ASSERT_NE(h, nullptr);
        ASSERT_EQ(
            W::AddEntry(h, u"x.xml", text.data(), static_cast<std::uint32_t>(text.size()), zip_source_memory),
            0u);
        void* base = nullptr;
        std::uint32_t length = 0;
        ASSERT_EQ(W::GetMemoryBlock(h, &base, &length), 0u);
        EXPECT_EQ(W::AddEntry(h, u"late", "x", 1, zip_source_memory), 0x50000u);
        EXPECT_EQ(W::LastResult(), 0x50000u);
        if (!own_block) {
            EXPECT_EQ(base, buffer.data());
        }
        const auto* p = static_cast<const std::uint8_t*>(base);
        scratch_folder dir{"zv_zip"};
        write_bytes(dir / "m.zip", std::string(p, p + length));
        const command_result listing = python_zip_listing(dir / "m.zip");
        EXPECT_EQ(listing.status, 0) << listing.output;
        EXPECT_NE(listing.output.find("x.xml|8|2|200000|"), std::string::npos) << listing.output;
        EXPECT_EQ(W::Close(h), 0u);
    }
}

TEST(ArchiveMemory, CapacityReachedIsStickyAndCloseReportsIt)
{
    std::vector<std::uint8_t> buffer(200);
    ZipArchiveHandle* h = W::Create(buffer.data(), 200, zip_mode_memory, nullptr);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(W::AddEntry(h, u"a", "tiny", 4, zip_source_memory), 0u);
    const bytes noise = random_bytes(1000, 9);
    EXPECT_EQ(W::AddEntry(h, u"b", noise.data(), 1000, zip_source_memory), 0x30000u);
    EXPECT_EQ(W::AddEntry(h, u"c", "x", 1, zip_source_memory), 0x40000u);
    EXPECT_EQ(W::Close(h), 0x400u);
}

TEST(ArchiveMemory, MemoryBlockOfAFileArchiveIsRefused)
{
    scratch_folder dir{"zv_zip"};
    ZipArchiveHandle* h = create_file_archive(dir / "f.zip");
    void* base = nullptr;
    std::uint32_t length = 0;
    EXPECT_EQ(W::GetMemoryBlock(h, &base, &length), 0x20000u);
    EXPECT_EQ(W::AddEntry(h, u"still", "ok", 2, zip_source_memory), 0u);
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
    ZipArchiveHandle* h = create_file_archive(dir / "x.zip");
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(W::AddEntry(h, u"", "x", 1, zip_source_memory), 0x10000u);
    EXPECT_EQ(W::AddEntry(h, nullptr, "x", 1, zip_source_memory), 0x10000u);
    const std::u16string missing = u16(dir / "missing.xml");
    EXPECT_EQ(W::AddEntry(h, u"m.xml", missing.c_str(), 0, zip_source_file), 0x200u);
    EXPECT_EQ(W::AddEntry(h, u"h.xml", "x", 0, zip_source_handle), 0x10000u);
    EXPECT_EQ(W::AddEntry(h, u"k.xml", "x", 1, 9), 0x10000u);
    EXPECT_EQ(W::AddEntry(h, std::u16string(260, u'n').c_str(), "x", 1, zip_source_memory), 0x10000u);
    EXPECT_EQ(W::AddEntry(h, std::u16string(130, u'ж').c_str(), "x", 1, zip_source_memory), 0x10000u)
        << "260 UTF-8 bytes";
    EXPECT_EQ(W::AddEntry(h, std::u16string(259, u'n').c_str(), "x", 1, zip_source_memory), 0u);
    EXPECT_EQ(W::AddEntry(nullptr, u"a", "x", 1, zip_source_memory), 0x10000u);
    EXPECT_EQ(W::Close(nullptr), 0x10000u);
    h->kind = 1;
    EXPECT_EQ(W::AddEntry(h, u"a", "x", 1, zip_source_memory), 0x80000u);
    EXPECT_EQ(W::Close(h), 0x80000u);
    h->kind = zip_handle_creating;
    EXPECT_EQ(W::Close(h), 0u);
    const command_result listing = python_zip_listing(dir / "x.zip");
    EXPECT_EQ(listing.status, 0) << listing.output;
}

} // namespace
} // namespace zv::zip::test
