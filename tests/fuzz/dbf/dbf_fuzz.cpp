// Fuzz target of the table reader and its in-place writer. The first byte
// picks the mode: bit 0 clear - the rest is a .dbf opened read-only, every
// cell read narrow and wide; set - opened writable, every cell also written
// back. Creation is not fuzzed: its checks of field descriptors are the
// failed-creation unit test's.
#include "host/zvk_file_dbf.h"
#include "kit/scratch_folder.h"

#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const zv::test::scratch_folder folder("zv_dbf_fuzz");
    if (size < 1)
        return 0;
    const bool writable = (data[0] & 1) != 0;
    zv::test::write_bytes(folder / "t.dbf",
                          std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1));
    zv_dbf_t table = zv_dbf_open_w(zv::test::u16(folder.file("t.dbf")).c_str(), !writable, 0);
    if (table == nullptr)
        return 0;
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
            if (writable && ok) {
                (void)zv_dbf_set_str(table, f, r, std::string(text).c_str());
                (void)zv_dbf_set_str_w(table, f, r, u"Жёлтый 12.5");
            }
        }
    }
    zv_string_adp_destroy(adapter);
    zv_dbf_close(table);
    return 0;
}
