#include "workbook/sheet_cells.h"

#include <string>

#include "workbook/reader_limits.h"
#include "workbook/workbook_file.h"

namespace voske {

namespace {

// The shape of the worksheet array for the given last row and column.
std::int64_t ArrayRows(std::int32_t lastRow) { return static_cast<std::int64_t>(lastRow < 1 ? 1 : lastRow) + 2; }
std::int64_t ArrayColumns(std::int32_t lastColumn) { return lastColumn < 1 ? 1 : lastColumn; }

}  // namespace

void CheckCellPosition(std::int64_t row, std::int64_t column) {
  if (row < 1 || row > limits::kMaxRows || column < 1 || column > limits::kMaxColumns)
    throw ReaderError(ReaderError::Kind::TooLarge,
                      "cell at row " + std::to_string(row) + ", column " + std::to_string(column) +
                          " lies outside the worksheet grid");
}

void SheetCells::ExpectExtent(std::int32_t rows, std::int32_t columns) {
  if (placing_ || count_ > 0 || rows < 1 || columns < 1 || rows > limits::kMaxRows || columns > limits::kMaxColumns)
    return;
  const std::int64_t r = ArrayRows(rows), c = ArrayColumns(columns);
  if (static_cast<std::uint64_t>(r) * static_cast<std::uint64_t>(c) > limits::kMaxArrayCells) return;
  placed_ = WorksheetArray(static_cast<std::int32_t>(r), static_cast<std::int32_t>(c));
  placing_ = true;
}

void SheetCells::Spill() {
  for (std::int32_t r = 1; r <= placed_.Rows(); ++r)
    for (std::int32_t c = 1; c <= placed_.Columns(); ++c) {
      Cell& cell = placed_.Mutable(r, c);
      if (!cell.IsEmpty()) entries_.push_back(Entry{r, c, std::move(cell)});
    }
  placed_ = WorksheetArray();
  placing_ = false;
}

void SheetCells::Add(std::int32_t row, std::int32_t column, Cell cell) {
  CheckCellPosition(row, column);
  if (cell.IsEmpty()) return;
  if (count_ >= limits::kMaxArrayCells)
    throw ReaderError(ReaderError::Kind::TooLarge, "worksheet holds more cells than the reader accepts");
  ++count_;
  if (row > lastRow_ || column > lastColumn_) {
    if (row > lastRow_) lastRow_ = row;
    if (column > lastColumn_) lastColumn_ = column;
    // Refused as soon as the array could no longer fit, not after every
    // remaining cell has been gathered.
    if (static_cast<std::uint64_t>(ArrayRows(lastRow_)) * static_cast<std::uint64_t>(ArrayColumns(lastColumn_)) >
        limits::kMaxArrayCells)
      throw ReaderError(ReaderError::Kind::TooLarge, "used range exceeds the reader's budget");
  }
  if (placing_ && (row > placed_.Rows() || column > placed_.Columns())) Spill();
  if (placing_) {
    placed_.Mutable(row, column) = std::move(cell);
  } else {
    entries_.push_back(Entry{row, column, std::move(cell)});
  }
}

WorksheetArray SheetCells::TakeArray() {
  // Two empty rows below the last used one, as the builders expect to find
  // the end of every list; an empty worksheet still gives 3 x 1.
  const std::int64_t rows = ArrayRows(lastRow_);
  const std::int64_t columns = ArrayColumns(lastColumn_);
  if (static_cast<std::uint64_t>(rows) * static_cast<std::uint64_t>(columns) > limits::kMaxArrayCells)
    throw ReaderError(ReaderError::Kind::TooLarge,
                      "used range of " + std::to_string(rows) + " x " + std::to_string(columns) +
                          " cells exceeds the reader's budget");
  WorksheetArray array;
  if (placing_ && placed_.Rows() == rows && placed_.Columns() == columns) {
    array = std::move(placed_);
  } else {
    // The declared extent was larger than the values (it counts cells that
    // only carry formatting) or was never given.
    array = WorksheetArray(static_cast<std::int32_t>(rows), static_cast<std::int32_t>(columns));
    if (placing_) {
      for (std::int32_t r = 1; r <= rows - 2 && r <= placed_.Rows(); ++r)
        for (std::int32_t c = 1; c <= columns && c <= placed_.Columns(); ++c) {
          Cell& cell = placed_.Mutable(r, c);
          if (!cell.IsEmpty()) array.Mutable(r, c) = std::move(cell);
        }
    }
    for (Entry& e : entries_) array.Mutable(e.row, e.column) = std::move(e.cell);
  }
  placed_ = WorksheetArray();
  placing_ = false;
  entries_.clear();
  entries_.shrink_to_fit();
  count_ = 0;
  lastRow_ = lastColumn_ = 0;
  return array;
}

}  // namespace voske
