#include "verification/lexical_forms.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <utility>

namespace voske {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Moves `i` past a run of digits; the number of digits passed.
std::size_t SkipDigits(TextView s, std::size_t& i) {
  const std::size_t start = i;
  while (i < s.size() && IsDigit(s[i])) ++i;
  return i - start;
}

int TwoDigits(TextView s, std::size_t at) { return (s[at] - '0') * 10 + (s[at + 1] - '0'); }

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool IsTimeZone(TextView zone) {
  if (zone.empty() || zone == "Z") return true;
  if (zone.size() != 6 || (zone[0] != '+' && zone[0] != '-') || zone[3] != ':') return false;
  if (!IsDigit(zone[1]) || !IsDigit(zone[2]) || !IsDigit(zone[4]) || !IsDigit(zone[5])) return false;
  const int hours = TwoDigits(zone, 1);
  const int minutes = TwoDigits(zone, 4);
  return minutes <= 59 && (hours < 14 || (hours == 14 && minutes == 0));
}

// The top bit of each byte of `w` that is not a digit. Each byte is turned
// into its distance from "0" (a digit: 0 to 9) and 118 added to its low
// seven bits, which reaches the top bit from 10 on and never carries into the
// next byte; a byte over 127 has the top bit already.
inline std::uint64_t NonDigitBytes(std::uint64_t w) {
  const std::uint64_t t = w ^ 0x3030303030303030u;
  return (((t & 0x7F7F7F7F7F7F7F7Fu) + 0x7676767676767676u) | t) & 0x8080808080808080u;
}

// True for 8 to 16 bytes of an optional sign, digits and at most one ".":
// the amounts the generator writes, told by two eight-byte words (the first
// eight, the last eight) instead of a loop. False says nothing.
bool IsPlainDecimal(TextView s) {
  if constexpr (std::endian::native != std::endian::little) return false;
  const std::size_t n = s.size();
  if (n < 8 || n > 16) return false;
  std::uint64_t first, last;
  std::memcpy(&first, s.data(), sizeof first);
  std::memcpy(&last, s.data() + n - 8, sizeof last);
  std::uint64_t off = NonDigitBytes(first);
  if (s[0] == '-' || s[0] == '+') off &= ~std::uint64_t{0x80};
  // Of the last word, the bytes the first one did not hold.
  const std::uint64_t lastOff = n == 8 ? 0 : NonDigitBytes(last) & (~std::uint64_t{0} << (8 * (16 - n)));
  // What is left may be one ".", in either word; with it and a sign there
  // are still six digits.
  if (off && lastOff) return false;
  if (!off) {
    if (!lastOff) return true;
    off = lastOff;
    s.remove_prefix(n - 8);
  }
  return (off & (off - 1)) == 0 && s[static_cast<std::size_t>(std::countr_zero(off)) / 8] == '.';
}

// Past the digits from `p` on.
const unsigned char* PastDigits(const unsigned char* p, const unsigned char* end) {
  while (p != end && static_cast<unsigned char>(*p - '0') < 10) ++p;
  return p;
}

}  // namespace

bool IsSchemaFloat(TextView s) {
  // A document holds millions of amounts: most are told at a glance; any
  // other value in one pass over its characters.
  if (IsPlainDecimal(s)) return true;
  const auto* p = reinterpret_cast<const unsigned char*>(s.data());
  const auto* const end = p + s.size();
  if (p != end && (*p == '+' || *p == '-')) ++p;
  const auto* const whole = p;
  p = PastDigits(p, end);
  std::size_t digits = static_cast<std::size_t>(p - whole);
  if (p != end && *p == '.') {
    const auto* const fraction = ++p;
    p = PastDigits(p, end);
    digits += static_cast<std::size_t>(p - fraction);
  }
  if (p == end) return digits > 0;
  // The special values are rare: looked for only where digits are missing.
  if (digits == 0) return s == "INF" || s == "-INF" || s == "+INF" || s == "NaN";
  if (*p != 'e' && *p != 'E') return false;
  ++p;
  if (p != end && (*p == '+' || *p == '-')) ++p;
  const auto* const exponent = p;
  p = PastDigits(p, end);
  return p != exponent && p == end;
}

bool IsSchemaInteger(TextView s) {
  std::size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  return SkipDigits(s, i) > 0 && i == s.size();
}

bool SameInteger(TextView a, TextView b) {
  // Sign and digits with the leading zeros gone; zero has no sign.
  const auto canonical = [](TextView s) {
    const bool negative = !s.empty() && s[0] == '-';
    if (!s.empty() && (s[0] == '-' || s[0] == '+')) s.remove_prefix(1);
    while (s.size() > 1 && s[0] == '0') s.remove_prefix(1);
    return std::pair<bool, TextView>(negative && s != "0", s);
  };
  return canonical(a) == canonical(b);
}

bool IsSchemaDate(TextView s) {
  // Four-digit years only: the documents carry no other, and a longer year
  // in a workbook is a typing error the user wants to hear about.
  if (s.size() < 10 || s[4] != '-' || s[7] != '-') return false;
  for (std::size_t i : {0u, 1u, 2u, 3u, 5u, 6u, 8u, 9u})
    if (!IsDigit(s[i])) return false;
  const int year = TwoDigits(s, 0) * 100 + TwoDigits(s, 2);
  const int month = TwoDigits(s, 5);
  const int day = TwoDigits(s, 8);
  if (year == 0 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month)) return false;
  return IsTimeZone(s.substr(10));
}

}  // namespace voske
