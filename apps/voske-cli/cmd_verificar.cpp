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
#include "text/error.h"
#include "verification/document_file.h"
#include "verification/findings_csv.h"

namespace voske::cli {
namespace {

constexpr const char* kUsage = "Uso: voske-cli verificar --arquivo DOCUMENTO.xml [--avisos ARQUIVO.csv]\n";

constexpr const char* kHelp =
    "Confere um documento XML da OXR já gravado (cadastral ou financeiro) com o que o\n"
    "esquema da OXR aceita: listas de valores (UF, modalidade, tipo de bem, cargo, país...),\n"
    "formatos (CEP, e-mail, códigos, contas), tamanhos, números, datas e os\n"
    "dígitos verificadores de cada CNPJ e CPF. Cada aviso diz o que a OXR aceita.\n"
    "\n"
    "Opções:\n"
    "  --arquivo DOCUMENTO.xml   o documento a conferir\n"
    "  --avisos ARQUIVO.csv      grava também os avisos num arquivo CSV que o Excel abre\n"
    "                            como está (\";\" entre os campos, UTF-8), com o caminho,\n"
    "                            o valor, o motivo e a regra técnica de cada um; um\n"
    "                            arquivo com esse nome é substituído\n"
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

constexpr OptionSpec kOptions[] = {{"--arquivo", "DOCUMENTO.xml", true}, {"--avisos", "ARQUIVO.csv"}};
constexpr CommandSyntax kSyntax{"verificar", kUsage, kHelp, kOptions};

int Run(const std::vector<std::string>& args) {
  ParsedOptions o;
  if (const std::optional<int> status = ReadOptions(kSyntax, args, o)) return *status;
  const std::string& file = o.Value("--arquivo");
  if (file.empty()) return UsageError(kSyntax, "o valor de --arquivo está vazio");
  if (o.Has("--avisos") && o.Value("--avisos").empty()) return UsageError(kSyntax, "o valor de --avisos está vazio");

  try {
    std::optional<FindingsCsv> csv;
    if (o.Has("--avisos")) csv.emplace(o.Value("--avisos"));
    // Each finding is printed (and kept in the CSV) as it is met: a
    // document of any size is checked in the same memory.
    const FileVerification v = VerifyDocumentFile(file, [&csv](const Finding& f) {
      PrintError(f.Line());
      if (csv) csv->Add(f);
    });
    if (csv && (v.read || v.findingCount > 0)) {
      csv->Finish();
      PrintError(Ansi("Os avisos foram gravados em: ") + FromUtf8(o.Value("--avisos")));
    }
    if (!v.read) {
      PrintError(v.problem);
      return kExitFailure;
    }
    PrintError(FindingCountLine(v.findingCount) + ".");
    return v.findingCount == 0 ? kExitOk : kExitFailure;
  } catch (const EVoske& e) {
    PrintError(e.Message());
    return kExitFailure;
  }
}

const bool kRegistered = RegisterCommand(
    {"verificar", "confere um documento XML com o que o esquema da OXR aceita", Run, 15});

}  // namespace
}  // namespace voske::cli
