#pragma once
// Texts inside .xls records, turned into the core's Windows-1252. The
// 97-2003 format stores UTF-16 (or its low bytes, when every character fits
// in one); the Excel 5/95 format stores bytes in the workbook's code page.
#include <cstdint>
#include <memory>

#include "platform/code_pages.h"
#include "text/text.h"
#include "workbook/xls/biff_stream.h"

namespace voske::biff {

// The workbook's code page, from its CODEPAGE record: turns the 8-bit texts
// of an Excel 5/95 workbook into Windows-1252. Characters 1252 cannot hold
// become "?".
class CodePage {
 public:
  CodePage();  // Windows-1252 until a CODEPAGE record says otherwise
  ~CodePage();
  CodePage(const CodePage&) = delete;
  CodePage& operator=(const CodePage&) = delete;

  void Set(std::uint16_t id);
  Text Decode(Bytes bytes) const;

 private:
  std::unique_ptr<platform::CodePageDecoder> converter_;  // absent for 1252 and its subsets
};

// A 97-2003 string: a character count (16-bit, or 8-bit when `shortCount`),
// a flags byte, the run and extension sizes the flags announce, the
// characters, then the runs and extension data, which are skipped.
Text ReadUnicodeString(SegmentReader& r, bool shortCount = false);

// An Excel 5/95 string: a character count (16-bit, or 8-bit when
// `shortCount`) and that many bytes in the code page. Returns the offset
// just after it through `end`.
Text ReadByteString(Bytes data, std::size_t offset, const CodePage& codePage, bool shortCount,
                    std::size_t* end = nullptr);

}  // namespace voske::biff
