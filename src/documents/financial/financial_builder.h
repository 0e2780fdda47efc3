#pragma once
// BuildFinancialDocument: the financial document oxr:voskeFinanc.
#include "documents/envelope.h"

namespace voske {

// Builds and saves the financial document at ctx.outputPath. Any failure
// ends it with EDocumentoNaoGerado, and no file is left.
void BuildFinancialDocument(const DocumentContext& ctx);

}  // namespace voske
