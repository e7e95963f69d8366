#include "xml_shapes.h"

#include <unordered_map>

namespace zv::bench
{

std::string column_name(std::size_t column)
{
    std::string name;
    for (std::size_t n = column + 1; n > 0; n = (n - 1) / 26) {
        name.insert(name.begin(), static_cast<char>('A' + (n - 1) % 26));
    }
    return name;
}

namespace
{

void append_row(std::string& sheet, std::size_t row_number, const record& r,
                std::unordered_map<std::string, std::size_t>& index, std::vector<const std::string*>& order,
                std::size_t& cells)
{
    const std::string row = std::to_string(row_number);
    sheet += "<row r=\"" + row + "\" spans=\"1:" + std::to_string(r.size()) + "\">";
    for (std::size_t c = 0; c < r.size(); ++c) {
        if (r[c].empty()) {
            continue;
        }
        auto [it, added] = index.try_emplace(r[c], order.size());
        if (added) {
            order.push_back(&it->first);
        }
        sheet +=
            "<c r=\"" + column_name(c) + row + "\" t=\"s\"><v>" + std::to_string(it->second) + "</v></c>";
        ++cells;
    }
    sheet += "</row>";
}

} // namespace

table_xml make_table_xml(std::size_t rows)
{
    table_xml xml;
    std::unordered_map<std::string, std::size_t> index;
    std::vector<const std::string*> order;
    xml.worksheet = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
                    "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
                    "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
                    "<dimension ref=\"A1:AB" +
                    std::to_string(rows + 1) +
                    "\"/>"
                    "<sheetViews><sheetView tabSelected=\"1\" workbookViewId=\"0\"/></sheetViews>"
                    "<sheetFormatPr defaultRowHeight=\"15\"/><sheetData>";
    append_row(xml.worksheet, 1, table_header(), index, order, xml.cells);
    table_source source;
    record r;
    for (std::size_t i = 0; i < rows; ++i) {
        source.next(r);
        append_row(xml.worksheet, i + 2, r, index, order, xml.cells);
    }
    xml.worksheet += "</sheetData><pageMargins left=\"0.7\" right=\"0.7\" top=\"0.75\" bottom=\"0.75\" "
                     "header=\"0.3\" footer=\"0.3\"/></worksheet>";
    xml.shared_strings = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
                         "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" count=\"" +
                         std::to_string(xml.cells) + "\" uniqueCount=\"" + std::to_string(order.size()) +
                         "\">";
    for (const std::string* text : order) {
        xml.shared_strings += "<si><t>" + xml_quote(*text) + "</t></si>";
    }
    xml.shared_strings += "</sst>";
    xml.distinct_values = order.size();
    return xml;
}

} // namespace zv::bench
