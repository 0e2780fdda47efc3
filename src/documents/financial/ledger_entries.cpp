#include "documents/financial/ledger_entries.h"

#include <utility>

#include "values/converters.h"

namespace voske {

namespace {

// Entries per hand-over.
constexpr size_t kBlockEntries = 512;

LedgerEntry Convert(const SheetView& sheet, int row) {
  LedgerEntry entry;
  entry.row = row;
  entry.account = sheet.TextAt(row, Col('A'));
  for (int i = 0; i < 4; ++i) {
    try {
      entry.amounts[static_cast<size_t>(i)] = AmountOf(sheet.At(row, 3 + i));
    } catch (...) {
      entry.failure = std::current_exception();
      entry.failedAmount = i;
      return entry;
    }
  }
  if (entry.account.size() > kDescribedAccountLength) entry.description = CleanText(sheet.TextAt(row, Col('B')));
  return entry;
}

}  // namespace

LedgerEntryReader::LedgerEntryReader(std::vector<SheetView> sheets)
    : sheets_(std::move(sheets)), current_{{}, false, nullptr} {
  // Nothing is waiting yet: the first call to Next takes the first block.
  next_ = 0;
  thread_ = std::thread([this] { Run(); });
}

LedgerEntryReader::~LedgerEntryReader() {
  // A writer that gave up half way leaves the thread waiting for room: the
  // closed queue refuses its next block and it ends.
  ready_.Close();
  thread_.join();
}

void LedgerEntryReader::Run() {
  try {
    for (const SheetView& sheet : sheets_) {
      Block block;
      block.entries.reserve(kBlockEntries);
      bool stopped = false;
      ForEachEntryRow(sheet, [&](int row) {
        block.entries.push_back(Convert(sheet, row));
        if (block.entries.size() == kBlockEntries) {
          stopped = !ready_.Push(std::move(block));
          block = Block();
          block.entries.reserve(kBlockEntries);
        }
        return !stopped;
      });
      if (stopped) return;
      block.lastOfSheet = true;
      if (!ready_.Push(std::move(block))) return;
    }
  } catch (...) {
    Block failed;
    failed.failure = std::current_exception();
    ready_.Push(std::move(failed));
  }
}

bool LedgerEntryReader::Next(LedgerEntry& entry) {
  while (next_ >= current_.entries.size()) {
    // The block is used up: its worksheet ends there if it was its last.
    if (current_.lastOfSheet) {
      current_ = Block();
      next_ = 0;
      return false;
    }
    // The thread ends every worksheet with a block (or a failure), so a
    // block always comes while the reader lives.
    std::optional<Block> block = ready_.Pop();
    if (!block) return false;
    current_ = std::move(*block);
    next_ = 0;
    if (current_.failure) std::rethrow_exception(current_.failure);
  }
  entry = std::move(current_.entries[next_++]);
  return true;
}

}  // namespace voske
