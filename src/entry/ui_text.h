#pragma once
// The window speaks QString; the core speaks Windows-1252. Conversions
// happen here and nowhere else in the front end.
#include <QString>

#include "text/text.h"

namespace voske {

Text ToText(const QString& s);     // a character outside 1252 becomes "?"
QString ToQString(const Text& s);

}  // namespace voske
