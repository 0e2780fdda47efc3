// The year-dependent schedules inside a whole generation, run by the load
// sequence from a workbook file: where they sit in the document, what the
// epilogue hash covers, and how their failures reach the user.
#include "financial_generation.h"

namespace voske::testing {
namespace {

TEST(SchedulesInTheDocument, SampleCarriesEveryScheduleBetweenSolvencyAndEpilogue) {
  auto run = RunFinancial(FinancialSample(2024));
  ASSERT_TRUE(run->saved) << (run->Errors().empty() ? "" : run->Errors().front());
  const std::vector<std::string> sections = ChildNames(run->Root());
  ASSERT_EQ(sections.size(), 15u);
  EXPECT_EQ(std::vector<std::string>(sections.begin() + 6, sections.end()),
            (std::vector<std::string>{"oxr:informacoesSolvencia", "oxr:intercambio", "oxr:segProvEventosSinistrosLiq",
                                      "oxr:contratosEstipulados", "oxr:coberturaAssistencial",
                                      "oxr:intercambioEventual", "oxr:contaCorrenteCooperado",
                                      "oxr:contaTributoPassivo", "oxr:epilogo"}));
  // The hash, recomputed from the file's leaves, covers the schedules too.
  EXPECT_TRUE(HashMatchesContent(*run->saved));

  sample::Workbook changed = FinancialSample(2024);
  changed["IN_20"].Set("F66", 39781.64);
  auto other = RunFinancial(changed);
  ASSERT_TRUE(other->saved);
  EXPECT_TRUE(HashMatchesContent(*other->saved));
  EXPECT_NE(other->saved->ValueAt("oxr:epilogo/oxr:hash"), run->saved->ValueAt("oxr:epilogo/oxr:hash"));
}

TEST(SchedulesInTheDocument, AFailureEndsTheDocumentWithoutAFile) {
  sample::Workbook wb = FinancialSample(2024);
  wb["Intercâmbio Eventual Pagar"].Set("C5", "31/09/2024");
  auto run = RunFinancial(wb);
  EXPECT_FALSE(run->saved);
  EXPECT_EQ(run->Errors(),
            (std::vector<std::string>{FinancialFailure("A data \"31/09/2024\" não é uma data válida.")}));
  EXPECT_TRUE(FilesIn(run->OutputFolder()).empty());
}

}  // namespace
}  // namespace voske::testing
