#pragma once
// Why a value does not fit its type, said twice: in plain Portuguese for the
// user, naming what is accepted, and as the technical rule it breaks, for
// whoever checks the finding against the regulator's schema.
#include <optional>

#include "text/text.h"
#include "verification/element_types.h"

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

}  // namespace voske
