#include "workbook/xlsx/ooxml_text.h"

#include <charconv>
#include <cmath>
#include <cstdint>

#include "text/cp1252.h"
#include "values/calendar.h"

namespace voske {

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The code unit of an escape "_xHHHH_" starting at `i`, or -1.
long EscapeAt(std::string_view s, size_t i) {
  if (i + 7 > s.size() || s[i] != '_' || s[i + 1] != 'x' || s[i + 6] != '_') return -1;
  long v = 0;
  for (size_t k = i + 2; k < i + 6; ++k) {
    const int d = HexDigit(s[k]);
    if (d < 0) return -1;
    v = v * 16 + d;
  }
  return v;
}

bool IsHighSurrogate(long u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLowSurrogate(long u) { return u >= 0xDC00 && u <= 0xDFFF; }

}  // namespace

Text DecodeStoredText(std::string_view s) {
  size_t next = s.find("_x");
  if (next == std::string_view::npos) return FromUtf8(s);
  Text out;
  out.reserve(s.size());
  size_t copied = 0;
  while (next != std::string_view::npos) {
    const long unit = EscapeAt(s, next);
    if (unit < 0) {
      next = s.find("_x", next + 1);
      continue;
    }
    out += FromUtf8(s.substr(copied, next - copied));
    size_t end = next + 7;
    const long low = EscapeAt(s, end);
    if (IsHighSurrogate(unit) && IsLowSurrogate(low)) {
      end += 7;  // one character beyond the basic plane, written as two escapes
      out += BestFit(static_cast<char32_t>(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00)));
    } else {
      out += BestFit(static_cast<char32_t>(unit));
    }
    copied = end;
    next = s.find("_x", end);
  }
  out += FromUtf8(s.substr(copied));
  return out;
}

std::optional<double> ParseStoredNumber(std::string_view s) {
  while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ') s.remove_prefix(1);
  while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ') s.remove_suffix(1);
  if (!s.empty() && s.front() == '+') s.remove_prefix(1);
  if (s.empty()) return std::nullopt;
  double v = 0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (ec != std::errc() || end != s.data() + s.size() || !std::isfinite(v)) return std::nullopt;
  return v;
}

namespace {

// Reads exactly `width` digits at `i`.
bool Digits(std::string_view s, size_t& i, size_t width, unsigned& out) {
  if (i + width > s.size()) return false;
  out = 0;
  for (size_t k = 0; k < width; ++k) {
    const char c = s[i + k];
    if (c < '0' || c > '9') return false;
    out = out * 10 + static_cast<unsigned>(c - '0');
  }
  i += width;
  return true;
}

// "hh:mm[:ss[.fff]]" at `i` as a fraction of a day; a zone suffix ("Z",
// "+03:00") is accepted and ignored, since the spreadsheet keeps no zones.
bool TimeOfDay(std::string_view s, size_t& i, double& fraction) {
  unsigned h = 0, mi = 0, sec = 0;
  if (!Digits(s, i, 2, h) || i >= s.size() || s[i++] != ':' || !Digits(s, i, 2, mi)) return false;
  double seconds = 0;
  if (i < s.size() && s[i] == ':') {
    ++i;
    if (!Digits(s, i, 2, sec)) return false;
    seconds = sec;
    if (i < s.size() && (s[i] == '.' || s[i] == ',')) {
      ++i;
      double scale = 0.1;
      const size_t start = i;
      while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
        seconds += (s[i] - '0') * scale;
        scale /= 10;
        ++i;
      }
      if (i == start) return false;
    }
  }
  if (h > 24 || mi > 59 || sec > 60) return false;
  if (i < s.size()) {
    if (s[i] == 'Z') {
      ++i;
    } else if (s[i] == '+' || s[i] == '-') {
      ++i;
      unsigned zh = 0, zm = 0;
      if (!Digits(s, i, 2, zh)) return false;
      if (i < s.size() && s[i] == ':') ++i;
      if (i < s.size() && !Digits(s, i, 2, zm)) return false;
    }
  }
  fraction = (h * 3600.0 + mi * 60.0 + seconds) / 86400.0;
  return true;
}

}  // namespace

std::optional<double> ParseIsoDateSerial(std::string_view s, bool date1904) {
  while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ') s.remove_prefix(1);
  while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ') s.remove_suffix(1);
  size_t i = 0;
  double fraction = 0;
  // A time of day alone: "hh:mm..." has its colon third.
  if (s.size() >= 5 && s[2] == ':') {
    if (!TimeOfDay(s, i, fraction) || i != s.size()) return std::nullopt;
    return fraction;
  }
  unsigned y = 0, m = 0, d = 0;
  if (!Digits(s, i, 4, y) || i >= s.size() || s[i++] != '-' || !Digits(s, i, 2, m) || i >= s.size() ||
      s[i++] != '-' || !Digits(s, i, 2, d))
    return std::nullopt;
  if (!IsCalendarDate(y, m, d)) return std::nullopt;
  if (i < s.size()) {
    if (s[i] != 'T' && s[i] != ' ') return std::nullopt;
    ++i;
    if (!TimeOfDay(s, i, fraction)) return std::nullopt;
  }
  if (i != s.size()) return std::nullopt;
  std::int64_t days =
      SerialOfDate(std::chrono::year{static_cast<int>(y)} / std::chrono::month{m} / std::chrono::day{d});
  if (date1904) {
    days -= kDays1904After1900;
  } else if (days > 0 && days <= 60) {
    days -= 1;
  }
  return static_cast<double>(days) + fraction;
}

}  // namespace voske
