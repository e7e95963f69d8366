// The exported C functions of zvk_file_dbf. Text is converted here between
// the caller's side (ANSI code page or UTF-16) and the table's code page;
// each function runs its body through guarded(), so nothing is thrown
// across the C boundary.
#include "host/zvk_file_dbf.h"

#include "foundation/code_page.h"
#include "foundation/guard.h"
#include "foundation/paths.h"
#include "foundation/utf.h"
#include "zvk_file_dbf/dbf_table.h"

#include <cstring>
#include <memory>

struct zv_dbf {
    zv::zvk_file_dbf::table table;
    std::vector<std::string> ansi_names; // field names in the ANSI code page
    std::string narrow;                  // text handed out by zv_dbf_get_str
    std::string converted;               // scratch for conversions
    std::u16string wide;                 // scratch for wide text
    bool ascii_pages = false;            // the table's code page keeps ASCII as it is
};

namespace
{

using zv::foundation::guarded;

// Blanks cell[from, width) with eight-byte stores, the last one ending at
// the cell's end. The padding is a dozen bytes or so: a memset of unknown
// length becomes a string instruction whose start-up costs more than
// filling the rest of the cell when a table is filled cell by cell.
void pad_with_blanks(unsigned char* cell, std::size_t from, std::size_t width)
{
    constexpr std::uint64_t blanks = 0x2020202020202020ULL;
    if (width - from < 8) {
        for (std::size_t i = from; i < width; ++i) {
            cell[i] = ' ';
        }
        return;
    }
    for (std::size_t i = from; i + 8 < width; i += 8) {
        std::memcpy(cell + i, &blanks, 8);
    }
    std::memcpy(cell + width - 8, &blanks, 8);
}

void convert_names(zv_dbf& h)
{
    for (const auto& f : h.table.shape().fields) {
        std::string name;
        zv::foundation::recode(f.name, h.table.code_page(), h.table.ansi_page(), name);
        h.ansi_names.push_back(std::move(name));
    }
}

const zv::zvk_file_dbf::field* field_of(zv_dbf_t h, uint32_t field)
{
    if (h == nullptr || field >= h->table.shape().fields.size()) {
        return nullptr;
    }
    return &h->table.shape().fields[field];
}

// The cell's text without padding, in the table's code page.
bool cell_text(zv_dbf_t h, uint32_t field, uint32_t record, std::string_view& text)
{
    if (h == nullptr) {
        return false;
    }
    const unsigned char* cell = h->table.cell(field, record);
    if (cell == nullptr) {
        return false;
    }
    const auto& f = h->table.shape().fields[field];
    text = zv::zvk_file_dbf::trimmed_cell(cell, f.length, f.type);
    return true;
}

// A number that is plain ASCII without blanks around it and fits its field,
// right-justified straight into the cell. False (cell untouched) for any
// other text, which then takes the general way.
bool set_ascii_number(unsigned char* cell, std::size_t width, const char16_t* text)
{
    std::size_t n = 0;
    while (n <= width && static_cast<unsigned>(text[n]) - 1U < 0x7FU) {
        ++n;
    }
    if (n == 0 || n > width || text[n] != 0 || text[0] == u' ' || text[n - 1] == u' ') {
        return false;
    }
    const std::size_t at = width - n;
    pad_with_blanks(cell, 0, at);
    for (std::size_t i = 0; i < n; ++i) {
        cell[at + i] = static_cast<unsigned char>(text[i]);
    }
    return true;
}

// Wide text that is plain ASCII, going into a created table whose code page
// keeps ASCII as it is (and that the system converts): copied straight into
// the cell, which is what makes filling a table cell by cell cheap. False
// when this path does not apply; the caller then converts the general way
// and stores the whole cell anew (a character cell may already hold the
// text's ASCII start, which that store replaces).
bool set_ascii_directly(zv_dbf& h, uint32_t field, uint32_t record, const char16_t* text, bool& stored)
{
    unsigned char* cell = h.ascii_pages ? h.table.memory_cell(field, record) : nullptr;
    if (cell == nullptr || text == nullptr) {
        return false;
    }
    const zv::zvk_file_dbf::field& f = h.table.shape().fields[field];
    if (f.type == 'C') {
        // Left-justified: the text goes straight in, up to the field length;
        // more than blanks beyond it is a cut value.
        const std::size_t width = f.length;
        std::size_t n = 0;
        for (; n < width && text[n] != 0; ++n) {
            if (text[n] >= 0x80) {
                return false;
            }
            cell[n] = static_cast<unsigned char>(text[n]);
        }
        pad_with_blanks(cell, n, width);
        const char16_t* rest = text + n;
        while (*rest == u' ') {
            ++rest;
        }
        stored = *rest == 0;
        return true;
    }
    if ((f.type == 'N' || f.type == 'F') && set_ascii_number(cell, f.length, text)) {
        stored = true;
        return true;
    }
    constexpr std::size_t max_text = 256;
    char buffer[max_text];
    std::size_t n = 0;
    for (; text[n] != 0; ++n) {
        if (text[n] >= 0x80 || n == max_text) {
            return false;
        }
        buffer[n] = static_cast<char>(text[n]);
    }
    stored = zv::zvk_file_dbf::store_cell(cell, f, std::string_view(buffer, n), h.table.code_page()) ==
             zv::zvk_file_dbf::stored::whole;
    return true;
}

// Stores text of the table's code page into a cell: true only when the cell
// took all of it and the conversion into the code page was exact.
bool store_text(zv_dbf& h, uint32_t field, uint32_t record, bool exact)
{
    return h.table.write_cell(field, record, h.converted) == zv::zvk_file_dbf::stored::whole && exact;
}

} // namespace

extern "C" {

ZV_HOST_API zv_dbf_t zv_dbf_open_w(const char16_t* path, bool read_only, uint32_t reserved)
{
    return guarded<zv_dbf_t>(nullptr, [&]() -> zv_dbf_t {
        if (path == nullptr || reserved != 0) {
            return nullptr;
        }
        auto h = std::make_unique<zv_dbf>();
        if (!h->table.open(zv::foundation::native_path_or_empty(path), !read_only,
                           zv::foundation::ansi_code_page())) {
            return nullptr;
        }
        convert_names(*h);
        return h.release();
    });
}

ZV_HOST_API zv_dbf_t zv_dbf_create_w(const char16_t* path, uint32_t field_count, uint32_t record_count,
                                     const dbf_field_desc* fields, uint32_t reserved)
{
    return guarded<zv_dbf_t>(nullptr, [&]() -> zv_dbf_t {
        if (path == nullptr || reserved != 0) {
            return nullptr;
        }
        auto h = std::make_unique<zv_dbf>();
        if (!h->table.create(zv::foundation::native_path_or_empty(path), fields, field_count, record_count,
                             zv::foundation::ansi_code_page())) {
            return nullptr;
        }
        // The direct path stores ASCII before it meets a character that
        // needs converting; it is taken only when the system converts the
        // code page, so that such text is never refused with the cell
        // half-written.
        const unsigned page = h->table.code_page();
        h->ascii_pages = zv::foundation::is_ascii_compatible(page) && zv::foundation::is_supported(page);
        convert_names(*h);
        return h.release();
    });
}

ZV_HOST_API void zv_dbf_close(zv_dbf_t table)
{
    zv::foundation::guarded_void([&] {
        std::unique_ptr<zv_dbf> owned(table);
        if (owned) {
            owned->table.commit();
        }
    });
}

ZV_HOST_API uint32_t zv_dbf_get_nf(zv_dbf_t table)
{
    return table != nullptr ? static_cast<uint32_t>(table->table.shape().fields.size()) : 0;
}

ZV_HOST_API uint32_t zv_dbf_get_nr(zv_dbf_t table)
{
    return table != nullptr ? table->table.shape().record_count : 0;
}

ZV_HOST_API const char* zv_dbf_get_field_name(zv_dbf_t table, uint32_t field)
{
    return field_of(table, field) != nullptr ? table->ansi_names[field].c_str() : nullptr;
}

ZV_HOST_API bool zv_dbf_get_field_name_w(zv_dbf_t table, uint32_t field, zv_string_adp_t adapter)
{
    return guarded(false, [&] {
        const zv::zvk_file_dbf::field* f = field_of(table, field);
        if (f == nullptr) {
            return false;
        }
        zv::foundation::to_utf16(f->name, table->table.code_page(), table->wide);
        zv_string_adp_assign_w(adapter, table->wide.c_str());
        return true;
    });
}

ZV_HOST_API uint32_t zv_dbf_get_field_type(zv_dbf_t table, uint32_t field)
{
    const zv::zvk_file_dbf::field* f = field_of(table, field);
    return f != nullptr ? zv::zvk_file_dbf::type_code(f->type) : std::uint32_t{ZV_DBF_TYPE_INVALID};
}

ZV_HOST_API char zv_dbftype2char(uint32_t type_code)
{
    return zv::zvk_file_dbf::type_letter(type_code);
}

ZV_HOST_API uint8_t zv_dbf_get_field_flen(zv_dbf_t table, uint32_t field)
{
    const zv::zvk_file_dbf::field* f = field_of(table, field);
    return f != nullptr ? f->length : 0;
}

ZV_HOST_API uint8_t zv_dbf_get_field_dlen(zv_dbf_t table, uint32_t field)
{
    const zv::zvk_file_dbf::field* f = field_of(table, field);
    return f != nullptr ? f->decimals : 0;
}

ZV_HOST_API const char* zv_dbf_get_str(zv_dbf_t table, uint32_t field, uint32_t record, bool* ok)
{
    const char* result = guarded<const char*>(nullptr, [&]() -> const char* {
        std::string_view text;
        if (!cell_text(table, field, record, text)) {
            return nullptr;
        }
        if (!zv::foundation::recode(text, table->table.code_page(), table->table.ansi_page(),
                                    table->narrow)) {
            return nullptr;
        }
        return table->narrow.c_str();
    });
    if (ok != nullptr) {
        *ok = result != nullptr;
    }
    return result;
}

ZV_HOST_API bool zv_dbf_get_str_w(zv_dbf_t table, uint32_t field, uint32_t record, zv_string_adp_t adapter)
{
    return guarded(false, [&] {
        std::string_view text;
        if (!cell_text(table, field, record, text)) {
            return false;
        }
        if (!zv::foundation::to_utf16(text, table->table.code_page(), table->wide)) {
            return false;
        }
        zv_string_adp_assign_w(adapter, table->wide.c_str());
        return true;
    });
}

ZV_HOST_API bool zv_dbf_set_str(zv_dbf_t table, uint32_t field, uint32_t record, const char* text)
{
    return guarded(false, [&] {
        if (table == nullptr) {
            return false;
        }
        const std::string_view value = text != nullptr ? std::string_view(text) : std::string_view();
        bool exact = false;
        return zv::foundation::recode(value, table->table.ansi_page(), table->table.code_page(),
                                      table->converted, exact) &&
               store_text(*table, field, record, exact);
    });
}

ZV_HOST_API bool zv_dbf_set_str_w(zv_dbf_t table, uint32_t field, uint32_t record, const char16_t* text)
{
    return guarded(false, [&] {
        if (table == nullptr) {
            return false;
        }
        if (bool stored = false; set_ascii_directly(*table, field, record, text, stored)) {
            return stored;
        }
        const std::u16string_view value =
            text != nullptr ? std::u16string_view(text, zv::foundation::length(text)) : std::u16string_view();
        bool exact = false;
        return zv::foundation::from_utf16(value, table->table.code_page(), table->converted, exact) &&
               store_text(*table, field, record, exact);
    });
}

} // extern "C"
