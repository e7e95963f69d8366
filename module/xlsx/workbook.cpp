#include "xlsx/workbook.h"

#include "foundation/guard.h"
#include "platform/file_io.h"
#include "platform/file_system.h"
#include "xlsx/package_archive.h"
#include "xlsx/package_folder.h"
#include "xlsx/styles_xml.h"
#include "xlsx/theme_xml.h"
#include "xlsx/utf8.h"

namespace zv::xlsx
{
namespace
{

std::u16string SheetPartName(std::uint32_t number)
{
    const std::string name = "xl/worksheets/sheet" + std::to_string(number) + ".xml";
    return std::u16string(name.begin(), name.end());
}

} // namespace

CWorkbook::CWorkbook()
    : temp_folder_(ReserveTemporaryFolder()),
      parts_{u"[Content_Types].xml", u"_rels/.rels",   u"docProps/core.xml",          u"docProps/app.xml",
             u"xl/workbook.xml",     u"xl/styles.xml", u"xl/_rels/workbook.xml.rels", u"xl/theme/theme1.xml"}
{
    Style style;
    styles_.Add(style);
    style.fill.patternType = PATTERN_GRAY_125;
    style.numFormat.id = 1;
    styles_.Add(style);
}

CWorkbook::~CWorkbook()
{
    worksheets_.clear();
    ReleaseTemporaryFolder(temp_folder_);
}

CWorksheet& CWorkbook::AppendSheet(std::u16string_view title, const std::vector<ColumnWidth>& widths,
                                   FrozenPane pane)
{
    const auto number = static_cast<std::uint32_t>(worksheets_.size() + 1);
    worksheets_.push_back(std::make_unique<CWorksheet>(number, temp_folder_, &strings_, widths, pane));
    worksheets_.back()->SetTitle(title);
    return *worksheets_.back();
}

CWorksheet& CWorkbook::AddSheet(std::u16string_view title)
{
    return AppendSheet(title, {}, {});
}

CWorksheet& CWorkbook::AddSheet(std::u16string_view title, const std::vector<ColumnWidth>& widths)
{
    return AppendSheet(title, widths, {});
}

CWorksheet& CWorkbook::AddSheet(std::u16string_view title, std::uint32_t frozen_width,
                                std::uint32_t frozen_height, const std::vector<ColumnWidth>& widths)
{
    return AppendSheet(title, widths, FrozenPane{frozen_width, frozen_height});
}

bool CWorkbook::AnyFormulas() const
{
    for (const auto& sheet : worksheets_)
        if (sheet->HasFormulas())
            return true;
    return false;
}

PackageSummary CWorkbook::Summary() const
{
    PackageSummary summary;
    for (const auto& sheet : worksheets_)
        summary.worksheetTitles.push_back(sheet->GetTitle());
    summary.hasSharedStrings = !strings_.Empty();
    summary.hasFormulas = AnyFormulas();
    return summary;
}

// Opens "<folder>/<name>", writes the declaration and the document, closes.
template <typename Fn> bool CWorkbook::WritePart(std::u16string_view name, Fn write) const
{
    PartStream stream;
    if (!OpenPartFile(temp_folder_, name, stream))
        return false;
    {
        XmlWriter xml(stream);
        xml << XmlToken::Prolog();
        write(xml);
    }
    // A short write (a full disk) would pack a truncated part: fail instead.
    return stream.Close();
}

bool CWorkbook::WriteStyles() const
{
    return WritePart(u"xl/styles.xml", [this](XmlWriter& xml) { WriteStylesXml(xml, styles_); });
}

bool CWorkbook::WriteTheme() const
{
    return WritePart(u"xl/theme/theme1.xml", [](XmlWriter& xml) { WriteThemeXml(xml); });
}

// Everything before the worksheets, in the package's fixed order.
bool CWorkbook::WriteDescribingParts()
{
    const PackageSummary summary = Summary();
    const std::u16string user = DocumentUserName();
    const std::string stamp = W3cdtfTimeStamp(zv::platform::current_utc_time());
    if (!WritePart(u"docProps/core.xml", [&](XmlWriter& xml) { WriteCoreXml(xml, user, stamp); }) ||
        !WritePart(u"_rels/.rels", [](XmlWriter& xml) { WriteRootRelsXml(xml); }) ||
        !WritePart(u"docProps/app.xml", [&](XmlWriter& xml) { WriteAppXml(xml, summary); }) ||
        !WritePart(u"[Content_Types].xml", [&](XmlWriter& xml) { WriteContentTypesXml(xml, summary); }))
        return false;
    if (summary.hasFormulas) {
        std::vector<FormulaCell> cells;
        for (const auto& sheet : worksheets_)
            for (const std::string& ref : sheet->FormulaCells())
                cells.push_back({ref, sheet->GetIndex()});
        // Listed before writing, so the clean-up also removes a part that failed.
        parts_.push_back(u"xl/calcChain.xml");
        if (!WritePart(u"xl/calcChain.xml", [&](XmlWriter& xml) { WriteCalcChainXml(xml, cells); }))
            return false;
    }
    return WriteSheetParts();
}

bool CWorkbook::WriteSheetParts()
{
    const PackageSummary summary = Summary();
    if (!WriteTheme())
        return false;
    if (!strings_.Empty()) {
        parts_.push_back(u"xl/sharedStrings.xml");
        if (!WritePart(u"xl/sharedStrings.xml",
                       [this](XmlWriter& xml) { WriteSharedStringsXml(xml, strings_); }))
            return false;
    }
    return WriteStyles() &&
           WritePart(u"xl/workbook.xml", [&](XmlWriter& xml) { WriteWorkbookXml(xml, summary); }) &&
           WritePart(u"xl/_rels/workbook.xml.rels",
                     [&](XmlWriter& xml) { WriteWorkbookRelsXml(xml, summary); });
}

bool CWorkbook::WriteSheets()
{
    bool ok = true;
    for (const auto& sheet : worksheets_) {
        parts_.push_back(SheetPartName(sheet->GetIndex()));
        if (!sheet->Save())
            ok = false;
    }
    return ok;
}

bool CWorkbook::Save(std::u16string_view path)
{
    if (saved_)
        return false; // the worksheet files are closed; a second save has nothing to pack
    saved_ = true;
    // Out of memory while writing: the client only learns of a failed save.
    const bool result = zv::foundation::guarded(false, [&] {
        bool written = WriteDescribingParts();
        // Finish the worksheets even after a failure, so their files are
        // closed before the clean-up removes them.
        written = WriteSheets() && written;
        // The target is opened by its wide path: no multibyte limit applies.
        return written && PackParts(std::u16string(path), temp_folder_, parts_);
    });
    CleanUp();
    return result;
}

// Removes the part files and the folders that held them; failures are ignored.
void CWorkbook::CleanUp() const noexcept
{
    // Only the path strings can fail (out of memory); what is left stays.
    zv::foundation::guarded_void([&] {
        for (const auto& part : parts_)
            zv::platform::remove_file(PartPath(temp_folder_, part));
        // Worksheet files exist from AddSheet on, listed or not: never leave them.
        for (const auto& sheet : worksheets_)
            zv::platform::remove_file(PartPath(temp_folder_, SheetPartName(sheet->GetIndex())));
        static const char16_t* const kFolders[] = {u"/xl/_rels", u"/xl/theme", u"/xl", u"/docProps",
                                                   u"/_rels"};
        if (!worksheets_.empty()) {
            zv::platform::remove_empty_directory(temp_folder_ + u"/xl/worksheets/_rels");
            zv::platform::remove_empty_directory(temp_folder_ + u"/xl/worksheets");
        }
        for (const char16_t* folder : kFolders)
            zv::platform::remove_empty_directory(temp_folder_ + folder);
        zv::platform::remove_empty_directory(temp_folder_);
    });
}

} // namespace zv::xlsx
