#include "documents/financial/financial_values.h"

#include <cmath>
#include <cstdio>

#include "text/cp1252.h"
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

void WriteAmount(TXMLGenerator& gen, const Text& name, const Amount& amount) {
  static const Text kZero = "0.0";
  if (amount.empty)
    gen.AddTextElement(name, kZero);
  else
    gen.AddDecimalElement(name, amount.value);
}

void WriteAmount(TXMLGenerator& gen, const Text& name, const Amount& amount, const CellOrigin& origin) {
  static const Text kZero = "0.0";
  if (amount.empty)
    gen.AddTextElement(name, kZero, origin);
  else
    gen.AddDecimalElement(name, amount.value, origin);
}

int ReferenceYear(const Worksheets& sheets) {
  const Text date = NormalizeDate(sheets[Ansi("Dados Cadastrais")].TextAt(3, 2));
  // NormalizeDate only returns dates that passed its own check, which begin
  // with four digits.
  int year = 0;
  for (size_t i = 0; i < 4 && i < date.size(); ++i) year = year * 10 + (date[i] - '0');
  return year;
}

Text DateOfCell(const Cell& cell, bool withTime) {
  if (cell.kind == Cell::Kind::Number) {
    if (std::optional<Text> date = SerialDateText(cell.number, withTime)) return *date;
  }
  return NormalizeDate(CellText(cell));
}

std::optional<Text> SerialDateText(double serial, bool withTime) {
  // 0001-01-01 and 9999-12-31 as day serials.
  constexpr double kFirst = -693593.0;
  constexpr double kLast = 2958465.0;
  if (!std::isfinite(serial) || serial < kFirst || serial >= kLast + 1) return std::nullopt;

  // The date is the whole part of the serial; the fraction, taken without its
  // sign, is the time of day (so -1.25 is 1899-12-29 06:00).
  const double whole = std::trunc(serial);
  long days = static_cast<long>(whole) - 25569;  // days since 1970-01-01
  // Civil date from a day count (proleptic Gregorian calendar).
  days += 719468;
  const long era = (days >= 0 ? days : days - 146096) / 146097;
  const long doe = days - era * 146097;
  const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long mp = (5 * doy + 2) / 153;
  const long day = doy - (153 * mp + 2) / 5 + 1;
  const long month = mp < 10 ? mp + 3 : mp - 9;
  const long year = yoe + era * 400 + (month <= 2 ? 1 : 0);

  char buf[64];
  std::snprintf(buf, sizeof buf, "%04ld-%02ld-%02ld", year, month, day);
  Text out = buf;
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
