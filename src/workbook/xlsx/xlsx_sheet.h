#pragma once
// One worksheet part of a spreadsheet package, read into a worksheet array.
#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "text/text.h"
#include "workbook/text_budget.h"
#include "workbook/worksheet_array.h"
#include "workbook/zip_archive.h"

namespace voske {

struct XlsxSheetContext {
  // The workbook's shared-string table; text cells refer to its entries
  // instead of copying them.
  std::shared_ptr<const std::vector<Text>> sharedStrings;
  bool date1904;
  std::uint64_t partBytes = 0;  // declared size of the worksheet part
  TextBudget* texts = nullptr;  // the workbook's, charged with every text read
};

// The worksheet array of the part: each cell's stored value (a formula's
// cached result), cells that only carry formatting left empty. Throws
// ReaderError: Corrupt for an inconsistent cell, TooLarge beyond the grid,
// for a cell longer than a cell holds, or past the reader's budgets;
// XmlParseCancelled once `cancel` (when given) is raised.
WorksheetArray ReadXlsxSheet(ZipArchive& archive, std::uint64_t entry, const XlsxSheetContext& context,
                             const std::atomic<bool>* cancel = nullptr);

// The 1-based row and column of a reference such as "B26"; a reference with
// letters only ("B") gives row 0. Throws ReaderError: Corrupt when malformed,
// TooLarge beyond the grid.
void ParseCellReference(std::string_view reference, std::int32_t& row, std::int32_t& column);

}  // namespace voske
