// voske-cli gerar from real workbook files to the document on disk: what the
// user sees on each output, the exit status, and what is left in the folder.
#include <gtest/gtest.h>

#include <regex>

#include "support/cli_runner.h"
#include "sample_workbook.h"
#include "support/paths.h"

namespace voske {
namespace {

namespace fs = std::filesystem;
using support::CliResult;
using support::RunCli;
using support::ScratchDir;

class GerarEndToEndTest : public ::testing::Test {
 protected:
  GerarEndToEndTest() { fs::create_directories(dir / "saida"); }

  // Writes the sample operator, changed by `edit`, as a workbook file.
  std::string Workbook(const std::function<void(sample::Workbook&)>& edit = {}) {
    sample::Workbook wb = sample::MakeSampleWorkbook();
    if (edit) edit(wb);
    const std::string path = (dir / ("planilha" + std::to_string(++written) + ".xlsx")).string();
    sample::WriteXlsx(wb, path);
    return path;
  }

  CliResult Gerar(const std::string& document, const std::string& workbook, const std::string& destination,
                  bool silent = false, const fs::path& workingDir = {}) {
    std::vector<std::string> args{"gerar", "--documento", document, "--planilha", workbook, "--destino", destination};
    if (silent) args.push_back("--silencioso");
    return RunCli({args, std::nullopt, "senha\n", workingDir});
  }

  ScratchDir dir;
  int written = 0;
};

TEST_F(GerarEndToEndTest, RegistrationDocumentPathAloneOnStdoutStatusesOnStderr) {
  const CliResult r = Gerar("cadastral", Workbook(), (dir / "saida").string());
  ASSERT_EQ(r.status, 0) << r.err;
  const std::vector<fs::path> files{fs::directory_iterator(dir / "saida"), fs::directory_iterator()};
  ASSERT_EQ(files.size(), 1u);
  EXPECT_EQ(r.out, files[0].string() + "\n");
  EXPECT_TRUE(std::regex_match(files[0].filename().string(),
                               std::regex(R"([0-9]+_CADASTRAL_\d{4}-\d{2}-\d{2}_\d{6}\.xml)")))
      << files[0];
  EXPECT_EQ(support::FileContents(files[0]).rfind("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>", 0), 0u);

  const std::string prefix = "Status: Gerando os arquivos XML";
  const std::string expected = prefix + "\n" + prefix + " - Carregando dados cadastrais\n" + prefix +
                               " - Carregando Listas\n" + prefix + " - Carregando Administradores\n" + prefix +
                               " - Carregando Representantes\n";
  EXPECT_EQ(r.err.substr(0, expected.size()), expected);
  EXPECT_NE(r.err.find(prefix + " - Gerando Dados cadastrais\n"), std::string::npos);
  EXPECT_EQ(r.err.substr(r.err.size() - 24), "XML gerado com sucesso.\n");
}

TEST_F(GerarEndToEndTest, SilentRunShowsOnlyMessagesAndRelativeFolderGivesAFullPath) {
  const std::string workbook = Workbook();
  const CliResult r = Gerar("cadastral", workbook, "saida", true, dir.path());
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "XML gerado com sucesso.\n");
  ASSERT_EQ(r.out.rfind((dir / "saida" / "").string(), 0), 0u) << r.out;  // with the system's separator
  EXPECT_TRUE(fs::exists(r.out.substr(0, r.out.size() - 1)));
}

TEST_F(GerarEndToEndTest, MissingWorksheetFailsWithItsMessageAndLeavesNothing) {
  const std::string workbook = Workbook([](sample::Workbook& wb) { wb.Remove("Listas"); });
  const CliResult r = Gerar("cadastral", "\"" + workbook + "\"", (dir / "saida").string(), true);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err.rfind("Não foi possível carregar o arquivo: ", 0), 0u) << r.err;
  EXPECT_NE(r.err.find("Listas"), std::string::npos);
  EXPECT_EQ(r.err.find("XML gerado com sucesso."), std::string::npos);
  EXPECT_TRUE(fs::is_empty(dir / "saida"));
}

}  // namespace
}  // namespace voske
