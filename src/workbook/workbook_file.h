#pragma once
// One open workbook file. It is parsed once and then serves every worksheet a
// generation needs. Each file format (.xlsx/.xlsm, .xls) implements this
// interface; OpenWorkbookFile picks the format from the file's content.
#include <cstddef>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "text/text.h"
#include "workbook/text_budget.h"
#include "workbook/worksheet_array.h"

namespace voske {

// What went wrong inside a reader, before it is put into the user's words.
class ReaderError : public std::runtime_error {
 public:
  enum class Kind {
    FileNotFound,     // no such file, or it cannot be opened for reading
    NotAWorkbook,     // the content is not a spreadsheet file at all
    SheetNotFound,    // the workbook has no worksheet of that name
    Corrupt,          // a spreadsheet file, but damaged or inconsistent
    Encrypted,        // protected by a password to open
    Unsupported,      // a spreadsheet format this program does not read (.xlsb, ...)
    TooLarge,         // beyond the spreadsheet's bounds or the reader's safety caps
  };
  ReaderError(Kind kind, const std::string& detail) : std::runtime_error(detail), kind_(kind) {}
  Kind kind() const { return kind_; }

 private:
  Kind kind_;
};

class WorkbookFile {
 public:
  virtual ~WorkbookFile() = default;

  // Worksheet names in workbook order, in Windows-1252.
  virtual const std::vector<Text>& SheetNames() const = 0;
  // Reads the worksheet at `index` (0-based, in SheetNames order) into a
  // worksheet array: last row holding a value + 2 rows, last column holding a
  // value columns; at least 3 x 1. Throws ReaderError.
  virtual WorksheetArray ReadSheet(std::size_t index) = 0;
  // The date system the workbook was saved in (one for all its worksheets).
  virtual DateSystem Dates() const { return DateSystem::From1900; }

  // The worksheet named `name`, matched as the spreadsheet matches names:
  // without regard to case, accented letters included.
  std::optional<std::size_t> FindSheet(const Text& name) const;
  // ReadSheet of FindSheet(name), marked with the workbook's date system;
  // ReaderError(SheetNotFound) when absent.
  WorksheetArray ReadSheet(const Text& name);

 protected:
  // The texts read from this workbook while it is open, together. Counting
  // them changes nothing a caller sees, so const readers count too.
  TextBudget& Texts() const { return texts_; }

 private:
  mutable TextBudget texts_;
};

// Opens `path` (a native file-system path) read-only, detecting the format
// from the content. Throws ReaderError.
std::unique_ptr<WorkbookFile> OpenWorkbookFile(const std::string& path);

}  // namespace voske
