#pragma once
// The texts one open workbook may yield, together: every cell's text each
// time a worksheet shows it (a shared or repeated text once per cell) and
// every attribute value of its XML parts, against
// limits::kMaxWorkbookTextBytes. A workbook is opened once per generation,
// so this is the generation's text budget. Without it a few kilobytes of
// file could ask for gigabytes: blanks written as a count, one long text
// shown by a million cells.
#include <atomic>
#include <cstdint>
#include <utility>

#include "workbook/reader_limits.h"

namespace voske {

class TextBudget {
 public:
  explicit TextBudget(std::uint64_t limit = limits::kMaxWorkbookTextBytes) : limit_(limit) {}
  TextBudget(const TextBudget&) = delete;
  TextBudget& operator=(const TextBudget&) = delete;

  // Counts `bytes` more. Throws ReaderError(TooLarge) once the total passes
  // the limit. Safe from several threads at once.
  void Charge(std::uint64_t bytes);
  // Counts without ever throwing, for texts already read on a path that is
  // failing anyway.
  void Note(std::uint64_t bytes) { used_.fetch_add(bytes, std::memory_order_relaxed); }

 private:
  const std::uint64_t limit_;
  std::atomic<std::uint64_t> used_{0};
};

// One thread's counting into a TextBudget, passed on a quarter of a megabyte
// at a time, so that the readers on both cores do not contend for the
// budget cell by cell. The total may pass the limit by that much per thread
// before it is refused.
class TextMeter {
 public:
  explicit TextMeter(TextBudget* budget) : budget_(budget) {}
  ~TextMeter() {
    if (budget_ && pending_) budget_->Note(pending_);
  }
  TextMeter(TextMeter&& other) noexcept : budget_(other.budget_), pending_(std::exchange(other.pending_, 0)) {}
  TextMeter& operator=(TextMeter&& other) noexcept {
    if (this != &other) {
      if (budget_ && pending_) budget_->Note(pending_);
      budget_ = other.budget_;
      pending_ = std::exchange(other.pending_, 0);
    }
    return *this;
  }

  // Throws ReaderError(TooLarge) when the budget is exhausted.
  void Count(std::uint64_t bytes) {
    pending_ += bytes;
    if (pending_ >= kBatch) Flush();
  }
  void Flush() {
    if (!budget_ || !pending_) return;
    const std::uint64_t bytes = pending_;
    pending_ = 0;
    budget_->Charge(bytes);
  }

 private:
  static constexpr std::uint64_t kBatch = std::uint64_t{256} << 10;

  TextBudget* budget_;  // nullptr: nothing is counted
  std::uint64_t pending_ = 0;
};

}  // namespace voske
