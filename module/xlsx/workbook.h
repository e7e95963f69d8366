// An Office Open XML spreadsheet package: worksheets, the shared-string
// table and the style list. Save writes every part into a private temporary
// folder, packs the folder into the .xlsx archive and removes the part files.
// A workbook is saved once; failures are a false result, never an exception.
//
// Beyond the plain format:
// - worksheet titles and the user name are plain text and are XML-quoted
//   when written, so &, < and " never break a part (cell texts are not: the
//   caller quotes them);
// - two workbooks alive on one thread never share a temporary folder, even
//   within one clock tick (see ReserveTemporaryFolder);
// - cell texts keep every character: controls that XML cannot carry are
//   written in the format's "_xHHHH_" form, and texts with spaces at either
//   end are marked so that readers keep the spaces (see cell_text.h);
// - the target is opened by its wide path, with no length limit of its own;
//   part paths in the temporary folder keep the multibyte limit, counted in
//   the ANSI code page;
// - a part path over that limit, a part that cannot be created, a write that
//   falls short and an archive that could not be completed all make Save
//   answer false, and every temporary file and folder is removed, worksheet
//   files included.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "xlsx/cells.h"
#include "xlsx/package_parts.h"
#include "xlsx/shared_strings.h"
#include "xlsx/style_list.h"
#include "xlsx/worksheet.h"

namespace zv::xlsx
{

class CWorkbook
{
  public:
    // Chooses the temporary folder and registers the two initial styles;
    // creates nothing on disk.
    CWorkbook();
    CWorkbook(const CWorkbook&) = delete;
    CWorkbook& operator=(const CWorkbook&) = delete;
    // Removes no files: part files are removed only by Save.
    virtual ~CWorkbook();

    // A new worksheet, owned by the workbook; its file is created at once.
    CWorksheet& AddSheet(std::u16string_view title);
    CWorksheet& AddSheet(std::u16string_view title, const std::vector<ColumnWidth>& widths);
    CWorksheet& AddSheet(std::u16string_view title, std::uint32_t frozen_width, std::uint32_t frozen_height,
                         const std::vector<ColumnWidth>& widths = {});

    // Registers a cell style; returns the style index cells refer to.
    std::size_t AddStyle(const Style& style) { return styles_.Add(style); }

    // Writes the package to `path` (created or replaced). True only when
    // every part went into the archive and the archive was completed.
    bool Save(std::u16string_view path);

    // Write "xl/styles.xml" and "xl/theme/theme1.xml" into the temporary
    // folder; false when the path cannot be converted for opening or a write
    // fell short. A file that cannot be created is noticed when packing.
    bool WriteStyles() const;
    bool WriteTheme() const;

    const std::u16string& TemporaryFolder() const { return temp_folder_; }
    const std::vector<std::u16string>& PartNames() const { return parts_; }
    const StyleList& Styles() const { return styles_; }
    const SharedStringTable& SharedStrings() const { return strings_; }

  private:
    CWorksheet& AppendSheet(std::u16string_view title, const std::vector<ColumnWidth>& widths,
                            FrozenPane pane);
    PackageSummary Summary() const;
    bool AnyFormulas() const;
    bool WriteDescribingParts();
    bool WriteSheetParts();
    bool WriteSheets();
    template <typename Fn> bool WritePart(std::u16string_view name, Fn write) const;
    void CleanUp() const noexcept;

    std::u16string temp_folder_;
    std::vector<std::u16string> parts_;
    std::vector<std::unique_ptr<CWorksheet>> worksheets_;
    SharedStringTable strings_;
    StyleList styles_;
    bool saved_ = false;
};

} // namespace zv::xlsx
