#pragma once
// BuildFinancialDocument: the financial document oxr:voskeFinanc.
#include "text/error.h"
#include "documents/envelope.h"

namespace voske {

// The financial document failed; the message wraps the cause.
class EDadosFinanceiros : public EVoske {
 public:
  using EVoske::EVoske;
};

// Builds and saves the financial document at ctx.outputPath. Any failure
// ends it with EDadosFinanceiros, and no file is left.
void BuildFinancialDocument(const DocumentContext& ctx);

}  // namespace voske
