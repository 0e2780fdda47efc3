#pragma once
// The format readers behind OpenWorkbookFile. Each opens the file itself,
// read-only, and throws ReaderError.
#include <memory>
#include <string>

#include "workbook/workbook_file.h"

namespace voske {

// Office Open XML workbooks (.xlsx, .xlsm).
std::unique_ptr<WorkbookFile> OpenXlsxWorkbook(const std::string& path);
// OpenDocument spreadsheets (.ods).
std::unique_ptr<WorkbookFile> OpenOdsWorkbook(const std::string& path);
// Compound-file workbooks (.xls): BIFF8, and BIFF5 with its code page.
std::unique_ptr<WorkbookFile> OpenXlsWorkbook(const std::string& path);

}  // namespace voske
