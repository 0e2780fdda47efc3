#pragma once
// What every reader target does with a workbook that opened: read each of its
// worksheets. A worksheet that fails with a ReaderError does not stop the
// others; anything else escaping is a finding.
#include <cstddef>

#include "workbook/workbook_file.h"

namespace voske::fuzz {

// Each worksheet is read `passes` times in a row, so that a reader which
// keeps state between reads is exercised on its second read too.
inline void ReadEverySheet(WorkbookFile& book, int passes = 1) {
  for (std::size_t i = 0; i < book.SheetNames().size(); ++i) {
    try {
      for (int pass = 0; pass < passes; ++pass) book.ReadSheet(i);
    } catch (const ReaderError&) {
    }
  }
}

}  // namespace voske::fuzz
