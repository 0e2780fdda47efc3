// --avisos writes the findings as a CSV a spreadsheet opens as it is in
// Brazil: here LibreOffice opens it as a pt-BR user's would (";" between the
// fields, UTF-8) and openpyxl reads the cells it shows.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "sample_workbook.h"
#include "support/cli_runner.h"
#include "support/files.h"
#include "support/paths.h"

namespace voske {
namespace {

namespace fs = std::filesystem;
using support::CliResult;
using support::RunCli;

using Rows = std::vector<std::vector<std::string>>;

// What a command prints; empty when it cannot be run.
std::string Output(const std::string& command) {
  std::string out;
  if (FILE* p = ::popen(command.c_str(), "r")) {
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, p)) > 0;) out.append(buffer, n);
    ::pclose(p);
  }
  return out;
}

constexpr const char* kPython = "/usr/bin/python3";

// The cells of each CSV as the spreadsheet shows them, one row a line and
// the cells split by a tab. One start of the spreadsheet program opens them all.
std::vector<Rows> AsTheSpreadsheetShowsThem(const std::vector<fs::path>& csvs, const fs::path& work) {
  std::string files;
  for (const fs::path& csv : csvs) files += " '" + csv.string() + "'";
  Output("cd '" + work.string() + "' && timeout 120 soffice -env:UserInstallation=file://" + work.string() +
         "/perfil --headless --infilter=CSV:59,34,76,1 --convert-to xlsx --outdir '" + work.string() + "'" + files +
         " >/dev/null 2>&1");
  std::vector<Rows> all;
  for (const fs::path& csv : csvs) {
    const fs::path xlsx = work / (csv.stem().string() + ".xlsx");
    const std::string text = Output(std::string(kPython) + " -c \"import openpyxl,sys\n"
                                    "for r in openpyxl.load_workbook(sys.argv[1], data_only=True).active.iter_rows("
                                    "values_only=True): print('\\t'.join('' if c is None else str(c) for c in r))\" '" +
                                    xlsx.string() + "'");
    Rows rows;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
      std::vector<std::string> cells;
      std::istringstream fields(line);
      for (std::string cell; std::getline(fields, cell, '\t');) cells.push_back(cell);
      while (cells.size() < 6) cells.emplace_back();
      rows.push_back(cells);
    }
    all.push_back(rows);
  }
  return all;
}

TEST(FindingsCsv, TheSpreadsheetShowsEachFindingAsTheDocumentCarriesIt) {
  if (Output("command -v soffice").empty()) GTEST_SKIP() << "LibreOffice (soffice) is not installed";
  if (Output(std::string(kPython) + " -c 'import openpyxl; print(1)'").empty())
    GTEST_SKIP() << "python3-openpyxl is not installed";
  support::ScratchDir dir;
  const fs::path out = dir / "saida";
  fs::create_directories(out);
  sample::Workbook wb = sample::MakeSampleWorkbook();
  wb["Dados Cadastrais"].Set("B6", "24.681.357/0001-41");
  wb["Dados Cadastrais"].Set("B10", "=HYPERLINK(\"http://x\";\"ver\")");  // typed as text, shown as typed
  wb["Dependências"].Set("C5", "AGENCIA; filial");
  const std::string book = (dir / "planilha.xlsx").string();
  sample::WriteXlsx(wb, book);

  // An earlier file of the name is replaced.
  std::ofstream(out / "avisos.csv") << "antigo";
  const CliResult g = RunCli({{"gerar", "--documento", "cadastral", "--planilha", book, "--destino", out.string(),
                               "--silencioso", "--avisos", (out / "avisos.csv").string()},
                              std::string("senha-demo")});
  ASSERT_EQ(g.status, 0) << g.err;
  EXPECT_EQ(support::FileContents(out / "avisos.csv").rfind("\xEF\xBB\xBFPlanilha;", 0), 0u);

  // A document on disk: the element's path stands where the cell would.
  const std::string document = g.out.substr(0, g.out.size() - 1);
  std::vector<fs::path> csvs{out / "avisos.csv"};
  for (const char* command : {"verificar", "enviar"}) {
    csvs.push_back(out / (std::string(command) + ".csv"));
    std::vector<std::string> args{command, "--arquivo", document, "--avisos", csvs.back().string()};
    if (std::string(command) == "enviar")
      args.insert(args.end(), {"--documento", "cadastral", "--destino", out.string(), "--estrito"});
    const CliResult r = RunCli({args, std::string("senha-demo")});
    EXPECT_EQ(r.status, 1) << r.err;
  }

  const std::vector<Rows> shown = AsTheSpreadsheetShowsThem(csvs, dir.path());
  const Rows expected = {
      {"Planilha", "Célula", "Elemento", "Valor", "Motivo", "Regra técnica"},
      {"Dados Cadastrais", "B6", "oxr:CNPJ", "24681357000141",
       "o CNPJ é inválido: os dígitos verificadores não conferem", "CNPJ: dígitos verificadores (módulo 11)"},
      {"Dados Cadastrais", "B10", "oxr:eMail", "=HYPERLINK(\"http://x\";\"ver\")", "o e-mail deve ter a forma nome@domínio",
       "st_eMail: padrão .+@.+\\..+"},
      {"Dependências", "C5", "oxr:tipo", "Agencia; filial", "deve ser Outra, Filial ou Sucursal",
       "st_tipoDependencia: lista de 3 valores"},
  };
  EXPECT_EQ(shown[0], expected);
  for (std::size_t i = 1; i < shown.size(); ++i) {
    const Rows& rows = shown[i];
    ASSERT_EQ(rows.size(), 4u) << csvs[i];
    EXPECT_EQ(rows[1], (std::vector<std::string>{"", "", "oxr:identificador/oxr:CNPJ", "24681357000141",
                                                 "o CNPJ é inválido: os dígitos verificadores não conferem",
                                                 "CNPJ: dígitos verificadores (módulo 11)"}));
    EXPECT_EQ(rows[3][2], "oxr:medicinaGrupo/oxr:dependencias/oxr:empresaDependente/oxr:tipo") << csvs[i];
  }
}

}  // namespace
}  // namespace voske
