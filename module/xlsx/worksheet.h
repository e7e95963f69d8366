// One worksheet part of a workbook package, written as a stream: the file is
// opened and its head written when the worksheet is made, every row goes to
// the file at once, and Save writes the tail. Only the texts of string cells
// stay in memory, in the workbook's shared-string table.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "xlsx/cells.h"
#include "xlsx/part_stream.h"
#include "xlsx/shared_strings.h"
#include "xlsx/xml_writer.h"

namespace zv::xlsx
{

// A cell position: 1-based row, 0-based column.
struct CellCoord {
    std::uint32_t row = 0;
    std::uint32_t col = 0;
};

// Size of a frozen pane: columns on the left, rows at the top.
struct FrozenPane {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
};

class CWorksheet
{
  public:
    // `strings` is the workbook's table; without one, texts go into the cells.
    CWorksheet(std::uint32_t number, const std::u16string& temp_folder, SharedStringTable* strings = nullptr,
               const std::vector<ColumnWidth>& widths = {}, FrozenPane pane = {});
    CWorksheet(const CWorksheet&) = delete;
    CWorksheet& operator=(const CWorksheet&) = delete;
    virtual ~CWorksheet();

    // Keeps the title, cut to its first 31 characters.
    void SetTitle(std::u16string_view title);
    const std::u16string& GetTitle() const { return title_; }
    std::uint32_t GetIndex() const { return number_; }
    bool IsOk() const { return ok_; }
    bool HasFormulas() const { return has_formulas_; }
    // References of the formula cells, in order of writing.
    const std::vector<std::string>& FormulaCells() const { return formula_cells_; }
    void SetPageOrientation(bool landscape) { landscape_ = landscape; }

    // One row of text cells; an empty value leaves its column empty.
    CWorksheet& AddRow(const std::vector<StringCell>& row);
    // Rows of other cell kinds, starting at a 0-based column offset, with a
    // height in points (0 = default).
    CWorksheet& AddRow(const std::vector<CellDataTime>& row, std::uint32_t offset = 0, float height = 0);
    CWorksheet& AddRow(const std::vector<CellDataInt>& row, std::uint32_t offset = 0, float height = 0);
    CWorksheet& AddRow(const std::vector<CellDataUInt>& row, std::uint32_t offset = 0, float height = 0);
    CWorksheet& AddRow(const std::vector<CellDataDbl>& row, std::uint32_t offset = 0, float height = 0);
    CWorksheet& AddRow(const std::vector<CellDataFlt>& row, std::uint32_t offset = 0, float height = 0);

    // A row built cell by cell: BeginRow, AddCell for each cell, EndRow.
    void BeginRow(std::uint32_t cells, std::uint32_t offset = 0, float height = 0);
    void AddCell(const StringCell& cell);
    void AddCell(const CellDataTime& cell);
    void AddCell(const CellDataInt& cell);
    void AddCell(const CellDataUInt& cell);
    void AddCell(const CellDataDbl& cell);
    void AddCell(const CellDataFlt& cell);
    void EndRow();

    // Records the range first:last when both rows are not 0.
    void MergeCells(CellCoord first, CellCoord last);

    // Writes the tail and closes the file (called by the workbook's save);
    // false when a write of the file fell short.
    bool Save();

  private:
    void WriteHead(const std::vector<ColumnWidth>& widths, FrozenPane pane);
    void WritePane(FrozenPane pane);
    void OpenRow(std::uint32_t first, std::uint32_t last, float height);
    void OpenCell(std::size_t style_id);
    template <typename Fn> void Guarded(Fn step) noexcept;
    // A shared text of the current row, encoded and hashed ahead.
    struct PreparedText {
        std::size_t offset = 0; // in row_utf8_
        std::size_t size = 0;
        std::uint64_t hash = 0;
    };
    void PrepareSharedTexts(const std::vector<StringCell>& row);
    void WriteStringCell(const StringCell& cell, const PreparedText* prepared = nullptr);
    std::uint64_t SharedIndex(const StringCell& cell, const PreparedText* prepared);
    void WriteSharedStringCell(std::size_t style_id, std::uint64_t index);
    void WriteText(const char* element, std::u16string_view text);
    template <typename Cell>
    CWorksheet& AddNumberRow(const std::vector<Cell>& row, std::uint32_t offset, float height);
    template <typename Number> void WriteNumberCell(Number value, std::size_t style_id);

    std::unique_ptr<PartStream> stream_;
    std::unique_ptr<XmlWriter> xml_;
    std::vector<std::string> formula_cells_;
    SharedStringTable* strings_ = nullptr;
    std::vector<std::string> merged_;
    std::uint32_t number_ = 0;
    std::u16string temp_folder_;
    std::u16string title_ = u"Sheet 1";
    bool has_formulas_ = false;
    bool ok_ = true;
    bool failed_ = false; // a row could not be written completely
    std::uint32_t row_ = 0;
    std::uint32_t cell_ = 0;
    std::uint32_t offset_ = 0;
    bool landscape_ = false;
    std::string utf8_;     // reused for every text lookup
    std::string row_utf8_; // the shared texts of the current row
    std::vector<PreparedText> prepared_;
};

} // namespace zv::xlsx
