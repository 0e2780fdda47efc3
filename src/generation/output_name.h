#pragma once
// The name and place of a generated document.
#include <ctime>
#include <string>

#include "text/text.h"
#include "documents/envelope.h"

namespace voske {

// "yyyy-MM-dd_hhnnss": four-digit year, two-digit month, day, hour (24-hour
// clock), minutes and seconds, e.g. 2026-12-06_213336.
Text FileTimestamp(const std::tm& when);

// "%s_CADASTRAL_%s.xml" or "%s_FINANCEIRO_%s.xml" with the registration
// number of B5 (cell text, every "-" and every control character removed)
// and FileTimestamp. Windows-1252. Throws EGenerica when the number holds a
// character that would take the file out of the destination folder ("/" or
// "\").
Text OutputFileName(DocumentKind document, const Text& registrationCell, const std::tm& when);

// The same date and time one second later, on the calendar alone (the
// fields are taken as they stand, so a clock change does not enter).
std::tm NextSecond(const std::tm& when);

// OutputPath: the destination folder as typed + "/" + the file name turned
// into a native (UTF-8) name. The folder is not examined, so a folder typed
// with a trailing "/" gives "//", which the file system reads as one.
std::string OutputPathFor(const std::string& folder, const Text& fileName);

}  // namespace voske
