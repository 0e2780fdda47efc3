#pragma once
// The date a worksheet cell states, as every document writes it. A date cell
// holds a day serial in its workbook's date system; it is read as the date
// the user sees in the cell, whichever system the workbook was saved in.
#include "text/text.h"
#include "values/calendar.h"
#include "workbook/worksheet_array.h"

namespace voske {

// NormalizeDate of the cell text, a number cell's serial first brought to the
// 1900 system. Raises the invalid-date message quoting the cell text as the
// cell holds it.
Text CellDate(const Cell& cell, DateSystem dates);
inline Text DateAt(const WorksheetArray& sheet, int row, int column) {
  return CellDate(sheet.At(row, column), sheet.Dates());
}

}  // namespace voske
