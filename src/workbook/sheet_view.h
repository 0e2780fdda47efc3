#pragma once
// One loaded worksheet as the document builders read it: its array together
// with which worksheet it is, so that every value read can say where it came
// from. Cells are addressed as (row, Col('G')): the row number and the column
// letter, as the user sees them in the workbook.
#include <cstdint>

#include "workbook/sheet_names.h"
#include "workbook/worksheet_array.h"

namespace voske {

// Column number of a column letter ('A' is 1).
constexpr std::int32_t Col(char letter) { return letter - 'A' + 1; }

class SheetView {
 public:
  SheetView(SheetId id, const WorksheetArray& array) : id_(id), array_(&array) {}

  SheetId Id() const { return id_; }
  const Text& Name() const { return SheetName(id_); }

  // The used area's last row: a list that runs to the end of the worksheet
  // stops there.
  std::int32_t Rows() const { return array_->Rows(); }

  // The cell at (row, column), 1-based; outside the used area, an empty cell.
  const Cell& At(std::int32_t row, std::int32_t column) const { return array_->At(row, column); }
  // Cell text of (row, column) (see CellText).
  Text TextAt(std::int32_t row, std::int32_t column) const { return array_->TextAt(row, column); }
  // The date system its workbook was saved in, for reading date cells.
  DateSystem Dates() const { return array_->Dates(); }

 private:
  SheetId id_;
  const WorksheetArray* array_;
};

}  // namespace voske
