// Fuzz target: arbitrary UTF-16 cell texts (unpaired surrogates, NULs, '=',
// markup) through a worksheet and its shared-string table. The part written
// must be valid UTF-8 without a control character that XML cannot carry,
// hold one row element per row, and every shared index must name a text of
// the table.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "foundation/utf.h"
#include "kit/scratch_folder.h"
#include "xlsx/worksheet.h"

namespace
{

// Splits the input into rows (0xFFFF) and cells (0xFFFE) of UTF-16 units.
std::vector<std::vector<zv::xlsx::StringCell>> Rows(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::vector<zv::xlsx::StringCell>> rows(1);
    rows.back().emplace_back();
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        const auto unit = static_cast<char16_t>(data[i] | (data[i + 1] << 8));
        if (unit == 0xFFFF) {
            rows.emplace_back();
            rows.back().emplace_back();
        } else if (unit == 0xFFFE) {
            rows.back().emplace_back();
        } else {
            rows.back().back().value.push_back(unit);
        }
    }
    return rows;
}

std::size_t Count(const std::string& text, const std::string& piece)
{
    std::size_t n = 0;
    for (auto at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1))
        ++n;
    return n;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const zv::test::scratch_folder folder("zv_xlsx_fuzz");
    const auto rows = Rows(data, size);
    zv::xlsx::SharedStringTable strings;
    {
        zv::xlsx::CWorksheet sheet(1, zv::test::u16(folder.path().string()), &strings);
        for (const auto& row : rows)
            sheet.AddRow(row);
        if (!sheet.Save())
            std::abort();
    }
    const std::string xml = zv::test::read_bytes(folder.path() / "xl" / "worksheets" / "sheet1.xml");
    if (!zv::foundation::to_utf16_strict(xml) || Count(xml, "<row ") != rows.size())
        std::abort();
    // No control character that XML cannot carry, even in formulas.
    for (std::size_t at = xml.find('\n') + 1; at < xml.size(); ++at)
        if (static_cast<unsigned char>(xml[at]) < 0x20 && xml[at] != '\t' && xml[at] != '\n')
            std::abort();
    std::size_t shared = Count(xml, " t=\"s\"><v>");
    if (shared > 0 && strings.Empty())
        std::abort();
    std::size_t texts = 0;
    strings.ForEach([&](std::string_view t) { texts += zv::foundation::to_utf16_strict(t) ? 1 : 0; });
    if (texts != strings.Count())
        std::abort();
    return 0;
}
