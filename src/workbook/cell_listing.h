#pragma once
// The plain-text listing of what was read from a workbook, one line per
// non-empty cell, so that a user (or a test) can see and compare exactly what
// each worksheet holds:
//   sheet<TAB>NAME
//   ROW<TAB>COLUMN<TAB>KIND<TAB>VALUE     KIND: n number, s text, b boolean, e error
// Numbers are written in their shortest round-trip form, texts in UTF-8 with
// backslash, tab, LF and CR escaped; empty texts are left out.
#include <functional>
#include <string>

#include "text/text.h"
#include "workbook/worksheet_array.h"

namespace voske {

// Appends the lines of one worksheet to `out` (UTF-8).
void AppendCellListing(std::string& out, const Text& sheetName, const WorksheetArray& array);

// The same lines handed to `write` a piece at a time: a listing may be far
// larger than the worksheet (one long text shown by a million cells), so it
// is never held whole.
void WriteCellListing(const Text& sheetName, const WorksheetArray& array,
                      const std::function<void(const std::string&)>& write);

// The shortest text that reads back as exactly `value`: plain digits while the
// decimal exponent lies in -4..15 ("44197.0", "0.0001"), exponent form beyond
// ("1e+16", "1.5e-05").
std::string RoundTripNumber(double value);

// UTF-8 of a 1252 text with backslash, tab, LF and CR escaped, and any other
// control character written "\xHH".
std::string EscapedText(const Text& text);

}  // namespace voske
