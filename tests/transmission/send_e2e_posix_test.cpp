// Whole sendings through the real embedded VM, the Java client and the
// loopback service. Each case needs a process of its own (ctest runs them so):
// the VM reads the service's address from the environment only once.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <clocale>
#include <filesystem>
#include <fstream>
#include <thread>

#include "generated_document.h"
#include "support/files.h"
#include "support/paths.h"
#include "support/recording_front_end.h"
#include "text/cp1252.h"
#include "transmission/installed_java.h"
#include "transmission/java_transmission.h"
#include "transmission/java_vm.h"
#include "xml/atomic_file.h"
#include "xml/md5.h"

#ifdef VOSKE_JAVA_EXECUTABLE
#include "loopback_service.h"

namespace voske {
namespace {

namespace fs = std::filesystem;
using support::LoopbackService;
using support::RecordingFrontEnd;
using support::ScratchDir;

// A document as the generator writes it: ISO-8859-1, the kind in its transaction code.
std::string Document(const std::string& transactionCode) {
  return "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n\r\n"
         "<oxr:voskeCadastral xmlns:oxr=\"http://www.oxr.gov.br/voske\">"
         "<oxr:identificador><oxr:cabecalho><oxr:transacao>" +
         transactionCode +
         "</oxr:transacao></oxr:cabecalho></oxr:identificador>"
         "<oxr:corpo><oxr:razaoSocial>Sa\xFA"
         "de Exemplo</oxr:razaoSocial></oxr:corpo></oxr:voskeCadastral>\r\n";
}


const Text kAccepted = Ansi(
    "Acompanhe o andamento na Página de Status do VOSKE-XML, no site da OXR.\r"
    "Havendo erros, corrija-os e envie as novas informações.");

class EndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    static int casesInThisProcess = 0;
    if (casesInThisProcess++ > 0)
      GTEST_SKIP() << "one sending case per process (the VM keeps the first service's address); ctest runs each alone";
  }

  // Starts the service with these options and the VM pointed at it.
  void Start(std::vector<std::string> serviceOptions) {
    service_ = std::make_unique<LoopbackService>(std::move(serviceOptions));
    support::SetEnvironment("VOSKE_WEBSERVICE_URL", service_->url());
    transmission_ = std::make_unique<JavaTransmission>(std::make_unique<MemoryRegistry>(InstalledJavaRegistry()),
                                                      ClientFolder());
    ASSERT_TRUE(transmission_->StartJavaVM(startUi_))
        << "no usable Java found here: " << (startUi_.messages.empty() ? "" : ToUtf8(startUi_.messages[0].text));
    EXPECT_TRUE(startUi_.messages.empty());
  }

  static std::string ClientFolder() { return (support::BinaryDir() / "bin" / "ext" / "VOSKE").string(); }

  std::string WriteDocument(const std::string& name, const std::string& content) {
    const fs::path p = dir_ / name;
    std::ofstream(p, std::ios::binary) << content;
    return p.string();
  }

  SendRequest Request(const std::string& xmlPath, DocumentKind kind) {
    SendRequest r;
    r.xmlPath = xmlPath;
    r.destinationFolder = (dir_ / "destino").string();
    fs::create_directories(r.destinationFolder);
    r.documentKind = kind;
    r.passwordUpper = "SENHA123";
    return r;
  }

  void Send(const SendRequest& request) { transmission_->SendDocument(request, ui_); }

  Text OnlyMessage() {
    EXPECT_EQ(ui_.messages.size(), 1u);
    return ui_.messages.empty() ? Text() : ui_.messages[0].text;
  }

  ScratchDir dir_;
  std::unique_ptr<LoopbackService> service_;
  std::unique_ptr<JavaTransmission> transmission_;
  RecordingFrontEnd startUi_, ui_;
};

TEST_F(EndToEnd, AnAcceptedDocumentLeavesItsReceiptInTheReceiptFolder) {
  ::umask(022);
  Start({"--senha-esperada", "SENHA123"});
  const std::string content = Document("ENVIO_VOSKE_CADASTRAL");
  const SendRequest request = Request(WriteDocument("cadastral.xml", content), DocumentKind::Cadastral);
  Send(request);

  ASSERT_EQ(ui_.messages.size(), 1u) << ToUtf8(ui_.messages.back().text);
  EXPECT_EQ(ui_.messages[0].text,
            Ansi("O recibo foi gerado na pasta: ") + FromUtf8(request.destinationFolder) + "/Recibo\r" + kAccepted);
  EXPECT_EQ(ui_.messages[0].icon, MessageIcon::Information);
  EXPECT_EQ(transmission_->lastOutcome(), SendOutcome::Accepted);
  EXPECT_TRUE(fs::is_directory(request.destinationFolder + "/Recibo/Imagens"));

  const std::vector<fs::path> receipts = support::FilesIn(request.destinationFolder + "/Recibo");
  ASSERT_EQ(receipts.size(), 1u);
  EXPECT_EQ(receipts[0].filename().string().rfind("recibo_Cadastral_", 0), 0u) << receipts[0];
  // The service saw the document byte for byte and says so in the receipt.
  const std::string receipt = support::FileContents(receipts[0]);
  EXPECT_NE(receipt.find("<md5>" + DigestToHex(Md5Of(content)) + "</md5>"), std::string::npos) << receipt;
  EXPECT_NE(receipt.find("<tipo>Cadastral</tipo>"), std::string::npos);

  // The receipt is as readable as the documents the program writes.
  const std::string document = (dir_ / "destino" / "documento.xml").string();
  AtomicFile written(document);
  written.Write(content);
  written.Commit();
  EXPECT_EQ(fs::status(receipts[0]).permissions(), fs::status(document).permissions());
  EXPECT_EQ(fs::status(receipts[0]).permissions() & fs::perms::all, static_cast<fs::perms>(0644));
}

TEST_F(EndToEnd, ALargeDocumentIsSent) {
  Start({"--senha-esperada", "SENHA123"});
  // A financial document as the generator writes one for a large operator:
  // its header first, then 35 MiB of accounts.
  const fs::path file = dir_ / "financeiro.xml";
  {
    std::ofstream out(file, std::ios::binary);
    out << "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n\r\n"
           "<oxr:voskeFinanceiro xmlns:oxr=\"http://www.oxr.gov.br/voske\"><oxr:identificador><oxr:cabecalho>"
           "<oxr:transacao>ENVIO_VOSKE_FINANCEIRO</oxr:transacao></oxr:cabecalho></oxr:identificador><oxr:corpo>";
    const std::string row = "<oxr:conta><oxr:codigo>12345</oxr:codigo><oxr:saldo>1.00</oxr:saldo></oxr:conta>\r\n";
    for (std::uintmax_t n = 0; n < (35u << 20); n += row.size()) out << row;
    out << "</oxr:corpo></oxr:voskeFinanceiro>\r\n";
  }
  const SendRequest request = Request(file.string(), DocumentKind::Financeiro);
  Send(request);
  ASSERT_EQ(ui_.messages.size(), 1u) << ToUtf8(ui_.messages[0].text);
  EXPECT_EQ(ui_.messages[0].icon, MessageIcon::Information);
  const std::vector<fs::path> receipts = support::FilesIn(request.destinationFolder + "/Recibo");
  ASSERT_EQ(receipts.size(), 1u);
  const std::string receipt = support::FileContents(receipts[0]);
  EXPECT_NE(receipt.find("<tamanho>" + std::to_string(fs::file_size(file)) + "</tamanho>"), std::string::npos);
  EXPECT_NE(receipt.find("<md5>" + DigestToHex(Md5Of(support::FileContents(file))) + "</md5>"), std::string::npos);
}

// A service that answers its headers and then stalls, or trickles its
// answer, is given up on at the deadline of the whole exchange (shortened
// here from its 120 seconds) with the communication error, and no receipt.
class SlowService : public EndToEnd {
 protected:
  void SendTo(const char* mode) {
    support::SetEnvironment("VOSKE_TEMPO_LIMITE_ENVIO", "3");
    Start({"--modo", mode});
    const SendRequest request = Request(WriteDocument("c.xml", Document("ENVIO_VOSKE_CADASTRAL")), DocumentKind::Cadastral);
    const auto start = std::chrono::steady_clock::now();
    Send(request);
    const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_EQ(OnlyMessage(), Ansi("Ocorreu um erro na comunicação com o WebService. (Voske Cadastral)"));
    EXPECT_EQ(transmission_->lastOutcome(), SendOutcome::Failed);
    // The deadline, not the service's own 30-second limit, ended it.
    EXPECT_GE(seconds, 2.9);
    EXPECT_LT(seconds, 20.0);
    EXPECT_EQ(service_->log().size(), 1u);
    EXPECT_TRUE(support::FilesIn(request.destinationFolder + "/Recibo").empty());
    EXPECT_FALSE(fs::exists(request.destinationFolder + "/Recibo/Imagens"));
  }
};

TEST_F(SlowService, StallingAfterTheHeadersEndsAtTheDeadline) { SendTo("parar"); }

TEST_F(SlowService, TricklingTheAnswerEndsAtTheDeadline) { SendTo("gotejar"); }

TEST_F(EndToEnd, AReceiptProposedUnderTheImagesFolderNameLeavesThatFolderAlone) {
  Start({"--nome-recibo", "Imagens"});
  const SendRequest request = Request(WriteDocument("c.xml", Document("ENVIO_VOSKE_CADASTRAL")), DocumentKind::Cadastral);
  Send(request);
  ASSERT_EQ(ui_.messages.size(), 1u) << ToUtf8(ui_.messages[0].text);
  EXPECT_EQ(ui_.messages[0].icon, MessageIcon::Information);
  EXPECT_TRUE(fs::is_directory(request.destinationFolder + "/Recibo/Imagens"));
  EXPECT_TRUE(fs::is_regular_file(request.destinationFolder + "/Recibo/recibo_Imagens"));
  EXPECT_NE(support::FileContents(request.destinationFolder + "/Recibo/recibo_Imagens").find("<recibo>"),
            std::string::npos);
}

TEST_F(EndToEnd, AGeneratedDocumentIsSentByteForByte) {
  Start({"--senha-esperada", "SENHA123"});
  fs::create_directories(dir_ / "destino");
  const std::string file = support::GenerateCadastral(dir_.path(), (dir_ / "destino").string());
  ASSERT_FALSE(file.empty());
  const SendRequest request = Request(file, DocumentKind::Cadastral);
  Send(request);
  ASSERT_EQ(ui_.messages.size(), 1u) << ToUtf8(ui_.messages[0].text);
  EXPECT_EQ(ui_.messages[0].icon, MessageIcon::Information);
  const std::vector<fs::path> receipts = support::FilesIn(request.destinationFolder + "/Recibo");
  ASSERT_EQ(receipts.size(), 1u);
  EXPECT_NE(support::FileContents(receipts[0]).find("<md5>" + DigestToHex(Md5Of(support::FileContents(file))) + "</md5>"), std::string::npos);
}

TEST_F(EndToEnd, FoldersWithAccentsWorkUnderALocaleThatIsNotUtf8) {
  support::SetEnvironment("LC_ALL", "C");  // as in a scheduled job
  const std::string programLocale = std::setlocale(LC_ALL, nullptr);
  Start({});
  EXPECT_EQ(std::setlocale(LC_ALL, nullptr), programLocale);  // the VM's start leaves it alone
  SendRequest request = Request(WriteDocument("cadastral ção.xml", Document("ENVIO_VOSKE_CADASTRAL")), DocumentKind::Cadastral);
  request.destinationFolder = (dir_ / "Área de trabalho").string();
  fs::create_directories(request.destinationFolder);
  Send(request);
  ASSERT_EQ(ui_.messages.size(), 1u) << ToUtf8(ui_.messages[0].text);
  EXPECT_EQ(ui_.messages[0].icon, MessageIcon::Information);
  EXPECT_EQ(support::FilesIn(request.destinationFolder + "/Recibo").size(), 1u);
}

TEST_F(EndToEnd, ARefusalShowsTheServicesTextInWindows1252) {
  Start({"--modo", "recusar", "--mensagem", "Período já transmitido: use a retificação."});
  const SendRequest request = Request(WriteDocument("f.xml", Document("envio_voske_financeiro ")), DocumentKind::Financeiro);
  Send(request);
  EXPECT_EQ(OnlyMessage(), Ansi("Erro no envio do Voske Financeiro: \rPeríodo já transmitido: use a retificação."));
  EXPECT_EQ(transmission_->lastOutcome(), SendOutcome::Failed);
  EXPECT_TRUE(fs::is_directory(request.destinationFolder + "/Recibo"));
  EXPECT_FALSE(fs::exists(request.destinationFolder + "/Recibo/Imagens"));
  EXPECT_TRUE(support::FilesIn(request.destinationFolder + "/Recibo").empty());
}

TEST_F(EndToEnd, ABrokenConnectionIsACommunicationFailure) {
  Start({"--modo", "interromper"});
  const SendRequest request = Request(WriteDocument("c.xml", Document("ENVIO_VOSKE_CADASTRAL")), DocumentKind::Cadastral);
  Send(request);
  EXPECT_EQ(OnlyMessage(), Ansi("Ocorreu um erro na comunicação com o WebService. (Voske Cadastral)"));
  EXPECT_EQ(transmission_->lastOutcome(), SendOutcome::Failed);
  EXPECT_FALSE(fs::exists(request.destinationFolder + "/Recibo/Imagens"));
  EXPECT_EQ(service_->log().size(), 1u);

  // The exception was cleared: the next sending works normally.
  RecordingFrontEnd again;
  transmission_->SendDocument(request, again);
  ASSERT_EQ(again.messages.size(), 1u);
  EXPECT_EQ(again.messages[0].text, Ansi("Ocorreu um erro na comunicação com o WebService. (Voske Cadastral)"));
}

TEST_F(EndToEnd, DocumentsThatAreNotOfTheChosenKindNeverReachTheService) {
  Start({});
  struct Case {
    std::string content;
    DocumentKind kind;
    const char* message;
  };
  const Case cases[] = {
      {Document("ENVIO_VOSKE_CADASTRAL"), DocumentKind::Financeiro,
       "Erro: O arquivo selecionado não é de informações Financeiras.\rCorrija o problema e tente novamente!"},
      {"this is not XML at all\n", DocumentKind::Cadastral,
       "Erro: O arquivo selecionado não é de informações Cadastrais.\rCorrija o problema e tente novamente!"},
      {"", DocumentKind::Financeiro, "Erro: O arquivo selecionado não é de informações Financeiras.\rCorrija o problema e tente novamente!"},
  };
  int n = 0;
  for (const Case& c : cases) {
    RecordingFrontEnd ui;
    transmission_->SendDocument(Request(WriteDocument("doc" + std::to_string(n++) + ".xml", c.content), c.kind), ui);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, Ansi(c.message));
  }
  // A file that is not there, or cannot be read, is told as such.
  RecordingFrontEnd ui;
  transmission_->SendDocument(Request((dir_ / "missing.xml").string(), DocumentKind::Cadastral), ui);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, Ansi("Não foi encontrado o arquivo XML Cadastral."));
  fs::create_directories(dir_ / "pasta.xml");
  RecordingFrontEnd folder;
  transmission_->SendDocument(Request((dir_ / "pasta.xml").string(), DocumentKind::Financeiro), folder);
  ASSERT_EQ(folder.messages.size(), 1u);
  EXPECT_EQ(folder.messages[0].text,
            Ansi("Não foi possível ler o arquivo XML Financeiro.\rO caminho indicado é uma pasta, não um arquivo."));
  EXPECT_TRUE(service_->log().empty());
}

TEST_F(EndToEnd, AnEmptyFilePathIsReportedForTheChosenKind) {
  Start({});
  const SendRequest request = Request("", DocumentKind::Financeiro);
  Send(request);
  EXPECT_EQ(OnlyMessage(), Ansi("Não foi encontrado o arquivo XML Financeiro."));
  EXPECT_TRUE(fs::is_directory(request.destinationFolder + "/Recibo"));
  EXPECT_TRUE(service_->log().empty());
}

TEST_F(EndToEnd, ASendingGoesThroughTheAuthenticatingProxy) {
  Start({"--proxy-usuario", "operadora", "--proxy-senha", "sênha", "--senha-esperada", "SENHA123"});
  SendRequest request = Request(WriteDocument("c.xml", Document("ENVIO_VOSKE_CADASTRAL")), DocumentKind::Cadastral);
  request.useProxy = true;
  request.proxyServer = "127.0.0.1";
  request.proxyPort = service_->proxyPort();
  request.proxyUser = "operadora";
  request.proxyPassword = Ansi("sênha");  // reaches Java intact only when converted
  Send(request);
  ASSERT_EQ(ui_.messages.size(), 1u) << ToUtf8(ui_.messages[0].text);
  EXPECT_EQ(ui_.messages[0].icon, MessageIcon::Information);
  EXPECT_EQ(support::FilesIn(request.destinationFolder + "/Recibo").size(), 1u);
  const std::vector<std::string> log = service_->log();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_NE(log[0].find("proxy metodo=POST"), std::string::npos);
  EXPECT_NE(log[0].find("autorizado=sim"), std::string::npos);
  EXPECT_NE(log[1].find("via=1.1 voske-proxy"), std::string::npos);
}

TEST_F(EndToEnd, TheProxyRefusingTheCredentialsIsReportedAsTheClientsErrorText) {
  Start({"--proxy-usuario", "operadora", "--proxy-senha", "certa"});
  SendRequest request = Request(WriteDocument("c.xml", Document("ENVIO_VOSKE_CADASTRAL")), DocumentKind::Cadastral);
  request.useProxy = true;
  request.proxyServer = "127.0.0.1";
  request.proxyPort = service_->proxyPort();
  request.proxyUser = "operadora";
  request.proxyPassword = "errada";
  Send(request);
  EXPECT_EQ(OnlyMessage(), Ansi("Erro no envio do Voske Cadastral: \rO proxy recusou a autenticação (HTTP 407). "
                                "Verifique o usuário e a senha do proxy."));
  EXPECT_FALSE(fs::exists(request.destinationFolder + "/Recibo/Imagens"));
}

TEST_F(EndToEnd, ASecondWindowAndAnotherThreadReuseTheRunningVm) {
  Start({});
  const std::string file = WriteDocument("c.xml", Document("ENVIO_VOSKE_CADASTRAL"));
  transmission_->ReleaseJavaEnvironment();
  RecordingFrontEnd released;
  transmission_->SendDocument(Request(file, DocumentKind::Cadastral), released);
  ASSERT_EQ(released.messages.size(), 1u);
  EXPECT_EQ(released.messages[0].text, NoJavaVmMessage());

  JavaTransmission second(std::make_unique<MemoryRegistry>(InstalledJavaRegistry()), ClientFolder());
  RecordingFrontEnd secondStart;
  ASSERT_TRUE(second.StartJavaVM(secondStart));
  EXPECT_TRUE(secondStart.messages.empty());
  second.SendDocument(Request(file, DocumentKind::Cadastral), ui_);
  EXPECT_EQ(second.lastOutcome(), SendOutcome::Accepted);

  std::thread other([&] {
    RecordingFrontEnd ui;
    second.SendDocument(Request(file, DocumentKind::Cadastral), ui);
    EXPECT_EQ(second.lastOutcome(), SendOutcome::Accepted);
  });
  other.join();
  EXPECT_EQ(support::FilesIn(dir_ / "destino" / "Recibo").size(), 2u);
}

}  // namespace
}  // namespace voske
#endif  // VOSKE_JAVA_EXECUTABLE

namespace voske {
namespace {

// Without a usable Java nothing is started and a sending touches nothing.
TEST(NoJava, JavaHomePointingNowhereRefusesSendingWithItsMessages) {
  support::ScratchDir dir;
  JavaSearchPlaces places;
  places.javaHome = dir / "nowhere";
  JavaTransmission transmission(std::make_unique<MemoryRegistry>(InstalledJavaRegistry(places)),
                                (dir / "client").string());
  EXPECT_EQ(transmission.JavaVersion(), "");
  support::RecordingFrontEnd ui;
  EXPECT_FALSE(transmission.StartJavaVM(ui));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, RuntimeMissingMessage({"", ""}));

  SendRequest request;
  request.destinationFolder = dir.path().string();
  request.xmlPath = (dir / "x.xml").string();
  support::RecordingFrontEnd sending;
  transmission.SendDocument(request, sending);
  ASSERT_EQ(sending.messages.size(), 1u);
  EXPECT_EQ(sending.messages[0].text, NoJavaVmMessage());
  EXPECT_FALSE(std::filesystem::exists(dir / "Recibo"));
  EXPECT_EQ(transmission.lastOutcome(), SendOutcome::Failed);
}

}  // namespace
}  // namespace voske
