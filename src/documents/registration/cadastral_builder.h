#pragma once
// BuildCadastralDocument: the registration document oxr:voskeCadastral.
#include "documents/envelope.h"

namespace voske {

// Builds and saves the registration document at ctx.outputPath. Any failure
// ends it with EDocumentoNaoGerado ("Não foi possível gerar o arquivo XML
// "Dados Cadastrais"." with the cause), and no file is left.
void BuildCadastralDocument(const DocumentContext& ctx);

}  // namespace voske
