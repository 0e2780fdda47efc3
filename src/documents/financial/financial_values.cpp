#include "documents/financial/financial_values.h"

#include <cmath>
#include <cstdio>

#include "documents/cell_date.h"
#include "text/cp1252.h"
#include "values/calendar.h"
#include "values/converters.h"

namespace voske {

Amount AmountOf(const Cell& cell) {
  // A number cell is rounded straight from its value, as its cell text
  // would be; a trial balance holds hundreds of thousands of them.
  if (cell.kind == Cell::Kind::Number) return {FormatDecimalOfNumber(cell.number), false};
  const Text cellText = CellText(cell);
  if (cellText.empty()) return {Text(), true};
  return {FormatDecimal(cellText), false};
}

void WriteAmount(TXMLGenerator& gen, const Text& name, const Amount& amount, const CellOrigin& origin) {
  static const Text kZero = "0.0";
  if (amount.empty)
    gen.AddTextElement(name, kZero, origin);
  else
    gen.AddDecimalElement(name, amount.value, origin);
}

Text DateOfCell(const Cell& cell, DateSystem dates, bool withTime) {
  if (cell.kind == Cell::Kind::Number) {
    if (std::optional<Text> date = SerialDateText(SerialIn1900System(cell.number, dates), withTime)) return *date;
  }
  return CellDate(cell, dates);
}

std::optional<Text> SerialDateText(double serial, bool withTime) {
  // Within the years 1 to 9999 to its last instant; a serial that could not
  // be a day count is not converted at all.
  if (!std::isfinite(serial) || std::fabs(serial) > 1e9 || !DateOfSerial(static_cast<std::int64_t>(std::floor(serial))))
    return std::nullopt;
  // The date is the whole part of the serial; the fraction, taken without its
  // sign, is the time of day (so -1.25 is 1899-12-29 06:00).
  const double whole = std::trunc(serial);
  const std::optional<std::chrono::year_month_day> date = DateOfSerial(static_cast<std::int64_t>(whole));
  if (!date) return std::nullopt;

  char buf[64];
  Text out = IsoDateText(*date);
  if (withTime) {
    // The time of day to the millisecond, as the date-time text shows it.
    long ms = std::lround(std::fabs(serial - whole) * 86400000.0);
    if (ms >= 86400000) ms = 86399999;
    if (ms > 0) {
      const long seconds = ms / 1000;
      std::snprintf(buf, sizeof buf, " %02ld:%02ld:%02ld", seconds / 3600, seconds / 60 % 60, seconds % 60);
      out += buf;
    }
  }
  return out;
}

}  // namespace voske
