#pragma once
// The verification of a document just before it is sent: its findings are
// shown, and the user decides whether the document goes anyway.
#include <string>
#include <vector>

#include "port/front_end.h"
#include "verification/finding.h"

namespace voske {

// Verifies the document at `xmlPath`. A folder, a device or a pipe is
// refused with its message. Without findings (or when the file cannot be
// read as a document, which the sending itself reports) the sending goes on. With findings: `strict` refuses the sending and shows
// them as an error; otherwise the user is shown them and asked. True when
// the document is to be sent.
//
// With `stream`, each finding goes there as it is met (a terminal prints
// it at once) and none is kept, so a document of any size is checked in the
// same memory; the message and the question then carry no details. Without
// it the findings are kept in `kept` (when given) and shown as the details.
// `read`, when given, is told whether the document was read through.
bool VerifyBeforeSending(const std::string& xmlPath, FrontEnd& frontEnd, bool strict, const FindingSink& stream = {},
                         std::vector<Finding>* kept = nullptr, bool* read = nullptr);

}  // namespace voske
