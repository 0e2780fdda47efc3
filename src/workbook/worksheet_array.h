#pragma once
// The worksheet array: every cell of one worksheet's used area, indexed from
// 1 as [row, column], holding what the spreadsheet's raw value of each cell is
// (numbers as doubles, dates and times as day serials, texts, booleans,
// errors). The builders walk it row by row.
#include <cstdint>
#include <vector>

#include "text/text.h"
#include "values/calendar.h"

namespace voske {

struct Cell {
  enum class Kind : std::uint8_t { Empty, Number, Text, Boolean, Error };

  Kind kind = Kind::Empty;
  bool boolean = false;
  double number = 0.0;
  Text text;  // the text of a Text cell, or the literal of an Error cell ("#N/A")

  static Cell MakeNumber(double v) { Cell c; c.kind = Kind::Number; c.number = v; return c; }
  static Cell MakeText(Text v) { Cell c; c.kind = Kind::Text; c.text = std::move(v); return c; }
  static Cell MakeBoolean(bool v) { Cell c; c.kind = Kind::Boolean; c.boolean = v; return c; }
  static Cell MakeError(Text literal) { Cell c; c.kind = Kind::Error; c.text = std::move(literal); return c; }

  bool IsEmpty() const { return kind == Kind::Empty; }
  bool operator==(const Cell&) const = default;
};

class WorksheetArray {
 public:
  WorksheetArray() = default;
  // An array of `rows` by `columns` empty cells.
  WorksheetArray(std::int32_t rows, std::int32_t columns);

  std::int32_t Rows() const { return rows_; }
  std::int32_t Columns() const { return columns_; }

  // The cell at [row, column], 1-based. An index outside the array gives an
  // empty cell: those cells are empty in the worksheet too.
  const Cell& At(std::int32_t row, std::int32_t column) const;
  // Cell text of [row, column] (see CellText).
  Text TextAt(std::int32_t row, std::int32_t column) const;

  // Writable access for the readers; the index must lie inside the array.
  Cell& Mutable(std::int32_t row, std::int32_t column);

  // How the workbook counts the day serials its date cells hold; the cells
  // keep them as stored, and a date is read through SerialIn1900System.
  DateSystem Dates() const { return dates_; }
  void SetDates(DateSystem dates) { dates_ = dates; }

 private:
  std::int32_t rows_ = 0;
  std::int32_t columns_ = 0;
  std::vector<Cell> cells_;
  DateSystem dates_ = DateSystem::From1900;
};

// The text form of one cell: empty for an empty cell; a number in the general
// format (up to 15 significant digits, "," as decimal separator, no thousands
// separator, no decimal part when integral, exponent form only beyond what
// the general format shows plainly); a text unchanged; a boolean as "True" or
// "False"; an error as its literal ("#N/A").
Text CellText(const Cell& cell);

}  // namespace voske
