// Assistance-coverage events: 24 fixed blocks of four rows, one entry per
// block with data, filled cells only, column by column.
#include "schedule_harness.h"

namespace voske::support {
namespace {

const char* const kSheet = "Quadros Auxiliares Eventos";

struct Block {
  const char* tipo;
  const char* cobertura;
  const char* plano;
  int firstRow;
};
// Where each block lies on the worksheet, in the order the entries come.
const Block kBlocks[] = {
    {"H", "1", "IFAL", 11},  {"H", "1", "IFPL", 22},  {"H", "1", "PLAL", 33},  {"H", "1", "PLAP", 44},
    {"H", "1", "PCEA", 55},  {"H", "1", "PCEL", 66},  {"H", "2", "IFAL", 77},  {"H", "2", "IFPL", 88},
    {"H", "2", "PLAL", 99},  {"H", "2", "PLAP", 110}, {"H", "2", "PCEA", 121}, {"H", "2", "PCEL", 132},
    {"O", "1", "IFAL", 147}, {"O", "1", "IFPL", 158}, {"O", "1", "PLAL", 169}, {"O", "1", "PLAP", 180},
    {"O", "1", "PCEA", 191}, {"O", "1", "PCEL", 202}, {"O", "2", "IFAL", 213}, {"O", "2", "IFPL", 224},
    {"O", "2", "PLAL", 235}, {"O", "2", "PLAP", 246}, {"O", "2", "PCEA", 257}, {"O", "2", "PCEL", 268},
};
const char* const kBases[] = {"valorConsulta", "valorExame", "valorTerapia", "valorIntern",
                              "valorAtendimento", "valorDespesas", "valorOdontologico"};
const char* const kSuffixes[] = {"RP", "RC", "RE", "IE"};

std::vector<std::string> Heading(const char* tipo, const char* cobertura, const char* plano) {
  return {std::string("oxr:tipo=") + tipo, std::string("oxr:cobertura=") + cobertura,
          std::string("oxr:plano=") + plano};
}

TEST(CoverageEvents, EachBlockIsReadFromItsOwnRows) {
  sample::Workbook wb = SampleForYear(2013);
  sample::Sheet& s = wb[kSheet];
  s.ClearRowsFrom(1);
  // Text between and around the blocks would fail as an amount if it were read.
  for (int row : {1, 10, 15, 21, 136, 146, 272, 280})
    for (int column = 1; column <= 9; ++column) s.Set(row, column, "título");
  for (int i = 0; i < 24; ++i) {
    s.Set(kBlocks[i].firstRow + i % 4, 2 + i % 7, double(i + 1));
    s.Set(kBlocks[i].firstRow, 1, "Rede própria");  // columns A and I are not amounts
    s.Set(kBlocks[i].firstRow, 9, "total");
  }

  auto run = RunSchedules(wb);
  const auto entries = Entries(run->Section("oxr:coberturaAssistencial"));
  ASSERT_EQ(entries.size(), 24u);
  for (int i = 0; i < 24; ++i) {
    std::vector<std::string> expected = Heading(kBlocks[i].tipo, kBlocks[i].cobertura, kBlocks[i].plano);
    expected.push_back(std::string("oxr:") + kBases[i % 7] + kSuffixes[i % 4] + "=" + std::to_string(i + 1) + ".0");
    EXPECT_EQ(entries[i], expected) << "block " << i;
  }
}

TEST(CoverageEvents, AmountsGoColumnByColumnAndRowByRow) {
  auto run = RunSchedules(SampleForYear(2014));
  XmlNode section = run->Section("oxr:coberturaAssistencial");
  std::vector<std::string> plans;
  for (XmlNode entry : section.children("oxr:lancCoberturaAssistencial"))
    plans.push_back(std::string(entry.child_value("oxr:tipo")) + entry.child_value("oxr:cobertura") +
                    entry.child_value("oxr:plano"));
  EXPECT_EQ(plans, (std::vector<std::string>{"H1IFPL", "H1PCEL", "H2PLAL", "O1IFAL", "O2PCEL"}));

  std::vector<std::string> expected = Heading("H", "1", "IFPL");
  for (const char* leaf :
       {"oxr:valorConsultaRP=18420.5", "oxr:valorConsultaRC=42310.0", "oxr:valorConsultaRE=1250.0",
        "oxr:valorExameRP=35210.0", "oxr:valorExameRC=61200.4", "oxr:valorExameIE=820.0",
        "oxr:valorTerapiaRP=4120.75", "oxr:valorTerapiaRC=8900.0", "oxr:valorInternRP=96300.0",
        "oxr:valorInternRC=210450.33", "oxr:valorInternRE=3400.0", "oxr:valorInternIE=15200.0",
        "oxr:valorAtendimentoRP=12040.0", "oxr:valorAtendimentoRC=22800.0", "oxr:valorDespesasRP=3050.0",
        "oxr:valorDespesasRC=7120.0"})
    expected.push_back(leaf);
  EXPECT_EQ(Leaves(section.first_child()), expected);
}

TEST(CoverageEvents, SingleCellBlankCellAndEmptyWorksheet) {
  sample::Workbook wb = SampleForYear(2013);
  wb[kSheet].ClearRowsFrom(1);
  wb[kSheet].Set(13, 4, 77.5);
  std::vector<std::string> expected = Heading("H", "1", "IFAL");
  expected.push_back("oxr:valorTerapiaRE=77.5");
  EXPECT_EQ(Entries(RunSchedules(wb)->Section("oxr:coberturaAssistencial")), (std::vector<std::vector<std::string>>{expected}));

  // A cell of blanks is not empty: it makes a block and is written as zero.
  wb[kSheet].ClearRowsFrom(1);
  wb[kSheet].Set(279, 8, "  ");
  wb[kSheet].Set(271, 8, "  ");
  expected = Heading("O", "2", "PCEL");
  expected.push_back("oxr:valorOdontologicoIE=0.0");
  EXPECT_EQ(Entries(RunSchedules(wb)->Section("oxr:coberturaAssistencial")), (std::vector<std::vector<std::string>>{expected}));

  wb[kSheet].ClearRowsFrom(1);
  auto run = RunSchedules(wb);
  ASSERT_TRUE(run->Section("oxr:coberturaAssistencial"));
  EXPECT_TRUE(ChildNames(run->Section("oxr:coberturaAssistencial")).empty());
}

}  // namespace
}  // namespace voske::support
