#pragma once
// Verification of a document already on disk: a generated document of
// either kind, read whole. There is no workbook behind it, so its findings
// name element paths.
#include <string>
#include <vector>

#include "text/text.h"
#include "verification/finding.h"

namespace voske {

struct FileVerification {
  // False when the file could not be read as a document; `problem` then
  // says why, in Portuguese, and there are no findings.
  bool read = false;
  Text problem;
  Text rootName;  // "oxr:voskeCadastral" or "oxr:voskeFinanc"
  std::vector<Finding> findings;
};

// Reads and checks the document at `path` (native path). Nothing outside the
// file is fetched: document type declarations are skipped and no entity
// other than XML's own is expanded.
FileVerification VerifyDocumentFile(const std::string& path);

}  // namespace voske
