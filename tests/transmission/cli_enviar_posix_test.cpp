// voske-cli enviar as scripts call it: options, the send-mode checks, the
// exit statuses, and whole sendings to the loopback service.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "generated_document.h"
#include "support/cli_runner.h"
#include "support/peak_memory.h"
#include "support/paths.h"

#ifdef VOSKE_JAVA_EXECUTABLE
#include "loopback_service.h"
#endif

namespace voske {
namespace {

namespace fs = std::filesystem;
using support::CliResult;
using support::CliRun;
using support::RunCli;
using support::ScratchDir;

const char kCadastral[] =
    "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n\r\n<oxr:voskeCadastral xmlns:oxr=\"x\"><oxr:identificador>"
    "<oxr:transacao>ENVIO_VOSKE_CADASTRAL</oxr:transacao></oxr:identificador></oxr:voskeCadastral>\r\n";

class Enviar : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(dir_ / "saida");
    std::ofstream(dir_ / "cadastral.xml", std::ios::binary) << kCadastral;
  }
  CliResult Run(std::vector<std::string> args, std::vector<std::string> env = {"VOSKE_SENHA=segredo"},
                std::vector<std::string> removed = {"VOSKE_PROXY_SENHA"}) {
    args.insert(args.begin(), "enviar");
    env.push_back("VOSKE_CLIENT_DIR=" + (support::BinaryDir() / "bin" / "ext" / "VOSKE").string());
    CliRun run;
    run.args = std::move(args);
    run.workingDir = dir_.path();
    run.environment = std::move(env);
    run.unset = std::move(removed);
    run.mergeErrors = true;
    return RunCli(run);
  }
  ScratchDir dir_;
};

TEST_F(Enviar, WrongOptionsAreUsageErrors) {
  const std::vector<std::vector<std::string>> cases = {
      {},
      {"--documento", "cadastro", "--arquivo", "cadastral.xml", "--destino", "saida"},
      {"--arquivo", "cadastral.xml", "--destino", "saida"},
      {"--documento", "cadastral", "--destino", "saida"},
      {"--documento", "cadastral", "--arquivo", "cadastral.xml"},
      {"--documento", "cadastral", "--arquivo", "cadastral.xml", "--destino", "saida", "--proxy", "host:1"},
      {"--documento", "cadastral", "--arquivo", "cadastral.xml", "--destino", "saida", "--proxy", "semporta",
       "--proxy-usuario", "u"},
      {"--documento", "cadastral", "--arquivo", "cadastral.xml", "--destino", "saida", "--senha", "x"},
  };
  for (const auto& args : cases) {
    const CliResult r = Run(args);
    EXPECT_EQ(r.status, 2) << r.out;
    EXPECT_NE(r.out.find("Uso: voske-cli enviar"), std::string::npos);
  }
  EXPECT_EQ(Run({"--help"}).status, 0);
}

TEST_F(Enviar, TheSendModeChecksOfTheMainButtonApplyWithTheirMessages) {
  struct Case {
    std::vector<std::string> args;
    const char* message;
  };
  const Case cases[] = {
      {{"--documento", "cadastral", "--arquivo", "cadastral.xml", "--destino", "  "},
       "Selecione o local onde ficará a pasta Recibo.\n"},
      {{"--documento", "financeiro", "--arquivo", "cadastral.xml", "--destino", "nao-existe"},
       "Destino do(s) arquivo(s) XML(s) inválido.\n"},
      {{"--documento", "cadastral", "--arquivo", " ", "--destino", "saida"}, "Selecione o arquivo XML a ser enviado.\n"},
  };
  for (const Case& c : cases) {
    const CliResult r = Run(c.args);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, c.message);
  }
  EXPECT_FALSE(fs::exists(dir_ / "saida" / "Recibo"));
}

TEST_F(Enviar, AnEmptyPasswordIsRefused) {
  const CliResult r =
      Run({"--documento", "cadastral", "--arquivo", "cadastral.xml", "--destino", "saida"}, {"VOSKE_SENHA="});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("senha"), std::string::npos) << r.out;
}

TEST_F(Enviar, WithoutJavaSendingIsRefusedWithTheRuntimeMessage) {
  const CliResult r = Run({"--documento", "cadastral", "--arquivo", "cadastral.xml", "--destino", "saida"},
                              {"VOSKE_SENHA=segredo", "JAVA_HOME=" + (dir_ / "nowhere").string()});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out,
            "Não foi possível localizar a instalação do Java 1.6 (Java Runtime Environment).\n"
            "Desta forma o aplicativo não poderá transmitir os arquivos para a OXR.\n"
            "Verifique o manual para maiores detalhes.\n"
            "Versão encontrada:  \n");
  EXPECT_FALSE(fs::exists(dir_ / "saida" / "Recibo"));
}

#ifdef VOSKE_JAVA_EXECUTABLE
TEST_F(Enviar, RelativePathsStillNameTheUsersFilesAfterTheVmStarts) {
  support::LoopbackService service({"--senha-esperada", "SEGREDO", "--proxy-usuario", "op", "--proxy-senha", "pw"});
  const std::vector<std::string> send = {"--documento", "cadastral", "--arquivo", "\"cadastral.xml\"",
                                         "--destino", "saida"};
  CliResult r = Run(send, {"VOSKE_SENHA=segredo", "VOSKE_WEBSERVICE_URL=" + service.url()});
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_NE(r.out.find("O recibo foi gerado na pasta: " + (dir_ / "saida").string() + "/Recibo\n"),
            std::string::npos)
      << r.out;
  EXPECT_TRUE(fs::is_directory(dir_ / "saida" / "Recibo" / "Imagens"));

  std::vector<std::string> viaProxy = send;
  viaProxy.insert(viaProxy.end(), {"--proxy", "127.0.0.1:" + service.proxyPort(), "--proxy-usuario", "op"});
  r = Run(viaProxy, {"VOSKE_SENHA=segredo", "VOSKE_PROXY_SENHA=pw", "VOSKE_WEBSERVICE_URL=" + service.url()});
  EXPECT_EQ(r.status, 0) << r.out;

  // The wrong kind: a message, exit 1, and the service hears nothing more.
  const size_t heard = service.log().size();
  r = Run({"--documento", "financeiro", "--arquivo", "cadastral.xml", "--destino", "saida"},
          {"VOSKE_SENHA=segredo", "VOSKE_WEBSERVICE_URL=" + service.url()});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("Erro: O arquivo selecionado não é de informações Financeiras.\n"), std::string::npos);
  EXPECT_EQ(service.log().size(), heard);
  EXPECT_EQ(heard, 3u);  // one direct request, then the proxy's and the one it forwarded
}

// What voske-cli gerar writes is what voske-cli enviar sends; without Java
// the generation works all the same.
TEST_F(Enviar, ADocumentFromGerarIsSentAndGerarNeedsNoJava) {
  const std::string workbook = support::WriteSampleWorkbook(dir_.path());
  const std::vector<std::string> noJava = {"VOSKE_SENHA=segredo", "JAVA_HOME=" + (dir_ / "nowhere").string()};
  CliRun gerar;
  gerar.args = {"gerar", "--documento", "cadastral", "--planilha", workbook, "--destino", "saida"};
  gerar.workingDir = dir_.path();
  gerar.environment = noJava;
  gerar.mergeErrors = true;
  CliResult r = RunCli(gerar);
  ASSERT_EQ(r.status, 0) << r.out;
  std::vector<fs::path> generated;
  for (const auto& e : fs::directory_iterator(dir_ / "saida")) generated.push_back(e.path());
  ASSERT_EQ(generated.size(), 1u);
  const std::string file = "saida/" + generated[0].filename().string();

  r = Run({"--documento", "cadastral", "--arquivo", file, "--destino", "saida"}, noJava);
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("Não foi possível localizar a instalação do Java 1.6"), std::string::npos) << r.out;

  support::LoopbackService service({"--senha-esperada", "SEGREDO"});
  r = Run({"--documento", "cadastral", "--arquivo", file, "--destino", "saida"},
          {"VOSKE_SENHA=segredo", "VOSKE_WEBSERVICE_URL=" + service.url()});
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_TRUE(fs::is_directory(dir_ / "saida" / "Recibo" / "Imagens"));
}

TEST_F(Enviar, ARefusalEndsWithStatusOne) {
  support::LoopbackService service({"--modo", "recusar", "--mensagem", "Fora do prazo."});
  const CliResult r = Run({"--documento", "cadastral", "--arquivo", "cadastral.xml", "--destino", "saida"},
                              {"VOSKE_SENHA=segredo", "VOSKE_WEBSERVICE_URL=" + service.url()});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("Erro no envio do Voske Cadastral: \nFora do prazo.\n"), std::string::npos) << r.out;
  EXPECT_FALSE(fs::exists(dir_ / "saida" / "Recibo" / "Imagens"));
}

// Answers built to exhaust memory or the terminal, and receipts that cannot
// be written after an acceptance: each ends within a minute, in bounded
// memory, with a short output in the program's own words and no control
// sequence for the terminal to act on; the Recibo folder holds no file, not
// even a partial one.
TEST_F(Enviar, HostileAnswersAndUnwritableReceiptsEndCleanly) {
  struct Case {
    const char* name;
    std::vector<std::string> service;
    const char* blocker;  // a file put where the Recibo folder goes, or nullptr
    int status;
    const char* message;
  };
  const std::string longName(300, 'r');
  const Case cases[] = {
      {"1 GiB receipt", {"--modo", "enorme"}, nullptr, 1,
       "Ocorreu um erro na comunicação com o WebService. (Voske Cadastral)\n"},
      {"1 GiB refusal", {"--modo", "recusar-enorme"}, nullptr, 1,
       "Ocorreu um erro na comunicação com o WebService. (Voske Cadastral)\n"},
      {"endless answer", {"--modo", "sem-fim"}, nullptr, 1,
       "Ocorreu um erro na comunicação com o WebService. (Voske Cadastral)\n"},
      {"control sequences", {"--modo", "recusar", "--mensagem", "Recusado\x1b[2J\x07\r\nde novo\xc2\x9b"}, nullptr, 1,
       "Erro no envio do Voske Cadastral: \nRecusado\\x1B[2J\\x07\nde novo?\n"},
      {"Recibo is a file", {}, "Recibo", 0,
       "O documento foi recebido pela OXR, mas o recibo não foi gravado na pasta: "},
      {"receipt name too long", {"--nome-recibo", longName}, nullptr, 0, "o nome do arquivo é longo demais"},
  };
  for (const Case& c : cases) {
    ScratchDir dir;
    fs::create_directories(dir / "saida");
    std::ofstream(dir / "cadastral.xml", std::ios::binary) << kCadastral;
    if (c.blocker) std::ofstream(dir / "saida" / c.blocker) << "x";
    support::LoopbackService service(c.service);
    ::setenv("VOSKE_SENHA", "segredo", 1);
    ::setenv("VOSKE_WEBSERVICE_URL", service.url().c_str(), 1);
    ::setenv("VOSKE_CLIENT_DIR", (support::BinaryDir() / "bin" / "ext" / "VOSKE").c_str(), 1);
    const support::ChildRun run = support::MeasureProgram(
        support::CliBinary().string(),
        {"enviar", "--documento", "cadastral", "--arquivo", (dir / "cadastral.xml").string(), "--destino",
         (dir / "saida").string()},
        (dir / "out").string(), (dir / "err").string(), std::chrono::seconds(60));
    ::unsetenv("VOSKE_SENHA");
    ::unsetenv("VOSKE_WEBSERVICE_URL");
    ::unsetenv("VOSKE_CLIENT_DIR");
    const std::string err = support::FileContents(dir / "err");
    ASSERT_TRUE(run.finished) << c.name;
    EXPECT_EQ(run.status, c.status) << c.name << "\n" << err;
    EXPECT_NE(err.find(c.message), std::string::npos) << c.name << "\n" << err;
    EXPECT_LT(err.size(), 4096u) << c.name;
    EXPECT_EQ(err.find_first_of("\x1b\x07"), std::string::npos) << c.name;
    EXPECT_EQ(err.find("Exception"), std::string::npos) << c.name << "\n" << err;
    EXPECT_LT(run.peakKiB, 512 * 1024) << c.name;
    if (fs::is_directory(dir / "saida" / "Recibo")) {
      EXPECT_TRUE(support::FilesIn(dir / "saida" / "Recibo").empty()) << c.name;
    }
  }
}
#endif

}  // namespace
}  // namespace voske
