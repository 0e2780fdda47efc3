#pragma once
// What the streamed-generation tests write: the calls of a financial builder
// over many trial-balance entries, and the folder they leave.
#include <filesystem>
#include <string>
#include <vector>

#include "text/cp1252.h"
#include "xml/xml_generator.h"

namespace voske::ledger_writes {

namespace fs = std::filesystem;

inline const Text kRootTag = "<oxr:voskeFinanc xmlns:oxr=\"urn:x\">";

inline std::vector<std::string> Entries(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  return names;
}

// The calls a financial builder makes, over `rows` trial-balance entries:
// sections under the root, entries by parent path, containers closed by
// ReturnTo, an element appended nowhere, and values that need escaping.
inline void WriteLedger(TXMLGenerator& gen, int rows) {
  gen.AddElement("oxr:identificador");
  gen.AddTextElement("oxr:razaoSocial", Ansi("Saúde & Vida <Ltda> 10€ “x”"));
  gen.ReturnTo("oxr:voskeFinanc");
  gen.AddElement("oxr:balancete");
  gen.AddElement("oxr:ativo");
  for (int i = 0; i < rows; ++i) {
    gen.AddElement("oxr:lancamento");
    gen.AddTextElement("oxr:conta", std::to_string(1000000 + i));
    gen.AddTextElement("oxr:descricao", "Conta " + std::to_string(i) + (i % 7 == 0 ? " a\r\x01" "b" : ""));
    gen.AddDecimalElement("oxr:saldoFinal", std::to_string(i) + ".456");
    gen.ReturnTo("oxr:ativo");
  }
  gen.ReturnTo("oxr:voskeFinanc");
  gen.AddElement("oxr:fluxoCaixa");
  gen.AddElement("oxr:orfao", false, "oxr:naoExiste");
  gen.AddTextElement("oxr:valor", "perdido");
  for (int i = 0; i < 3; ++i) {
    gen.AddElement("oxr:lancFluxoCaixa", false, "oxr:fluxoCaixa");
    gen.AddDecimalElement("oxr:valor", "1E-5");
  }
  gen.AddElement("oxr:vazio", true);
}

}  // namespace voske::ledger_writes
