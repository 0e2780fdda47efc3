#include "workbook/sheet_cells.h"

#include <algorithm>
#include <numeric>
#include <string>

#include "platform/memory.h"
#include "workbook/reader_limits.h"
#include "workbook/workbook_file.h"

namespace voske {

namespace {

// The shape of the worksheet array for the given last row and column.
std::int64_t ArrayRows(std::int32_t lastRow) { return static_cast<std::int64_t>(lastRow < 1 ? 1 : lastRow) + 2; }
std::int64_t ArrayColumns(std::int32_t lastColumn) { return lastColumn < 1 ? 1 : lastColumn; }

// Room set aside on a declared extent, at most: the declaration may count
// cells that only carry formatting.
constexpr std::uint64_t kMaxReserve = std::uint64_t{1} << 20;

}  // namespace

void CheckCellPosition(std::int64_t row, std::int64_t column) {
  if (row < 1 || row > limits::kMaxRows || column < 1 || column > limits::kMaxColumns)
    throw ReaderError(ReaderError::Kind::TooLarge,
                      "cell at row " + std::to_string(row) + ", column " + std::to_string(column) +
                          " lies outside the worksheet grid");
}

void SheetCells::ExpectExtent(std::int32_t rows, std::int32_t columns) {
  if (!cells_.empty() || rows < 1 || columns < 1 || rows > limits::kMaxRows || columns > limits::kMaxColumns)
    return;
  const std::uint64_t area = static_cast<std::uint64_t>(rows) * static_cast<std::uint64_t>(columns);
  const auto room = static_cast<std::size_t>(std::min(area, kMaxReserve));
  rowOf_.reserve(room);
  columnOf_.reserve(room);
  cells_.reserve(room);
  platform::AdviseLargePages(cells_.data(), cells_.capacity() * sizeof(Cell));
}

void SheetCells::Add(std::int32_t row, std::int32_t column, Cell cell) {
  CheckCellPosition(row, column);
  if (cell.IsEmpty()) return;
  if (const std::size_t length = cell.text.size()) {
    if (length > limits::kMaxCellCharacters)
      throw ReaderError(ReaderError::Kind::TooLarge, "cell at row " + std::to_string(row) + ", column " +
                                                         std::to_string(column) + " holds more than " +
                                                         std::to_string(limits::kMaxCellCharacters) + " characters");
    texts_.Count(length);
  }
  if (row > lastRow_ || column > lastColumn_) {
    if (row > lastRow_) lastRow_ = row;
    if (column > lastColumn_) lastColumn_ = column;
    // Refused as soon as the array could no longer fit, not after every
    // remaining cell has been gathered. Within the area, no more cells can
    // be gathered than it has positions, repeated positions aside.
    if (static_cast<std::uint64_t>(ArrayRows(lastRow_)) * static_cast<std::uint64_t>(ArrayColumns(lastColumn_)) >
        limits::kMaxArrayCells)
      throw ReaderError(ReaderError::Kind::TooLarge, "used range exceeds the reader's budget");
  }
  if (!cells_.empty() && row == rowOf_.back() && column == columnOf_.back()) {
    cells_.back() = std::move(cell);  // a formula's text arriving after its cell
    return;
  }
  if (!ordered_ || cells_.size() >= limits::kMaxArrayCells) {
    if (cells_.size() >= limits::kMaxArrayCells)
      throw ReaderError(ReaderError::Kind::TooLarge, "worksheet holds more cells than the reader accepts");
  } else if (!cells_.empty() && (row < rowOf_.back() || (row == rowOf_.back() && column <= columnOf_.back()))) {
    ordered_ = false;
  }
  rowOf_.push_back(row);
  columnOf_.push_back(column);
  const std::size_t capacity = cells_.capacity();
  cells_.push_back(std::move(cell));
  if (cells_.capacity() != capacity) platform::AdviseLargePages(cells_.data(), cells_.capacity() * sizeof(Cell));
}

WorksheetArray SheetCells::TakeArray() {
  texts_.Flush();
  // Two empty rows below the last used one, as the builders expect to find
  // the end of every list; an empty worksheet still gives 3 x 1.
  const std::int64_t rows = ArrayRows(lastRow_);
  const std::int64_t columns = ArrayColumns(lastColumn_);
  if (static_cast<std::uint64_t>(rows) * static_cast<std::uint64_t>(columns) > limits::kMaxArrayCells)
    throw ReaderError(ReaderError::Kind::TooLarge,
                      "used range of " + std::to_string(rows) + " x " + std::to_string(columns) +
                          " cells exceeds the reader's budget");
  if (!ordered_) {
    // Put in row order; of cells at one position the one added last wins,
    // so the sort keeps the order of addition among equals.
    std::vector<std::uint32_t> order(cells_.size());
    std::iota(order.begin(), order.end(), 0u);
    std::stable_sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
      return rowOf_[a] != rowOf_[b] ? rowOf_[a] < rowOf_[b] : columnOf_[a] < columnOf_[b];
    });
    std::vector<std::int32_t> rowOf, columnOf;
    std::vector<Cell> cells;
    rowOf.reserve(order.size());
    columnOf.reserve(order.size());
    cells.reserve(order.size());
    for (std::size_t k = 0; k < order.size(); ++k) {
      const std::uint32_t i = order[k];
      if (!cells.empty() && rowOf.back() == rowOf_[i] && columnOf.back() == columnOf_[i]) {
        cells.back() = std::move(cells_[i]);
        continue;
      }
      rowOf.push_back(rowOf_[i]);
      columnOf.push_back(columnOf_[i]);
      cells.push_back(std::move(cells_[i]));
    }
    rowOf_ = std::move(rowOf);
    columnOf_ = std::move(columnOf);
    cells_ = std::move(cells);
  }
  WorksheetArray array = WorksheetArray::FromSorted(static_cast<std::int32_t>(rows), static_cast<std::int32_t>(columns),
                                                    rowOf_, columnOf_, cells_);
  rowOf_ = {};
  columnOf_ = {};
  cells_ = {};
  ordered_ = true;
  lastRow_ = lastColumn_ = 0;
  return array;
}

}  // namespace voske
