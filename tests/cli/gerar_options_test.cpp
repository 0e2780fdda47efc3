// voske-cli gerar before any worksheet is read: usage errors, help, the
// checks of the main button on the options, and the password rule.
#include <gtest/gtest.h>

#include <fstream>

#include "support/cli_runner.h"
#include "support/paths.h"

namespace voske {
namespace {

namespace fs = std::filesystem;
using support::CliResult;
using support::CliRun;
using support::RunCli;
using support::ScratchDir;

class GerarOptionsTest : public ::testing::Test {
 protected:
  GerarOptionsTest() {
    std::ofstream(dir / "planilha.xlsx") << "nao e uma planilha";
    fs::create_directories(dir / "saida");
  }

  std::vector<std::string> Args(const std::string& workbook, const std::string& destination) {
    return {"gerar", "--documento", "cadastral", "--planilha", workbook, "--destino", destination};
  }

  ScratchDir dir;
};

TEST_F(GerarOptionsTest, UsageErrorsExitWithTwoAndAShortHelp) {
  const std::string wb = (dir / "planilha.xlsx").string(), out = (dir / "saida").string();
  const std::vector<std::vector<std::string>> cases = {
      {"gerar"},
      {"gerar", "--documento", "cadastral", "--planilha", wb},
      {"gerar", "--documento", "balanco", "--planilha", wb, "--destino", out},
      {"gerar", "--documento", "cadastral", "--planilha", wb, "--destino"},
      {"gerar", "--documento", "cadastral", "--planilha", wb, "--destino", out, "--senha", "x"},
      {"gerar", "--documento", "cadastral", "--planilha", wb, "--planilha", wb, "--destino", out},
      {"gerar", "--documento", "cadastral", "--planilha", wb, "--destino", out, "extra"},
      {"gerar", "--documento", "cadastral", "--planilha", wb, "--destino", out, "--silencioso=sim"},
  };
  for (const auto& args : cases) {
    const CliResult r = RunCli({args, std::string("senha"), "", {}});
    EXPECT_EQ(r.status, 2) << args.back();
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("Uso: voske-cli gerar --documento cadastral|financeiro"), std::string::npos) << r.err;
  }
  EXPECT_TRUE(fs::is_empty(dir / "saida"));
}

TEST_F(GerarOptionsTest, HelpExplainsEveryOptionInPortuguese) {
  const CliResult r = RunCli({{"gerar", "--help"}, std::nullopt, "", {}});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  for (const char* word : {"--documento", "cadastral", "financeiro", "--planilha", "--destino", "--silencioso",
                           "VOSKE_SENHA", "entrada padrão", "Código de saída"})
    EXPECT_NE(r.out.find(word), std::string::npos) << word;
  // The overview lists the command too.
  const CliResult overview = RunCli({{"--help"}, std::nullopt, "", {}});
  EXPECT_NE(overview.out.find("gerar"), std::string::npos);
}

TEST_F(GerarOptionsTest, ChecksOfTheMainButtonInTheirOrderBeforeThePassword) {
  const std::string wb = (dir / "planilha.xlsx").string(), out = (dir / "saida").string();
  const struct {
    std::string workbook, destination, message;
  } cases[] = {
      {"   ", "", "Selecione o arquivo Excel com seus dados.\n"},
      {(dir / "outra.xlsx").string(), "", "Arquivo não encontrado.\n"},
      {(dir / "saida").string(), out, "Arquivo não encontrado.\n"},
      {"\"" + wb + "\"", "  ", "Selecione a pasta de destino do(s) arquivo(s) XML.\n"},
      {wb, (dir / "nao-existe").string(), "Destino do(s) arquivo(s) XML(s) inválido.\n"},
  };
  for (const auto& c : cases) {
    // No password anywhere: a check that passed would reach the password rule.
    const CliResult r = RunCli({Args(c.workbook, c.destination), std::nullopt, "", {}});
    EXPECT_EQ(r.status, 1) << c.message;
    EXPECT_EQ(r.err, c.message);
    EXPECT_EQ(r.out, "");
  }
  EXPECT_TRUE(fs::is_empty(dir / "saida"));
}

TEST_F(GerarOptionsTest, EmptyPasswordIsRefusedWhereverItComesFrom) {
  const std::vector<std::string> args = Args((dir / "planilha.xlsx").string(), (dir / "saida").string());
  for (const CliRun& run : {CliRun{args, std::string(""), "ignorada\n", {}}, CliRun{args, std::nullopt, "\n", {}},
                            CliRun{args, std::nullopt, "", {}}}) {
    const CliResult r = RunCli(run);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Nehuma senha foi digitada para Confirmação.\n");
    EXPECT_EQ(r.out, "");
  }
  EXPECT_TRUE(fs::is_empty(dir / "saida"));
}

TEST_F(GerarOptionsTest, AFileThatIsNoWorkbookFailsWithNothingLeftBehind) {
  const std::vector<std::string> args = Args((dir / "planilha.xlsx").string(), (dir / "saida").string());
  const CliResult r = RunCli({args, std::nullopt, "senha\n", {}});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err.find("Status: Gerando os arquivos XML - Carregando dados cadastrais\n"), std::string::npos);
  EXPECT_NE(r.err.find("Não foi possível carregar o arquivo: "), std::string::npos) << r.err;
  EXPECT_EQ(r.err.find("XML gerado com sucesso."), std::string::npos);
  EXPECT_TRUE(fs::is_empty(dir / "saida"));
}

}  // namespace
}  // namespace voske
