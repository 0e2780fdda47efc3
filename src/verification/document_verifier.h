#pragma once
// DocumentVerifier: checks each leaf of a document against what the
// regulator's schema accepts for its type (the enumeration, the whole
// pattern, the length, the lexical form of floats, integers and dates) and
// the check digits of every CNPJ and CPF, less the values the builders write
// by rule (accepted_values.h).
//
// It watches a generation as a leaf observer, so a large document is
// checked while it is built and never read again; a document read from disk
// streams through the same calls (document_file.h), its leaves without a
// source cell.
#include <cstddef>
#include <string>
#include <unordered_set>
#include <vector>

#include "text/text.h"
#include "verification/element_path.h"
#include "verification/finding.h"
#include "verification/refusal.h"
#include "verification/trial_balance_check.h"
#include "xml/leaf_observer.h"

namespace voske {

class DocumentVerifier : public LeafObserver {
 public:
  // Keeps the findings (Findings()).
  DocumentVerifier();
  // Hands each finding to `sink` as it is found and keeps none, so a
  // document of any size costs the same memory.
  explicit DocumentVerifier(FindingSink sink);

  void OnElement(const Text& name, std::size_t depth) override;
  void OnLeaf(const std::vector<Text>& ancestors, const Text& name, TextView value,
              const CellOrigin* origin) override;
  // The document ended: what is checked over a whole section (the trial
  // balance's sums) and was still open is checked now.
  void Finish() { ledger_.Finish(); }

  // In the order met. Kept apart by cell, or by path: the same cell written
  // to two leaves of one name gives one finding, two cells two.
  const std::vector<Finding>& Findings() const { return findings_; }
  std::size_t Count() const { return count_; }

 private:
  // The index in checks_ of what a leaf of that name and place is checked as.
  int PrepareCheckOf(const Text& name, const std::vector<Text>& ancestors);
  // A leaf not seen to be sound at a glance: refused or not, and reported.
  [[gnu::noinline]] void CheckFully(const LeafCheck& check, const Text& name, TextView value,
                                    const CellOrigin* origin, int position);
  void Report(Finding finding);

  FindingSink sink_;
  std::vector<Finding> findings_;
  std::size_t count_ = 0;
  ElementPath path_;
  // What each kind of leaf is checked as, worked out once per kind of place
  // (ElementPath's memos index it); a null type is not checked.
  std::vector<LeafCheck> checks_;
  std::unordered_set<std::string> seenCells_;  // "sheet!cell element" of each finding by cell
  TrialBalanceCheck ledger_{[this](const Finding& f) { Report(f); }};
};

}  // namespace voske
