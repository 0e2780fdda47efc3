// voske-cli enviar: sends one document through the Java client component, as
// the main window's send mode does, with the same checks and messages.
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "commands.h"
#include "options.h"
#include "platform/file_system.h"
#include "terminal.h"
#include "text/cp1252.h"
#include "text/error.h"
#include "transmission/java_transmission.h"
#include "verification/findings_csv.h"
#include "workflow/oxr_password.h"
#include "workflow/proxy_settings.h"
#include "workflow/run_checks.h"
#include "workflow/send_verification.h"

namespace voske::cli {
namespace {

constexpr const char* kUsage =
    "Uso: voske-cli enviar --documento cadastral|financeiro --arquivo ARQUIVO --destino PASTA\n"
    "                      [--proxy SERVIDOR:PORTA --proxy-usuario USUARIO] [--estrito]\n"
    "                      [--avisos ARQUIVO.csv]\n";

constexpr const char* kHelp =
    "Envia um documento XML gerado pelo VOSKE-XML para a OXR pelo cliente Java, que roda\n"
    "numa Máquina Virtual Java dentro do programa. O recibo fica em PASTA/Recibo.\n"
    "\n"
    "Opções:\n"
    "  --documento TIPO          cadastral ou financeiro: o tipo do documento enviado\n"
    "  --arquivo ARQUIVO         o documento XML a enviar\n"
    "  --destino PASTA           a pasta onde fica a pasta Recibo (precisa existir)\n"
    "  --proxy SERVIDOR:PORTA    envia pelo proxy HTTP indicado\n"
    "  --proxy-usuario USUARIO   o usuário do proxy (obrigatório com --proxy)\n"
    "  --estrito                 não envia um documento com avisos de verificação\n"
    "  --avisos ARQUIVO.csv      grava os avisos de verificação num arquivo CSV que o\n"
    "                            Excel abre como está (\";\" entre os campos, UTF-8)\n"
    "  --help                    mostra esta ajuda\n"
    "\n"
    "Antes do envio, cada valor do documento é conferido com o que o esquema da OXR aceita;\n"
    "cada valor recusado é uma linha \"Aviso: ...\" na saída de erros, e o envio segue\n"
    "(com --estrito, não segue: saída 1).\n"
    "\n"
    "Senhas (nunca na linha de comando): a senha da OXR vem da variável VOSKE_SENHA e a do\n"
    "proxy de VOSKE_PROXY_SENHA; sem elas, cada uma é lida de uma linha da entrada padrão.\n"
    "\n"
    "Ambiente:\n"
    "  JAVA_HOME              a instalação do Java a usar (sem ela, a padrão do sistema)\n"
    "  VOSKE_CLIENT_DIR       a pasta do cliente Java (padrão: a que veio com o programa)\n"
    "  VOSKE_WEBSERVICE_URL   o endereço do serviço da OXR (padrão http://127.0.0.1:8380/voske)\n"
    "  VOSKE_TEMPO_LIMITE_ENVIO  segundos que o envio inteiro pode durar (padrão 120)\n"
    "\n"
    "Saída 0 quando o documento foi aceito (também quando a OXR o recebeu mas o recibo\n"
    "não pôde ser gravado: a mensagem diz por quê, e o documento não deve ser enviado de\n"
    "novo); 1 quando uma mensagem informou uma falha (na saída de erros); 2 quando as\n"
    "opções estão erradas.\n";

constexpr OptionSpec kOptions[] = {
    {"--documento", "cadastral|financeiro", true},
    {"--arquivo", "ARQUIVO", true},
    {"--destino", "PASTA", true},
    {"--proxy", "SERVIDOR:PORTA"},
    {"--proxy-usuario", "USUARIO"},
    {"--estrito"},
    {"--avisos", "ARQUIVO.csv"},
};
constexpr CommandSyntax kSyntax{"enviar", kUsage, kHelp, kOptions};

// The command line's own paths are made absolute before the VM's start-up
// changes the current directory to the client folder.
std::string Absolute(const std::string& path) {
  if (Trim(path).empty()) return path;
  return platform::AbsolutePath(path);
}

int Run(const std::vector<std::string>& args) {
  ParsedOptions o;
  if (const std::optional<int> status = ReadOptions(kSyntax, args, o)) return *status;
  const std::string& document = o.Value("--documento");
  if (document != "cadastral" && document != "financeiro")
    return UsageError(kSyntax, "--documento deve ser \"cadastral\" ou \"financeiro\", não \"" + document + "\"");
  const DocumentKind documentKind = document == "cadastral" ? DocumentKind::Cadastral : DocumentKind::Financeiro;
  const std::string& file = o.Value("--arquivo");
  const std::string& destination = o.Value("--destino");
  const bool haveProxy = o.Has("--proxy");
  if (haveProxy != o.Has("--proxy-usuario")) return UsageError(kSyntax, "--proxy e --proxy-usuario vão juntos");
  const std::string& proxy = o.Value("--proxy");
  const std::size_t colon = proxy.rfind(':');
  if (haveProxy && (colon == std::string::npos || colon == 0))
    return UsageError(kSyntax, "--proxy deve ser SERVIDOR:PORTA, não \"" + proxy + "\"");

  TerminalFrontEnd ui(/*silent=*/false);
  RunChoices choices;
  choices.documentKind = documentKind;
  choices.action = RunAction::Send;
  choices.destinationFolder = destination;
  choices.xmlFilePath = file;
  if (!CheckRunChoices(choices, ui)) return kExitFailure;
  if (o.Has("--avisos") && o.Value("--avisos").empty()) return UsageError(kSyntax, "o valor de --avisos está vazio");
  // Each finding is printed (and kept in the CSV) as it is met, so a
  // document of any size is checked in the same memory.
  try {
    std::optional<FindingsCsv> csv;
    if (o.Has("--avisos")) csv.emplace(o.Value("--avisos"));
    bool read = false;
    const bool send = VerifyBeforeSending(
        Absolute(RemoveAll(file, '"')), ui, o.Has("--estrito"),
        [&csv](const Finding& f) {
          PrintError(f.Line());
          if (csv) csv->Add(f);
        },
        nullptr, &read);
    if (csv && read) {
      csv->Finish();
      PrintError(Ansi("Os avisos foram gravados em: ") + FromUtf8(o.Value("--avisos")));
    }
    if (!send) return kExitFailure;
  } catch (const EVoske& e) {
    PrintError(e.Message());
    return kExitFailure;
  }

  const Text password = ReadSecret("VOSKE_SENHA", "Senha da OXR: ");
  if (!AcceptOxrPassword(password, ui)) return kExitFailure;

  SendRequest request;
  request.xmlPath = Absolute(RemoveAll(file, '"'));
  request.destinationFolder = Absolute(destination);
  request.documentKind = documentKind;
  request.passwordUpper = OxrPasswordUpper(password);
  if (haveProxy) {
    const ProxySettings settings{FromUtf8(proxy.substr(0, colon)), FromUtf8(proxy.substr(colon + 1)),
                                 FromUtf8(o.Value("--proxy-usuario")),
                                 ReadSecret("VOSKE_PROXY_SENHA", "Senha do proxy: ")};
    if (!CheckProxySettings(settings, ui)) return kExitFailure;
    request.useProxy = true;
    request.proxyServer = settings.server;
    request.proxyPort = settings.port;
    request.proxyUser = settings.user;
    request.proxyPassword = settings.password;
  }

  JavaTransmission transmission;
  if (!transmission.StartJavaVM(ui)) return kExitFailure;
  ui.Status(Ansi("Status: Enviando os dados para OXR"));
  transmission.SendDocument(request, ui);
  // A document the regulator received is not to be sent again, receipt or not.
  return transmission.lastOutcome() == SendOutcome::Failed ? kExitFailure : kExitOk;
}

const bool kRegistered = RegisterCommand({"enviar", "envia um documento XML para a OXR e guarda o recibo", Run, 20});

}  // namespace
}  // namespace voske::cli
