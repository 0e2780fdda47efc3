// Profit or loss and solvency from workbook files: the eight fixed lines of
// the appropriation, the insurers' and the operators' solvency forms chosen by
// the operator's kind, the congener list, and the solvency failure wrapper.
#include "financial_generation.h"

namespace voske::support {
namespace {

using Names = std::vector<std::string>;

TEST(ProfitOrLoss, EightLinesAreWrittenFilledOrNot) {
  auto run = RunFinancial(FinancialSample(2024));
  ASSERT_TRUE(run->saved);
  const std::vector<Names> sample = EntryFields(run->Section("oxr:lucrosPrejuizos"));
  ASSERT_EQ(sample.size(), 8u);
  EXPECT_EQ(sample[0], (Names{"oxr:conta=LUCROS_DISTRIBUIDOS", "oxr:valor=123531.03"}));
  EXPECT_EQ(sample[2], (Names{"oxr:conta=REVERSAO_RESERVAS", "oxr:valor=0.0"}));
  EXPECT_EQ(sample[7], (Names{"oxr:conta=", "oxr:valor=0.0"}));

  sample::Workbook wb = FinancialSample(2024);
  sample::Sheet& s = wb["Lucros ou Prejuízos"];
  s.ClearRowsFrom(1);
  s.SetRow(4, 1, {"ANTES", "", 1.0});
  s.SetRow(5, 1, {"lp01", "", 10.556});
  s.SetRow(12, 1, {std::monostate{}, "", "3,5"});
  s.SetRow(13, 1, {"DEPOIS", "", 1.0});
  auto run2 = RunFinancial(wb);
  ASSERT_TRUE(run2->saved);
  std::vector<Names> expected(8, Names{"oxr:conta=", "oxr:valor=0.0"});
  expected[0] = {"oxr:conta=LP01", "oxr:valor=10.56"};
  expected[7] = {"oxr:conta=", "oxr:valor=3.5"};
  EXPECT_EQ(EntryFields(run2->Section("oxr:lucrosPrejuizos")), expected);

  s.Set("C9", "dez reais");
  EXPECT_EQ(FinancialError(wb),
            FinancialFailure("O valor \"dez reais\" não é um número válido, verifique na planilha."));
}

// A solvency sheet whose two forms can be told apart: the operators' form
// (A-C) and the insurers' (E-G) each with their own accounts and amounts.
void FillSolvencyForms(sample::Workbook& wb) {
  sample::Sheet& s = wb["Solvência"];
  s.ClearRowsFrom(1);
  for (int row = 6; row <= 12; ++row) {
    s.SetRow(row, 1, {"op" + std::to_string(row), "", row * 1.0});
    s.SetRow(row, 5, {"seg" + std::to_string(row), "", row * 10.0});
  }
  s.SetRow(17, 1, {"12.345.678/0001-95", 1000.0});
  s.SetRow(18, 1, {"  98765432000110", "250,5"});
  s.SetRow(17, 5, {"1.234.567/0001-00", 7.0});
}

TEST(Solvency, OperatorsUseTheLeftFormWithSevenLines) {
  for (const char* kind : {"MEGRP", "AUTOG", "", "segura"}) {
    SCOPED_TRACE(kind);
    sample::Workbook wb = FinancialSample(2024, kind);
    FillSolvencyForms(wb);
    auto run = RunFinancial(wb);
    ASSERT_TRUE(run->saved) << run->Errors().front();
    const XmlNode section = run->Section("oxr:informacoesSolvencia");
    EXPECT_EQ(ChildNames(section), (Names{"oxr:informacoesSolvenciaOper"}));
    std::vector<Names> expected;
    for (int row = 6; row <= 12; ++row)
      expected.push_back({"oxr:conta=op" + std::to_string(row), "oxr:valor=" + std::to_string(row) + ".0"});
    expected.push_back({"oxr:CNPJ=12345678000195", "oxr:valor=1000.0"});
    expected.push_back({"oxr:CNPJ=98765432000110", "oxr:valor=250.5"});
    EXPECT_EQ(EntryFields(section.first_child()), expected);
    Names names = ChildNames(section.first_child());
    EXPECT_EQ(Names(names.begin(), names.begin() + 7), Names(7, "oxr:lancInformacoesSolvenciaOper"));
    EXPECT_EQ(Names(names.begin() + 7, names.end()), Names(2, "oxr:participacaoCongenere"));
  }
}

TEST(Solvency, InsurersUseTheRightFormWithFiveLines) {
  for (const char* kind : {"SEGUR", "sgsau", "SgSaU"}) {
    SCOPED_TRACE(kind);
    sample::Workbook wb = FinancialSample(2024, kind);
    FillSolvencyForms(wb);
    auto run = RunFinancial(wb);
    ASSERT_TRUE(run->saved) << run->Errors().front();
    const XmlNode section = run->Section("oxr:informacoesSolvencia");
    EXPECT_EQ(ChildNames(section), (Names{"oxr:informacoesSolvenciaSegur"}));
    std::vector<Names> expected;
    for (int row = 6; row <= 10; ++row)
      expected.push_back({"oxr:conta=seg" + std::to_string(row), "oxr:valor=" + std::to_string(row * 10) + ".0"});
    // A CNPJ short of digits is padded with zeros.
    expected.push_back({"oxr:CNPJ=01234567000100", "oxr:valor=7.0"});
    EXPECT_EQ(EntryFields(section.first_child()), expected);
    Names names = ChildNames(section.first_child());
    EXPECT_EQ(Names(names.begin(), names.begin() + 5), Names(5, "oxr:lancInformacoesSolvenciaSegur"));
  }
}

TEST(Solvency, TheCongenerListEndsAtTheFirstBlankCnpj) {
  sample::Workbook wb = FinancialSample(2024);
  FillSolvencyForms(wb);
  sample::Sheet& s = wb["Solvência"];
  s.Set("A17", "   ");
  auto run = RunFinancial(wb);
  ASSERT_TRUE(run->saved);
  const XmlNode form = run->Section("oxr:informacoesSolvencia").first_child();
  EXPECT_FALSE(form.child("oxr:participacaoCongenere"));

  s.Set("A17", "11222333000181");
  s.Clear("A18");
  s.SetRow(19, 1, {"99888777000166", 5.0});
  run = RunFinancial(wb);
  ASSERT_TRUE(run->saved);
  const std::vector<XmlNode> congeners =
      Children(run->Section("oxr:informacoesSolvencia").first_child(), "oxr:participacaoCongenere");
  ASSERT_EQ(congeners.size(), 1u);
  EXPECT_EQ(Fields(congeners[0]), (Names{"oxr:CNPJ=11222333000181", "oxr:valor=1000.0"}));
}

TEST(Solvency, FailuresAreToldAsFailuresOfTheSolvencyInformation) {
  const std::string wrapper = "Erro na inclusão das \"Informações de Solvência\".\r";
  sample::Workbook wb = FinancialSample(2024);
  FillSolvencyForms(wb);
  wb["Solvência"].Set("C8", "1,2,3");
  EXPECT_EQ(FinancialError(wb), FinancialFailure(wrapper +
                                                 "O valor \"1,2,3\" não é um número válido, verifique na planilha."));

  // A CNPJ longer than 14 characters breaks the schema's limit.
  FillSolvencyForms(wb);
  wb["Solvência"].Set("A18", "123456789012345");
  EXPECT_EQ(FinancialError(wb),
            FinancialFailure(wrapper +
                             "O campo \"CNPJ\" pode ter no máximo 14 caracteres.\rO valor informado "
                             "\"123456789012345\" excede o limite.\rPara mais detalhes verifique os arquivos XSD "
                             "fornecidos no site da OXR."));

  // The insurers' form reads nothing of the operators' columns.
  sample::Workbook insurer = FinancialSample(2024, "SEGUR");
  FillSolvencyForms(insurer);
  insurer["Solvência"].Set("C8", "1,2,3");
  EXPECT_EQ(FinancialError(insurer), "");
}

}  // namespace
}  // namespace voske::support
