#pragma once
// The window speaks QString; the core speaks Windows-1252. Conversions
// happen here and nowhere else in the front end.
#include <QString>

#include "text/text.h"

namespace voske {

Text ToText(const QString& s);     // a character outside 1252 becomes "?"
QString ToQString(const Text& s);
// Removes every character of code 32 or below at both ends, as the core's
// trimming does (QString::trimmed would also take Unicode spaces).
QString TrimLow(const QString& s);

}  // namespace voske
