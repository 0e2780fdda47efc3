// The year-dependent schedules inside a whole generation, run by the load
// sequence from a workbook file: where they sit in the document, what the
// epilogue hash covers, and how their failures reach the user.
#include "financial_generation.h"

namespace voske::support {
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

// The builder writes a year's sections, and the linked assets of a kind,
// under the conditions the load sequence read their worksheets by; a section
// that read a worksheet not loaded would stop the run with an internal fault.
TEST(SchedulesInTheDocument, EveryYearAndKindReadsOnlyTheWorksheetsTheLoadSequenceRead) {
  const std::pair<const char*, const char*> kinds[] = {{"MEGRP", ""}, {"AUTOG", "AUTMN"}, {"AUTOG", "NPATR"}};
  for (int year = 2009; year <= 2014; ++year) {
    for (const auto& [kind, subKind] : kinds) {
      sample::Workbook wb = FinancialSample(year, kind, subKind);
      if (year == 2010) {
        // The 2010 interchange worksheet: operators only, data from row 5.
        sample::Sheet& s = wb["Intercâmbio"];
        s.ClearRowsFrom(3);
        s.SetRow(5, 1, {312843.0, 48213.57, 368253.0, 12990.0});
      }
      auto run = RunFinancial(wb);
      EXPECT_TRUE(run->saved) << year << " " << kind << "/" << subKind << ": "
                              << (run->Errors().empty() ? "" : run->Errors().front());
    }
  }
}

}  // namespace
}  // namespace voske::support
