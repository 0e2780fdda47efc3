#pragma once
// Why a value does not fit its type, said twice: in plain Portuguese for the
// user, naming what is accepted, and as the technical rule it breaks, for
// whoever checks the finding against the regulator's schema.
#include <cstddef>
#include <limits>
#include <optional>

#include "text/text.h"
#include "verification/class_sequence.h"
#include "verification/element_types.h"
#include "verification/lexical_forms.h"

namespace voske {

struct Refusal {
  Text reason;  // "o CEP deve ter 8 dígitos": no pattern, no type name
  Text rule;    // "st_CEP: padrão [0-9]{8}"
};

// Why `value` does not fit `type`, or nothing when it fits. An empty value
// is not checked: the builders write an empty leaf for a cell the user left
// empty, and saying so once per leaf would bury the findings that matter.
// Values of the non-text types are taken after the blank collapsing XML
// Schema applies to them, and a list of integers is matched by value
// ("0" is "00").
std::optional<Refusal> RefusalOf(const LeafType& type, TextView value);

// A simple type with its pattern compiled and its reason made (refusal.cpp).
struct CheckedType;
// What checking a leaf of one type needs, looked up once: a document checks
// leaves of the same few types millions of times.
struct LeafCheck {
  // The lexical forms of XML Schema's built-in types a value may be held to.
  enum class Base : unsigned char { None, Float, Integer, Date };
  const LeafType* type = nullptr;
  const CheckedType* simple = nullptr;  // null: no simple type
  Base builtIn = Base::None;            // the leaf's own built-in type
  // Taken as it stands (a string type); any other value is read after
  // XML Schema's blank collapsing.
  bool textual = true;
  // All there is to check is the form of a float (the amounts, most of a
  // large document's leaves): a value in that form is accepted at once.
  bool floatOnly = false;
  // All there is to check is a pattern read as a sequence of classes and a
  // length (the account codes of a trial balance): a value that matches and
  // is no longer is accepted at once.
  const ClassSequence* sequence = nullptr;
  std::size_t sequenceMaxLength = std::numeric_limits<std::size_t>::max();
};
LeafCheck PrepareCheck(const LeafType& type);
// RefusalOf for a prepared type: the same answer, without the lookups.
std::optional<Refusal> RefusalOf(const LeafCheck& check, TextView value);
// True for a value RefusalOf would accept that is seen to be sound at a
// glance (an amount in its form, an account code of its pattern); false says
// nothing. Inline, so the lines of a large trial balance cost no call.
inline bool PlainlySound(const LeafCheck& check, TextView value) {
  if (check.floatOnly) return IsSchemaFloat(value);
  return check.sequence && value.size() <= check.sequenceMaxLength && check.sequence->Matches(value);
}

}  // namespace voske
