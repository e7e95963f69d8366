#include "xlsx/worksheet.h"

#include <charconv>

#include "foundation/guard.h"
#include "xlsx/cell_text.h"
#include "xlsx/package_folder.h"
#include "xlsx/utf8.h"

namespace zv::xlsx
{
namespace
{

constexpr std::size_t kMaxTitle = 31;

std::u16string WorksheetPart(std::uint32_t number)
{
    const std::string name = "xl/worksheets/sheet" + std::to_string(number) + ".xml";
    return std::u16string(name.begin(), name.end());
}

// "%s%d" of a cell into a small buffer; returns its length.
struct RefBuffer {
    char text[24];
    std::size_t size = 0;
    RefBuffer(std::uint32_t row, std::uint32_t column)
    {
        size = ColumnLetters(column, text);
        size = static_cast<std::size_t>(std::to_chars(text + size, text + sizeof text, row).ptr - text);
    }
    std::string_view view() const { return {text, size}; }
};

} // namespace

// Runs one writing step; running out of memory marks the worksheet failed
// (its save then reports false) instead of throwing at the caller.
template <typename Fn> void CWorksheet::Guarded(Fn step) noexcept
{
    if (!zv::foundation::guarded(false, [&] {
            step();
            return true;
        }))
        failed_ = true;
}

CWorksheet::CWorksheet(std::uint32_t number, const std::u16string& temp_folder, SharedStringTable* strings,
                       const std::vector<ColumnWidth>& widths, FrozenPane pane)
    : stream_(std::make_unique<PartStream>()), strings_(strings), number_(number), temp_folder_(temp_folder)
{
    if (!OpenPartFile(temp_folder_, WorksheetPart(number_), *stream_) || !stream_->IsOpen()) {
        ok_ = false;
        return;
    }
    xml_ = std::make_unique<XmlWriter>(*stream_);
    WriteHead(widths, pane);
}

CWorksheet::~CWorksheet()
{
    xml_.reset();
    stream_.reset();
}

void CWorksheet::SetTitle(std::u16string_view title)
{
    title_ = std::u16string(title.substr(0, kMaxTitle));
}

void CWorksheet::WriteHead(const std::vector<ColumnWidth>& widths, FrozenPane pane)
{
    XmlWriter& xml = *xml_;
    xml << XmlToken::Prolog();
    xml.Tag("worksheet").Attr("xmlns", "http://schemas.openxmlformats.org/spreadsheetml/2006/main");
    xml.Attr("xmlns:r", "http://schemas.openxmlformats.org/officeDocument/2006/relationships");
    xml.Attr("xmlns:mc", "http://schemas.openxmlformats.org/markup-compatibility/2006");
    xml.Attr("mc:Ignorable", "x14ac");
    xml.Attr("xmlns:x14ac", "http://schemas.microsoft.com/office/spreadsheetml/2009/9/ac");
    xml.Tag("dimension").Attr("ref", "A1").End();
    xml.Tag("sheetViews").Tag("sheetView").Attr("tabSelected", 0).Attr("workbookViewId", 0);
    if (pane.width != 0 || pane.height != 0)
        WritePane(pane);
    xml.End("sheetViews");
    xml.Tag("sheetFormatPr").Attr("defaultRowHeight", 15).Attr("x14ac:dyDescent", 0.25).End();
    if (!widths.empty()) {
        xml.Tag("cols");
        for (const ColumnWidth& w : widths)
            xml.Tag("col")
                .Attr("min", std::uint64_t{w.colFrom} + 1)
                .Attr("max", std::uint64_t{w.colTo} + 1)
                .Attr("width", w.width)
                .End();
        xml.End("cols");
    }
    xml.Tag("sheetData");
}

void CWorksheet::WritePane(FrozenPane pane)
{
    XmlWriter& xml = *xml_;
    const char* active = pane.width && pane.height ? "bottomRight" : pane.width ? "topRight" : "bottomLeft";
    const RefBuffer corner(pane.height + 1, pane.width);
    xml.Tag("pane");
    if (pane.width)
        xml.Attr("xSplit", pane.width);
    if (pane.height)
        xml.Attr("ySplit", pane.height);
    xml.Attr("topLeftCell", corner.view()).Attr("activePane", active).Attr("state", "frozen").End();
    if (pane.width) {
        const RefBuffer cell(1, pane.width);
        xml.Tag("selection")
            .Attr("pane", "topRight")
            .Attr("activeCell", cell.view())
            .Attr("sqref", cell.view())
            .End();
    }
    if (pane.height) {
        const RefBuffer cell(pane.height + 1, 0);
        xml.Tag("selection")
            .Attr("pane", "bottomLeft")
            .Attr("activeCell", cell.view())
            .Attr("sqref", cell.view());
        xml.End();
    }
    if (pane.width && pane.height)
        xml.Tag("selection")
            .Attr("pane", "bottomRight")
            .Attr("activeCell", corner.view())
            .Attr("sqref", corner.view())
            .End();
}

void CWorksheet::OpenRow(std::uint32_t first, std::uint32_t last, float height)
{
    // Two 10-digit numbers and a colon always fit.
    char spans[32] = {};
    char* end = std::to_chars(spans, spans + 12, first).ptr;
    *end = ':';
    end = std::to_chars(end + 1, spans + sizeof spans, last).ptr;
    ++row_;
    xml_->Tag("row").Attr("r", row_).Attr("spans",
                                          std::string_view(spans, static_cast<std::size_t>(end - spans)));
    if (height != 0)
        xml_->Attr("ht", height).Attr("customHeight", 1);
    xml_->Attr("x14ac:dyDescent", "0.25");
}

void CWorksheet::OpenCell(std::size_t style_id)
{
    const RefBuffer ref(row_, offset_ + cell_);
    xml_->Tag("c").Attr("r", ref.view());
    if (style_id != 0)
        xml_->Attr("s", style_id);
}

CWorksheet& CWorksheet::AddRow(const std::vector<StringCell>& row)
{
    if (!ok_)
        return *this;
    Guarded([&] {
        offset_ = 0;
        cell_ = 0;
        OpenRow(1, static_cast<std::uint32_t>(row.size() + 1), 0);
        PrepareSharedTexts(row);
        for (std::size_t i = 0; i < row.size(); ++i)
            WriteStringCell(row[i], prepared_.empty() ? nullptr : &prepared_[i]);
        xml_->End("row");
    });
    return *this;
}

// Encodes the row's shared texts and starts fetching their slots of the
// string table, so that a row's lookups wait on memory together, not in turn.
void CWorksheet::PrepareSharedTexts(const std::vector<StringCell>& row)
{
    row_utf8_.clear();
    prepared_.clear();
    if (strings_ == nullptr)
        return;
    for (const StringCell& cell : row) {
        PreparedText text;
        if (!cell.value.empty() && cell.value.front() != u'=') {
            text.offset = row_utf8_.size();
            AppendUtf8(cell.value, row_utf8_);
            text.size = row_utf8_.size() - text.offset;
            text.hash = SharedStringTable::Hash(std::string_view(row_utf8_).substr(text.offset, text.size));
            strings_->Prefetch(text.hash);
        }
        prepared_.push_back(text);
    }
}

void CWorksheet::AddCell(const StringCell& cell)
{
    Guarded([&] { WriteStringCell(cell); });
}

void CWorksheet::WriteStringCell(const StringCell& cell, const PreparedText* prepared)
{
    if (!ok_)
        return;
    if (cell.value.empty()) {
        ++cell_;
        return;
    }
    if (cell.value.front() == u'=') {
        OpenCell(cell.style_id);
        WriteText("f", std::u16string_view(cell.value).substr(1));
        has_formulas_ = true;
        formula_cells_.emplace_back(RefBuffer(row_, offset_ + cell_).view());
        xml_->End("c");
    } else if (strings_ != nullptr) {
        WriteSharedStringCell(cell.style_id, SharedIndex(cell, prepared));
    } else {
        OpenCell(cell.style_id);
        WriteText("v", cell.value);
        xml_->End("c");
    }
    ++cell_;
}

// The cell's index in the shared-string table, added when new.
std::uint64_t CWorksheet::SharedIndex(const StringCell& cell, const PreparedText* prepared)
{
    if (prepared != nullptr)
        return strings_->IndexOf(std::string_view(row_utf8_.data() + prepared->offset, prepared->size),
                                 prepared->hash);
    utf8_.clear();
    AppendUtf8(cell.value, utf8_);
    return strings_->IndexOf(utf8_);
}

// The cell of a shared string as one piece of markup, the most common cell
// by far: the bytes of OpenCell, the type "s" and a "v" holding the index.
void CWorksheet::WriteSharedStringCell(std::size_t style_id, std::uint64_t index)
{
    char markup[96];
    char* const end = markup + sizeof markup;
    const auto put = [](char* at, std::string_view text) { return at + text.copy(at, text.size()); };
    char* p = put(markup, "<c r=\"");
    p += ColumnLetters(offset_ + cell_, p);
    p = std::to_chars(p, end, row_).ptr;
    if (style_id != 0)
        p = std::to_chars(put(p, "\" s=\""), end, style_id).ptr;
    p = std::to_chars(put(p, "\" t=\"s\"><v>"), end, index).ptr;
    p = put(p, "</v></c>");
    xml_->Markup(std::string_view(markup, static_cast<std::size_t>(p - markup)));
}

// An element holding text of the cell itself (a formula, or the text of a
// sheet without shared strings), escaped like the shared strings so that no
// control character breaks the part.
void CWorksheet::WriteText(const char* element, std::u16string_view text)
{
    utf8_.clear();
    AppendUtf8(text, utf8_);
    xml_->Tag(element);
    WriteCellText(*xml_, utf8_);
}

template <typename Number> void CWorksheet::WriteNumberCell(Number value, std::size_t style_id)
{
    if (!ok_)
        return;
    Guarded([&] {
        OpenCell(style_id);
        xml_->Tag("v").Text(value).End("c");
        ++cell_;
    });
}

void CWorksheet::AddCell(const CellDataTime& cell)
{
    WriteNumberCell(SerialDayNumber(cell.value), cell.style_id);
}
void CWorksheet::AddCell(const CellDataInt& cell)
{
    WriteNumberCell(cell.value, cell.style_id);
}
void CWorksheet::AddCell(const CellDataUInt& cell)
{
    WriteNumberCell(cell.value, cell.style_id);
}
void CWorksheet::AddCell(const CellDataDbl& cell)
{
    WriteNumberCell(cell.value, cell.style_id);
}
void CWorksheet::AddCell(const CellDataFlt& cell)
{
    WriteNumberCell(cell.value, cell.style_id);
}

void CWorksheet::BeginRow(std::uint32_t cells, std::uint32_t offset, float height)
{
    if (!ok_)
        return;
    offset_ = offset;
    cell_ = 0;
    Guarded([&] { OpenRow(offset + 1, offset + 1 + cells, height); });
}

void CWorksheet::EndRow()
{
    if (ok_)
        xml_->End("row");
}

template <typename Cell>
CWorksheet& CWorksheet::AddNumberRow(const std::vector<Cell>& row, std::uint32_t offset, float height)
{
    BeginRow(static_cast<std::uint32_t>(row.size()), offset, height);
    for (const Cell& cell : row)
        AddCell(cell);
    EndRow();
    return *this;
}

CWorksheet& CWorksheet::AddRow(const std::vector<CellDataTime>& row, std::uint32_t offset, float height)
{
    return AddNumberRow(row, offset, height);
}
CWorksheet& CWorksheet::AddRow(const std::vector<CellDataInt>& row, std::uint32_t offset, float height)
{
    return AddNumberRow(row, offset, height);
}
CWorksheet& CWorksheet::AddRow(const std::vector<CellDataUInt>& row, std::uint32_t offset, float height)
{
    return AddNumberRow(row, offset, height);
}
CWorksheet& CWorksheet::AddRow(const std::vector<CellDataDbl>& row, std::uint32_t offset, float height)
{
    return AddNumberRow(row, offset, height);
}
CWorksheet& CWorksheet::AddRow(const std::vector<CellDataFlt>& row, std::uint32_t offset, float height)
{
    return AddNumberRow(row, offset, height);
}

void CWorksheet::MergeCells(CellCoord first, CellCoord last)
{
    if (first.row == 0 || last.row == 0)
        return;
    Guarded([&] {
        merged_.push_back(CellReference(first.row, first.col) + ":" + CellReference(last.row, last.col));
    });
}

bool CWorksheet::Save()
{
    if (!ok_)
        return !failed_; // nothing open; the archive step notices a missing file
    XmlWriter& xml = *xml_;
    xml.End("sheetData");
    if (!merged_.empty()) {
        xml.Tag("mergeCells").Attr("count", merged_.size());
        for (const std::string& range : merged_)
            xml.Tag("mergeCell").Attr("ref", range).End();
        xml.End("mergeCells");
    }
    xml.Tag("pageMargins").Attr("left", 0.7).Attr("right", 0.7).Attr("top", 0.75).Attr("bottom", 0.75);
    xml.Attr("header", 0.3).Attr("footer", 0.3).End();
    xml.Tag("pageSetup")
        .Attr("paperSize", 9)
        .Attr("orientation", landscape_ ? "landscape" : "portrait")
        .End();
    xml_.reset();
    ok_ = false;
    // A short write or a lost row would leave a truncated part: report it.
    return stream_->Close() && !failed_;
}

} // namespace zv::xlsx
