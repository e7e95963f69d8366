// Fuzz target of the table reader and writer. The first byte picks what is
// done with the rest: even - the rest is a .dbf, opened read-only (byte bit
// 1 clear) or writable, and every cell read narrow and wide and written
// back; odd - the rest is a list of 14-byte field descriptors, from which
// a table of three records is created, filled, closed and opened again.
#include "host/zvk_file_dbf.h"
#include "kit/scratch_folder.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace
{

using zv::test::scratch_folder;

void read_everything(zv_dbf_t table, bool write_back)
{
    const zv_string_adp_t adapter = zv_string_adp_create(nullptr, nullptr, nullptr);
    const std::uint32_t fields = zv_dbf_get_nf(table);
    const std::uint32_t records = zv_dbf_get_nr(table);
    for (std::uint32_t f = 0; f <= fields; ++f) {
        (void)zv_dbftype2char(zv_dbf_get_field_type(table, f));
        (void)zv_dbf_get_field_name(table, f);
        (void)zv_dbf_get_field_name_w(table, f, adapter);
        for (std::uint32_t r = 0; r <= records && r < 256; ++r) {
            bool ok = false;
            const char* text = zv_dbf_get_str(table, f, r, &ok);
            (void)zv_dbf_get_str_w(table, f, r, adapter);
            if (write_back && ok) {
                const std::string copy = text;
                (void)zv_dbf_set_str(table, f, r, copy.c_str());
                (void)zv_dbf_set_str_w(table, f, r, u"Жёлтый 12.5");
            }
        }
    }
    zv_string_adp_destroy(adapter);
}

void fuzz_open(const scratch_folder& folder, const std::uint8_t* data, std::size_t size, bool writable)
{
    zv::test::write_bytes(folder.file("t.dbf"), std::string_view(reinterpret_cast<const char*>(data), size));
    zv_dbf_t table = zv_dbf_open_w(zv::test::u16(folder.file("t.dbf")).c_str(), !writable, 0);
    if (table != nullptr) {
        read_everything(table, writable);
        zv_dbf_close(table);
    }
}

void fuzz_create(const scratch_folder& folder, const std::uint8_t* data, std::size_t size)
{
    std::vector<dbf_field_desc> fields(size / sizeof(dbf_field_desc));
    if (!fields.empty()) {
        std::memcpy(fields.data(), data, fields.size() * sizeof(dbf_field_desc));
    }
    const std::u16string path = zv::test::u16(folder.file("new.dbf"));
    zv_dbf_t table =
        zv_dbf_create_w(path.c_str(), static_cast<std::uint32_t>(fields.size()), 3, fields.data(), 0);
    if (table == nullptr) {
        return;
    }
    read_everything(table, true);
    zv_dbf_close(table);
    table = zv_dbf_open_w(path.c_str(), true, 0);
    if (table != nullptr) {
        read_everything(table, false);
        zv_dbf_close(table);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const scratch_folder folder("zv_dbf_fuzz");
    if (size < 1) {
        return 0;
    }
    if ((data[0] & 1) != 0) {
        fuzz_create(folder, data + 1, size - 1);
    } else {
        fuzz_open(folder, data + 1, size - 1, (data[0] & 2) != 0);
    }
    return 0;
}
