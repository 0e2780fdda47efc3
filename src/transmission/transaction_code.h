#pragma once
// The transaction code of a document: the text of the first "oxr:transacao"
// under its first "oxr:identificador", which names the document's kind.
#include <string>

#include "text/text.h"

namespace voske {

// Empty when the file cannot be read, is not XML, or lacks those elements.
Text ReadTransactionCode(const std::string& path);

}  // namespace voske
