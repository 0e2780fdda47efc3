#include "workbook/worksheet_array.h"

#include "workbook/sheet_cells.h"

#include <gtest/gtest.h>

namespace voske {
namespace {

TEST(WorksheetArray, IndexesFromOneAndReadsOutsideAsEmpty) {
  WorksheetArray a(12, 3);
  a.Mutable(1, 1) = Cell::MakeText("A1");
  a.Mutable(10, 3) = Cell::MakeNumber(7);
  EXPECT_EQ(a.TextAt(1, 1), "A1");
  EXPECT_EQ(a.TextAt(10, 3), "7");
  EXPECT_TRUE(a.At(12, 3).IsEmpty());
  // Outside the array: empty, never an error.
  EXPECT_TRUE(a.At(0, 1).IsEmpty());
  EXPECT_TRUE(a.At(13, 1).IsEmpty());
  EXPECT_TRUE(a.At(1, 4).IsEmpty());
  EXPECT_TRUE(a.At(-5, -5).IsEmpty());
  EXPECT_EQ(a.TextAt(1000000, 1000), "");
  EXPECT_THROW(a.Mutable(13, 1), std::out_of_range);
  EXPECT_TRUE(WorksheetArray().At(1, 1).IsEmpty());
}

TEST(WorksheetArray, StoresOnlyCellsHoldingAValueInRowOrder) {
  WorksheetArray a(1048576, 16384);
  a.Mutable(1048574, 16384) = Cell::MakeNumber(3);
  a.Mutable(2, 5) = Cell::MakeText("b");
  a.Mutable(2, 1) = Cell::MakeText("a");  // inserted before a cell already stored
  a.Mutable(2, 5) = Cell::MakeText("B");  // written again: replaced, not added
  EXPECT_EQ(a.StoredCells(), 3u);
  EXPECT_EQ(a.TextAt(2, 1), "a");
  EXPECT_EQ(a.TextAt(2, 5), "B");
  EXPECT_EQ(a.At(1048574, 16384).number, 3);
  EXPECT_TRUE(a.At(2, 2).IsEmpty());
  EXPECT_TRUE(a.At(1048573, 16384).IsEmpty());
  std::vector<std::string> seen;
  a.ForEachCell([&](std::int32_t r, std::int32_t c, const Cell& cell) {
    seen.push_back(std::to_string(r) + "," + std::to_string(c) + "=" + CellText(cell));
  });
  EXPECT_EQ(seen, (std::vector<std::string>{"2,1=a", "2,5=B", "1048574,16384=3"}));
}

TEST(WorksheetArray, CopiesShareCellsUntilOneIsWritten) {
  WorksheetArray a(5, 2);
  a.Mutable(1, 1) = Cell::MakeText("original");
  WorksheetArray b = a;
  b.Mutable(1, 1) = Cell::MakeText("changed");
  b.Mutable(3, 2) = Cell::MakeNumber(1);
  EXPECT_EQ(a.TextAt(1, 1), "original");
  EXPECT_TRUE(a.At(3, 2).IsEmpty());
  EXPECT_EQ(b.TextAt(1, 1), "changed");
  EXPECT_EQ(b.TextAt(3, 2), "1");
}

TEST(WorksheetArray, SharedTextIsOneTextHoweverManyCellsShowIt) {
  const Cell one = Cell::MakeText(Text(100000, 'x'));
  const Cell copy = one;
  EXPECT_EQ(&copy.text.str(), &one.text.str());
  EXPECT_EQ(copy, Cell::MakeText(Text(100000, 'x')));  // equal by content
  EXPECT_NE(copy, Cell::MakeText("x"));
  EXPECT_TRUE(Cell::MakeText("").text.empty());
  EXPECT_EQ(Cell::MakeError("#N/A").text, "#N/A");
}

TEST(SheetCells, CellsInAnyOrderAreLaidOutInRowOrderTheLastAtAPositionWinning) {
  SheetCells cells;
  cells.Add(9, 2, Cell::MakeNumber(1));
  cells.Add(1, 3, Cell::MakeText("first"));
  cells.Add(9, 1, Cell::MakeNumber(2));
  cells.Add(1, 3, Cell::MakeText("second"));
  cells.Add(4, 1, Cell());  // empty: neither stored nor widening the area
  const WorksheetArray a = cells.TakeArray();
  EXPECT_EQ(a.Rows(), 11);
  EXPECT_EQ(a.Columns(), 3);
  EXPECT_EQ(a.StoredCells(), 3u);
  EXPECT_EQ(a.TextAt(1, 3), "second");
  EXPECT_EQ(a.TextAt(9, 1), "2");
  EXPECT_EQ(a.TextAt(9, 2), "1");
  // Consumed: the next worksheet starts empty.
  const WorksheetArray empty = cells.TakeArray();
  EXPECT_EQ(empty.Rows(), 3);
  EXPECT_EQ(empty.StoredCells(), 0u);
}

TEST(CellText, OtherKinds) {
  EXPECT_EQ(CellText(Cell()), "");
  EXPECT_EQ(CellText(Cell::MakeText("  x ")), "  x ");  // text is never trimmed here
  EXPECT_EQ(CellText(Cell::MakeBoolean(true)), "True");
  EXPECT_EQ(CellText(Cell::MakeBoolean(false)), "False");
  EXPECT_EQ(CellText(Cell::MakeError("#N/A")), "#N/A");
}

}  // namespace
}  // namespace voske
