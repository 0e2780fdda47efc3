#pragma once
// Values the builders write by rule where the regulator's tables are short:
// the verification accepts them, since no cell the user could change would
// make them otherwise. Every such value is in this one list, with the rule
// that writes it.
#include "text/text.h"
#include "verification/element_path.h"

namespace voske {

// Whether `value` of leaf `leafName` is written by rule where it stands
// (its open elements in `path`).
bool AcceptedByRule(TextView leafName, TextView value, const ElementPath& path);

}  // namespace voske
