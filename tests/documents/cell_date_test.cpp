#include "documents/cell_date.h"

#include <gtest/gtest.h>

#include "support/error_of.h"

#include "text/cp1252.h"
#include "text/error.h"

namespace voske {
namespace {

using support::ErrorOf;

Text BadDate(const Text& c) { return Ansi("A data \"") + c + Ansi("\" não é uma data válida."); }

// A workbook saved in the 1904 system stores 39629 for 2012-07-01: its date
// cells are read as the day the user sees, its texts as typed.
TEST(CellDate, ANumberCellOfA1904WorkbookIsTheDayTheUserSees) {
  EXPECT_EQ(CellDate(Cell::MakeNumber(39629), DateSystem::From1904), "2012-07-01");
  EXPECT_EQ(CellDate(Cell::MakeNumber(39629), DateSystem::From1900), "2008-06-30");
  EXPECT_EQ(CellDate(Cell::MakeNumber(0), DateSystem::From1904), "1904-01-01");
  // A serial typed as text is no date cell: it counts as it always has.
  EXPECT_EQ(CellDate(Cell::MakeText("39629"), DateSystem::From1904), "2008-06-30");
  EXPECT_EQ(CellDate(Cell::MakeText(" 01/07/2012 "), DateSystem::From1904), "2012-07-01");
}

TEST(CellDate, RefusalsQuoteTheCellAsItHoldsIt) {
  // With a time of day a date cell is no date here, as before; the message
  // names the serial the workbook stores, not the one it was brought to.
  EXPECT_EQ(ErrorOf([] { CellDate(Cell::MakeNumber(39629.5), DateSystem::From1904); }), BadDate("39629,5"));
  EXPECT_EQ(ErrorOf([] { CellDate(Cell::MakeNumber(2958465), DateSystem::From1904); }), BadDate("2958465"));
  EXPECT_EQ(ErrorOf([] { CellDate(Cell::MakeText("xx05/03/2014"), DateSystem::From1904); }), BadDate("xx05/03/2014"));
  EXPECT_EQ(ErrorOf([] { CellDate(Cell(), DateSystem::From1900); }), BadDate(""));
}

TEST(CellDate, DateAtReadsThroughTheWorksheetsDateSystem) {
  WorksheetArray sheet(3, 2);
  sheet.Mutable(3, 2) = Cell::MakeNumber(44012);
  EXPECT_EQ(DateAt(sheet, 3, 2), "2020-06-30");
  sheet.SetDates(DateSystem::From1904);
  EXPECT_EQ(DateAt(sheet, 3, 2), "2024-07-01");
}

}  // namespace
}  // namespace voske
