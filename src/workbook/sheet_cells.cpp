#include "workbook/sheet_cells.h"

#include <string>

#include "workbook/reader_limits.h"
#include "workbook/workbook_file.h"

namespace voske {

void CheckCellPosition(std::int64_t row, std::int64_t column) {
  if (row < 1 || row > limits::kMaxRows || column < 1 || column > limits::kMaxColumns)
    throw ReaderError(ReaderError::Kind::TooLarge,
                      "cell at row " + std::to_string(row) + ", column " + std::to_string(column) +
                          " lies outside the worksheet grid");
}

void SheetCells::Add(std::int32_t row, std::int32_t column, Cell cell) {
  CheckCellPosition(row, column);
  if (cell.IsEmpty()) return;
  if (cells_.size() >= limits::kMaxArrayCells)
    throw ReaderError(ReaderError::Kind::TooLarge, "worksheet holds more cells than the reader accepts");
  if (row > lastRow_) lastRow_ = row;
  if (column > lastColumn_) lastColumn_ = column;
  cells_.push_back(Entry{row, column, std::move(cell)});
}

WorksheetArray SheetCells::TakeArray() {
  // Two empty rows below the last used one, as the builders expect to find
  // the end of every list; an empty worksheet still gives 3 x 1.
  const std::int64_t rows = static_cast<std::int64_t>(lastRow_ < 1 ? 1 : lastRow_) + 2;
  const std::int64_t columns = lastColumn_ < 1 ? 1 : lastColumn_;
  if (static_cast<std::uint64_t>(rows) * static_cast<std::uint64_t>(columns) > limits::kMaxArrayCells)
    throw ReaderError(ReaderError::Kind::TooLarge,
                      "used range of " + std::to_string(rows) + " x " + std::to_string(columns) +
                          " cells exceeds the reader's budget");
  WorksheetArray array(static_cast<std::int32_t>(rows), static_cast<std::int32_t>(columns));
  for (Entry& e : cells_) array.Mutable(e.row, e.column) = std::move(e.cell);
  cells_.clear();
  cells_.shrink_to_fit();
  lastRow_ = lastColumn_ = 0;
  return array;
}

}  // namespace voske
