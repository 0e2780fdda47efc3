#pragma once
// Small pieces the sections of the financial document share: the amount rule
// ("0.0" for an empty cell) on a cell text and dates taken from day serials.
#include <optional>

#include "text/text.h"
#include "workbook/worksheets.h"
#include "xml/xml_generator.h"

namespace voske {

// What an amount leaf holds: the cell's value rounded to two decimals when
// the cell text is not empty, the text "0.0" otherwise. So an amount is
// always written. AmountOf raises the converter's invalid-number message.
struct Amount {
  Text value;          // the rounded value, for a decimal leaf
  bool empty = false;  // the cell was empty: the leaf is the text "0.0"
};
Amount AmountOf(const Cell& cell);
// Writes the amount taken from the cell at `origin`, so that a finding names it.
void WriteAmount(TXMLGenerator& gen, const Text& name, const Amount& amount, const CellOrigin& origin);
inline void WriteAmount(TXMLGenerator& gen, const Text& name, const Cell& cell, const CellOrigin& origin) {
  WriteAmount(gen, name, AmountOf(cell), origin);
}

// A day serial (1899-12-30 is day 0) as "yyyy-mm-dd"; with `withTime`, a
// serial with a time of day also gets a blank and "hh:mm:ss". Nothing when
// the serial lies outside the years 1 to 9999.
std::optional<Text> SerialDateText(double serial, bool withTime);

// A date as the document states it: a date cell (a day serial of `dates`)
// gives the SerialDateText of the day the user sees; any other cell, or a
// serial outside those years, gives its CellDate, and raises the invalid-date
// message when that is no date.
Text DateOfCell(const Cell& cell, DateSystem dates, bool withTime);

}  // namespace voske
