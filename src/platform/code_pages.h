#pragma once
// Texts in the legacy 8-bit code pages: those of old workbooks, and the one
// the system itself uses for the narrow strings it hands to other runtimes.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace voske::platform {

// Decodes bytes of one code page (by its Windows number: 1250, 1251, 10000
// for Mac Roman...) to UTF-16.
class CodePageDecoder {
 public:
  explicit CodePageDecoder(std::uint16_t codePage);
  ~CodePageDecoder();
  CodePageDecoder(const CodePageDecoder&) = delete;
  CodePageDecoder& operator=(const CodePageDecoder&) = delete;

  // Whether the system can decode this code page at all.
  bool Usable() const { return state_ != nullptr; }
  // The UTF-16 text of `bytes`; a byte the code page does not define becomes
  // one "?". Empty when the decoder is not usable.
  std::u16string Decode(std::string_view bytes) const;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

// UTF-8 text in the encoding the system uses for narrow strings passed to
// other runtimes (a Java VM's start-up options): the ANSI code page on
// Windows, where characters it lacks take its best fit; unchanged on POSIX,
// where the program runs such runtimes under UTF-8 (see locale.h).
std::string ToSystemNarrow(const std::string& utf8);

}  // namespace voske::platform
