#pragma once
// BuildCadastralDocument: the registration document oxr:voskeCadastral.
#include "documents/envelope.h"

namespace voske {

// Builds and saves the registration document at ctx.outputPath. Catches its
// own failures: shows "Não foi possível gerar o arquivo XML "Dados
// Cadastrais"." with the cause, sets ctx.generationFailed and returns.
void BuildCadastralDocument(const DocumentContext& ctx);

}  // namespace voske
