// The rules of one sending, with a client component that records what the
// sender asks of it instead of the VM.
#include "transmission/sender.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/file_system.h"
#include "support/paths.h"
#include "support/recording_front_end.h"
#include "text/cp1252.h"
#include "transmission/transaction_code.h"

namespace voske {
namespace {

namespace fs = std::filesystem;

class FakeClient : public ClientComponent {
 public:
  bool hasClass = true, hasConfigProxy = true, hasSend = true;
  bool configProxyThrows = false, sendThrows = false;
  Text sendResult;
  std::vector<std::string> calls;           // in order
  std::vector<std::string> proxyArguments;  // as the VM would receive them
  std::vector<std::string> sendArguments;
  bool pending = false;

  bool FindClientClass() override {
    calls.push_back("FindClass");
    return hasClass;
  }
  bool HasMethod(const char* name, const char* signature) override {
    calls.push_back(std::string("GetMethodID ") + name);
    if (std::string(name) == kConfigProxyMethod) return hasConfigProxy && std::string(signature) == kConfigProxySignature;
    return hasSend && std::string(signature) == kSendSignature;
  }
  void ConfigProxy(const std::string& host, const std::string& port, const std::string& user,
                   const std::string& password, const std::string& oxrPassword) override {
    calls.push_back("configProxy");
    proxyArguments = {host, port, user, password, oxrPassword};
    pending = configProxyThrows;
  }
  Text Send(const std::string& receipt, const std::string& file, const std::string& kind,
            const std::string& password) override {
    EXPECT_FALSE(pending) << "called into the VM with an exception pending";
    calls.push_back("send");
    sendArguments = {receipt, file, kind, password};
    pending = sendThrows;
    return sendThrows ? Text() : sendResult;
  }
  bool ExceptionPending() override { return pending; }
  void ClearException() override {
    calls.push_back("ExceptionClear");
    pending = false;
  }
};

class Sending : public ::testing::Test {
 protected:
  void SetUp() override {
    request_.destinationFolder = dir_.path().string();
    request_.xmlPath = (dir_ / "doc.xml").string();
    request_.documentKind = DocumentKind::Cadastral;
    request_.passwordUpper = "SENHA";
  }
  SendOutcome Send() {
    return SendDocument(request_, client_, ui_, [this](const std::string& path) {
      readPaths_.push_back(path);
      return code_;
    });
  }
  Text OnlyMessage() {
    EXPECT_EQ(ui_.messages.size(), 1u);
    return ui_.messages.empty() ? Text() : ui_.messages[0].text;
  }
  bool Exists(const std::string& relative) { return fs::is_directory(dir_ / relative); }

  support::ScratchDir dir_;
  SendRequest request_;
  FakeClient client_;
  support::RecordingFrontEnd ui_;
  Text code_ = "ENVIO_VOSKE_CADASTRAL";
  std::vector<std::string> readPaths_;
};

// A path as the client is handed it: on Windows every backslash doubled, as
// the client has always read its arguments there.
std::string AsClientArgument(const std::string& path) {
  std::string out;
  for (const char c : path) out += c == '\\' ? std::string(2, c) : std::string(1, c);
  return out;
}

TEST_F(Sending, AnAcceptedDocumentGivesTheReceiptFolderAndBothFolders) {
  EXPECT_EQ(Send(), SendOutcome::Accepted);
  const std::string receipt = request_.destinationFolder + platform::PathSeparator() + "Recibo";
  EXPECT_EQ(client_.sendArguments,
            (std::vector<std::string>{AsClientArgument(receipt + platform::PathSeparator()),
                                      AsClientArgument(request_.xmlPath), "Cadastral", "SENHA"}));
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].text,
            Ansi("O recibo foi gerado na pasta: ") + receipt + "\r" +
                Ansi("Acompanhe o andamento na Página de Status do VOSKE-XML, no site da OXR.\r"
                     "Havendo erros, corrija-os e envie as novas informações."));
  EXPECT_EQ(ui_.messages[0].icon, MessageIcon::Information);
  EXPECT_EQ(ui_.messages[0].caption, Ansi("Informação"));
  EXPECT_TRUE(Exists("Recibo"));
  EXPECT_TRUE(Exists("Recibo/Imagens"));
  // No proxy asked for: configProxy is neither looked up nor called.
  EXPECT_EQ(client_.calls, (std::vector<std::string>{"FindClass", "GetMethodID send", "send"}));
}

TEST_F(Sending, TheFinancialKindUsesItsWordsAndTheTransactionCodeIsTrimmedAndUpperCased) {
  request_.documentKind = DocumentKind::Financeiro;
  code_ = "  envio_voske_financeiro\n";
  EXPECT_EQ(Send(), SendOutcome::Accepted);
  EXPECT_EQ(client_.sendArguments[2], "Financeiro");
  EXPECT_EQ(readPaths_, (std::vector<std::string>{request_.xmlPath}));
}

TEST_F(Sending, ADocumentOfTheOtherKindNeverReachesTheClient) {
  struct Case {
    DocumentKind kind;
    Text code;
    const char* message;
  };
  const Case cases[] = {
      {DocumentKind::Financeiro, "ENVIO_VOSKE_CADASTRAL", "Erro: O arquivo selecionado não é de informações Financeiras.\r"
                                   "Corrija o problema e tente novamente!"},
      {DocumentKind::Cadastral, "ENVIO_VOSKE_FINANCEIRO", "Erro: O arquivo selecionado não é de informações Cadastrais.\r"
                                    "Corrija o problema e tente novamente!"},
      // A file that is not XML, or has no code, reads as an empty code.
      {DocumentKind::Cadastral, "", "Erro: O arquivo selecionado não é de informações Cadastrais.\rCorrija o problema e tente novamente!"},
  };
  for (const Case& c : cases) {
    FakeClient client;
    support::RecordingFrontEnd ui;
    request_.documentKind = c.kind;
    EXPECT_EQ(SendDocument(request_, client, ui, [&](const std::string&) { return c.code; }), SendOutcome::Failed);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, Ansi(c.message));
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Error);
    EXPECT_TRUE(client.sendArguments.empty());
  }
  EXPECT_TRUE(Exists("Recibo"));
  EXPECT_FALSE(Exists("Recibo/Imagens"));
}

TEST_F(Sending, AnEmptyFilePathIsReportedForTheChosenKindWithoutReadingAnything) {
  request_.xmlPath = "  ";
  EXPECT_EQ(Send(), SendOutcome::Failed);
  EXPECT_EQ(OnlyMessage(), Ansi("Não foi encontrado o arquivo XML Cadastral."));
  EXPECT_TRUE(readPaths_.empty());
  EXPECT_TRUE(client_.sendArguments.empty());

  request_.documentKind = DocumentKind::Financeiro;
  request_.xmlPath.clear();
  support::RecordingFrontEnd ui;
  SendDocument(request_, client_, ui, [](const std::string&) { return Text(); });
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, Ansi("Não foi encontrado o arquivo XML Financeiro."));
}

// A file that is missing or cannot be read is told as such: choosing another
// kind of document would not help.
TEST_F(Sending, AFileThatIsMissingOrUnreadableHasItsOwnMessageNotTheWrongKind) {
  struct Case {
    DocumentKind kind;
    std::string path;
    const char* message;
  };
  fs::create_directories(dir_ / "pasta.xml");
  const Case cases[] = {
      {DocumentKind::Cadastral, (dir_ / "sumiu.xml").string(), "Não foi encontrado o arquivo XML Cadastral."},
      {DocumentKind::Financeiro, (dir_ / "sumiu" / "f.xml").string(), "Não foi encontrado o arquivo XML Financeiro."},
      {DocumentKind::Financeiro, (dir_ / "pasta.xml").string(),
       "Não foi possível ler o arquivo XML Financeiro.\rO caminho indicado é uma pasta, não um arquivo."},
  };
  for (const Case& c : cases) {
    FakeClient client;
    support::RecordingFrontEnd ui;
    request_.documentKind = c.kind;
    request_.xmlPath = c.path;
    EXPECT_EQ(SendDocument(request_, client, ui, ReadTransactionCode), SendOutcome::Failed);
    ASSERT_EQ(ui.messages.size(), 1u) << c.path;
    EXPECT_EQ(ui.messages[0].text, Ansi(c.message));
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Error);
    EXPECT_TRUE(client.sendArguments.empty());
  }
  TransactionCode unreadable;
  unreadable.outcome = TransactionCode::Outcome::Unreadable;
  unreadable.reason = Ansi("Acesso negado ao arquivo.");
  EXPECT_EQ(SendDocument(request_, client_, ui_, [&](const std::string&) { return unreadable; }), SendOutcome::Failed);
  EXPECT_EQ(OnlyMessage(), Ansi("Não foi possível ler o arquivo XML Financeiro.\rAcesso negado ao arquivo."));
  EXPECT_TRUE(Exists("Recibo"));
  EXPECT_FALSE(Exists("Recibo/Imagens"));
}

TEST_F(Sending, AnErrorTextFromTheClientIsShownWithTheKindAndNoImagesFolder) {
  client_.sendResult = FromUtf8("Documento recusado: período já enviado.");
  EXPECT_EQ(Send(), SendOutcome::Failed);
  EXPECT_EQ(OnlyMessage(), Ansi("Erro no envio do Voske Cadastral: \rDocumento recusado: período já enviado."));
  EXPECT_TRUE(Exists("Recibo"));
  EXPECT_FALSE(Exists("Recibo/Imagens"));
}

TEST_F(Sending, AJavaExceptionIsACommunicationFailureAndIsCleared) {
  request_.documentKind = DocumentKind::Financeiro;
  code_ = "ENVIO_VOSKE_FINANCEIRO";
  client_.sendThrows = true;
  EXPECT_EQ(Send(), SendOutcome::Failed);
  EXPECT_EQ(OnlyMessage(), Ansi("Ocorreu um erro na comunicação com o WebService. (Voske Financeiro)"));
  EXPECT_FALSE(client_.pending);
  EXPECT_FALSE(Exists("Recibo/Imagens"));
}

TEST_F(Sending, TheProxyIsConfiguredBeforeTheFileIsCheckedWithUtf8Arguments) {
  request_.useProxy = true;
  request_.proxyServer = "proxy.local";
  request_.proxyPort = "3128";
  request_.proxyUser = Ansi("joão");
  request_.proxyPassword = Ansi("çenha");
  request_.passwordUpper = Ansi("SENHAÉ");
  request_.xmlPath.clear();
  Send();
  EXPECT_EQ(client_.calls,
            (std::vector<std::string>{"FindClass", "GetMethodID configProxy", "configProxy", "GetMethodID send"}));
  EXPECT_EQ(client_.proxyArguments,
            (std::vector<std::string>{"proxy.local", "3128", "joão", "çenha", "SENHAÉ"}));
  EXPECT_EQ(OnlyMessage(), Ansi("Não foi encontrado o arquivo XML Cadastral."));
}

TEST_F(Sending, AProxyNeverConfirmedStillCallsTheClientWithEmptySettings) {
  request_.useProxy = true;
  EXPECT_EQ(Send(), SendOutcome::Accepted);
  EXPECT_EQ(client_.proxyArguments, (std::vector<std::string>{"", "", "", "", "SENHA"}));
}

TEST_F(Sending, AnExceptionInConfigProxyStopsBeforeAnyFurtherCallIntoTheVm) {
  request_.useProxy = true;
  client_.configProxyThrows = true;
  EXPECT_EQ(Send(), SendOutcome::Failed);
  EXPECT_EQ(OnlyMessage(), Ansi("Ocorreu um erro na comunicação com o WebService. (Voske Cadastral)"));
  EXPECT_EQ(client_.calls, (std::vector<std::string>{"FindClass", "GetMethodID configProxy", "configProxy",
                                                     "ExceptionClear"}));
}

TEST_F(Sending, AMissingClassOrMethodEndsTheSendingWithItsMessage) {
  struct Case {
    bool cls, proxy, send;
    const char* message;
  };
  const Case cases[] = {
      {false, true, true, "Não foi possível encontrar a Classe JNIMain"},
      {true, false, true, "Não foi possível encontrar o método \"configProxy\" da Classe JNIMain"},
      {true, true, false, "Não foi possível encontrar o método \"send\" da Classe JNIMain"},
  };
  request_.useProxy = true;
  for (const Case& c : cases) {
    FakeClient client;
    client.hasClass = c.cls;
    client.hasConfigProxy = c.proxy;
    client.hasSend = c.send;
    support::RecordingFrontEnd ui;
    EXPECT_EQ(SendDocument(request_, client, ui, [](const std::string&) { return Text("ENVIO_VOSKE_CADASTRAL"); }),
              SendOutcome::Failed);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, Ansi(c.message));
    EXPECT_TRUE(client.sendArguments.empty());
  }
  EXPECT_TRUE(Exists("Recibo"));
}

TEST_F(Sending, AFailureOfTheReaderIsShownAsAnError) {
  const SendOutcome outcome = SendDocument(request_, client_, ui_, [](const std::string&) -> Text {
    throw std::runtime_error("disk on fire");
  });
  EXPECT_EQ(outcome, SendOutcome::Failed);
  EXPECT_EQ(OnlyMessage(), "Erro: disk on fire");
}

}  // namespace
}  // namespace voske
