// Which year-dependent sections the sample operator's document carries for
// each band of reference years, in which order, with which status lines.
#include "schedule_harness.h"

namespace voske::support {
namespace {

using Names = std::vector<std::string>;

// The 2010 interchange worksheet has no non-operator columns and its data
// start one row higher.
void UseInterchangeLayout2010(sample::Workbook& wb) {
  sample::Sheet& s = wb["Intercâmbio"];
  s.ClearRowsFrom(3);
  s.SetRow(4, 1, {"Registro OXR", "Saldo", "Registro OXR", "Saldo"});
  s.SetRow(5, 1, {312843.0, 48213.57, 368253.0, 12990.0});
  s.SetRow(6, 1, {41025.0, 9310.25});
}

TEST(YearSchedules, SectionsAndStatusesFollowTheReferenceYear) {
  const std::string prefix = "Status: Gerando os arquivos XML - ";
  struct Band {
    int year;
    Names sections;
    Names statuses;
  };
  const Band bands[] = {
      {2009, {}, {}},
      {2010, {"oxr:intercambio"}, {"Gerando Intercâmbio"}},
      {2011,
       {"oxr:intercambio", "oxr:corresponsabilidade", "oxr:segProvEventosSinistrosLiq"},
       {"Gerando Intercâmbio", "Gerando Corresponsabilidade", "Gerando Provisão"}},
      {2012,
       {"oxr:intercambio", "oxr:corresponsabilidade", "oxr:segProvEventosSinistrosLiq", "oxr:contratosEstipulados"},
       {"Gerando Intercâmbio", "Gerando Corresponsabilidade", "Gerando Provisão", "Contratos Estipulados"}},
      {2013,
       {"oxr:intercambio", "oxr:segProvEventosSinistrosLiq", "oxr:contratosEstipulados",
        "oxr:coberturaAssistencial", "oxr:intercambioEventual", "oxr:contaCorrenteCooperado",
        "oxr:contaTributoPassivo"},
       {"Gerando Intercâmbio", "Gerando Provisão", "Contratos Estipulados", "Quadros Auxiliares Eventos",
        "Intercambio Eventual Receber", "Intercambio Eventual Pagar", "IN_20"}},
  };
  for (const Band& band : bands) {
    SCOPED_TRACE(band.year);
    sample::Workbook wb = SampleForYear(band.year);
    if (band.year == 2010) UseInterchangeLayout2010(wb);
    auto run = RunSchedules(wb);
    EXPECT_EQ(ChildNames(run->root), band.sections);
    Names expected;
    for (const std::string& s : band.statuses) expected.push_back(prefix + s);
    EXPECT_EQ(Statuses(*run), expected);
  }
}

TEST(YearSchedules, LaterYearsKeepTheLayoutOf2013) {
  auto run = RunSchedules(SampleForYear(2016));
  EXPECT_EQ(ChildNames(run->root).size(), 7u);
  EXPECT_FALSE(run->Section("oxr:corresponsabilidade"));
}

// Every section stops the generation at a value it cannot convert, with the
// message that quotes the cell as the user typed it.
TEST(YearSchedules, BadValuesStopWithTheUsersMessage) {
  const std::string number = "não é um número válido, verifique na planilha.";
  const std::string date = "não é uma data válida.";
  struct Case {
    int year;
    const char* sheet;
    const char* cell;
    const char* typed;  // nullptr: the cell is left empty
    std::string message;
  };
  const Case cases[] = {
      {2012, "Intercâmbio", "F7", "n/d", "O valor \"n/d\" " + number},
      {2012, "Corresponsabilidade", "D6", "--", "O valor \"--\" " + number},
      {2011, "Provisão", "D5", "abc", "O valor \"abc\" " + number},
      {2012, "Contratos Estipulados", "B8", "12 mil", "O valor \"12 mil\" " + number},
      {2013, "Quadros Auxiliares Eventos", "G67", "x", "O valor \"x\" " + number},
      {2013, "Intercâmbio Eventual Receber", "C7", "31/02/2024", "A data \"31/02/2024\" " + date},
      {2013, "Intercâmbio Eventual Pagar", "F6", "R$ 10", "O valor \"R$ 10\" " + number},
      {2013, "IN_20", "C18", nullptr, "A data \"\" " + date},
      {2013, "IN_20", "D5", "30/02/2010", "A data \"30/02/2010\" " + date},
      {2013, "IN_20", "J44", "4.210,00", "O valor \"4.210,00\" " + number},
      {2013, "IN_20", "B64", "2024-09-30", "A data \"2024-09-30\" " + date},
      {2013, "IN_20", "E66", "um", "O valor \"um\" " + number},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.sheet) + " " + c.cell);
    sample::Workbook wb = SampleForYear(c.year);
    if (c.typed)
      wb[c.sheet].Set(c.cell, c.typed);
    else
      wb[c.sheet].Clear(c.cell);
    EXPECT_EQ(ScheduleError(wb), c.message);
  }
}

}  // namespace
}  // namespace voske::support
