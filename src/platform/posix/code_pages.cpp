#include "platform/code_pages.h"

#include <iconv.h>

namespace voske::platform {

struct CodePageDecoder::State {
  iconv_t handle;
  ~State() { iconv_close(handle); }
};

CodePageDecoder::CodePageDecoder(std::uint16_t codePage) {
  const std::string name = (codePage == 10000 || codePage == 32768) ? "MACINTOSH" : "CP" + std::to_string(codePage);
  iconv_t h = iconv_open("UTF-16LE", name.c_str());
  if (h == reinterpret_cast<iconv_t>(-1)) return;
  state_.reset(new State{h});
}

CodePageDecoder::~CodePageDecoder() = default;

std::u16string CodePageDecoder::Decode(std::string_view bytes) const {
  if (!state_) return {};
  iconv(state_->handle, nullptr, nullptr, nullptr, nullptr);
  std::u16string wide(bytes.size() * 2 + 2, u'\0');
  std::string in(bytes.begin(), bytes.end());
  char* inPtr = in.data();
  std::size_t inLeft = in.size();
  char* outPtr = reinterpret_cast<char*>(wide.data());
  std::size_t outLeft = wide.size() * 2;
  while (inLeft > 0) {
    if (iconv(state_->handle, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1)) break;
    // A byte the code page does not define: one "?" in its place.
    if (outLeft < 2) break;
    *reinterpret_cast<char16_t*>(outPtr) = u'?';
    outPtr += 2;
    outLeft -= 2;
    ++inPtr;
    --inLeft;
  }
  wide.resize((wide.size() * 2 - outLeft) / 2);
  return wide;
}

std::string ToSystemNarrow(const std::string& utf8) { return utf8; }

}  // namespace voske::platform
