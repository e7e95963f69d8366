// Fuzz target of the table reader and writer. The first byte picks what is
// done with the rest: even - the rest is a .dbf, opened read-only (bit 1
// clear) or writable, every cell read narrow and wide and written back;
// odd - the rest is 14-byte field descriptors, from which a table of three
// records is created, filled, closed and opened again.
#include "host/zvk_file_dbf.h"
#include "kit/scratch_folder.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace
{

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
                (void)zv_dbf_set_str(table, f, r, std::string(text).c_str());
                (void)zv_dbf_set_str_w(table, f, r, u"Жёлтый 12.5");
            }
        }
    }
    zv_string_adp_destroy(adapter);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const zv::test::scratch_folder folder("zv_dbf_fuzz");
    if (size < 1)
        return 0;
    const std::u16string path = zv::test::u16(folder.file("t.dbf"));
    const bool create = (data[0] & 1) != 0;
    zv_dbf_t table = nullptr;
    if (create) {
        std::vector<dbf_field_desc> fields((size - 1) / sizeof(dbf_field_desc));
        if (!fields.empty())
            std::memcpy(fields.data(), data + 1, fields.size() * sizeof(dbf_field_desc));
        table = zv_dbf_create_w(path.c_str(), static_cast<std::uint32_t>(fields.size()), 3, fields.data(), 0);
    } else {
        zv::test::write_bytes(folder / "t.dbf",
                              std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1));
        table = zv_dbf_open_w(path.c_str(), (data[0] & 2) == 0, 0);
    }
    if (table == nullptr)
        return 0;
    read_everything(table, create || (data[0] & 2) != 0);
    zv_dbf_close(table);
    if (create && (table = zv_dbf_open_w(path.c_str(), true, 0)) != nullptr) {
        read_everything(table, false);
        zv_dbf_close(table);
    }
    return 0;
}
