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

constexpr const char* kHelp =
    "Uso: voske-cli verificar --arquivo DOCUMENTO.xml\n"
    "\n"
    "Confere um documento XML da OXR já gravado (cadastral ou financeiro) com o que o\n"
    "esquema da OXR aceita: listas de valores (UF, modalidade, tipo de bem, cargo, país...),\n"
    "formatos (CEP, e-mail, códigos, contas), tamanhos, números, datas e os\n"
    "dígitos verificadores de cada CNPJ e CPF. Cada aviso diz o que a OXR aceita.\n"
    "\n"
    "Opções:\n"
    "  --arquivo DOCUMENTO.xml   o documento a conferir\n"
    "  --help                    mostra esta ajuda\n"
    "\n"
    "Saída: cada valor recusado é uma linha na saída de erros, mostrada assim que é\n"
    "encontrada,\n"
    "  Aviso: CAMINHO/DO/ELEMENTO \"VALOR\": motivo\n"
    "(sem a planilha, o aviso indica o caminho do elemento no documento, com a posição\n"
    "de cada elemento entre os de mesmo nome: oxr:administrador[2]), seguida de uma\n"
    "linha com a contagem. O documento é lido aos poucos: um arquivo de qualquer\n"
    "tamanho é conferido na mesma memória. Pastas, dispositivos e pipes são recusados.\n"
    "\n"
    "Código de saída: 0 nenhum aviso; 1 avisos, ou o arquivo não pôde ser lido como\n"
    "documento; 2 uso incorreto.\n";

int Usage(const std::string& problem) {
  std::fprintf(stderr, "voske-cli verificar: %s\n%s\"voske-cli verificar --help\" explica cada opção.\n",
               problem.c_str(), "Uso: voske-cli verificar --arquivo DOCUMENTO.xml\n");
  return kExitUsage;
}

int Run(const std::vector<std::string>& args) {
  std::optional<std::string> file;
  for (size_t i = 0; i < args.size(); ++i) {
    std::string value;
    if (args[i] == "--help" || args[i] == "-h") {
      std::fputs(kHelp, stdout);
      return kExitOk;
    }
    if (OptionValue(args, i, "--arquivo", value)) {
      if (file) return Usage("a opção --arquivo foi dada mais de uma vez");
      file = value;
      continue;
    }
    if (args[i] == "--arquivo") return Usage("falta o valor da opção --arquivo");
    return Usage("opção desconhecida: " + args[i]);
  }
  if (!file) return Usage("falta a opção --arquivo");
  if (file->empty()) return Usage("o valor de --arquivo está vazio");

  // Each finding is printed as it is met: a document of any size is
  // checked in the same memory.
  const FileVerification v = VerifyDocumentFile(*file, [](const Finding& f) { PrintError(f.Line()); });
  if (!v.read) {
    PrintError(v.problem);
    return kExitFailure;
  }
  PrintError(FindingCountLine(v.findingCount) + ".");
  return v.findingCount == 0 ? kExitOk : kExitFailure;
}

const bool kRegistered = RegisterCommand(
    {"verificar", "confere um documento XML com o que o esquema da OXR aceita", Run, 15});

}  // namespace
}  // namespace voske::cli
