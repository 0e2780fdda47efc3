#pragma once
// DocumentVerifier: checks each leaf of a document against what the
// regulator's schema accepts for its type (the enumeration, the whole
// pattern, the lexical form of floats, integers and dates) and the check
// digits of every CNPJ and CPF. Lengths are not its business: the generator
// refuses an over-long value before it is written.
//
// It watches a generation as a leaf observer, so a large document is
// checked while it is built and never read again; it can also check a
// document read from disk, whose leaves have no source cell.
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include <pugixml.hpp>

#include "text/text.h"
#include "verification/element_types.h"
#include "verification/finding.h"
#include "xml/leaf_observer.h"

namespace voske {

// Why `value` does not fit `type`, in Portuguese, or nothing when it fits.
// An empty value is not checked: the builders write an empty leaf for a
// cell the user left empty, and saying so once per leaf would bury the
// findings that matter.
std::optional<Text> RefusalOf(const LeafType& type, TextView value);

class DocumentVerifier : public LeafObserver {
 public:
  void OnLeaf(const std::vector<Text>& ancestors, const Text& name, TextView value,
              const CellOrigin* origin) override;

  // Checks every leaf under `root` (the document's root element) of a
  // document pugixml loaded, whose texts are UTF-8.
  void VerifyLoaded(pugi::xml_node root);

  // In the order met; a finding repeated word for word (the same cell
  // written to two leaves of one name) is kept once.
  const std::vector<Finding>& Findings() const { return findings_; }

 private:
  // `where` names the leaf when no cell does; it is made only for a finding.
  template <typename Where>
  void Check(const std::vector<Text>& ancestors, const Text& name, TextView value, const CellOrigin* origin,
             const Where& where);

  std::vector<Finding> findings_;
  std::unordered_set<std::string> seen_;
};

// The element's path below the root: qualified names joined by "/", with
// the 1-based position among same-named siblings ("oxr:administrador[2]")
// wherever there is more than one.
Text ElementPath(pugi::xml_node node);

}  // namespace voske
