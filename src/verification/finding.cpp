#include "verification/finding.h"

#include <string>

#include "text/cp1252.h"

namespace voske {

Text Finding::Line() const {
  const bool byCell = location.find('!') != Text::npos;
  Text line = "Aviso: " + location;
  line += byCell ? ": " + element + " \"" : Text(" \"");
  // A finding is one line wherever it is shown: a line break typed in a
  // cell is shown as a blank.
  Text shown = value;
  for (char& c : shown)
    if (c == '\r' || c == '\n') c = ' ';
  return line + shown + "\": " + reason;
}

Text FindingCountLine(std::size_t count) {
  return std::to_string(count) + (count == 1 ? Ansi(" aviso de verificação") : Ansi(" avisos de verificação"));
}

}  // namespace voske
