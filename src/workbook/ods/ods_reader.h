#pragma once
// The OpenDocument spreadsheet (.ods), as a spreadsheet program saves it when
// asked for that format. All its worksheets live in one part, content.xml,
// which is read in one pass when the workbook opens; the worksheet arrays are
// kept until asked for, within a bound, and read again when beyond it.
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "workbook/workbook_file.h"
#include "workbook/zip_archive.h"

namespace voske {

class OdsWorkbook : public WorkbookFile {
 public:
  // Throws ReaderError: Encrypted for a password-protected document, Corrupt
  // when its content cannot be read.
  explicit OdsWorkbook(const std::string& path);

  const std::vector<Text>& SheetNames() const override { return names_; }
  WorksheetArray ReadSheet(std::size_t index) override;
  using WorkbookFile::ReadSheet;
  // Date cells become serials counted from the document's null date.
  DateSystem Dates() const override { return date1904_ ? DateSystem::From1904 : DateSystem::From1900; }

  struct Table {
    bool kept = false;  // the array is held in `array`
    WorksheetArray array;
    std::exception_ptr failure;
  };

 private:
  std::unique_ptr<ZipArchive> archive_;
  std::uint64_t content_ = 0;
  std::vector<Text> names_;
  std::vector<Table> tables_;
  bool date1904_ = false;
};

// True when the zip package at `archive` is an OpenDocument spreadsheet.
bool IsOdsPackage(ZipArchive& archive);

}  // namespace voske
