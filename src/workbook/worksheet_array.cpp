#include "workbook/worksheet_array.h"

#include "text/general_number.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace voske {

WorksheetArray::WorksheetArray(std::int32_t rows, std::int32_t columns)
    : rows_(rows < 0 ? 0 : rows), columns_(columns < 0 ? 0 : columns) {
  cells_.resize(static_cast<size_t>(rows_) * static_cast<size_t>(columns_));
}

const Cell& WorksheetArray::At(std::int32_t row, std::int32_t column) const {
  static const Cell kEmpty;
  if (row < 1 || column < 1 || row > rows_ || column > columns_) return kEmpty;
  return cells_[static_cast<size_t>(row - 1) * static_cast<size_t>(columns_) + static_cast<size_t>(column - 1)];
}

Text WorksheetArray::TextAt(std::int32_t row, std::int32_t column) const { return CellText(At(row, column)); }

Cell& WorksheetArray::Mutable(std::int32_t row, std::int32_t column) {
  if (row < 1 || column < 1 || row > rows_ || column > columns_)
    throw std::out_of_range("worksheet array index");
  return cells_[static_cast<size_t>(row - 1) * static_cast<size_t>(columns_) + static_cast<size_t>(column - 1)];
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
