#include "platform/code_pages.h"

#include "platform/windows/wide.h"

namespace voske::platform {

struct CodePageDecoder::State {
  UINT codePage;
};

CodePageDecoder::CodePageDecoder(std::uint16_t codePage) {
  const UINT id = codePage == 32768 ? 10000 : codePage;  // 32768 is Mac Roman too
  if (::IsValidCodePage(id)) state_.reset(new State{id});
}

CodePageDecoder::~CodePageDecoder() = default;

std::u16string CodePageDecoder::Decode(std::string_view bytes) const {
  if (!state_ || bytes.empty()) return {};
  const int n = static_cast<int>(bytes.size());
  const int size = ::MultiByteToWideChar(state_->codePage, 0, bytes.data(), n, nullptr, 0);
  if (size <= 0) return std::u16string(bytes.size(), u'?');
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  ::MultiByteToWideChar(state_->codePage, 0, bytes.data(), n, wide.data(), size);
  return std::u16string(wide.begin(), wide.end());
}

std::string ToSystemNarrow(const std::string& utf8) {
  const std::wstring wide = windows::Wide(utf8);
  if (wide.empty()) return {};
  const int n = static_cast<int>(wide.size());
  const int size = ::WideCharToMultiByte(CP_ACP, 0, wide.data(), n, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
  if (size > 0) ::WideCharToMultiByte(CP_ACP, 0, wide.data(), n, out.data(), size, nullptr, nullptr);
  return out;
}

}  // namespace voske::platform
