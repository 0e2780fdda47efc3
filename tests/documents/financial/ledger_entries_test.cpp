// The trial-balance entries converted ahead on a second thread: they must
// come out exactly as a writer walking the worksheets would meet them, carry
// their conversion failures to the right field, and let the writer give up
// at any point without the thread hanging on.
#include <gtest/gtest.h>

#include "documents/financial/ledger_entries.h"
#include "text/error.h"

namespace voske {
namespace {

// A trial-balance worksheet with an entry on each of `rows` (account "ACCOUNT-NO-" +
// row, amounts row, row + 0.5, empty, text "1,25", a description with
// punctuation), every other row left empty.
WorksheetArray Sheet(const std::vector<int>& rows, int lastRow) {
  WorksheetArray sheet(lastRow + 2, 6);
  for (int row : rows) {
    sheet.Mutable(row, 1) = Cell::MakeText("ACCOUNT-NO-" + std::to_string(row));
    sheet.Mutable(row, 2) = Cell::MakeText("Conta (teste)");
    sheet.Mutable(row, 3) = Cell::MakeNumber(row);
    sheet.Mutable(row, 4) = Cell::MakeNumber(row + 0.5);
    sheet.Mutable(row, 6) = Cell::MakeText("1,25");
  }
  return sheet;
}

// A trial-balance worksheet as the builder reads it.
SheetView View(const WorksheetArray& sheet) { return SheetView(SheetId::BalanceteAtivo, sheet); }

std::vector<int> Rows(LedgerEntryReader& reader) {
  std::vector<int> rows;
  LedgerEntry entry;
  while (reader.Next(entry)) rows.push_back(entry.row);
  return rows;
}

TEST(LedgerEntryReader, GivesEachSheetsEntriesInRowOrderThenItsEnd) {
  // Row 6 alone blank is passed over; rows 8 and 9 blank end the first sheet.
  const WorksheetArray first = Sheet({4, 5, 7, 10}, 10);
  const WorksheetArray empty = Sheet({}, 3);
  std::vector<int> many;
  for (int row = 5; row < 5005; ++row) many.push_back(row);  // row 4 blank, then several blocks
  const WorksheetArray large = Sheet(many, 5004);

  LedgerEntryReader reader({View(first), View(empty), View(large)});
  LedgerEntry entry;
  ASSERT_TRUE(reader.Next(entry));
  EXPECT_EQ(entry.row, 4);
  EXPECT_EQ(entry.account, "ACCOUNT-NO-4");
  EXPECT_EQ(entry.amounts[0].value, "4");
  EXPECT_EQ(entry.amounts[1].value, "4.5");
  EXPECT_TRUE(entry.amounts[2].empty);
  EXPECT_EQ(entry.amounts[3].value, "1.25");
  EXPECT_EQ(entry.description, "Conta teste");
  EXPECT_FALSE(entry.failure);
  EXPECT_EQ(Rows(reader), (std::vector<int>{5, 7}));
  EXPECT_EQ(Rows(reader), std::vector<int>{});
  EXPECT_EQ(Rows(reader), many);
}

TEST(LedgerEntryReader, AFailedConversionTravelsWithItsEntry) {
  WorksheetArray sheet = Sheet({4, 5, 6}, 6);
  sheet.Mutable(5, 5) = Cell::MakeText("abc");
  sheet.Mutable(4, 1) = Cell::MakeText("123456789");  // nine characters: no description
  LedgerEntryReader reader({View(sheet)});
  LedgerEntry entry;
  ASSERT_TRUE(reader.Next(entry));
  EXPECT_EQ(entry.description, "");
  ASSERT_TRUE(reader.Next(entry));
  EXPECT_EQ(entry.row, 5);
  EXPECT_EQ(entry.failedAmount, 2);
  EXPECT_EQ(entry.amounts[1].value, "5.5");  // the amounts before it are there
  try {
    std::rethrow_exception(entry.failure);
    ADD_FAILURE() << "no failure";
  } catch (const EGenerica& e) {
    EXPECT_EQ(e.Message(), "O valor \"abc\" n\xE3o \xE9 um n\xFAmero v\xE1lido, verifique na planilha.");
  }
  ASSERT_TRUE(reader.Next(entry));
  EXPECT_EQ(entry.row, 6);
  EXPECT_FALSE(entry.failure);
}

TEST(LedgerEntryReader, AWriterMayGiveUpWhileTheThreadWaits) {
  std::vector<int> rows;
  for (int row = 4; row < 60004; ++row) rows.push_back(row);
  const WorksheetArray sheet = Sheet(rows, 60003);
  for (int taken : {0, 1, 5000}) {
    LedgerEntryReader reader({View(sheet), View(sheet)});
    LedgerEntry entry;
    for (int i = 0; i < taken; ++i) ASSERT_TRUE(reader.Next(entry));
    // Leaving the scope stops the thread, which by now waits for room.
  }
}

}  // namespace
}  // namespace voske
