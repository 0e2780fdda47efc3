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
// The findings, one line each, as the message dialog's details.
std::vector<Text> FindingDetails(const std::vector<Finding>& findings);

// The message of a generation that ends well: "XML gerado com sucesso.", and
// with findings their count on a line of its own.
Text GenerationSuccessMessage(std::size_t findingCount);
// The message of a strict generation that stopped on its findings.
Text StrictFailureMessage(std::size_t findingCount);

}  // namespace voske
