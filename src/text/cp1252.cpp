#include "text/cp1252.h"

#include <array>
#include <cstdint>
#include <iconv.h>
#include <locale.h>

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

// The locale the transliteration runs under. glibc's iconv finds its
// best-fit table in the calling thread's LC_CTYPE, and only a UTF-8 locale
// has one; the process locale is whatever the host left (often "C"), so the
// conversion brings its own. Null when the system has no such locale: then
// every character outside 1252 becomes "?".
locale_t TransliterationLocale() {
  static const locale_t locale = [] {
    for (const char* name : {"C.UTF-8", "C.utf8", "en_US.UTF-8"})
      if (locale_t l = newlocale(LC_CTYPE_MASK, name, static_cast<locale_t>(nullptr))) return l;
    return static_cast<locale_t>(nullptr);
  }();
  return locale;
}

// One converter per thread, since a converter keeps state between calls.
class Transliterator {
 public:
  Transliterator() {
    const locale_t locale = TransliterationLocale();
    if (!locale) return;
    const locale_t previous = uselocale(locale);
    handle_ = iconv_open("WINDOWS-1252//TRANSLIT", "UTF-8");
    uselocale(previous);
  }
  ~Transliterator() {
    if (handle_ != kNone) iconv_close(handle_);
  }
  Transliterator(const Transliterator&) = delete;
  Transliterator& operator=(const Transliterator&) = delete;

  // The 1252 form of one character given in UTF-8; "?" when there is none.
  Text Convert(std::string utf8) {
    if (handle_ == kNone) return "?";
    const locale_t previous = uselocale(TransliterationLocale());
    iconv(handle_, nullptr, nullptr, nullptr, nullptr);
    char out[16];
    char* in = utf8.data();
    size_t inLeft = utf8.size();
    char* outPtr = out;
    size_t outLeft = sizeof out;
    const size_t done = iconv(handle_, &in, &inLeft, &outPtr, &outLeft);
    uselocale(previous);
    if (done == static_cast<size_t>(-1) || inLeft != 0 || outPtr == out) return "?";
    return Text(out, static_cast<size_t>(outPtr - out));
  }

 private:
  static inline const iconv_t kNone = reinterpret_cast<iconv_t>(static_cast<std::intptr_t>(-1));
  iconv_t handle_ = kNone;
};

}  // namespace

Text BestFit(char32_t cp) {
  const char direct = FromCodePoint(cp);
  if (direct != '?' || cp == U'?') return Text(1, direct);
  if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return "?";
  thread_local Transliterator transliterator;
  std::string utf8;
  AppendUtf8(utf8, cp);
  return transliterator.Convert(std::move(utf8));
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
