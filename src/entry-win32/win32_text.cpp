#include "entry-win32/win32_text.h"

#include "text/cp1252.h"

namespace voske::win32 {

std::wstring Wide(const Text& text) {
  const std::u16string u = ToUtf16(text);
  return std::wstring(u.begin(), u.end());
}

Text FromWide(const std::wstring& wide) {
  return FromUtf16(std::u16string_view(reinterpret_cast<const char16_t*>(wide.data()), wide.size()));
}

std::wstring WideLines(const Text& text) {
  const std::wstring w = Wide(text);
  std::wstring out;
  out.reserve(w.size() + 8);
  for (size_t i = 0; i < w.size(); ++i) {
    out += w[i];
    if (w[i] == L'\r' && (i + 1 == w.size() || w[i + 1] != L'\n')) out += L'\n';
  }
  return out;
}

std::wstring WidePath(const std::string& utf8) {
  if (utf8.empty()) return {};
  const int n = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(n), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), n);
  return wide;
}

std::string Utf8Path(const std::wstring& wide) {
  if (wide.empty()) return {};
  const int n =
      ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(n), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), n, nullptr, nullptr);
  return utf8;
}

std::wstring WindowText(HWND window) {
  const int n = ::GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(n) + 1, L'\0');
  const int got = ::GetWindowTextW(window, text.data(), n + 1);
  text.resize(static_cast<size_t>(got > 0 ? got : 0));
  return text;
}

}  // namespace voske::win32
