#pragma once
// The findings of a verification as a window lists them (FindingList): under
// the worksheet each came from, and with a way to save them as the CSV the
// command line writes.
#include <string>
#include <vector>

#include "port/front_end.h"
#include "verification/finding.h"

namespace voske {

// Groups `findings` by worksheet, in the order each worksheet is first met,
// each finding in the order found. A finding with no cell goes under the
// element it stands in, positions left out, so a list's entries go together. The list keeps a
// copy of the findings for saving; `document` is the document they were
// found in, and the CSV is first offered beside it ("..._avisos.csv").
FindingList ListFindings(std::vector<Finding> findings, const std::string& document);

}  // namespace voske
