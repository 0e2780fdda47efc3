#include "verification/finding.h"

#include <string>

#include "text/cp1252.h"

namespace voske {

Text Finding::Location() const { return sheet.empty() ? path : sheet + "!" + cell; }

Text Finding::Line() const {
  if (kind == Kind::Accounting) return "Aviso: " + Location() + ": " + reason;
  // A finding is one line wherever it is shown: a line break typed in a
  // cell is shown as a blank.
  Text shown = value;
  for (char& c : shown)
    if (c == '\r' || c == '\n') c = ' ';
  const Text what = sheet.empty() ? path : sheet + "!" + cell + ": " + element;
  return "Aviso: " + what + " \"" + shown + "\": " + reason;
}

Text FindingCountLine(std::size_t count) {
  return std::to_string(count) + (count == 1 ? Ansi(" aviso de verificação") : Ansi(" avisos de verificação"));
}

std::vector<Text> FindingDetails(const std::vector<Finding>& findings) {
  std::vector<Text> lines;
  lines.reserve(findings.size());
  for (const Finding& f : findings) lines.push_back(f.Line());
  return lines;
}

Text FindingsSubject(bool values, bool accounting) {
  const Text refused = Ansi("valores que o esquema da OXR recusa");
  const Text unbalanced = Ansi("contas do balancete que não fecham");
  if (accounting && values) return refused + " e " + unbalanced;
  return accounting ? unbalanced : refused;
}

Text FindingsSubject(const std::vector<Finding>& findings) {
  bool values = false, accounting = false;
  for (const Finding& f : findings) (f.kind == Finding::Kind::Accounting ? accounting : values) = true;
  return FindingsSubject(values || !accounting, accounting);
}

Text GenerationSuccessMessage(std::size_t findingCount, const Text& subject) {
  const Text success = Ansi("XML gerado com sucesso.");
  if (findingCount == 0) return success;
  return success + CR + FindingCountLine(findingCount) + ": " + subject + ".";
}

Text StrictFailureMessage(std::size_t findingCount, const Text& subject) {
  return Ansi("O arquivo XML não foi gerado: ") + FindingCountLine(findingCount) + " (" + subject + ").";
}

}  // namespace voske
