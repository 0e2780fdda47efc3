#pragma once
// One worksheet substream of an .xls workbook stream, read into a worksheet
// array.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "text/text.h"
#include "workbook/xls/biff_stream.h"
#include "workbook/xls/biff_strings.h"
#include "workbook/reader_limits.h"
#include "workbook/text_budget.h"
#include "workbook/worksheet_array.h"

namespace voske::biff {

// The format's column bound.
inline constexpr std::uint32_t kXlsColumns = 256;

// The shared-string table: every text of a 97-2003 workbook that cells
// refer to by index, kept in one buffer.
class SharedStrings {
 public:
  void Reserve(std::size_t count, std::size_t bytes);
  void Add(const Text& text);
  std::size_t Size() const { return ends_.size(); }
  std::size_t Bytes() const { return chars_.size(); }
  std::string_view operator[](std::size_t i) const;
  // Entry `i` as a cell's text: made on first use and then shared by every
  // cell that refers to it. A workbook serves one thread at a time.
  SharedText Shared(std::size_t i) const;

 private:
  Text chars_;
  std::vector<std::uint32_t> ends_;  // the table is capped well below 4 GiB
  mutable std::vector<SharedText> made_;
};

struct BookContext {
  Bytes stream;           // the whole workbook stream
  bool biff5 = false;     // Excel 5/95: 8-bit texts in the code page, no shared strings
  const CodePage* codePage = nullptr;
  const SharedStrings* sst = nullptr;
  TextBudget* texts = nullptr;  // the workbook's, charged with every cell's text
};

// Reads the worksheet substream that starts with the BOF record at
// `offset`. Throws ReaderError.
WorksheetArray ReadWorksheet(const BookContext& book, std::size_t offset);

// The literal of a cell error code ("#DIV/0!").
Text ErrorLiteral(std::uint8_t code);

}  // namespace voske::biff
