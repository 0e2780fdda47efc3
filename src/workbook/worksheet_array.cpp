#include "workbook/worksheet_array.h"

#include "text/general_number.h"

#include <algorithm>
#include <stdexcept>

namespace voske {

namespace {

const Cell& EmptyCell() {
  static const Cell kEmpty;
  return kEmpty;
}

}  // namespace

WorksheetArray::WorksheetArray(std::int32_t rows, std::int32_t columns)
    : rows_(rows < 0 ? 0 : rows), columns_(columns < 0 ? 0 : columns) {}

WorksheetArray WorksheetArray::FromSorted(std::int32_t rows, std::int32_t columns, std::vector<std::int32_t>& rowOf,
                                          std::vector<std::int32_t>& columnOf, std::vector<Cell>& cells) {
  WorksheetArray array(rows, columns);
  if (cells.empty()) {
    rowOf.clear();
    columnOf.clear();
    return array;
  }
  auto store = std::make_shared<Store>();
  std::size_t distinctRows = 0;
  for (std::size_t i = 0; i < rowOf.size(); ++i)
    if (i == 0 || rowOf[i] != rowOf[i - 1]) ++distinctRows;
  const auto lastRow = static_cast<std::size_t>(rowOf.back());
  // A row directory of 4 bytes for every row up to the last is the quickest
  // to look up; it is used unless it would cost more than the rows holding
  // cells, as when a single cell sits a million rows down.
  if (lastRow <= 2 * distinctRows + 4096) {
    store->rowStart.assign(lastRow + 1, 0);
    std::size_t i = 0;
    for (std::size_t r = 1; r <= lastRow; ++r) {
      store->rowStart[r - 1] = static_cast<std::uint32_t>(i);
      while (i < rowOf.size() && static_cast<std::size_t>(rowOf[i]) == r) ++i;
    }
    store->rowStart[lastRow] = static_cast<std::uint32_t>(rowOf.size());
  } else {
    store->rowNumbers.reserve(distinctRows);
    store->rowStart.reserve(distinctRows + 1);
    for (std::size_t i = 0; i < rowOf.size(); ++i) {
      if (i == 0 || rowOf[i] != rowOf[i - 1]) {
        store->rowNumbers.push_back(rowOf[i]);
        store->rowStart.push_back(static_cast<std::uint32_t>(i));
      }
    }
    store->rowStart.push_back(static_cast<std::uint32_t>(rowOf.size()));
  }
  rowOf.clear();
  rowOf.shrink_to_fit();
  store->columnOf = std::move(columnOf);
  store->cells = std::move(cells);
  columnOf.clear();
  cells.clear();
  array.store_ = std::move(store);
  return array;
}

bool WorksheetArray::RowRange(std::int32_t row, std::uint32_t& begin, std::uint32_t& end) const {
  const Store& s = *store_;
  std::size_t k;
  if (s.rowNumbers.empty()) {
    k = static_cast<std::size_t>(row - 1);
    if (k + 1 >= s.rowStart.size()) return false;
  } else {
    const auto it = std::lower_bound(s.rowNumbers.begin(), s.rowNumbers.end(), row);
    if (it == s.rowNumbers.end() || *it != row) return false;
    k = static_cast<std::size_t>(it - s.rowNumbers.begin());
  }
  begin = s.rowStart[k];
  end = s.rowStart[k + 1];
  return begin < end;
}

std::int64_t WorksheetArray::Find(std::int32_t row, std::int32_t column) const {
  if (!store_ || row < 1 || column < 1 || row > rows_ || column > columns_) return -1;
  std::uint32_t begin = 0, end = 0;
  if (!RowRange(row, begin, end)) return -1;
  const std::vector<std::int32_t>& columns = store_->columnOf;
  // Rows filled from column 1 on, the usual case, find the cell at once.
  const std::uint32_t guess = begin + static_cast<std::uint32_t>(column - 1);
  if (guess < end && columns[guess] == column) return guess;
  const auto first = columns.begin() + begin, last = columns.begin() + end;
  const auto it = std::lower_bound(first, last, column);
  if (it == last || *it != column) return -1;
  return it - columns.begin();
}

const Cell& WorksheetArray::At(std::int32_t row, std::int32_t column) const {
  const std::int64_t i = Find(row, column);
  return i < 0 ? EmptyCell() : store_->cells[static_cast<std::size_t>(i)];
}

Text WorksheetArray::TextAt(std::int32_t row, std::int32_t column) const { return CellText(At(row, column)); }

Cell& WorksheetArray::Mutable(std::int32_t row, std::int32_t column) {
  if (row < 1 || column < 1 || row > rows_ || column > columns_)
    throw std::out_of_range("worksheet array index");
  if (store_ && store_.use_count() > 1) store_ = std::make_shared<Store>(*store_);
  const std::int64_t found = Find(row, column);
  if (found >= 0) return store_->cells[static_cast<std::size_t>(found)];

  // After every stored cell, as when an array is filled row by row: added
  // at the end, without laying out the rest again.
  if (store_ && !store_->cells.empty()) {
    Store& s = *store_;
    const bool dense = s.rowNumbers.empty();
    const std::int32_t lastRow = dense ? static_cast<std::int32_t>(s.rowStart.size() - 1) : s.rowNumbers.back();
    const auto total = static_cast<std::uint32_t>(s.cells.size());
    const bool after = row > lastRow || (row == lastRow && column > s.columnOf.back());
    const bool nearRow = !dense || static_cast<std::size_t>(row - lastRow) <= 2 * s.rowStart.size() + 4096;
    if (after && nearRow) {
      if (row == lastRow) {
        s.rowStart.back() = total + 1;
      } else if (dense) {
        for (std::int32_t r = lastRow + 1; r < row; ++r) s.rowStart.push_back(total);
        s.rowStart.push_back(total + 1);
      } else {
        s.rowNumbers.push_back(row);
        s.rowStart.push_back(total + 1);
      }
      s.columnOf.push_back(column);
      s.cells.emplace_back();
      return s.cells.back();
    }
  }

  // Not stored yet: laid out again with the new cell in its place.
  std::vector<std::int32_t> rowOf, columnOf;
  std::vector<Cell> cells;
  std::size_t at = 0;
  bool placed = false;
  const auto add = [&](std::int32_t r, std::int32_t c, Cell cell) {
    if (!placed && (r > row || (r == row && c > column))) {
      at = cells.size();
      rowOf.push_back(row);
      columnOf.push_back(column);
      cells.emplace_back();
      placed = true;
    }
    rowOf.push_back(r);
    columnOf.push_back(c);
    cells.push_back(std::move(cell));
  };
  if (store_) {
    Store& s = *store_;
    for (std::size_t k = 0; k + 1 < s.rowStart.size(); ++k) {
      const std::int32_t r = s.rowNumbers.empty() ? static_cast<std::int32_t>(k + 1) : s.rowNumbers[k];
      for (std::uint32_t i = s.rowStart[k]; i < s.rowStart[k + 1]; ++i) add(r, s.columnOf[i], std::move(s.cells[i]));
    }
  }
  if (!placed) {
    at = cells.size();
    rowOf.push_back(row);
    columnOf.push_back(column);
    cells.emplace_back();
  }
  const DateSystem dates = dates_;
  *this = FromSorted(rows_, columns_, rowOf, columnOf, cells);
  dates_ = dates;
  return store_->cells[at];
}

Text CellText(const Cell& cell) {
  switch (cell.kind) {
    case Cell::Kind::Empty: return Text();
    case Cell::Kind::Number: return GeneralNumberText(cell.number);
    case Cell::Kind::Text: return cell.text;
    case Cell::Kind::Boolean: return cell.boolean ? "True" : "False";
    case Cell::Kind::Error: return cell.text;
  }
  return Text();
}

}  // namespace voske
