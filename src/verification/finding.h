#pragma once
// One thing in a document the user should fix before sending it, and where
// the user finds it.
#include <cstddef>
#include <functional>
#include <vector>

#include "text/text.h"

namespace voske {

struct Finding {
  enum class Kind : unsigned char {
    Value,       // a value the regulator's schema refuses
    Accounting,  // a trial balance that does not add up
  };
  Kind kind = Kind::Value;
  // The worksheet and cell ("B6") the value came from; both empty when no
  // single cell did, and `path` then names the element below the document's
  // root ("oxr:administradores/oxr:administrador[2]/oxr:CPF").
  Text sheet;
  Text cell;
  Text path;
  Text element;  // qualified name: "oxr:CNPJ"
  Text value;    // as the document carries it
  Text reason;   // in plain Portuguese, saying what is accepted
  Text rule;     // the technical rule, for whoever checks it against the schema

  // "Dados Cadastrais!B6", or the path.
  Text Location() const;
  // One line (Windows-1252):
  //   Aviso: Dados Cadastrais!B6: oxr:CNPJ "24681357000141": o CNPJ é inválido: ...
  //   Aviso: oxr:cadastro/oxr:CNPJ "24681357000141": o CNPJ é inválido: ...
  //   Aviso: Balancete Ativo!F7: o saldo final 8.033.090,61 não confere com ...
  // A finding located by its path names the path alone, which ends with the
  // element; an accounting finding says its figures in its reason.
  Text Line() const;
  bool operator==(const Finding&) const = default;
};

// Where findings go as they are found: a list, the terminal, a file.
using FindingSink = std::function<void(const Finding&)>;

// "1 aviso de verificação" / "3 avisos de verificação".
Text FindingCountLine(std::size_t count);
// The findings, one line each, as the message dialog's details.
std::vector<Text> FindingDetails(const std::vector<Finding>& findings);

// What the findings are, in words, by the kinds among them: "valores que o
// esquema da OXR recusa", "contas do balancete que não fecham", or both
// joined by "e".
Text FindingsSubject(bool values, bool accounting);
// The same for a list of findings (the values' words when it is empty).
Text FindingsSubject(const std::vector<Finding>& findings);

// The message of a generation that ends well: "XML gerado com sucesso.", and
// with findings their count and what they are on a line of its own.
Text GenerationSuccessMessage(std::size_t findingCount, const Text& subject = FindingsSubject(true, false));
// The message of a strict generation that stopped on its findings.
Text StrictFailureMessage(std::size_t findingCount, const Text& subject = FindingsSubject(true, false));

}  // namespace voske
