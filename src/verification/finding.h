#pragma once
// One value the regulator's schema refuses, and where the user finds it.
#include <vector>

#include "text/text.h"

namespace voske {

struct Finding {
  // "Dados Cadastrais!B6" for a value taken from one cell; otherwise the
  // element's path below the document's root ("oxr:cadastro/oxr:CNPJ").
  Text location;
  Text element;  // qualified name: "oxr:CNPJ"
  Text value;    // as the document carries it
  Text reason;   // in Portuguese

  // Aviso: Dados Cadastrais!B6: oxr:CNPJ "24681357000141": dígitos
  // verificadores do CNPJ inválidos (one line; Windows-1252). A finding
  // located by its path names the path alone, which ends with the element.
  Text Line() const;
  bool operator==(const Finding&) const = default;
};

// "1 aviso de verificação" / "3 avisos de verificação".
Text FindingCountLine(std::size_t count);

}  // namespace voske
