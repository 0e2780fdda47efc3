#pragma once
// Verification of a document already on disk: a generated document of
// either kind, read as a stream. There is no workbook behind it, so its
// findings name element paths.
#include <cstddef>
#include <string>

#include "text/text.h"
#include "verification/finding.h"

namespace voske {

struct FileVerification {
  // False when the file could not be read as a document; `problem` then
  // says why, in Portuguese. Findings met before the reading stopped have
  // been handed on all the same.
  bool read = false;
  Text problem;
  // The path names a folder, a device or a pipe: nothing was read from it,
  // and nothing could be (sending it would wait or read without end).
  bool notAFile = false;
  Text rootName;  // "oxr:voskeCadastral" or "oxr:voskeFinanc"
  std::size_t findingCount = 0;
};

// Reads and checks the document at `path` (native path), handing each
// finding to `sink` as it is met. Only a regular file is read (a folder, a
// device or a pipe is refused before anything is read from it), in bounded
// memory whatever its size. Nothing outside the file is fetched: document
// type declarations are not followed and no entity other than XML's own is
// expanded.
FileVerification VerifyDocumentFile(const std::string& path, const FindingSink& sink);

}  // namespace voske
