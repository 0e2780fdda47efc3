#pragma once
// The leaves the builders write that no single worksheet cell holds: values
// computed or set by rule. Every other leaf reaches the verification with
// the cell it was written from, so only these may be named by their path in
// a finding of a generation.
#include <vector>

#include "text/text.h"

namespace voske {

// Whether the leaf `name` ("oxr:hash"), standing under `ancestors` (root
// first), is one of them.
bool IsComputedLeaf(TextView name, const std::vector<Text>& ancestors);

}  // namespace voske
