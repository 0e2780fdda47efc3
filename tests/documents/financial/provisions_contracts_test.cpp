// Provisions (the 30- or 60-day form, always written) and stipulated contracts
// (every pair inside one single entry element).
#include "schedule_harness.h"

namespace voske::support {
namespace {

TEST(Provisions, HorizonCellPicksTheForm) {
  struct Case {
    sample::Value horizon;
    const char* form;
  };
  const Case cases[] = {{30.0, "oxr:ProvEventosSinistrosLiq30"},
                        {std::string("30"), "oxr:ProvEventosSinistrosLiq30"},
                        {std::string("30 dias"), "oxr:ProvEventosSinistrosLiq60"},
                        {60.0, "oxr:ProvEventosSinistrosLiq60"},
                        {std::monostate{}, "oxr:ProvEventosSinistrosLiq60"}};
  for (const Case& c : cases) {
    sample::Workbook wb = SampleForYear(2011);
    wb["Provisão"].Set("C4", c.horizon);
    auto run = RunSchedules(wb);
    XmlNode section = run->Section("oxr:segProvEventosSinistrosLiq");
    EXPECT_EQ(ChildNames(section), (std::vector<std::string>{c.form}));
    EXPECT_EQ(Leaves(section.child(c.form)),
              (std::vector<std::string>{"oxr:EventoSinistrosAte=187342.66", "oxr:EventoSinistrosPos=40218.09"}));
  }
}

TEST(Provisions, EmptyWorksheetStillGivesBothAmounts) {
  sample::Workbook wb = SampleForYear(2013);
  wb["Provisão"].ClearRowsFrom(1);
  auto run = RunSchedules(wb);
  EXPECT_EQ(Leaves(run->Section("oxr:segProvEventosSinistrosLiq").child("oxr:ProvEventosSinistrosLiq60")),
            (std::vector<std::string>{"oxr:EventoSinistrosAte=0.0", "oxr:EventoSinistrosPos=0.0"}));
}

TEST(StipulatedContracts, OneEntryHoldsEveryPairInRowOrder) {
  auto run = RunSchedules(SampleForYear(2012));
  XmlNode section = run->Section("oxr:contratosEstipulados");
  EXPECT_EQ(ChildNames(section), (std::vector<std::string>{"oxr:lancContratoEstipulado"}));
  EXPECT_EQ(Leaves(section.child("oxr:lancContratoEstipulado")),
            (std::vector<std::string>{"oxr:registroOperadora=312843", "oxr:valorContratoEstipulado=125000.0",
                                      "oxr:registroOperadora=359617", "oxr:valorContratoEstipulado=78450.5",
                                      "oxr:registroOperadora=402671", "oxr:valorContratoEstipulado=15300.0"}));
}

TEST(StipulatedContracts, FirstBlankRowEndsOrOmitsTheSection) {
  sample::Workbook wb = SampleForYear(2012);
  wb["Contratos Estipulados"].Set("A7", " ");  // blank, though not empty
  wb["Contratos Estipulados"].Clear("B6");
  EXPECT_EQ(Leaves(RunSchedules(wb)->Section("oxr:contratosEstipulados").child("oxr:lancContratoEstipulado")),
            (std::vector<std::string>{"oxr:registroOperadora=312843", "oxr:valorContratoEstipulado=0.0"}));

  wb["Contratos Estipulados"].Clear("A6");
  auto run = RunSchedules(wb);
  EXPECT_FALSE(run->Section("oxr:contratosEstipulados"));
  for (const std::string& status : Statuses(*run)) EXPECT_EQ(status.find("Contratos"), std::string::npos);
}

}  // namespace
}  // namespace voske::support
