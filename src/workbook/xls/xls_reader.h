#pragma once
// The .xls reader: a compound file holding a workbook stream of BIFF
// records, either of Excel 97-2003 ("Workbook") or of Excel 5/95 ("Book",
// with 8-bit texts in the workbook's code page). OpenXlsWorkbook (readers.h)
// opens a file; these entry points read bytes already in memory.
#include <memory>
#include <vector>

#include "workbook/workbook_file.h"

namespace voske {

// A whole .xls file in memory. An encrypted Office Open XML package (also a
// compound file) fails with ReaderError Encrypted; a compound file without
// a workbook stream with NotAWorkbook.
std::unique_ptr<WorkbookFile> OpenXlsWorkbookBytes(std::vector<unsigned char> file);

// A workbook stream already taken out of its container. `bookStream` says it
// came from a "Book" stream, which only Excel 5/95 writes.
std::unique_ptr<WorkbookFile> OpenBiffWorkbook(std::vector<unsigned char> stream, bool bookStream = false);

}  // namespace voske
