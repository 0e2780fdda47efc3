#pragma once
// The entries of the trial-balance worksheets, found and converted ahead of
// the writer on a thread of its own. A trial balance may hold hundreds of
// thousands of accounts; rounding their amounts and cleaning their
// descriptions on the second core lets the writer spend its time on the
// document alone. Entries come out in worksheet and row order, exactly as a
// writer walking the worksheets itself would meet them, and a conversion that
// failed is handed over with its entry, to be raised at the same point.
#include <array>
#include <exception>
#include <thread>
#include <vector>

#include "documents/financial/financial_values.h"
#include "text/bounded_queue.h"
#include "workbook/worksheet_array.h"

namespace voske {

// One row of a trial-balance worksheet with its cells converted.
struct LedgerEntry {
  int row = 0;
  Text account;                  // column A's cell text, as typed
  std::array<Amount, 4> amounts; // columns C to F
  Text description;              // column B cleaned, for accounts longer than 9 characters
  // The conversion that failed, and the amount (0 to 3) it failed on; the
  // amounts after it and the description are not converted.
  std::exception_ptr failure;
  int failedAmount = -1;
};

// Accounts longer than this carry their description.
inline constexpr size_t kDescribedAccountLength = 9;
// The first row of entries, below the worksheet's titles.
inline constexpr int kFirstEntryRow = 4;

class LedgerEntryReader {
 public:
  // Starts reading the entries of `sheets`, one worksheet after the other.
  // The arrays must outlive the reader.
  explicit LedgerEntryReader(std::vector<SheetView> sheets);
  // Stops the reading thread, also when the writer gave up half way.
  ~LedgerEntryReader();
  LedgerEntryReader(const LedgerEntryReader&) = delete;
  LedgerEntryReader& operator=(const LedgerEntryReader&) = delete;

  // The next entry of the current worksheet; false at its end, after which
  // the next call starts on the following worksheet. Raises what the
  // reading thread met outside any entry.
  bool Next(LedgerEntry& entry);

 private:
  struct Block {
    std::vector<LedgerEntry> entries;
    bool lastOfSheet = false;
    std::exception_ptr failure;  // the thread itself failed
  };

  void Run();

  std::vector<SheetView> sheets_;
  // Blocks waiting for the writer: enough to keep it fed, few enough to
  // keep the memory small.
  BoundedQueue<Block> ready_{16};
  Block current_;
  size_t next_ = 0;
  std::thread thread_;
};

// The rows of a trial-balance worksheet that hold entries, from row 4: two
// blank account cells in a row end the worksheet, a single blank row is
// passed over. Calls `visit(row)` for each.
template <typename Visit>
void ForEachEntryRow(const SheetView& sheet, Visit visit) {
  const auto blank = [&sheet](int row) {
    // Blank: nothing left of the cell text once trimmed. Numbers and
    // booleans always show something, so only texts need a look.
    const Cell& cell = sheet.At(row, Col('A'));
    switch (cell.kind) {
      case Cell::Kind::Empty: return true;
      case Cell::Kind::Text:
      case Cell::Kind::Error: return Trim(cell.text).empty();
      default: return false;
    }
  };
  for (int row = kFirstEntryRow;; ++row) {
    if (blank(row)) {
      if (blank(row + 1)) return;
      ++row;
    }
    if (!visit(row)) return;
  }
}

}  // namespace voske
