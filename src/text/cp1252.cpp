#include "text/cp1252.h"

#include <algorithm>
#include <array>

#include "text/best_fit_table.h"

namespace voske {

namespace {

// Code points of the bytes 0x80-0x9F; the rest of 1252 equals Latin-1.
constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

}  // namespace

Text BestFit(char32_t cp) {
  const char direct = FromCodePoint(cp);
  if (direct != '?' || cp == U'?') return Text(1, direct);
  const BestFitEntry* end = kBestFitTable + kBestFitTableSize;
  const BestFitEntry* found = std::lower_bound(
      kBestFitTable, end, cp, [](const BestFitEntry& e, char32_t wanted) { return e.codePoint < wanted; });
  return found != end && found->codePoint == cp ? Text(found->text) : Text("?");
}

namespace {

// The common case, a character 1252 holds, without building a text for it.
void AppendBestFit(Text& out, char32_t cp) {
  const char direct = FromCodePoint(cp);
  if (direct != '?' || cp == U'?') out.push_back(direct);
  else out += BestFit(cp);
}

}  // namespace

char32_t ToCodePoint(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) return kHigh[byte - 0x80];
  return byte;
}

char FromCodePoint(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
  for (size_t i = 0; i < kHigh.size(); ++i)
    if (kHigh[i] == cp) return static_cast<char>(0x80 + i);
  return '?';
}

Text FromUtf8(std::string_view s) {
  Text out;
  out.reserve(s.size());
  size_t i = 0;
  while (i < s.size()) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
      ++i;
      continue;
    }
    int extra = 0;
    char32_t cp = 0;
    if ((c & 0xE0) == 0xC0) { extra = 1; cp = c & 0x1F; }
    else if ((c & 0xF0) == 0xE0) { extra = 2; cp = c & 0x0F; }
    else if ((c & 0xF8) == 0xF0) { extra = 3; cp = c & 0x07; }
    else { out.push_back('?'); ++i; continue; }
    size_t j = i + 1;
    bool ok = true;
    for (int k = 0; k < extra; ++k, ++j) {
      if (j >= s.size() || (static_cast<unsigned char>(s[j]) & 0xC0) != 0x80) { ok = false; break; }
      cp = (cp << 6) | (static_cast<unsigned char>(s[j]) & 0x3F);
    }
    if (!ok) { out.push_back('?'); i = j; continue; }
    AppendBestFit(out, cp);
    i = j;
  }
  return out;
}

Text FromUtf16(std::u16string_view s) {
  Text out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    char16_t u = s[i];
    if (u >= 0xD800 && u <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
      // A character beyond the basic plane, from its two halves.
      AppendBestFit(out, 0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) + (static_cast<char32_t>(s[++i]) - 0xDC00));
      continue;
    }
    AppendBestFit(out, u);
  }
  return out;
}

std::string ToUtf8(TextView text) {
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  for (char c : text) AppendUtf8(out, ToCodePoint(static_cast<unsigned char>(c)));
  return out;
}

std::u16string ToUtf16(TextView text) {
  std::u16string out;
  out.reserve(text.size());
  for (char c : text) out.push_back(static_cast<char16_t>(ToCodePoint(static_cast<unsigned char>(c))));
  return out;
}

}  // namespace voske
