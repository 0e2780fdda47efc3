// voske-cli enviar as scripts call it: options, the send-mode checks, the
// exit statuses, and whole sendings to the loopback service.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "generated_document.h"
#include "support/cli_runner.h"
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
#endif

}  // namespace
}  // namespace voske
