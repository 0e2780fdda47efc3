#pragma once
// The verification of a document just before it is sent: its findings are
// shown, and the user decides whether the document goes anyway.
#include <string>

#include "port/front_end.h"

namespace voske {

// Verifies the document at `xmlPath`. Without findings (or when the file
// cannot be read as a document, which the sending itself reports) the
// sending goes on. With findings: `strict` refuses the sending and shows
// them as an error; otherwise the user is shown them and asked. True when
// the document is to be sent.
bool VerifyBeforeSending(const std::string& xmlPath, FrontEnd& frontEnd, bool strict);

}  // namespace voske
