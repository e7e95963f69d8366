#include "plugin/app/attribute_export/attribute_export.h"

#include "foundation/guard.h"
#include "host/zvk_file_dbf.h"
#include "host/zvk_io.h"
#include "support/encoding.h"
#include "support/string_adapter.h"
#include "xlsx/workbook.h"

#include <memory>
#include <vector>

namespace zv
{
namespace
{

struct table_closer {
    void operator()(zv_dbf* table) const noexcept { zv_dbf_close(table); }
};
using table_handle = std::unique_ptr<zv_dbf, table_closer>;

// The worksheet writer escapes nothing, so every cell text goes through the
// host's XML quoting. One adapter serves every call; the target is emptied
// first so that a failed quoting gives an empty cell, not the previous one.
class xml_quoter
{
  public:
    const std::u16string& quoted(const char16_t* text)
    {
        result_.clear();
        zv_xml_quote_string(text, adapter_.handle());
        return result_;
    }

  private:
    std::u16string result_;
    Tzv_std_wstring_adapter adapter_{result_};
};

void add_header_row(zv_dbf_t table, std::uint32_t fields, xml_quoter& quoter, xlsx::CWorksheet& sheet)
{
    std::vector<xlsx::StringCell> row;
    row.reserve(fields);
    for (std::uint32_t f = 0; f < fields; ++f) {
        std::u16string name;
        {
            Tzv_std_wstring_adapter adapter(name);
            if (!zv_dbf_get_field_name_w(table, f, adapter.handle()))
                name.clear();
        }
        row.push_back({quoter.quoted(name.c_str()), 0});
    }
    sheet.AddRow(row);
}

// The row's cells and the text buffers are reused from record to record, so
// a cell costs no allocation once the longest texts have been seen.
void add_record_rows(zv_dbf_t table, std::uint32_t fields, std::uint32_t records, xml_quoter& quoter,
                     xlsx::CWorksheet& sheet)
{
    // The system's code page cannot change during the export: look it up once.
    const unsigned code_page = code_page_of(encoding_system);
    std::vector<xlsx::StringCell> row(fields);
    std::u16string value;
    for (std::uint32_t r = 0; r < records; ++r) {
        for (std::uint32_t f = 0; f < fields; ++f) {
            bool read = false;
            const char* text = zv_dbf_get_str(table, f, r, &read);
            if (read) {
                to_wide(text, code_page, value);
                row[f].value = quoter.quoted(value.c_str());
            } else {
                row[f].value.clear();
            }
        }
        sheet.AddRow(row);
    }
}

} // namespace

bool export_attributes_to_workbook(const std::u16string& table_path, const std::u16string& workbook_path)
{
    return foundation::guarded(false, [&] {
        const table_handle table(zv_dbf_open_w(table_path.c_str(), true, 0));
        if (!table)
            return false;
        const std::uint32_t fields = zv_dbf_get_nf(table.get());
        const std::uint32_t records = zv_dbf_get_nr(table.get());
        if (fields == 0 || records == 0)
            return false;
        xlsx::CWorkbook book;
        xlsx::CWorksheet& sheet = book.AddSheet(u"Attributes");
        xml_quoter quoter;
        add_header_row(table.get(), fields, quoter, sheet);
        add_record_rows(table.get(), fields, records, quoter, sheet);
        return book.Save(workbook_path);
    });
}

} // namespace zv
