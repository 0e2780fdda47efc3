// The committed best-fit table against the C library it was made from: every
// character converts as glibc's transliteration converts it alone, so the
// documents stay what they were for any letter glibc maps. Linux only; when
// glibc changes its mind, scripts/make-best-fit-table makes the table anew
// and this test names the characters that moved.
#include <gtest/gtest.h>

#include <iconv.h>
#include <locale.h>

#include <string>

#include "text/cp1252.h"

namespace voske {
namespace {

// The 1252 form glibc gives one character, converted alone as the table's
// script does; "?" when it has none.
class GlibcTransliteration {
 public:
  GlibcTransliteration() : locale_(newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr))) {
    if (!locale_) return;
    const locale_t previous = uselocale(locale_);
    handle_ = iconv_open("WINDOWS-1252//TRANSLIT", "UTF-8");
    uselocale(previous);
  }
  ~GlibcTransliteration() {
    if (usable()) iconv_close(handle_);
    if (locale_) freelocale(locale_);
  }
  bool usable() const { return locale_ && handle_ != reinterpret_cast<iconv_t>(-1); }

  std::string Of(char32_t cp) {
    std::string utf8 = ToUtf8Of(cp);
    const locale_t previous = uselocale(locale_);
    iconv(handle_, nullptr, nullptr, nullptr, nullptr);
    char out[16];
    char* in = utf8.data();
    size_t inLeft = utf8.size();
    char* outPtr = out;
    size_t outLeft = sizeof out;
    const size_t done = iconv(handle_, &in, &inLeft, &outPtr, &outLeft);
    uselocale(previous);
    if (done == static_cast<size_t>(-1) || inLeft != 0 || outPtr == out) return "?";
    return std::string(out, static_cast<size_t>(outPtr - out));
  }

 private:
  static std::string ToUtf8Of(char32_t cp) {
    std::string s;
    if (cp < 0x800) {
      s = {static_cast<char>(0xC0 | (cp >> 6)), static_cast<char>(0x80 | (cp & 0x3F))};
    } else if (cp < 0x10000) {
      s = {static_cast<char>(0xE0 | (cp >> 12)), static_cast<char>(0x80 | ((cp >> 6) & 0x3F)),
           static_cast<char>(0x80 | (cp & 0x3F))};
    } else {
      s = {static_cast<char>(0xF0 | (cp >> 18)), static_cast<char>(0x80 | ((cp >> 12) & 0x3F)),
           static_cast<char>(0x80 | ((cp >> 6) & 0x3F)), static_cast<char>(0x80 | (cp & 0x3F))};
    }
    return s;
  }

  locale_t locale_;
  iconv_t handle_ = reinterpret_cast<iconv_t>(-1);
};

TEST(BestFitTable, EveryCharacterConvertsAsGlibcTransliteratesIt) {
  GlibcTransliteration glibc;
  if (!glibc.usable()) GTEST_SKIP() << "this system has no C.UTF-8 locale or no WINDOWS-1252//TRANSLIT";
  int differences = 0;
  for (char32_t cp = 0x80; cp <= 0x10FFFF && differences < 20; ++cp) {
    // Surrogates are no characters; the program's own 1252 bytes (the five
    // bytes 1252 leaves undefined among them) never reach the table.
    if ((cp >= 0xD800 && cp <= 0xDFFF) || FromCodePoint(cp) != '?') continue;
    const std::string expected = glibc.Of(cp);
    if (BestFit(cp) != expected) {
      ++differences;
      ADD_FAILURE() << "U+" << std::hex << static_cast<unsigned>(cp) << ": table \"" << BestFit(cp)
                    << "\", glibc \"" << expected << "\" (run scripts/make-best-fit-table)";
    }
  }
}

}  // namespace
}  // namespace voske
