#include "workflow/main_window_presenter.h"

#include <exception>

#include "platform/process.h"
#include "text/cp1252.h"
#include "text/error.h"
#include "workflow/folder_start.h"
#include "workflow/oxr_password.h"
#include "workflow/send_verification.h"
#include "workflow/window_thread_relay.h"

namespace voske {

namespace {

struct Texts {
  Text generateCaption = Ansi("Gerar arquivo");
  Text sendCaption = Ansi("Enviar arquivo");
  Text statusIdle = Ansi("Status: ");
  Text statusGenerating = Ansi("Status: Gerando os arquivos XML");
  Text statusSending = Ansi("Status: Enviando os dados para OXR");
  // Said when the user tries to close the window during a run.
  Text waitForSending = Ansi(" - a janela fecha quando a OXR responder");
  Text waitForGeneration = Ansi(" - a janela fecha quando a geração terminar");
  Text statusDone = Ansi("Status:");
  Text workbookFilter = Ansi("Planilha Padrão|*.xlsx;*.xlsm;*.xls;*.ods");
  Text xmlFilter = Ansi("Arquivo XML|*.xml");
  Text browserFailed = Ansi("Erro ao tentar abrir o Internet Explorer: ") + CR;
};

const Texts& T() {
  static const Texts t;
  return t;
}

}  // namespace

Text OsName() { return FromUtf8(platform::SystemVersionName()); }

std::string StatusPageUrl() { return "http://www.oxr.gov.br:8080/HotSite"; }

MainWindowPresenter::MainWindowPresenter(MainWindowView& view, FrontEnd& frontEnd, TransmissionPort& transmission,
                                         GenerationServices services)
    : view_(view), frontEnd_(frontEnd), transmission_(transmission), services_(std::move(services)) {}

void MainWindowPresenter::FormCreate() {
  view_.ChooseDocument(DocumentKind::Cadastral);
  view_.ChooseAction(RunAction::Generate);
  ActionChanged();

  programVersion_ = voske::ProgramVersion();
  const Text title = "VOSKE-XML " + programVersion_;
  view_.SetApplicationTitle(title);
  view_.SetWindowCaption(title + " {" + OsName() + "}");

  frontEnd_.SetStatus(T().statusIdle);

  const Text javaVersion = transmission_.JavaVersion();
  view_.SetWindowCaption(title + " {" + OsName() + " - JRE " + javaVersion + "}");

  if (!transmission_.StartJavaVM(frontEnd_)) view_.SetXmlFileEnabled(false);
}

void MainWindowPresenter::ActionChanged() {
  if (view_.ChosenAction() != RunAction::Generate) {
    view_.SetXmlFileEnabled(true);
    view_.SetProxyEnabled(true);
    view_.SetMainButtonCaption(T().sendCaption);
  } else {
    view_.SetXmlFilePath(std::string());
    view_.SetXmlFileEnabled(false);
    view_.SetProxyEnabled(false);
    view_.SetMainButtonCaption(T().generateCaption);
  }
}

void MainWindowPresenter::ProxyBoxClicked() {
  if (view_.ProxyChecked()) view_.ShowProxyDialog();
}

bool MainWindowPresenter::ConfirmProxy(const ProxySettings& typed) {
  if (!CheckProxySettings(typed, frontEnd_)) return false;
  SetProxyServer(typed.server);
  SetProxyPort(typed.port);
  SetProxyUser(typed.user);
  SetProxyPassword(typed.password);
  return true;
}

Text MainWindowPresenter::OxrPasswordUpper() const { return voske::OxrPasswordUpper(oxrPassword_); }

void MainWindowPresenter::GenerateOrSend() {
  // The window handles events while a generation runs; a press that slips
  // through then must not start a second run inside the first.
  if (running_) return;

  view_.ShowStatusLine();
  generation_.Clear();

  const RunChoices choices{.documentKind = view_.ChosenDocument(),
                           .action = view_.ChosenAction(),
                           .workbookPath = view_.WorkbookPath(),
                           .destinationFolder = view_.DestinationFolder(),
                           .xmlFilePath = view_.XmlFilePath()};
  if (!CheckRunChoices(choices, frontEnd_)) return;
  // A proxy asked for must be one the client can use: ticked but never
  // configured, the proxy dialog opens; still incomplete, the first missing
  // field is named and nothing is sent, rather than sending around the proxy.
  if (choices.action == RunAction::Send && view_.ProxyChecked() && !ProxySettingsComplete(proxy_)) {
    view_.ShowProxyDialog();
    if (!CheckProxySettings(proxy_, frontEnd_)) return;
  }

  const std::optional<Text> password = view_.AskOxrPassword();
  if (!password) {
    SetOxrPassword(Text());
    return;
  }
  SetOxrPassword(*password);

  generation_.generationFailed = false;
  running_ = true;
  runningAction_ = *choices.action;
  // Whatever happens in the run, the window comes back ready for the next.
  struct Restore {
    MainWindowPresenter& p;
    ~Restore() {
      p.running_ = false;
      p.frontEnd_.SetStatus(T().statusDone);
      p.frontEnd_.SetBusy(false);
      p.view_.SetMainButtonEnabled(true);
    }
  } restore{*this};
  // The choices are taken once, at the press: fields changed while the run
  // handles events do not reach it halfway.
  if (choices.action == RunAction::Generate) Generate(choices);
  if (choices.action == RunAction::Send) Send(choices);
}

void MainWindowPresenter::Generate(const RunChoices& choices) {
  frontEnd_.Status(T().statusGenerating);
  frontEnd_.SetBusy(true);
  view_.SetMainButtonEnabled(false);
  const GenerationRequest request{
      .document = *choices.documentKind,
      .workbookPath = choices.workbookPath,
      .destinationFolder = choices.destinationFolder,
      .passwordUpper = OxrPasswordUpper(),
      .programVersion = programVersion_};
  RunGeneration(request, frontEnd_, generation_, services_);
}

void MainWindowPresenter::Send(const RunChoices& choices) {
  // One press either generates or sends, so the file sent is always the one
  // named in the field, never one generated by an earlier press.
  generation_.outputPath = RemoveAll(choices.xmlFilePath, '"');
  // Busy as during a generation: the hourglass, the button disabled and the
  // window refusing to close until the answer is in.
  frontEnd_.SetBusy(true);
  view_.SetMainButtonEnabled(false);
  SendRequest request;
  request.xmlPath = generation_.outputPath;
  request.destinationFolder = choices.destinationFolder;
  request.documentKind = *choices.documentKind;
  request.useProxy = view_.ProxyChecked();
  request.proxyServer = proxy_.server;
  request.proxyPort = proxy_.port;
  request.proxyUser = proxy_.user;
  request.proxyPassword = proxy_.password;
  request.passwordUpper = OxrPasswordUpper();
  // The user declined: the press ends as any other, the window ready again.
  if (!VerifyBeforeSending(request.xmlPath, frontEnd_, /*strict=*/false)) return;
  // Only now, the question (if any) answered, does the sending begin.
  frontEnd_.Status(T().statusSending);
  // The service may take as long as the client's time limit to answer; the
  // window keeps painting and answering meanwhile. What the sending reports
  // reaches the window on its own thread, in the same order.
  RunOffWindowThread(frontEnd_, [&](FrontEnd& reports) { transmission_.SendDocument(request, reports); });
}

void MainWindowPresenter::OpenStatusPage() {
  FrontEnd& frontEnd = frontEnd_;
  const auto failed = [&frontEnd](const std::string& reason) {
    frontEnd.ShowError(T().browserFailed + FromUtf8(reason));
  };
  try {
    view_.OpenUrl(StatusPageUrl(), failed);
  } catch (const EVoske& e) {
    frontEnd_.ShowError(T().browserFailed + e.Message());
  } catch (const std::exception& e) {
    frontEnd_.ShowError(T().browserFailed + FromUtf8(e.what()));
  }
}

void MainWindowPresenter::PickWorkbook() {
  const std::string start = FilePickerStart({view_.WorkbookPath()});
  if (const std::optional<std::string> file = view_.PickFile(T().workbookFilter, start)) view_.SetWorkbookPath(*file);
}

void MainWindowPresenter::PickXmlFile() {
  // Where the generated documents are: the destination folder.
  const std::string start = FilePickerStart({view_.DestinationFolder(), view_.XmlFilePath()});
  if (const std::optional<std::string> file = view_.PickFile(T().xmlFilter, start)) view_.SetXmlFilePath(*file);
}

void MainWindowPresenter::PickDestinationFolder() {
  const std::string start = FolderDialogStart(view_.DestinationFolder());
  if (const std::optional<std::string> folder = view_.PickFolder(start)) view_.SetDestinationFolder(*folder);
}

void MainWindowPresenter::Quit() {
  if (!FormCloseQuery()) return;
  view_.ReleaseProxyDialog();
  view_.Close();
}

bool MainWindowPresenter::FormCloseQuery() {
  if (!running_) return true;
  // The status line says why the window stays open, until the run's next
  // status replaces it.
  frontEnd_.SetStatus(runningAction_ == RunAction::Send ? T().statusSending + T().waitForSending
                                                        : T().statusGenerating + T().waitForGeneration);
  return false;
}

void MainWindowPresenter::FormClose() { transmission_.ReleaseJavaEnvironment(); }

}  // namespace voske
