#include "verification/finding_list.h"

#include <memory>
#include <utility>

#include "text/error.h"
#include "verification/findings_csv.h"

namespace voske {

namespace {

// The element a path's leaf stands in, without positions: findings of all
// the entries of a list go together ("oxr:medicinaGrupo/oxr:administradores/
// oxr:administrador" of ".../oxr:administrador[2]/oxr:CPF").
Text BlockOf(const Text& path) {
  const std::size_t slash = path.rfind('/');
  const Text parent = slash == Text::npos ? path : path.substr(0, slash);
  Text block;
  bool inPosition = false;
  for (const char c : parent) {
    if (c == '[') inPosition = true;
    if (!inPosition) block += c;
    if (c == ']') inPosition = false;
  }
  return block;
}

FindingList::Entry EntryOf(const Finding& f) {
  const Text full = f.Line();
  Text line = full.substr(full.find(' ') + 1);  // less "Aviso: "
  if (f.sheet.empty()) return {BlockOf(f.path), line, full};
  line.erase(0, f.sheet.size() + 1);  // less "Dados Cadastrais!"
  return {f.sheet, line, full};
}

}  // namespace

FindingList ListFindings(std::vector<Finding> findings, const std::string& document) {
  FindingList list;
  std::vector<FindingList::Entry> entries;
  entries.reserve(findings.size());
  for (const Finding& f : findings) entries.push_back(EntryOf(f));
  // Heading by heading, in the order each is first met; a handful of
  // worksheets, so a scan for the next one costs nothing.
  std::vector<bool> taken(entries.size(), false);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (taken[i]) continue;
    for (std::size_t j = i; j < entries.size(); ++j) {
      if (taken[j] || entries[j].heading != entries[i].heading) continue;
      taken[j] = true;
      list.entries.push_back(entries[j]);
    }
  }
  if (findings.empty()) return list;
  if (!document.empty()) {
    const std::size_t dot = document.rfind('.');
    const std::size_t slash = document.find_last_of("/\\");
    const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    list.suggestedPath = (hasExtension ? document.substr(0, dot) : document) + "_avisos.csv";
  }
  auto kept = std::make_shared<const std::vector<Finding>>(std::move(findings));
  list.save = [kept](const std::string& path) -> std::optional<Text> {
    try {
      WriteFindingsCsv(path, *kept);
      return std::nullopt;
    } catch (const EVoske& e) {
      return e.Message();
    }
  };
  return list;
}

}  // namespace voske
