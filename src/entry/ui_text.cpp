#include "entry/ui_text.h"

#include "text/cp1252.h"

namespace voske {

Text ToText(const QString& s) {
  return FromUtf16(std::u16string_view(reinterpret_cast<const char16_t*>(s.utf16()), static_cast<size_t>(s.size())));
}

QString ToQString(const Text& s) {
  const std::u16string u = ToUtf16(s);
  return QString::fromUtf16(u.data(), static_cast<qsizetype>(u.size()));
}

}  // namespace voske
