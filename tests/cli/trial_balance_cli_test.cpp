// The accounting checks of the trial balance through the real voske-cli:
// variants of the sample workbook that break it (each finding at the cell
// that shows the fault, naming both figures) and variants an accountant
// writes on purpose that must stay clean.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <fstream>
#include <functional>
#include <sstream>

#include "sample_workbook.h"
#include "support/cli_runner.h"
#include "support/files.h"

namespace voske {
namespace {

namespace fs = std::filesystem;
using sample::Workbook;

// Rows from `row` down move by `by`: -1 deletes row `row`, +1 opens a blank
// row there, as a user deleting or inserting a worksheet row does.
void ShiftRows(sample::Sheet& s, int row, int by) {
  std::vector<std::pair<std::pair<int, int>, sample::Value>> moved;
  for (const auto& [at, cell] : s.cells())
    if (at.first > row || (at.first == row && by > 0)) moved.emplace_back(at, cell.value);
  s.ClearRowsFrom(row);
  for (const auto& [at, value] : moved) s.Set(at.first + by, at.second, value);
}

struct LedgerCase {
  const char* what;
  std::function<void(Workbook&)> edit;
  std::vector<std::string> findings;  // every warning line, in any order
};

// Adds `delta` to the amount in `a1`.
void AddTo(sample::Sheet& s, const std::string& a1, double delta) {
  const auto [row, column] = sample::ParseA1(a1);
  s.Set(a1, std::get<double>(s.Find(row, column)->value) + delta);
}

// Rows of the sample: assets 4 "1", 7 "1211" Caixa, 15 "1231", 18 the PPSC
// contra account (written as negative amounts), 20 "132", 21 its only
// sub-account; liabilities 4 "2", 10 "213", 11 its only sub-account, 16
// "25", 21 the accumulated result below it; expenses 13 "46", 16 its third
// sub-account.
const LedgerCase kCases[] = {
    {"the sample as it is: a contra account written as negative amounts", {}, {}},
    {"a typo in a closing balance",
     [](Workbook& wb) { wb["Balancete Ativo"].Set("F7", 3200.52); },
     {"Aviso: Balancete Ativo!F7: o saldo final 3.200,52 não confere com saldo anterior + débitos - créditos = "
      "3.200,25"}},
    {"a typo in a contra account written as negative amounts",
     [](Workbook& wb) { wb["Balancete Ativo"].Set("F18", -236740.1); },
     {"Aviso: Balancete Ativo!F18: o saldo final -236.740,10 não confere com saldo anterior + débitos - créditos = "
      "-236.740,00"}},
    {"a sub-account changed without its parent",
     [](Workbook& wb) {
       wb["Balancete Passivo"].Set("D11", 412330.25);
       wb["Balancete Passivo"].Set("F11", 101130.05);
     },
     {"Aviso: Balancete Passivo!D10: os débitos 402.330,25 não conferem com a soma da subconta = 412.330,25",
      "Aviso: Balancete Passivo!F10: o saldo final 111.130,05 não confere com a soma da subconta = 101.130,05"}},
    {"a deleted line", [](Workbook& wb) { ShiftRows(wb["Balancete Despesa"], 16, -1); },
     {"Aviso: Balancete Despesa!C13: o saldo anterior 1.719.141,24 não confere com a soma das 2 subcontas = "
      "1.630.541,24",
      "Aviso: Balancete Despesa!D13: os débitos 1.752.705,55 não conferem com a soma das 2 subcontas = 1.708.554,75",
      "Aviso: Balancete Despesa!F13: o saldo final 3.471.846,79 não confere com a soma das 2 subcontas = "
      "3.339.095,99"}},
    {"a trial balance that does not close: a credit of the result and its parents alone",
     [](Workbook& wb) {
       for (const char* cell : {"E4", "F4", "E16", "F16", "E21", "F21"}) AddTo(wb["Balancete Passivo"], cell, 500);
     },
     {"Aviso: Balancete Ativo!D4: o balancete não fecha: os débitos somam 43.563.653,48 e os créditos 43.564.153,48 "
      "nas contas de primeiro nível (Balancete Ativo!D4, Balancete Passivo!D4, Balancete Receita!D4, Balancete "
      "Despesa!D4)",
      "Aviso: Balancete Ativo!F4: o balancete não fecha no saldo final: ativo 15.490.140,31 + despesa 18.826.460,24 = "
      "34.316.600,55, mas passivo 12.441.215,55 + receita 21.875.885,00 = 34.317.100,55 (contas de primeiro nível em "
      "Balancete Ativo!F4, Balancete Despesa!F4, Balancete Passivo!F4, Balancete Receita!F4)"}},
    {"a cent off under a parent of one sub-account is beyond rounding",
     [](Workbook& wb) {
       wb["Balancete Ativo"].Set("C21", 1500000.01);
       wb["Balancete Ativo"].Set("F21", 1500000.01);
     },
     {"Aviso: Balancete Ativo!C20: o saldo anterior 1.500.000,00 não confere com a soma da subconta = 1.500.000,01",
      "Aviso: Balancete Ativo!F20: o saldo final 1.500.000,00 não confere com a soma da subconta = 1.500.000,01"}},
    {"a contra account with a positive credit balance among the assets",
     [](Workbook& wb) { wb["Balancete Ativo"].SetRow(18, 3, {210340.0, 12000.0, 38400.0, 236740.0}); },
     {}},
    {"a contra account with no movement in the quarter",
     [](Workbook& wb) {
       // Its sibling carries the same amount more, so the parent is unchanged.
       sample::Sheet& s = wb["Balancete Ativo"];
       s.Set("C16", 1284560.45 + 50000);
       s.Set("F16", 1284560.45 + 3870120.30 - 3812004.18 + 50000);
       ShiftRows(s, 19, 1);
       s.SetRow(19, 1, {"1231990121", "(-) Provisão para créditos renegociados", 50000.0, 0.0, 0.0, 50000.0});
     },
     {}},
    {"rounding within the tolerance",
     [](Workbook& wb) { wb["Balancete Ativo"].SetRow(7, 3, {4820.356, 18250.006, 19870.104, 3200.258}); }, {}},
    {"a worksheet with its top account alone",
     [](Workbook& wb) { wb["Balancete Receita"].ClearRowsFrom(5); }, {}},
};

std::vector<std::string> SortedWarnings(const std::string& err) {
  std::vector<std::string> lines;
  std::istringstream in(err);
  for (std::string line; std::getline(in, line);)
    if (line.rfind("Aviso: ", 0) == 0) lines.push_back(line);
  std::sort(lines.begin(), lines.end());
  return lines;
}

TEST(TrialBalanceCli, EachFaultIsFoundAtItsCellAndWhatAccountantsWriteStaysClean) {
  support::ScratchDir dir;
  int n = 0;
  for (const LedgerCase& c : kCases) {
    Workbook wb = sample::MakeSampleWorkbook();
    if (c.edit) c.edit(wb);
    const fs::path workbook = dir / ("planilha" + std::to_string(++n) + ".xlsx"), out = dir / std::to_string(n);
    sample::WriteXlsx(wb, workbook.string());
    fs::create_directories(out);
    const support::CliResult r =
        support::RunCli({{"gerar", "--documento", "financeiro", "--planilha", workbook.string(), "--destino",
                          out.string(), "--silencioso", "--estrito", "--avisos", (dir / "avisos.csv").string()},
                         std::string("senha-demo")});
    std::vector<std::string> expected = c.findings;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(SortedWarnings(r.err), expected) << c.what << "\n" << r.err;
    // --estrito refuses the document with findings, keeps the clean one.
    EXPECT_EQ(r.status, expected.empty() ? 0 : 1) << c.what;
    EXPECT_EQ(support::FilesIn(out).size(), expected.empty() ? 1u : 0u) << c.what;
    if (!expected.empty()) {
      EXPECT_NE(r.err.find("(contas do balancete que não fecham)."), std::string::npos) << r.err;
    }
    // The CSV holds a row a finding, with its worksheet, cell and element.
    const std::string csv = support::FileContents(dir / "avisos.csv");
    EXPECT_EQ(static_cast<std::size_t>(std::count(csv.begin(), csv.end(), '\n')), expected.size() + 1) << csv;
    for (const std::string& line : expected) {
      const std::string place = line.substr(7, line.find(':', 7) - 7);  // "Balancete Ativo!F7"
      const std::size_t bang = place.find('!');
      const std::string row = "\n" + place.substr(0, bang) + ";" + place.substr(bang + 1) + ";oxr:";
      EXPECT_NE(csv.find(row), std::string::npos) << row << "\n" << csv;
    }
  }
}

// A document on disk is checked by the same rules, each finding at its
// element's path; amounts in any form a float takes.
struct FileCase {
  const char* what;
  // Each section's lines: "code opening debits credits closing".
  std::array<std::vector<std::string>, 4> sections;
  std::vector<std::string> findings;
};

// Assets: a contra parent ("19", accumulated depreciation) over contra
// sub-accounts is their sum, and counts negative in "1"; a line without
// movement counts with the sign that makes the sum hold.
const std::array<std::vector<std::string>, 4> kContraTree = {
    {{"1 7.0E1 0 10 60", "11 100 0 0 100", "19 30 0 10 40", "191 20 0 5 25", "192 10 0 5 15"},
     {"2 70 0 0 70"},
     {"3 0 0 0 0"},
     {"4 0 10 0 10"}}};

std::vector<FileCase> FileCases() {
  std::vector<FileCase> cases{{"a contra parent over contra sub-accounts", kContraTree, {}}};
  FileCase typo{"a typo in the second line", kContraTree, {}};
  typo.sections[0][1] = "11 100 0 0 101";
  typo.findings = {"Aviso: oxr:balancete/oxr:ativo/oxr:lancamento[2]/oxr:saldoFinal: o saldo final 101,00 não "
                   "confere com saldo anterior + débitos - créditos = 100,00"};
  cases.push_back(typo);
  // Sub-accounts without movement may each count either way: ten are tried,
  // more leave the parent's balances unchecked (its debits and credits are
  // compared all the same).
  for (const int neutral : {10, 11}) {
    FileCase c{neutral == 10 ? "ten sub-accounts without movement" : "eleven sub-accounts without movement",
               {{{"1 1000 0 0 1000"}, {"2 1000 0 0 1000"}, {"3 0 0 0 0"}, {"4 0 0 0 0"}}},
               {}};
    for (int i = 0; i < neutral; ++i) c.sections[0].push_back("1" + std::to_string(10 + i) + " 50 0 0 50");
    if (neutral == 10)
      c.findings = {"Aviso: oxr:balancete/oxr:ativo/oxr:lancamento/oxr:saldoAnterior: o saldo anterior 1.000,00 não "
                    "confere com a soma das 10 subcontas = 500,00",
                    "Aviso: oxr:balancete/oxr:ativo/oxr:lancamento/oxr:saldoFinal: o saldo final 1.000,00 não "
                    "confere com a soma das 10 subcontas = 500,00"};
    cases.push_back(c);
  }
  return cases;
}

TEST(TrialBalanceCli, ADocumentOnDiskIsCheckedByTheSameRulesAtItsPaths) {
  support::ScratchDir dir;
  for (const FileCase& c : FileCases()) {
    const char* sections[] = {"ativo", "passivo", "receita", "despesa"};
    std::string xml = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<oxr:voskeFinanc "
                      "xmlns:oxr=\"http://www.oxr.gov.br/padroes/voske/schemas\"><oxr:balancete>";
    for (int s = 0; s < 4; ++s) {
      xml += std::string("<oxr:") + sections[s] + ">";
      for (const std::string& line : c.sections[static_cast<std::size_t>(s)]) {
        std::istringstream in(line);
        std::string code, amount[4];
        in >> code >> amount[0] >> amount[1] >> amount[2] >> amount[3];
        xml += "<oxr:lancamento><oxr:conta>" + code + "</oxr:conta><oxr:saldoAnterior>" + amount[0] +
               "</oxr:saldoAnterior><oxr:debitos>" + amount[1] + "</oxr:debitos><oxr:creditos>" + amount[2] +
               "</oxr:creditos><oxr:saldoFinal>" + amount[3] + "</oxr:saldoFinal></oxr:lancamento>";
      }
      xml += std::string("</oxr:") + sections[s] + ">";
    }
    xml += "</oxr:balancete><oxr:epilogo><oxr:hash>0</oxr:hash></oxr:epilogo></oxr:voskeFinanc>\n";
    const fs::path file = dir / "documento.xml";
    std::ofstream(file, std::ios::binary) << xml;
    const support::CliResult r = support::RunCli({{"verificar", "--arquivo", file.string()}});
    std::vector<std::string> expected = c.findings;
    std::sort(expected.begin(), expected.end());
    std::vector<std::string> accounting;
    for (const std::string& line : SortedWarnings(r.err))
      if (line.rfind("Aviso: oxr:balancete/", 0) == 0) accounting.push_back(line);
    EXPECT_EQ(accounting, expected) << c.what << "\n" << r.err;
  }
}

}  // namespace
}  // namespace voske
