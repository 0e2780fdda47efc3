#pragma once
// The worksheet array: every cell of one worksheet's used area, indexed from
// 1 as [row, column], holding what the spreadsheet's raw value of each cell is
// (numbers as doubles, dates and times as day serials, texts, booleans,
// errors). The builders walk it row by row.
//
// Storage is sparse: only cells holding a value take room, in row order, so a
// lone cell at the far corner of the grid costs one cell, not the area before
// it. Each distinct text is held once (see SharedText). Copies of an array
// share its cells until one of them is written to.
#include <cstdint>
#include <memory>
#include <vector>

#include "text/text.h"
#include "values/calendar.h"
#include "workbook/shared_text.h"

namespace voske {

struct Cell {
  enum class Kind : std::uint8_t { Empty, Number, Text, Boolean, Error };

  Kind kind = Kind::Empty;
  bool boolean = false;
  double number = 0.0;
  SharedText text;  // the text of a Text cell, or the literal of an Error cell ("#N/A")

  static Cell MakeNumber(double v) { Cell c; c.kind = Kind::Number; c.number = v; return c; }
  static Cell MakeText(SharedText v) { Cell c; c.kind = Kind::Text; c.text = std::move(v); return c; }
  static Cell MakeBoolean(bool v) { Cell c; c.kind = Kind::Boolean; c.boolean = v; return c; }
  static Cell MakeError(SharedText literal) { Cell c; c.kind = Kind::Error; c.text = std::move(literal); return c; }

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

  // Writable access, for building arrays by hand; the index must lie inside
  // the array. A cell not stored yet is inserted (empty), which moves the
  // cells after it: a reference from an earlier call may no longer hold.
  Cell& Mutable(std::int32_t row, std::int32_t column);

  // The cells that take room (those written or read holding a value).
  std::size_t StoredCells() const { return store_ ? store_->cells.size() : 0; }

  // Calls visit(row, column, cell) for each stored cell, in row order and
  // within a row in column order; empty cells are skipped.
  template <typename Visit>
  void ForEachCell(Visit visit) const {
    if (!store_) return;
    const Store& s = *store_;
    for (std::size_t k = 0; k + 1 < s.rowStart.size(); ++k) {
      const std::int32_t row = s.rowNumbers.empty() ? static_cast<std::int32_t>(k + 1) : s.rowNumbers[k];
      for (std::uint32_t i = s.rowStart[k]; i < s.rowStart[k + 1]; ++i)
        if (!s.cells[i].IsEmpty()) visit(row, s.columnOf[i], s.cells[i]);
    }
  }

  // Builds the array of `rows` by `columns` from cells sorted by row, then
  // column, each position at most once, all inside the array; the vectors
  // are consumed. The readers' way in (see SheetCells).
  static WorksheetArray FromSorted(std::int32_t rows, std::int32_t columns, std::vector<std::int32_t>& rowOf,
                                   std::vector<std::int32_t>& columnOf, std::vector<Cell>& cells);

  // How the workbook counts the day serials its date cells hold; the cells
  // keep them as stored, and a date is read through SerialIn1900System.
  DateSystem Dates() const { return dates_; }
  void SetDates(DateSystem dates) { dates_ = dates; }

 private:
  // The stored cells in row order. The rows holding cells are found through
  // rowStart: with rowNumbers empty, rowStart[r - 1] .. rowStart[r] are the
  // cells of row r for every row up to the last one stored (4 bytes a row);
  // when most of those rows would be empty, rowNumbers lists the rows that
  // hold cells and rowStart[k] .. rowStart[k + 1] are those of rowNumbers[k].
  struct Store {
    std::vector<std::uint32_t> rowStart;
    std::vector<std::int32_t> rowNumbers;
    std::vector<std::int32_t> columnOf;
    std::vector<Cell> cells;
  };
  // The range of stored cells of `row`; false when it holds none.
  bool RowRange(std::int32_t row, std::uint32_t& begin, std::uint32_t& end) const;
  // The index of the stored cell at [row, column], or -1.
  std::int64_t Find(std::int32_t row, std::int32_t column) const;

  std::int32_t rows_ = 0;
  std::int32_t columns_ = 0;
  std::shared_ptr<Store> store_;
  DateSystem dates_ = DateSystem::From1900;
};

// The text form of one cell: empty for an empty cell; a number in the general
// format (up to 15 significant digits, "," as decimal separator, no thousands
// separator, no decimal part when integral, exponent form only beyond what
// the general format shows plainly); a text unchanged; a boolean as "True" or
// "False"; an error as its literal ("#N/A").
Text CellText(const Cell& cell);

}  // namespace voske
