#include "documents/financial/ledger_entries.h"

#include <utility>

#include "values/converters.h"

namespace voske {

namespace {

// Entries per hand-over, and hand-overs waiting at most: enough to keep the
// writer fed, little enough to keep the memory small.
constexpr size_t kBlockEntries = 512;
constexpr size_t kMaxReadyBlocks = 16;

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
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

void LedgerEntryReader::Push(Block block) {
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [this] { return stopping_ || ready_.size() < kMaxReadyBlocks; });
  if (stopping_) return;
  ready_.push_back(std::move(block));
  lock.unlock();
  changed_.notify_all();
}

bool LedgerEntryReader::Stopping() {
  std::lock_guard<std::mutex> lock(mutex_);
  return stopping_;
}

void LedgerEntryReader::Run() {
  try {
    for (const SheetView& sheet : sheets_) {
      Block block;
      block.entries.reserve(kBlockEntries);
      bool stopped = Stopping();
      if (stopped) return;
      ForEachEntryRow(sheet, [&](int row) {
        block.entries.push_back(Convert(sheet, row));
        if (block.entries.size() == kBlockEntries) {
          Push(std::move(block));
          block = Block();
          block.entries.reserve(kBlockEntries);
          stopped = Stopping();
        }
        return !stopped;
      });
      if (stopped) return;
      block.lastOfSheet = true;
      Push(std::move(block));
    }
  } catch (...) {
    Block failed;
    failed.failure = std::current_exception();
    Push(std::move(failed));
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
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return !ready_.empty(); });
    current_ = std::move(ready_.front());
    ready_.pop_front();
    lock.unlock();
    changed_.notify_all();
    next_ = 0;
    if (current_.failure) std::rethrow_exception(current_.failure);
  }
  entry = std::move(current_.entries[next_++]);
  return true;
}

}  // namespace voske
