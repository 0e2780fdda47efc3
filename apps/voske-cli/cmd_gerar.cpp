// voske-cli gerar: one generation from the command line, with the checks,
// the password rule and the messages of the main window.
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "commands.h"
#include "options.h"
#include "generation/run_generation.h"
#include "platform/file_system.h"
#include "terminal.h"
#include "text/cp1252.h"
#include "text/error.h"
#include "verification/findings_csv.h"
#include "workflow/oxr_password.h"
#include "workflow/run_checks.h"

namespace voske::cli {
namespace {

constexpr const char* kUsage =
    "Uso: voske-cli gerar --documento cadastral|financeiro --planilha ARQUIVO --destino PASTA [--silencioso]\n"
    "                     [--estrito] [--avisos ARQUIVO.csv]\n";

constexpr const char* kHelp =
    "Gera um documento XML da OXR a partir da Planilha Padrão, como o botão \"Gerar arquivo\"\n"
    "da janela principal.\n"
    "\n"
    "Opções:\n"
    "  --documento cadastral|financeiro\n"
    "        o documento a gerar: \"cadastral\" (Dados cadastrais) ou \"financeiro\"\n"
    "        (Dados financeiros).\n"
    "  --planilha ARQUIVO\n"
    "        a Planilha Padrão (.xlsx, .xlsm, .xls ou .ods). Aspas duplas no caminho\n"
    "        são removidas.\n"
    "  --destino PASTA\n"
    "        a pasta, já existente, onde o arquivo XML será gravado, com o nome\n"
    "        REGISTRO_CADASTRAL_AAAA-MM-DD_HHMMSS.xml ou REGISTRO_FINANCEIRO_....xml.\n"
    "  --silencioso\n"
    "        não mostra as linhas de status de cada etapa; as mensagens continuam\n"
    "        sendo mostradas.\n"
    "  --estrito\n"
    "        um documento com avisos de verificação é uma falha: o arquivo não fica na\n"
    "        pasta de destino e o código de saída é 1.\n"
    "  --avisos ARQUIVO.csv\n"
    "        grava também os avisos de verificação num arquivo CSV que o Excel abre\n"
    "        como está (\";\" entre os campos, UTF-8): planilha, célula, elemento, valor,\n"
    "        motivo e a regra técnica. Um arquivo com esse nome é substituído.\n"
    "  --help\n"
    "        mostra esta ajuda.\n"
    "\n"
    "Senha na OXR: lida da variável de ambiente VOSKE_SENHA quando ela existe; senão,\n"
    "de uma linha da entrada padrão (sem eco quando é um terminal). Nunca é aceita\n"
    "como argumento.\n"
    "\n"
    "Saída: as linhas de status e as mensagens vão para a saída de erros; em caso de\n"
    "sucesso, o caminho completo do arquivo gerado é a única linha da saída padrão.\n"
    "\n"
    "Verificação: cada valor do documento é conferido com o que o esquema da OXR aceita\n"
    "(listas de valores, formatos, tamanhos, números, datas, dígitos verificadores de CNPJ\n"
    "e CPF). Cada valor recusado é uma linha \"Aviso: PLANILHA!CÉLULA: ELEMENTO \"VALOR\":\n"
    "motivo\" na saída de erros, o motivo dizendo o que a OXR aceita, seguida de uma linha\n"
    "com a contagem; o documento é gerado mesmo assim, salvo com --estrito. Um arquivo\n"
    "que já está na pasta nunca é substituído: no mesmo segundo, o novo documento leva o\n"
    "nome do segundo seguinte que estiver livre.\n"
    "\n"
    "Código de saída: 0 arquivo gerado; 1 falha (nenhum arquivo fica na pasta de\n"
    "destino); 2 uso incorreto.\n";

// The generated file's full path, as the user will look for it.
std::string FullPath(const std::string& path) { return platform::AbsolutePath(path); }

constexpr OptionSpec kOptions[] = {
    {"--documento", "cadastral|financeiro", true},
    {"--planilha", "ARQUIVO", true},
    {"--destino", "PASTA", true},
    {"--silencioso"},
    {"--estrito"},
    {"--avisos", "ARQUIVO.csv"},
};

constexpr CommandSyntax kSyntax{"gerar", kUsage, kHelp, kOptions};

int RunGerar(const std::vector<std::string>& args) {
  ParsedOptions o;
  if (const std::optional<int> status = ReadOptions(kSyntax, args, o)) return *status;
  const std::string& name = o.Value("--documento");
  if (name != "cadastral" && name != "financeiro")
    return UsageError(kSyntax, "--documento deve ser \"cadastral\" ou \"financeiro\", não \"" + name + "\"");

  TerminalFrontEnd front(o.Has("--silencioso"));
  const DocumentKind document = name == "cadastral" ? DocumentKind::Cadastral : DocumentKind::Financeiro;
  RunChoices choices;
  choices.documentKind = document;
  choices.action = RunAction::Generate;
  choices.workbookPath = o.Value("--planilha");
  choices.destinationFolder = o.Value("--destino");
  if (!CheckRunChoices(choices, front)) return kExitFailure;

  const Text password = ReadSecret("VOSKE_SENHA", "Senha na OXR: ");
  if (!AcceptOxrPassword(password, front)) return kExitFailure;

  front.SetStatus(Ansi("Status: Gerando os arquivos XML"));
  GenerationRequest request;
  request.document = document;
  request.workbookPath = o.Value("--planilha");
  request.destinationFolder = o.Value("--destino");
  request.passwordUpper = OxrPasswordUpper(password);
  request.strict = o.Has("--estrito");
  // The findings' file is made first: a place it cannot go is said before
  // the work, and nothing is left there unless the verification ran.
  std::optional<FindingsCsv> csv;
  if (o.Has("--avisos")) {
    if (o.Value("--avisos").empty()) return UsageError(kSyntax, "o valor de --avisos está vazio");
    try {
      csv.emplace(o.Value("--avisos"));
    } catch (const EVoske& e) {
      PrintError(e.Message());
      return kExitFailure;
    }
  }
  GenerationState state;
  RunGeneration(request, front, state, StandardGenerationServices());
  if (csv && state.verified) {
    try {
      for (const Finding& f : state.findings) csv->Add(f);
      csv->Finish();
      PrintError(Ansi("Os avisos foram gravados em: ") + FromUtf8(FullPath(o.Value("--avisos"))));
    } catch (const EVoske& e) {
      PrintError(e.Message());
      return kExitFailure;
    }
  }
  if (state.generationFailed) return kExitFailure;

  PrintLine(FullPath(state.outputPath));
  return kExitOk;
}

const bool registered = RegisterCommand(
    {"gerar", "gera o documento XML cadastral ou financeiro a partir da Planilha Padrão", RunGerar, 10});

}  // namespace
}  // namespace voske::cli
