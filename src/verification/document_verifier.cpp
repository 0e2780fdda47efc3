#include "verification/document_verifier.h"

#include <optional>
#include <utility>

#include "verification/accepted_values.h"
#include "verification/element_types.h"
#include "verification/refusal.h"

namespace voske {

DocumentVerifier::DocumentVerifier() : sink_([this](const Finding& f) { findings_.push_back(f); }) {}

DocumentVerifier::DocumentVerifier(FindingSink sink) : sink_(std::move(sink)) {}

void DocumentVerifier::OnElement(const Text& name, std::size_t depth) {
  path_.Open(name, depth);
  ledger_.OnElement(name, depth);
}

void DocumentVerifier::OnLeaf(const std::vector<Text>& ancestors, const Text& name, TextView value,
                              const CellOrigin* origin) {
  ledger_.OnLeaf(ancestors, name, value, origin);
  ElementPath::Child& leaf = path_.Leaf(name, ancestors.size());
  if (leaf.memo < 0) leaf.memo = PrepareCheckOf(name, ancestors);
  const LeafCheck& check = checks_[static_cast<std::size_t>(leaf.memo)];
  // Nearly every leaf ends here; what a refusal needs is kept out of line.
  if (!check.type || PlainlySound(check, value)) return;
  CheckFully(check, name, value, origin, leaf.count);
}

int DocumentVerifier::PrepareCheckOf(const Text& name, const std::vector<Text>& ancestors) {
  const LeafType* type = LeafTypeOf(name, ancestors);
  checks_.push_back(type ? PrepareCheck(*type) : LeafCheck{});
  return static_cast<int>(checks_.size() - 1);
}

void DocumentVerifier::CheckFully(const LeafCheck& check, const Text& name, TextView value, const CellOrigin* origin,
                                  int position) {
  std::optional<Refusal> refusal = RefusalOf(check, value);
  if (!refusal || AcceptedByRule(name, value, path_)) return;
  Finding f;
  if (origin) {
    f.sheet = Text(origin->sheet);
    f.cell = origin->A1();
  } else {
    f.path = path_.PathTo(name, position);
  }
  f.element = name;
  f.value = Text(value);
  f.reason = std::move(refusal->reason);
  f.rule = std::move(refusal->rule);
  Report(std::move(f));
}

void DocumentVerifier::Report(Finding finding) {
  // One cell written to two leaves of one name (an address row shared by
  // two dependents) is one thing to fix; an accounting finding stands alone.
  if (finding.kind == Finding::Kind::Value && !finding.sheet.empty() &&
      !seenCells_.insert(finding.Location() + " " + finding.element).second)
    return;
  ++count_;
  sink_(finding);
}

}  // namespace voske
