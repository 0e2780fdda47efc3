#include "verification/lexical_forms.h"

#include <cstddef>
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

}  // namespace

bool IsSchemaFloat(TextView s) {
  // A document holds millions of amounts: one pass over the characters,
  // by pointer.
  const char* p = s.data();
  const char* const end = p + s.size();
  const auto skipDigits = [&p, end] {
    const char* const start = p;
    while (p != end && IsDigit(*p)) ++p;
    return static_cast<std::size_t>(p - start);
  };
  if (p != end && (*p == '+' || *p == '-')) ++p;
  std::size_t digits = skipDigits();
  if (p != end && *p == '.') {
    ++p;
    digits += skipDigits();
  }
  // The special values are rare: looked for only where digits are missing.
  if (digits == 0) return s == "INF" || s == "-INF" || s == "+INF" || s == "NaN";
  if (p != end && (*p == 'e' || *p == 'E')) {
    ++p;
    if (p != end && (*p == '+' || *p == '-')) ++p;
    if (skipDigits() == 0) return false;
  }
  return p == end;
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
