#pragma once
// The Office Open XML workbook (.xlsx, .xlsm). Its structure and shared
// strings are read when it opens; each worksheet is parsed from its zip entry
// as it inflates, never held whole.
//
// Both cores work: while the caller reads the worksheet it asks for, a
// worker thread reads the others ahead, in workbook order, into a cache from
// which the next request is served. The cache is bounded; a worksheet the
// caller never asks for costs only time on the spare core. Like every
// WorkbookFile, it serves one calling thread at a time.
#include <atomic>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "workbook/workbook_file.h"
#include "workbook/xlsx/xlsx_package.h"
#include "workbook/zip_archive.h"

namespace voske {

class XlsxWorkbook : public WorkbookFile {
 public:
  // Throws ReaderError.
  explicit XlsxWorkbook(const std::string& path);
  ~XlsxWorkbook() override;

  const std::vector<Text>& SheetNames() const override { return names_; }
  WorksheetArray ReadSheet(std::size_t index) override;
  DateSystem Dates() const override { return structure_.date1904 ? DateSystem::From1904 : DateSystem::From1900; }
  using WorkbookFile::ReadSheet;

 private:
  struct Slot {
    enum class State { Idle, Parsing, Ready, Failed, Taken };
    State state = State::Idle;
    WorksheetArray array;
    std::exception_ptr failure;
  };

  WorksheetArray Parse(ZipArchive& archive, std::size_t index, const std::atomic<bool>* cancel) const;
  // Parses `index` on this thread and files the outcome in its slot.
  void ParseIntoSlot(ZipArchive& archive, std::size_t index, std::unique_lock<std::mutex>& lock);
  // The next worksheet worth reading ahead, or none.
  std::size_t NextToPrefetch() const;
  void Worker();

  std::unique_ptr<ZipArchive> archive_;  // the caller's view of the file
  XlsxStructure structure_;
  std::vector<Text> names_;
  std::vector<Text> sharedStrings_;

  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<Slot> slots_;
  std::size_t cachedCells_ = 0;
  std::size_t lastAsked_ = 0;
  std::atomic<bool> stop_{false};
  std::unique_ptr<ZipArchive> workerArchive_;
  std::thread worker_;
};

}  // namespace voske
