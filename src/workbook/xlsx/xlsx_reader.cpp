#include "workbook/xlsx/xlsx_reader.h"

#include <map>
#include <system_error>

#include "workbook/readers.h"
#include "workbook/reader_limits.h"
#include "workbook/xlsx/xlsx_shared_strings.h"
#include "workbook/xlsx/xlsx_sheet.h"
#include "workbook/xml_stream.h"

namespace voske {

namespace {

// Worksheets read ahead and not yet asked for may hold this many cells in all
// (about 200 MB); beyond it the worker waits for the caller to take them.
constexpr std::size_t kPrefetchBudgetCells = limits::kMaxArrayCells / 2;

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

}  // namespace

XlsxWorkbook::XlsxWorkbook(const std::string& path)
    : archive_(std::make_unique<ZipArchive>(path)), structure_(ReadXlsxStructure(*archive_, Texts())) {
  for (const XlsxSheetEntry& s : structure_.sheets) names_.push_back(s.name);
  if (structure_.sharedStrings) {
    if (const auto entry = archive_->Find(*structure_.sharedStrings))
      sharedStrings_ = std::make_shared<const std::vector<Text>>(ReadSharedStrings(*archive_, *entry, Texts()));
  }
  slots_.resize(structure_.sheets.size());
  // Worksheets naming one part (a damaged or hand-made file may point
  // thousands at one) are served from the first of them.
  primary_.resize(slots_.size());
  sharedPart_.assign(slots_.size(), false);
  std::map<std::uint64_t, std::size_t> firstOfPart;
  for (std::size_t i = 0; i < slots_.size(); ++i) {
    primary_[i] = i;
    const auto entry = archive_->Find(structure_.sheets[i].part);
    if (!entry) continue;
    const auto [it, fresh] = firstOfPart.emplace(*entry, i);
    if (!fresh) {
      primary_[i] = it->second;
      sharedPart_[it->second] = true;
    }
  }
  if (slots_.size() > 1) {
    workerArchive_ = archive_->Reopen();
    try {
      worker_ = std::thread([this] { Worker(); });
    } catch (const std::system_error&) {
      // No thread to spare: every worksheet is read when asked for.
    }
  }
}

XlsxWorkbook::~XlsxWorkbook() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stop_ = true;
  }
  changed_.notify_all();
  if (worker_.joinable()) worker_.join();
}

WorksheetArray XlsxWorkbook::Parse(ZipArchive& archive, std::size_t index, const std::atomic<bool>* cancel) const {
  const auto entry = archive.Find(structure_.sheets[index].part);
  if (!entry) throw ReaderError(ReaderError::Kind::Corrupt, "worksheet part missing");
  // The worksheets read ahead count too: what a worker holds is in memory
  // as much as what the caller took.
  return ReadXlsxSheet(archive, *entry, XlsxSheetContext{sharedStrings_, structure_.date1904, 0, &Texts()}, cancel);
}

void XlsxWorkbook::ParseIntoSlot(ZipArchive& archive, std::size_t index, std::unique_lock<std::mutex>& lock) {
  slots_[index].state = Slot::State::Parsing;
  lock.unlock();
  WorksheetArray array;
  std::exception_ptr failure;
  bool cancelled = false;
  try {
    array = Parse(archive, index, &stop_);
  } catch (const XmlParseCancelled&) {
    cancelled = true;
  } catch (...) {
    failure = std::current_exception();
  }
  lock.lock();
  Slot& slot = slots_[index];
  if (cancelled) {
    slot.state = Slot::State::Idle;
  } else if (failure) {
    slot.state = Slot::State::Failed;
    slot.failure = failure;
    if (sharedPart_[index]) sharedOutcome_[index] = Outcome{WorksheetArray(), failure};
  } else {
    cachedCells_ += array.StoredCells();
    if (sharedPart_[index]) sharedOutcome_[index] = Outcome{array, nullptr};
    slot.array = std::move(array);
    slot.state = Slot::State::Ready;
  }
  changed_.notify_all();
}

std::size_t XlsxWorkbook::NextToPrefetch() const {
  if (cachedCells_ >= kPrefetchBudgetCells) return kNone;
  // The worksheets after the last one asked for come first: callers read
  // mostly forwards.
  for (std::size_t k = 1; k <= slots_.size(); ++k) {
    const std::size_t i = (lastAsked_ + k) % slots_.size();
    if (slots_[i].state == Slot::State::Idle && primary_[i] == i) return i;
  }
  return kNone;
}

void XlsxWorkbook::Worker() {
  std::unique_lock<std::mutex> lock(mutex_);
  while (!stop_) {
    const std::size_t next = NextToPrefetch();
    if (next == kNone) {
      changed_.wait(lock);
      continue;
    }
    ParseIntoSlot(*workerArchive_, next, lock);
  }
}

WorksheetArray XlsxWorkbook::ReadSheet(std::size_t index) {
  if (index >= slots_.size())
    throw ReaderError(ReaderError::Kind::SheetNotFound, "no worksheet at position " + std::to_string(index));
  std::unique_lock<std::mutex> lock(mutex_);
  lastAsked_ = index;
  // A part that several worksheets name is read once and then shared.
  index = primary_[index];
  if (sharedPart_[index]) {
    const auto done = sharedOutcome_.find(index);
    if (done != sharedOutcome_.end()) {
      if (done->second.failure) std::rethrow_exception(done->second.failure);
      return done->second.array;
    }
  }
  while (true) {
    Slot& slot = slots_[index];
    switch (slot.state) {
      case Slot::State::Ready: {
        cachedCells_ -= slot.array.StoredCells();
        slot.state = Slot::State::Taken;
        WorksheetArray array = std::move(slot.array);
        slot.array = WorksheetArray();
        changed_.notify_all();  // room in the cache again
        return array;
      }
      case Slot::State::Failed:
        std::rethrow_exception(slot.failure);
      case Slot::State::Idle:
        ParseIntoSlot(*archive_, index, lock);
        continue;  // now Ready or Failed
      case Slot::State::Taken: {
        // Asked for again: read it again, without keeping a copy.
        slot.state = Slot::State::Parsing;
        lock.unlock();
        try {
          WorksheetArray array = Parse(*archive_, index, nullptr);
          lock.lock();
          slots_[index].state = Slot::State::Taken;
          return array;
        } catch (...) {
          lock.lock();
          slots_[index].state = Slot::State::Taken;
          throw;
        }
      }
      case Slot::State::Parsing: {
        // The worker has it in hand: rather than wait idle, read the next
        // worksheet ahead on this thread meanwhile.
        const std::size_t other = NextToPrefetch();
        if (other != kNone) {
          ParseIntoSlot(*archive_, other, lock);
        } else {
          changed_.wait(lock);
        }
        continue;
      }
    }
  }
}

std::unique_ptr<WorkbookFile> OpenXlsxWorkbook(const std::string& path) {
  return std::make_unique<XlsxWorkbook>(path);
}

}  // namespace voske
