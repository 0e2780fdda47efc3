#include "entry/ui_fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace voske {

namespace {

QFont Arial(int pixels) {
  QFont f(QStringLiteral("Arial"));
  // Liberation Sans has the same metrics as Arial; name it as the fallback
  // so the choice never depends on the machine's font substitution rules.
  QStringList families;
  families << QStringLiteral("Arial") << QStringLiteral("Liberation Sans");
  f.setFamilies(families);
  f.setPixelSize(pixels);
  f.setStyleHint(QFont::SansSerif);
  return f;
}

}  // namespace

QFont DialogFont() { return Arial(11); }

QFont ToolbarFont() {
  QFont f = Arial(12);
  f.setItalic(true);
  return f;
}

}  // namespace voske
