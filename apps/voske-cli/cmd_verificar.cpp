// voske-cli verificar: checks a document already on disk against what the
// regulator's schema accepts, before the user sends it.
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "commands.h"
#include "options.h"
#include "terminal.h"
#include "text/cp1252.h"
#include "verification/document_file.h"

namespace voske::cli {
namespace {

constexpr const char* kUsage = "Uso: voske-cli verificar --arquivo DOCUMENTO.xml\n";

constexpr const char* kHelp =
    "Confere um documento XML da OXR já gravado (cadastral ou financeiro) com o que o\n"
    "esquema da OXR aceita: listas de valores (UF, modalidade, tipo de bem, cargo, país...),\n"
    "formatos (CEP, e-mail, códigos, contas), números, datas e os dígitos verificadores de\n"
    "cada CNPJ e CPF. O tamanho dos valores já é conferido na geração.\n"
    "\n"
    "Opções:\n"
    "  --arquivo DOCUMENTO.xml   o documento a conferir\n"
    "  --help                    mostra esta ajuda\n"
    "\n"
    "Saída: cada valor recusado é uma linha na saída de erros,\n"
    "  Aviso: CAMINHO/DO/ELEMENTO \"VALOR\": motivo\n"
    "(sem a planilha, o aviso indica o caminho do elemento no documento), seguida de uma\n"
    "linha com a contagem.\n"
    "\n"
    "Código de saída: 0 nenhum aviso; 1 avisos, ou o arquivo não pôde ser lido como\n"
    "documento; 2 uso incorreto.\n";

constexpr OptionSpec kOptions[] = {{"--arquivo", "DOCUMENTO.xml", true}};
constexpr CommandSyntax kSyntax{"verificar", kUsage, kHelp, kOptions};

int Run(const std::vector<std::string>& args) {
  ParsedOptions o;
  if (const std::optional<int> status = ReadOptions(kSyntax, args, o)) return *status;
  const std::string& file = o.Value("--arquivo");
  if (file.empty()) return UsageError(kSyntax, "o valor de --arquivo está vazio");

  const FileVerification v = VerifyDocumentFile(file);
  if (!v.read) {
    PrintError(v.problem);
    return kExitFailure;
  }
  for (const Finding& f : v.findings) PrintError(f.Line());
  PrintError(FindingCountLine(v.findings.size()) + ".");
  return v.findings.empty() ? kExitOk : kExitFailure;
}

const bool kRegistered = RegisterCommand(
    {"verificar", "confere um documento XML com o que o esquema da OXR aceita", Run, 15});

}  // namespace
}  // namespace voske::cli
