#include "values/converters.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <system_error>

#include "text/cp1252.h"
#include "text/general_number.h"
#include "values/calendar.h"

namespace voske {

namespace {

constexpr char kBlank = ' ';

// The characters CleanText removes from free text, as Windows-1252 bytes.
// The double quote appears twice in the list the system has always used; it
// is kept so that the set stays recognisably the same.
constexpr std::array<unsigned char, 41> kSpecialCharacters = {
    0x2A, 0xA7, 0x2E, 0x2F, 0x28, 0x29, 0x5F, 0x23, 0x2D, 0x5C, 0x60, 0xB4, 0x27, 0x7C,
    0x3A, 0xAA, 0xBA, 0x22, 0xB0, 0x7E, 0x21, 0x40, 0x24, 0x25, 0x5E, 0x26, 0x2B, 0x3D,
    0x3B, 0x3F, 0x80, 0x5B, 0x5D, 0x7B, 0x7D, 0x22, 0xBF, 0xA6, 0x3C, 0x3E, 0xB5};

// Accented letters and their plain forms, position by position.
const Text& AccentFrom() {
  static const Text s = Ansi("ÇçÁáÀàÃãÂâÄäÉéÈèÊêËëÍíÌìÏïÓóÒòÔôÕõÖöÚúÙùÜü");
  return s;
}
constexpr TextView kAccentTo = "CcAaAaAaAaAaEeEeEeEeIiIiIiOoOoOoOoOoUuUuUu";

// The removal set as a byte table, built from the switches of one call.
struct CharSet {
  std::array<bool, 256> in{};
  bool Has(char c) const { return in[static_cast<unsigned char>(c)]; }
  void Add(unsigned char c) { in[c] = true; }
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Digits only (already checked) to a number; saturates well above any date part.
std::int64_t SmallNumber(TextView digits) {
  std::int64_t v = 0;
  for (char c : digits) {
    v = v * 10 + (c - '0');
    if (v > 1000000) return 1000000;
  }
  return v;
}

TextView LastChars(TextView s, size_t count) {
  return count >= s.size() ? s : s.substr(s.size() - count);
}

}  // namespace

Text InvalidNumberMessage(const Text& cellText) {
  return Ansi("O valor \"") + cellText + Ansi("\" não é um número válido, verifique na planilha.");
}

bool TryTextToFloat(TextView s, double& value) {
  size_t i = 0;
  const size_t n = s.size();
  while (i < n && s[i] == kBlank) ++i;
  size_t end = n;
  while (end > i && s[end - 1] == kBlank) --end;

  // Rebuilt in the form std::from_chars reads, which never looks at the locale.
  std::string plain;
  bool negative = false;
  if (i < end && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  size_t mantissaDigits = 0;
  // Decimal position of the first significant digit relative to the point,
  // to tell an underflow (a tiny number: zero) from an overflow.
  long long magnitude = 0;
  bool seenSignificant = false;
  while (i < end && IsDigit(s[i])) {
    plain.push_back(s[i]);
    if (s[i] != '0') seenSignificant = true;
    if (seenSignificant) ++magnitude;
    ++mantissaDigits;
    ++i;
  }
  if (i < end && s[i] == ',') {
    plain.push_back('.');
    ++i;
    while (i < end && IsDigit(s[i])) {
      plain.push_back(s[i]);
      if (!seenSignificant) {
        if (s[i] != '0') seenSignificant = true;
        else --magnitude;
      }
      ++mantissaDigits;
      ++i;
    }
  }
  if (mantissaDigits == 0) return false;
  long long exponent = 0;
  if (i < end && (s[i] == 'E' || s[i] == 'e')) {
    plain.push_back('e');
    ++i;
    bool negExp = false;
    if (i < end && (s[i] == '+' || s[i] == '-')) {
      negExp = s[i] == '-';
      plain.push_back(s[i++]);
    }
    size_t expDigits = 0;
    while (i < end && IsDigit(s[i])) {
      plain.push_back(s[i]);
      if (exponent < 100000) exponent = exponent * 10 + (s[i] - '0');
      ++expDigits;
      ++i;
    }
    if (expDigits == 0) return false;
    if (negExp) exponent = -exponent;
  }
  if (i != end) return false;

  double v = 0;
  auto [ptr, ec] = std::from_chars(plain.data(), plain.data() + plain.size(), v);
  if (ec == std::errc::result_out_of_range) {
    if (!seenSignificant || magnitude + exponent > 0) return false;  // too large
    v = 0;                                                           // too small: zero
  } else if (ec != std::errc() || ptr != plain.data() + plain.size()) {
    return false;
  }
  if (!std::isfinite(v)) return false;
  value = negative ? -v : v;
  return true;
}

bool IsFloat(TextView s) {
  double ignored = 0;
  return TryTextToFloat(s, ignored);
}

Text SqueezeSpaces(TextView s) {
  size_t b = 0, e = s.size();
  while (b < e && s[b] == kBlank) ++b;
  while (e > b && s[e - 1] == kBlank) --e;
  // One left-to-right pass replacing each pair of blanks by one blank, the
  // scan resuming after the replaced pair: three blanks become two.
  Text out;
  out.reserve(e - b);
  for (size_t i = b; i < e;) {
    if (s[i] == kBlank && i + 1 < e && s[i + 1] == kBlank) {
      out.push_back(kBlank);
      i += 2;
    } else {
      out.push_back(s[i++]);
    }
  }
  return out;
}

namespace {

// What CleanText removes: the special characters and the comma. Built once:
// the builders clean a text on every row of a trial balance.
const CharSet& RemovalSet() {
  static const CharSet set = [] {
    CharSet built;
    for (unsigned char c : kSpecialCharacters) built.Add(c);
    built.Add(',');
    return built;
  }();
  return set;
}

// Every byte mapped to itself, except the accented letters, mapped to their
// plain forms.
const std::array<char, 256>& AccentMap() {
  static const std::array<char, 256> map = [] {
    std::array<char, 256> built{};
    for (int b = 0; b < 256; ++b) built[static_cast<size_t>(b)] = static_cast<char>(b);
    const Text& from = AccentFrom();
    for (size_t i = 0; i < from.size(); ++i) built[static_cast<unsigned char>(from[i])] = kAccentTo[i];
    return built;
  }();
  return map;
}

}  // namespace

Text CleanText(TextView input) {
  Text s = SqueezeSpaces(input);

  // Blank runs collapse to one blank, except that the last two characters
  // are never the start of an examined pair (the loop bound of the routine
  // the system has always used).
  // Counting from 0, "position < length - 2" reads "index + 3 < length".
  for (size_t i = 0; i + 3 < s.size();) {
    if (s[i] == kBlank && s[i + 1] == kBlank) s.erase(i + 1, 1);
    else ++i;
  }

  const CharSet& remove = RemovalSet();

  for (size_t i = 0; i < s.size();) {
    if (!remove.Has(s[i])) {
      ++i;
      continue;
    }
    if (i + 1 < s.size() && s[i + 1] == kBlank) {
      // The blank that moves into place is kept and not examined again.
      s.erase(i, 1);
      ++i;
    } else if (i > 0 && s[i - 1] == kBlank) {
      s.erase(i, 1);  // examine the character that moved into place
    } else {
      s[i] = kBlank;
      ++i;
    }
  }

  const std::array<char, 256>& plain = AccentMap();
  for (char& c : s) c = plain[static_cast<unsigned char>(c)];
  return SqueezeSpaces(s);
}

Text CapitalizeFirst(TextView s) {
  Text t = LowerAscii(s);
  // The first occurrence of the first character is the first character itself.
  if (!t.empty() && t[0] >= 'a' && t[0] <= 'z') t[0] = static_cast<char>(t[0] - 'a' + 'A');
  return t;
}

bool IsAllDigits(TextView s) {
  if (Trim(s).empty()) return false;
  for (char c : s)
    if (!IsDigit(c)) return false;
  return true;
}

Text InvalidDateMessage(const Text& cellText) {
  return Ansi("A data \"") + cellText + Ansi("\" não é uma data válida.");
}

namespace {

// Exactly "yyyy-mm-dd" with digits in every other place, naming a real day:
// the only form a date leaves the converter in.
bool IsExactIsoDate(TextView s) {
  if (s.size() != 10 || s[4] != '-' || s[7] != '-') return false;
  for (size_t i : {0u, 1u, 2u, 3u, 5u, 6u, 8u, 9u})
    if (!IsDigit(s[i])) return false;
  return IsCalendarDate(SmallNumber(s.substr(0, 4)), SmallNumber(s.substr(5, 2)), SmallNumber(s.substr(8, 2)));
}

}  // namespace

std::optional<Text> TryNormalizeDate(const Text& cellText) {
  // Dates typed or pasted as text often carry blanks or a line break around them.
  const Text c = Trim(cellText);
  Text r;
  if (IsAllDigits(c)) {
    // A day serial. One beyond the last writable day gives no date at all.
    double serial = 0;
    if (TryTextToFloat(c, serial) && serial < 1e15) {
      if (auto date = DateOfSerial(static_cast<std::int64_t>(serial))) r = IsoDateText(*date);
    }
  } else if (c.size() >= 6) {
    // Day/month/four-digit year, rearranged as written, without zero-padding;
    // whatever that gives must still be a whole date below.
    const TextView t = c;
    const TextView year = LastChars(t, 4);
    const TextView x = t.substr(0, t.size() - 5);
    const size_t slash = x.find('/');
    const TextView before = slash == TextView::npos ? TextView() : x.substr(0, slash);
    const TextView after = slash == TextView::npos ? x : x.substr(slash + 1);
    r.append(year).append("-").append(after).append("-").append(before);
  }
  if (!IsExactIsoDate(r)) return std::nullopt;
  return r;
}

Text NormalizeDate(const Text& cellText) {
  std::optional<Text> date = TryNormalizeDate(cellText);
  if (!date) throw EGenerica(InvalidDateMessage(cellText));
  return std::move(*date);
}

Text ZeroPadCode(TextView input, std::int16_t width) {
  Text s;
  s.reserve(input.size());
  for (char c : input)
    if (c != '.' && c != ',' && c != '/' && c != '\\' && c != '-') s.push_back(c);
  if (width <= 0 || s.size() >= static_cast<size_t>(width)) return s;

  double v = 0;
  // Only a number that prints as plain digits can be padded; anything else
  // is returned as stripped, never shortened or invented.
  if (!TryTextToFloat(s, v) || !(std::fabs(v) < 1e18)) return s;
  const long long n = std::llround(v);
  Text digits = std::to_string(n < 0 ? -n : n);
  Text out;
  if (n < 0) out.push_back('-');
  if (digits.size() < static_cast<size_t>(width)) out.append(static_cast<size_t>(width) - digits.size(), '0');
  out.append(digits);
  return out;
}

namespace {

// Two decimals: x / 0.01 to the nearest integer, ties to even (the default
// rounding mode, which nearbyint follows), then back, in the general format
// with "," replaced by ".". Nothing when the result is not a finite number.
std::optional<Text> RoundToCents(double x) {
  const double scaled = std::nearbyint(x / 0.01);
  const double rounded = scaled * 0.01;
  if (!std::isfinite(scaled) || !std::isfinite(rounded)) return std::nullopt;
  // Below 10^15 cents, scaled has at most 15 digits and rounded lies within
  // two units in the last place of scaled / 100, far closer than half a step
  // of the general format's 15 digits: its text is the cents with the
  // separator before the last two digits, trailing zeros dropped. Made
  // directly, as amounts are converted by the million.
  if (std::fabs(scaled) < 1e15) {
    const auto cents = static_cast<long long>(std::fabs(scaled));
    if (cents == 0) return Text("0");
    Text digits = std::to_string(cents);
    if (digits.size() < 3) digits.insert(0, 3 - digits.size(), '0');  // a whole digit at least
    Text out = scaled < 0 ? "-" : "";
    out.append(digits, 0, digits.size() - 2);
    TextView fraction = TextView(digits).substr(digits.size() - 2);
    while (!fraction.empty() && fraction.back() == '0') fraction.remove_suffix(1);
    if (!fraction.empty()) out.append(".").append(fraction);
    return out;
  }
  // The general format writes "," as the decimal separator.
  return ReplaceAll(GeneralNumberText(rounded), ",", ".");
}

// True when the shortest text that reads back as `value` has at most 15
// significant digits: then the general format's 15 digits read back as
// `value` itself.
bool ReadsBackFrom15Digits(double value) {
  if (value == 0) return true;
  if (!std::isnormal(value)) return false;
  // The common case, told without writing digits: a value that is the
  // nearest double to a whole number of cents (below 10^15 cents, so at most
  // 15 digits). Its 15-digit text is those cents, which read back as it.
  const double cents = std::nearbyint(value * 100);
  if (std::fabs(cents) < 1e15 && cents / 100 == value) return true;
  char buf[40];
  const std::to_chars_result r = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific);
  const char* exponent = std::find(buf, r.ptr, 'e');
  return exponent - buf <= 16;  // "d." and at most 14 further digits
}

}  // namespace

Text FormatDecimal(const Text& cellText) {
  if (Trim(cellText).empty()) return Text();
  double x = 0;
  if (!TryTextToFloat(Trim(cellText), x)) throw EGenerica(InvalidNumberMessage(cellText));
  std::optional<Text> cents = RoundToCents(x);
  if (!cents) throw EGenerica(InvalidNumberMessage(cellText));
  return std::move(*cents);
}

Text FormatDecimalOfNumber(double value) {
  double x = value;
  if (!ReadsBackFrom15Digits(value) && !TryTextToFloat(GeneralNumberText(value), x))
    throw EGenerica(InvalidNumberMessage(GeneralNumberText(value)));
  std::optional<Text> cents = RoundToCents(x);
  if (!cents) throw EGenerica(InvalidNumberMessage(GeneralNumberText(value)));
  return std::move(*cents);
}

}  // namespace voske
