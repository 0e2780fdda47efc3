// Verification through the real voske-cli: gerar names the cell of every
// value the schema refuses, --estrito refuses the document, and verificar
// checks a document on disk (or says plainly why it cannot).
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "support/cli_runner.h"
#include "sample_workbook.h"
#include "support/files.h"
#include "support/paths.h"

namespace voske {
namespace {

namespace fs = std::filesystem;
using support::CliResult;
using support::RunCli;
using support::ScratchDir;

std::vector<std::string> WarningLines(const std::string& err) {
  std::vector<std::string> lines;
  std::istringstream in(err);
  for (std::string line; std::getline(in, line);)
    if (line.rfind("Aviso: ", 0) == 0) lines.push_back(line);
  return lines;
}

class VerificationCliTest : public ::testing::Test {
 protected:
  VerificationCliTest() { fs::create_directories(out); }

  std::string Workbook(const std::function<void(sample::Workbook&)>& edit = {}) {
    sample::Workbook wb = sample::MakeSampleWorkbook();
    if (edit) edit(wb);
    const std::string path = (dir / ("planilha" + std::to_string(++written) + ".xlsx")).string();
    sample::WriteXlsx(wb, path);
    return path;
  }
  CliResult Gerar(const std::string& document, const std::string& workbook, std::vector<std::string> extra = {}) {
    std::vector<std::string> args{"gerar", "--documento", document, "--planilha", workbook, "--destino", out.string()};
    args.insert(args.end(), extra.begin(), extra.end());
    return RunCli({args, std::string("senha-demo"), "", {}});
  }
  static CliResult Verificar(std::vector<std::string> args) {
    args.insert(args.begin(), "verificar");
    return RunCli({args, std::nullopt, "", {}});
  }

  ScratchDir dir;
  fs::path out = dir / "saida";
  int written = 0;
};

// A registration workbook with one fault of each kind, each in a cell of
// its own.
void BreakRegistration(sample::Workbook& wb) {
  wb["Dados Cadastrais"].Set("B6", "24.681.357/0001-41");  // check digit off by one
  wb["Dados Cadastrais"].Set("B10", "regulatorio.serraazulsaude.com.br");
  wb["Dados Cadastrais"].Set("A33", "XX");                  // no UF
  wb["Administradores"].Set("A5", "529.982.247-26");        // CPF check digit
  wb["Administradores"].Set("D5", 999.0);                   // no such office
  wb["Dependências"].Set("C5", "AGENCIA");                  // no such kind of branch
  wb["Controladas"].Set("E5", "980 mil");                   // a quantity that is no number
}

TEST_F(VerificationCliTest, GerarNamesTheCellOfEachRefusedValueAndStillWritesTheDocument) {
  const CliResult r = Gerar("cadastral", Workbook(BreakRegistration), {"--silencioso"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(support::FilesIn(out).size(), 1u);
  const std::vector<std::string> lines = WarningLines(r.err);
  const std::vector<std::string> expected = {
      "Aviso: Dados Cadastrais!B6: oxr:CNPJ \"24681357000141\": dígitos verificadores do CNPJ inválidos",
      "Aviso: Dados Cadastrais!B10: oxr:eMail \"regulatorio.serraazulsaude.com.br\": não segue o formato exigido "
      "(st_eMail: .+@.+\\..+)",
      "Aviso: Dados Cadastrais!A33: oxr:siglaUF \"XX\": valor fora da lista aceita (st_UF)",
      "Aviso: Administradores!A5: oxr:CPF \"52998224726\": dígitos verificadores do CPF inválidos",
      "Aviso: Administradores!D5: oxr:cargoFuncao \"999\": valor fora da lista aceita (st_cargoFuncao)",
      "Aviso: Dependências!C5: oxr:tipo \"Agencia\": valor fora da lista aceita (st_tipoDependencia)",
      "Aviso: Controladas!E5: oxr:qtdeAcoesQuotas \"980 mil\": não é um número decimal válido",
  };
  for (const std::string& line : expected)
    EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << "missing: " << line << "\n" << r.err;
  EXPECT_EQ(lines.size(), expected.size()) << r.err;
  // The findings come first, the success message and the count last.
  EXPECT_NE(r.err.find("XML gerado com sucesso.\n7 avisos de verificação: valores que o esquema da OXR recusa.\n"),
            std::string::npos)
      << r.err;
}

TEST_F(VerificationCliTest, FinancialFindingsNameTheirWorksheetAndCell) {
  const CliResult r = Gerar("financeiro", Workbook([](sample::Workbook& wb) {
                              wb["Ativos Vinculados"].Set("Y5", "9999");  // asset type outside its list
                              wb["Fluxo De Caixa"].Set("A6", "ALUGUEIS");
                            }),
                            {"--silencioso"});
  ASSERT_EQ(r.status, 0) << r.err;
  const std::vector<std::string> lines = WarningLines(r.err);
  ASSERT_EQ(lines.size(), 2u) << r.err;
  EXPECT_EQ(lines[0], "Aviso: Ativos Vinculados!Y5: oxr:tipoBem \"9999\": valor fora da lista aceita (st_tipoBem)");
  EXPECT_EQ(lines[1],
            "Aviso: Fluxo De Caixa!A6: oxr:conta \"ALUGUEIS\": valor fora da lista aceita (st_ctaFluxoCaixa)");
}

TEST_F(VerificationCliTest, TheSampleVerifiesCleanForBothDocuments) {
  for (const char* document : {"cadastral", "financeiro"}) {
    const fs::path sample = support::SourceDir() / "examples" / "planilha-exemplo.xlsx";
    const CliResult r = Gerar(document, sample.string(), {"--silencioso", "--estrito"});
    ASSERT_EQ(r.status, 0) << document << ": " << r.err;
    EXPECT_TRUE(WarningLines(r.err).empty()) << r.err;
    const CliResult v = Verificar({"--arquivo", r.out.substr(0, r.out.size() - 1)});
    EXPECT_EQ(v.status, 0) << v.err;
    EXPECT_EQ(v.err, "0 avisos de verificação.\n");
  }
}

TEST_F(VerificationCliTest, StrictGenerationWithFindingsFailsAndLeavesNothing) {
  const CliResult r = Gerar("cadastral", Workbook(BreakRegistration), {"--estrito"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(WarningLines(r.err).size(), 7u) << r.err;
  EXPECT_NE(r.err.find("O arquivo XML não foi gerado: 7 avisos de verificação"), std::string::npos) << r.err;
  EXPECT_TRUE(support::FilesIn(out).empty());
}

TEST_F(VerificationCliTest, VerificarReadsADocumentOnDiskAndNamesElementPaths) {
  const CliResult g = Gerar("cadastral", Workbook(BreakRegistration), {"--silencioso"});
  ASSERT_EQ(g.status, 0) << g.err;
  const CliResult v = Verificar({"--arquivo", g.out.substr(0, g.out.size() - 1)});
  EXPECT_EQ(v.status, 1);
  const std::vector<std::string> lines = WarningLines(v.err);
  // Without the workbook, each finding names its element's path.
  EXPECT_NE(std::find(lines.begin(), lines.end(),
                      "Aviso: oxr:identificador/oxr:CNPJ \"24681357000141\": dígitos verificadores do CNPJ inválidos"),
            lines.end())
      << v.err;
  bool emailByPath = false;
  for (const std::string& line : lines)
    if (line.find("/oxr:cadastro/oxr:eMail \"regulatorio.serraazulsaude.com.br\"") != std::string::npos)
      emailByPath = true;
  EXPECT_TRUE(emailByPath) << v.err;
  EXPECT_NE(v.err.find(std::to_string(lines.size()) + " avisos de verificação.\n"), std::string::npos) << v.err;
}

TEST_F(VerificationCliTest, VerificarSaysWhyAFileIsNoDocument) {
  const CliResult missing = Verificar({"--arquivo", (dir / "nenhum.xml").string()});
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("não foi encontrado"), std::string::npos) << missing.err;

  const fs::path text = dir / "nota.xml";
  std::ofstream(text) << "Relatório trimestral\nsem marcas XML\n";
  const CliResult notXml = Verificar({"--arquivo", text.string()});
  EXPECT_EQ(notXml.status, 1);
  EXPECT_NE(notXml.err.find("não é um documento XML válido"), std::string::npos) << notXml.err;

  // A generated document cut in the middle, as an interrupted copy leaves it.
  const CliResult g = Gerar("financeiro", (support::SourceDir() / "examples" / "planilha-exemplo.xlsx").string(),
                            {"--silencioso"});
  ASSERT_EQ(g.status, 0) << g.err;
  const std::string whole = support::FileContents(g.out.substr(0, g.out.size() - 1));
  const fs::path cut = dir / "cortado.xml";
  std::ofstream(cut, std::ios::binary) << whole.substr(0, whole.size() / 2);
  const CliResult damaged = Verificar({"--arquivo", cut.string()});
  EXPECT_EQ(damaged.status, 1);
  EXPECT_NE(damaged.err.find("não é um documento XML válido"), std::string::npos) << damaged.err;
  EXPECT_EQ(damaged.err.find("Aviso:"), std::string::npos);
}

TEST_F(VerificationCliTest, EnviarStrictDoesNotSendADocumentWithFindings) {
  const CliResult g = Gerar("cadastral", Workbook(BreakRegistration), {"--silencioso"});
  ASSERT_EQ(g.status, 0) << g.err;
  const CliResult r = RunCli({{"enviar", "--documento", "cadastral", "--arquivo", g.out.substr(0, g.out.size() - 1),
                               "--destino", out.string(), "--estrito"},
                              std::string("senha-demo"), "", {}});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(WarningLines(r.err).size(), 7u) << r.err;
  EXPECT_NE(r.err.find("O documento não foi enviado: 7 avisos de verificação"), std::string::npos) << r.err;
  EXPECT_FALSE(fs::exists(out / "Recibo"));
}

TEST_F(VerificationCliTest, VerificarUsage) {
  const CliResult help = Verificar({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("Uso: voske-cli verificar --arquivo DOCUMENTO.xml"), std::string::npos);
  EXPECT_NE(help.out.find("dígitos verificadores"), std::string::npos);
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{}, {"--arquivo"}, {"--planilha", "x.xlsx"}, {"--arquivo", "a.xml", "--arquivo", "b.xml"}}) {
    const CliResult r = Verificar(args);
    EXPECT_EQ(r.status, 2) << r.err;
    EXPECT_NE(r.err.find("voske-cli verificar --help"), std::string::npos) << r.err;
  }
}

}  // namespace
}  // namespace voske
