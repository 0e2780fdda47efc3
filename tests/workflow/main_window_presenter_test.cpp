// The main window's workflow driven through a fake window: start-up, mode
// switch, the main button's steps in order, busy state, proxy, status page
// and closing.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>
#include <fstream>

#include "generation/fake_generation.h"
#include "support/paths.h"
#include "support/recording_front_end.h"
#include "workflow/fake_main_window.h"
#include "workflow/folder_start.h"
#include "workflow/main_window_presenter.h"
#include "support/wait.h"

namespace voske {
namespace {

namespace fs = std::filesystem;
using support::FakeGeneration;
using support::FakeMainWindow;
using support::FakeTransmission;
using support::RecordingFrontEnd;
using support::ScratchDir;
using support::Utf8Texts;

class PresenterTest : public ::testing::Test {
 protected:
  PresenterTest() : view(front), transmission(front), presenter(view, front, transmission, fake.Services()) {
    std::ofstream(dir / "planilha.xlsx") << "x";
    fs::create_directories(dir / "saida");
  }

  void FillForGeneration() {
    presenter.FormCreate();
    view.workbookPath = (dir / "planilha.xlsx").string();
    view.destinationFolder = (dir / "saida").string();
    front = RecordingFrontEnd();
  }

  void SwitchTo(std::optional<RunAction> action) {
    view.action = action;
    presenter.ActionChanged();
  }

  // The events from the first one equal to `from` on.
  std::vector<std::string> EventsFrom(const std::string& from) {
    std::vector<std::string> all = Utf8Texts(front.events);
    auto it = std::find(all.begin(), all.end(), from);
    return std::vector<std::string>(it, all.end());
  }

  ScratchDir dir;
  RecordingFrontEnd front;
  FakeGeneration fake;
  FakeMainWindow view;
  FakeTransmission transmission;
  MainWindowPresenter presenter;
};

TEST_F(PresenterTest, StartUpPutsTheWindowInGenerationModeThenStartsJava) {
  view.documentKind = DocumentKind::Financeiro;
  view.action = RunAction::Send;
  view.xmlFilePath = "velho.xml";
  presenter.FormCreate();

  EXPECT_EQ(view.documentKind, DocumentKind::Cadastral);
  EXPECT_EQ(view.action, RunAction::Generate);
  EXPECT_EQ(ToUtf8(view.buttonCaption), "Gerar arquivo");
  EXPECT_FALSE(view.xmlFileEnabled);
  EXPECT_FALSE(view.proxyEnabled);
  EXPECT_EQ(view.xmlFilePath, "");
  EXPECT_EQ(ToUtf8(view.title), "VOSKE-XML 3.3");
  EXPECT_EQ(ToUtf8(presenter.ProgramVersion()), "3.3");
  const std::string os = ToUtf8(OsName());  // empty but on Windows
  EXPECT_EQ(Utf8Texts(front.events),
            (std::vector<std::string>{"xml:off", "caption:VOSKE-XML 3.3 {" + os + "}", "status:Status: ",
                                      "java:version", "caption:VOSKE-XML 3.3 {" + os + " - JRE 17}", "java:start"}));
  EXPECT_TRUE(front.messages.empty());
}

TEST_F(PresenterTest, FailedJavaStartDisablesTheXmlField) {
  transmission.vmStarts = false;
  transmission.version = "";
  presenter.FormCreate();
  EXPECT_EQ(Utf8Texts(front.events).back(), "xml:off");
  EXPECT_EQ(ToUtf8(view.captions.back()), "VOSKE-XML 3.3 {" + ToUtf8(OsName()) + " - JRE }");
}

TEST_F(PresenterTest, ModeSwitchFollowsTheAction) {
  presenter.FormCreate();
  for (std::optional<RunAction> action : {std::optional(RunAction::Send), std::optional<RunAction>()}) {
    SwitchTo(action);
    EXPECT_TRUE(view.xmlFileEnabled);
    EXPECT_TRUE(view.proxyEnabled);
    EXPECT_EQ(ToUtf8(view.buttonCaption), "Enviar arquivo");
  }
  view.xmlFilePath = "enviar.xml";
  view.proxyChecked = true;
  SwitchTo(RunAction::Generate);
  EXPECT_EQ(view.xmlFilePath, "");
  EXPECT_FALSE(view.xmlFileEnabled);
  EXPECT_FALSE(view.proxyEnabled);
  EXPECT_TRUE(view.proxyChecked);  // the check mark stays
  EXPECT_EQ(ToUtf8(view.buttonCaption), "Gerar arquivo");
}

TEST_F(PresenterTest, FailedCheckStopsBeforeThePasswordAndTouchesNothing) {
  FillForGeneration();
  view.documentKind = std::nullopt;  // typed text that is no item
  presenter.GenerateOrSend();
  EXPECT_TRUE(view.statusVisible);
  EXPECT_EQ(view.passwordAsked, 0);
  ASSERT_EQ(front.messages.size(), 1u);
  EXPECT_EQ(ToUtf8(front.messages[0].text), "Selecione pelo menos um tipo de arquivo a ser gerado.");
  EXPECT_TRUE(front.statuses.empty());
  EXPECT_TRUE(front.busyChanges.empty());
  EXPECT_EQ(view.workbookPath, (dir / "planilha.xlsx").string());
}

TEST_F(PresenterTest, CancelledPasswordEndsSilentlyAndForgetsThePreviousOne) {
  FillForGeneration();
  presenter.GenerateOrSend();
  EXPECT_EQ(presenter.OxrPasswordUpper(), "SENHA");

  front = RecordingFrontEnd();
  view.typedPassword.reset();
  presenter.GenerateOrSend();
  EXPECT_EQ(view.passwordAsked, 2);
  EXPECT_EQ(presenter.OxrPasswordUpper(), "");
  EXPECT_EQ(Utf8Texts(front.events), (std::vector<std::string>{"password"}));
  EXPECT_EQ(presenter.OutputPath(), "");  // cleared at the press
}

TEST_F(PresenterTest, GenerationRunsBusyAndRestoresTheWindowAfterwards) {
  FillForGeneration();
  view.documentKind = DocumentKind::Financeiro;
  view.workbookPath = "\"" + view.workbookPath + "\"";
  view.typedPassword = Ansi("abç d");
  presenter.GenerateOrSend();

  const std::vector<std::string> events = Utf8Texts(front.events);
  ASSERT_GE(events.size(), 6u);
  EXPECT_EQ(std::vector<std::string>(events.begin(), events.begin() + 5),
            (std::vector<std::string>{"password", "status:Status: Gerando os arquivos XML", "busy:on", "button:off",
                                      "busy:on"}));
  EXPECT_EQ(std::vector<std::string>(events.end() - 5, events.end()),
            (std::vector<std::string>{"message:XML gerado com sucesso.", "busy:off", "status:Status:", "busy:off",
                                      "button:on"}));
  ASSERT_EQ(fake.builds.size(), 1u);
  EXPECT_EQ(fake.builds[0].kind, DocumentKind::Financeiro);
  EXPECT_EQ(ToUtf8(fake.builds[0].passwordUpper), "ABç D");
  EXPECT_EQ(fake.reads[0].path, (dir / "planilha.xlsx").string());
  EXPECT_EQ(presenter.OutputPath(), (dir / "saida" / "123456_FINANCEIRO_2026-12-08_101530.xml").string());
  EXPECT_FALSE(presenter.GenerationFailed());
  EXPECT_TRUE(view.buttonEnabled);
}

TEST_F(PresenterTest, FailedGenerationShowsOneMessageAndStillRestores) {
  FillForGeneration();
  fake.build = [](const DocumentContext&) { throw EGenerica("falhou"); };
  presenter.GenerateOrSend();
  EXPECT_TRUE(presenter.GenerationFailed());
  ASSERT_EQ(front.messages.size(), 1u);
  EXPECT_EQ(front.messages[0].text, "falhou");
  EXPECT_EQ(Utf8Texts(front.events).back(), "button:on");
  EXPECT_EQ(ToUtf8(front.statuses.back()), "Status:");
  EXPECT_TRUE(fs::is_empty(dir / "saida"));

  // The next press starts clean.
  fake.build = [](const DocumentContext&) {};
  front = RecordingFrontEnd();
  presenter.GenerateOrSend();
  EXPECT_FALSE(presenter.GenerationFailed());
  ASSERT_EQ(front.messages.size(), 1u);
  EXPECT_EQ(front.messages[0].icon, MessageIcon::Information);
}

TEST_F(PresenterTest, SendingTakesTheFileFromTheFieldAndRunsBusy) {
  FillForGeneration();
  presenter.GenerateOrSend();  // a generation first: its file is not the one sent
  const std::string generated = presenter.OutputPath();
  ASSERT_FALSE(generated.empty());

  SwitchTo(RunAction::Send);
  view.documentKind = DocumentKind::Financeiro;
  view.workbookPath = "";
  view.xmlFilePath = "\"/arquivos/enviar.xml\"";
  view.proxyChecked = true;
  presenter.ConfirmProxy({" servidor", "8080 ", "joao", "s3nha"});
  view.typedPassword = Text("segredo");
  transmission.reply = "recibo";
  front = RecordingFrontEnd();
  presenter.GenerateOrSend();

  EXPECT_EQ(Utf8Texts(front.events),
            (std::vector<std::string>{"password", "busy:on", "button:off", "status:Status: Enviando os dados para OXR",
                                      "java:send", "message:recibo", "status:Status:", "busy:off", "button:on"}));
  ASSERT_EQ(transmission.sent.size(), 1u);
  const SendRequest& r = transmission.sent[0];
  EXPECT_EQ(r.xmlPath, "/arquivos/enviar.xml");
  EXPECT_EQ(presenter.OutputPath(), "/arquivos/enviar.xml");
  EXPECT_EQ(r.destinationFolder, (dir / "saida").string());
  EXPECT_EQ(r.documentKind, DocumentKind::Financeiro);
  EXPECT_TRUE(r.useProxy);
  EXPECT_EQ(r.proxyServer, " servidor");
  EXPECT_EQ(r.proxyPort, "8080 ");
  EXPECT_EQ(r.proxyUser, "joao");
  EXPECT_EQ(r.proxyPassword, "s3nha");
  EXPECT_EQ(r.passwordUpper, "SEGREDO");
}

TEST_F(PresenterTest, TheWindowCannotCloseOrStartAgainWhileARunGoesOn) {
  FillForGeneration();
  bool closeAllowed = true;
  fake.build = [&](const DocumentContext&) {
    // What the user can do while the window handles events mid-run.
    closeAllowed = presenter.FormCloseQuery();
    presenter.Quit();
    presenter.GenerateOrSend();
  };
  presenter.GenerateOrSend();
  EXPECT_FALSE(closeAllowed);
  // The status line said why the window stayed open.
  const std::vector<std::string> said = Utf8Texts(front.events);
  EXPECT_NE(std::find(said.begin(), said.end(),
                      "status:Status: Gerando os arquivos XML - a janela fecha quando a geração terminar"),
            said.end());
  EXPECT_EQ(fake.builds.size(), 1u);
  EXPECT_EQ(view.passwordAsked, 1);
  const std::vector<std::string> events = Utf8Texts(front.events);
  EXPECT_EQ(std::count(events.begin(), events.end(), "close"), 0);
  EXPECT_EQ(std::count(events.begin(), events.end(), "proxy:release"), 0);

  EXPECT_TRUE(presenter.FormCloseQuery());
  presenter.Quit();
  EXPECT_EQ(EventsFrom("proxy:release"), (std::vector<std::string>{"proxy:release", "close"}));
  presenter.FormClose();
  EXPECT_EQ(Utf8Texts(front.events).back(), "java:release");
}

// A ticked proxy that was never configured is not silently left out: its
// dialog opens, and while a field is still blank nothing is asked or sent.
TEST_F(PresenterTest, ATickedProxyWithoutSettingsOpensItsDialogBeforeSending) {
  FillForGeneration();
  SwitchTo(RunAction::Send);
  view.xmlFilePath = "/arquivos/enviar.xml";
  view.proxyChecked = true;
  view.typedPassword = Text("segredo");
  presenter.GenerateOrSend();  // the dialog closed without "Confirmar"
  EXPECT_EQ(view.proxyDialogShown, 1);
  ASSERT_EQ(front.messages.size(), 1u);
  EXPECT_EQ(ToUtf8(front.messages[0].text), "O campo \"Servidor\" deve ser definido.");
  EXPECT_EQ(view.passwordAsked, 0);
  EXPECT_TRUE(transmission.sent.empty());

  view.onProxyDialog = [&] { presenter.ConfirmProxy({"proxy.local", "3128", "joao", "pw"}); };
  presenter.GenerateOrSend();
  EXPECT_EQ(view.proxyDialogShown, 2);
  ASSERT_EQ(transmission.sent.size(), 1u);
  EXPECT_TRUE(transmission.sent[0].useProxy);
  EXPECT_EQ(transmission.sent[0].proxyServer, "proxy.local");
  presenter.GenerateOrSend();  // configured now: the dialog is not shown again
  EXPECT_EQ(view.proxyDialogShown, 2);
}

TEST_F(PresenterTest, SendingRunsOffTheWindowThreadWhileTheWindowHandlesEvents) {
  FillForGeneration();
  SwitchTo(RunAction::Send);
  view.xmlFilePath = "/arquivos/enviar.xml";
  const std::thread::id windowThread = std::this_thread::get_id();
  std::atomic<bool> inFlight{false};
  std::atomic<int> handledDuringSend{0};
  bool closeAllowed = true;
  front.onProcessEvents = [&] {
    if (!inFlight) return;
    // The user, while the answer is awaited: close box and a second press.
    closeAllowed = closeAllowed && presenter.FormCloseQuery();
    presenter.Quit();
    presenter.GenerateOrSend();
    ++handledDuringSend;
  };
  std::thread::id sendingThread, messageThread;
  transmission.during = [&](FrontEnd& reports) {
    sendingThread = std::this_thread::get_id();
    inFlight = true;
    // Held in flight until the window has handled its events a few times.
    EXPECT_TRUE(support::WaitUntil([&] { return handledDuringSend >= 3; })) << "the window handled no events";
    reports.ShowError(Ansi("Erro no envio"));
  };
  front.onMessage = [&] { messageThread = std::this_thread::get_id(); };
  presenter.GenerateOrSend();

  EXPECT_NE(sendingThread, windowThread);
  EXPECT_EQ(messageThread, windowThread);  // reports are shown by the window's thread
  EXPECT_FALSE(closeAllowed);
  EXPECT_EQ(transmission.sent.size(), 1u);
  EXPECT_EQ(view.passwordAsked, 1);
  const std::vector<std::string> events = Utf8Texts(front.events);
  EXPECT_EQ(std::count(events.begin(), events.end(), "close"), 0);
  // Each refused close said why the window stays open.
  std::vector<std::string> after = EventsFrom("java:send");
  const auto said = std::remove(after.begin(), after.end(),
                                "status:Status: Enviando os dados para OXR - a janela fecha quando a OXR responder");
  EXPECT_GE(after.end() - said, 3);
  after.erase(said, after.end());
  EXPECT_EQ(after, (std::vector<std::string>{"java:send", "message:Erro no envio", "status:Status:", "busy:off",
                                             "button:on"}));
  EXPECT_TRUE(presenter.FormCloseQuery());
}

TEST_F(PresenterTest, FilePickersOpenWhereTheirFilesAre) {
  presenter.FormCreate();
  view.destinationFolder = (dir / "saida").string();
  view.workbookPath = (dir / "planilha.xlsx").string();
  presenter.PickXmlFile();     // where the generated documents are
  presenter.PickWorkbook();    // beside the workbook typed
  view.destinationFolder = "";
  view.workbookPath = "";
  presenter.PickXmlFile();     // nothing typed: the home folder
  ASSERT_EQ(view.fileStarts.size(), 3u);
  EXPECT_EQ(view.fileStarts[0], (dir / "saida").string());
  EXPECT_EQ(view.fileStarts[1], dir.path().string());
  EXPECT_EQ(view.fileStarts[2], FolderDialogStart(""));
  EXPECT_EQ(ToUtf8(view.filters[1]), "Planilha Padrão|*.xlsx;*.xlsm;*.xls;*.ods");
}

TEST_F(PresenterTest, FolderPickerOpensAtTheTypedFolderAndWritesOnlyAConfirmedOne) {
  presenter.FormCreate();
  view.destinationFolder = (dir / "saida").string();
  view.pickedFolder = std::nullopt;  // closed without confirming
  presenter.PickDestinationFolder();
  view.pickedFolder = "/escolhida";
  presenter.PickDestinationFolder();
  EXPECT_EQ(view.folderStarts, (std::vector<std::string>{(dir / "saida").string(), (dir / "saida").string()}));
  EXPECT_EQ(view.destinationFolder, "/escolhida");
}

TEST_F(PresenterTest, ProxyDialogOnCheckOnlyAndItsValuesAreKept) {
  presenter.FormCreate();
  presenter.ProxyBoxClicked();  // unchecked: nothing
  EXPECT_EQ(view.proxyDialogShown, 0);

  view.proxyChecked = true;
  view.onProxyDialog = [&] { presenter.ConfirmProxy({"proxy", "", "u", "p"}); };
  presenter.ProxyBoxClicked();
  EXPECT_EQ(view.proxyDialogShown, 1);
  ASSERT_EQ(front.messages.size(), 1u);
  EXPECT_EQ(ToUtf8(front.messages[0].text), "O campo \"Porta\" deve ser definido.");
  EXPECT_EQ(presenter.Proxy().server, "");  // nothing stored from a refused dialog

  view.onProxyDialog = [&] { presenter.ConfirmProxy({"proxy", "3128", "u", "p"}); };
  presenter.ProxyBoxClicked();
  EXPECT_EQ(presenter.Proxy().port, "3128");
  view.proxyChecked = false;
  presenter.ProxyBoxClicked();  // unchecking keeps the values
  EXPECT_EQ(presenter.Proxy().server, "proxy");
}

TEST_F(PresenterTest, StatusPageAndItsFailure) {
  presenter.OpenStatusPage();
  ASSERT_EQ(view.urls.size(), 1u);
  EXPECT_EQ(view.urls[0].rfind("http://", 0), 0u);
  EXPECT_NE(view.urls[0].find(":8080/HotSite"), std::string::npos);
  EXPECT_EQ(view.urls[0].substr(view.urls[0].size() - 8), "/HotSite");
  EXPECT_TRUE(front.messages.empty());

  view.urlFailure = "sem navegador";
  presenter.OpenStatusPage();
  ASSERT_EQ(front.messages.size(), 1u);
  EXPECT_EQ(ToUtf8(front.messages[0].text), "Erro ao tentar abrir o Internet Explorer: \rsem navegador");
  EXPECT_EQ(front.messages[0].icon, MessageIcon::Error);
}

}  // namespace
}  // namespace voske
