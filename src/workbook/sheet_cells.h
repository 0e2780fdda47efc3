#pragma once
// The cells a reader finds in one worksheet, gathered in file order and then
// laid out as the worksheet array. Every format reader shares it, so the used
// range is decided in one place: rows run to the last row holding a value,
// plus two empty rows; columns to the last column holding a value; never less
// than 3 x 1. Cells that carry only formatting are never added, so they do not
// widen the array; reads beyond it are empty anyway.
#include <cstdint>
#include <vector>

#include "workbook/text_budget.h"
#include "workbook/worksheet_array.h"

namespace voske {

class SheetCells {
 public:
  // Texts of the cells added count against `texts`, when given.
  explicit SheetCells(TextBudget* texts = nullptr) : texts_(texts) {}

  // The extent the file declares for its cells (1-based, inclusive), when it
  // declares one: room for that many cells is set aside, up to a modest
  // amount. The declaration is only a hint: cells outside it are still taken.
  void ExpectExtent(std::int32_t rows, std::int32_t columns);

  // A cell holding a value at the 1-based `row`, `column`. Throws
  // ReaderError(TooLarge) beyond the spreadsheet's grid, for a text longer
  // than a cell holds, or when the worksheet would exceed the reader's cell
  // or text budget (a text shown by many cells counts for each). An empty
  // `cell` is ignored. A later value at the same position replaces an
  // earlier one.
  void Add(std::int32_t row, std::int32_t column, Cell cell);

  // The worksheet array of the cells added so far, which it consumes.
  // Throws ReaderError(TooLarge) when the array would exceed the budget.
  WorksheetArray TakeArray();

 private:
  // The cells in the order added; ordered_ while each lies after the one
  // before it in row order, as nearly every file writes them.
  std::vector<std::int32_t> rowOf_;
  std::vector<std::int32_t> columnOf_;
  std::vector<Cell> cells_;
  TextMeter texts_;
  bool ordered_ = true;
  std::int32_t lastRow_ = 0;
  std::int32_t lastColumn_ = 0;
};

// Throws ReaderError(TooLarge) unless 1 <= row <= the spreadsheet's last row
// and 1 <= column <= its last column.
void CheckCellPosition(std::int64_t row, std::int64_t column);

}  // namespace voske
