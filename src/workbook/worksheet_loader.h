#pragma once
// TUtil: the worksheet reader of one generation. It opens the workbook file
// on the first worksheet asked for and keeps it open, so that a generation
// parses the file once however many worksheets it reads.
#include <memory>
#include <string>

#include "text/error.h"
#include "text/text.h"
#include "workbook/reader_limits.h"
#include "workbook/workbook_file.h"
#include "workbook/worksheet_array.h"

namespace voske {

// Reading a worksheet failed. The message joins with CR: the reader's own
// first line naming the problem, the worksheet name, and the two lines of
// advice the user has always been given.
class ECarregaArquivo : public EVoske {
 public:
  using EVoske::EVoske;
};

// The ECarregaArquivo of a reader's failure on worksheet `sheetName` of the
// workbook at `path` (UTF-8); the one place where a ReaderError kind becomes
// the user's first line. The lines after it name the worksheet (left out
// when `sheetName` is empty: the file failed before any worksheet was named)
// and the file, then say what to check.
ECarregaArquivo LoadError(ReaderError::Kind kind, const Text& sheetName, const std::string& path);

class TUtil {
 public:
  // `cellBudget`: the cells holding a value that all the worksheets read
  // through this object may hold together; past it a read fails as too large.
  explicit TUtil(std::size_t cellBudget = limits::kMaxGenerationCells) : cellBudget_(cellBudget) {}

  // Fills `out` with the worksheet `sheetName` (Windows-1252) of the workbook
  // at `path` (native path). On failure throws ECarregaArquivo and leaves
  // `out` as it was.
  void LoadWorksheet(WorksheetArray& out, const std::string& path, const Text& sheetName);

 private:
  std::size_t cellBudget_;
  std::size_t heldCells_ = 0;  // handed out since the workbook was opened
  std::string openPath_;
  std::unique_ptr<WorkbookFile> book_;
};

}  // namespace voske
