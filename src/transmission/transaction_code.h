#pragma once
// The transaction code of a document: the text of the first "oxr:transacao"
// under its first "oxr:identificador", which names the document's kind.
#include <string>

#include "text/text.h"

namespace voske {

struct TransactionCode {
  enum class Outcome {
    Read,        // the file was read; `code` is empty when it is not XML or has no code
    Missing,     // there is no file of that name
    Unreadable,  // the file exists but cannot be read; `reason` says why
  };
  TransactionCode() = default;
  // A code read from a readable file.
  TransactionCode(Text readCode) : code(std::move(readCode)) {}  // NOLINT: implicit, as a plain code reads
  Outcome outcome = Outcome::Read;
  Text code;
  Text reason;  // for Unreadable, in the user's words
};

// Reads only the document's header, so a document of any size is read in the
// same small memory.
TransactionCode ReadTransactionCode(const std::string& path);

}  // namespace voske
