#pragma once
// The findings both screenshot programs show in their warnings dialog, so the
// Linux and the Windows pictures in the README tell the same story.

#include <optional>
#include <string>

#include "port/front_end.h"
#include "text/cp1252.h"

namespace voske {

inline FindingList SampleFindings() {
  FindingList findings;
  findings.entries = {
      {Ansi("Dados Cadastrais"),
       Ansi("B10: oxr:eMail \"regulatorio.serraazulsaude.com.br\": o e-mail deve ter a forma nome@domínio"), {}},
      {Ansi("Administradores"),
       Ansi("A5: oxr:CPF \"52998224726\": o CPF é inválido: os dígitos verificadores não conferem"), {}}};
  findings.save = [](const std::string&) { return std::optional<Text>(); };
  return findings;
}

}  // namespace voske
