// Cash flow and balance ageing from workbook files: the fixed lines of the
// cash-flow form, and the ageing form whose rows, columns and labels change
// with the reference year. Each amount cell of the ageing tests holds
// row * 100 + column, so a value written tells which cell it came from.
#include "financial_generation.h"

namespace voske::support {
namespace {

using Names = std::vector<std::string>;

TEST(CashFlow, SampleFormGivesItsThirtyThreeLinesInOrder) {
  auto run = RunFinancial(FinancialSample(2024));
  ASSERT_TRUE(run->saved);
  const std::vector<Names> entries = EntryFields(run->Section("oxr:fluxoCaixa"));
  ASSERT_EQ(entries.size(), 33u);
  for (const Names& e : entries) ASSERT_EQ(e.size(), 2u);
  EXPECT_EQ(entries[0], (Names{"oxr:conta=RECEBIMENTOS_PLANOS", "oxr:valor=10721430.15"}));
  EXPECT_EQ(entries[8], (Names{"oxr:conta=CONTINGENCIAS", "oxr:valor=0.0"}));  // left blank
  EXPECT_EQ(entries[11], (Names{"oxr:conta=OUTROS_PAGAMENTOS", "oxr:valor=-13020.55"}));
  EXPECT_EQ(entries[12], (Names{"oxr:conta=VENDA_ATIVO_HOSP", "oxr:valor=0.0"}));
  EXPECT_EQ(entries[21], (Names{"oxr:conta=OUTROS_PAGAMENTOS_INV", "oxr:valor=0.0"}));
  // Typed in lower case, written upper-cased.
  EXPECT_EQ(entries[25], (Names{"oxr:conta=JUROS_APLICACOES", "oxr:valor=42118.55"}));
  EXPECT_EQ(entries[32], (Names{"oxr:conta=OUTROS_PAGAMENTOS_FIN", "oxr:valor=0.0"}));
}

TEST(CashFlow, EveryFixedLineIsWrittenAndNothingElse) {
  sample::Workbook wb = FinancialSample(2024);
  sample::Sheet& s = wb["Fluxo De Caixa"];
  s.ClearRowsFrom(1);
  // Only the lines of the three blocks count; headings and rows past the
  // form are not read.
  for (int row : {4, 17, 18, 19, 30, 31, 32, 44}) s.SetRow(row, 1, {"FORA", "", 1.0});
  s.SetRow(5, 1, {"a", "", 1.5});
  s.SetRow(16, 1, {"b", "", "2,25"});
  s.SetRow(20, 1, {std::monostate{}, "", 3.0});
  s.SetRow(29, 1, {"d"});
  s.SetRow(33, 1, {"é", "", 1234.567});
  s.SetRow(43, 1, {"f", "", -7.0});
  auto run = RunFinancial(wb);
  ASSERT_TRUE(run->saved);
  const std::vector<Names> entries = EntryFields(run->Section("oxr:fluxoCaixa"));
  ASSERT_EQ(entries.size(), 33u);
  std::vector<Names> expected(33, Names{"oxr:conta=", "oxr:valor=0.0"});
  expected[0] = {"oxr:conta=A", "oxr:valor=1.5"};
  expected[11] = {"oxr:conta=B", "oxr:valor=2.25"};
  expected[12] = {"oxr:conta=", "oxr:valor=3.0"};
  expected[21] = {"oxr:conta=D", "oxr:valor=0.0"};
  expected[22] = {"oxr:conta=é", "oxr:valor=1234.57"};  // only a-z are upper-cased
  expected[32] = {"oxr:conta=F", "oxr:valor=-7.0"};
  EXPECT_EQ(entries, expected);
}

TEST(CashFlow, AnAmountThatIsNoNumberEndsTheDocument) {
  sample::Workbook wb = FinancialSample(2024);
  wb["Fluxo De Caixa"].Set("C40", "R$ 10");
  EXPECT_EQ(FinancialError(wb),
            FinancialFailure("O valor \"R$ 10\" não é um número válido, verifique na planilha."));
}

// An ageing form whose amounts name their cell, with the given labels on
// the payable rows (6-11) and receivable rows (17-27).
void FillAgeingForm(sample::Workbook& wb, const Names& payableLabels, const std::map<int, std::string>& receivables) {
  sample::Sheet& s = wb["Idade de Saldos"];
  s.ClearRowsFrom(1);
  for (int i = 0; i < 6; ++i) s.Set(6 + i, 1, payableLabels[static_cast<size_t>(i)].c_str());
  for (const auto& [row, label] : receivables) s.Set(row, 1, label.c_str());
  for (int row : {6, 7, 8, 9, 10, 11, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27})
    for (int column = 2; column <= 12; ++column) s.Set(row, column, row * 100.0 + column);
}

const Names kPayableLabels = {"a Vencer",
                              "Vencidos de 1 a 30 dias ",
                              "Vencidos de 31 a 60 dias",
                              "Vencidos de 61 a 90 dias",
                              "Vencidos de 91 a 120 dias",
                              "  Vencidos a mais de 120 dias"};
const std::map<int, std::string> kReceivableLabels = {
    {17, "a Vencer"},
    {18, "Vencidos de 1 a 30 dias"},
    {19, "Vencidos de 31 a 60 dias"},
    {20, "Vencidos de 61 a 90 dias"},
    {21, "Vencidos a mais de 90 dias"},
    {22, "Subtotal"},
    {23, "Total"},
    {24, "Faturamento Antecipado"},
    {25, "Títulos descontados"},
    {26, "Ajustes a valor presente"},
    {27, "PPSC"},
};

// "oxr:dias=..." of each entry of `element`, or "-" where it has none, and
// the amounts of the entry at `index`.
Names AgeCodes(XmlNode section, const char* element) {
  Names codes;
  for (XmlNode e : section.children(element)) {
    XmlNode dias = e.child("oxr:dias");
    codes.push_back(dias ? dias.child_value() : "-");
  }
  return codes;
}

Names Amounts(XmlNode section, const char* element, const char* amounts, size_t index) {
  size_t i = 0;
  for (XmlNode e : section.children(element))
    if (i++ == index) return Fields(e.child(amounts));
  return {};
}

Names Named(std::initializer_list<std::pair<const char*, int>> cells) {
  Names out;
  for (const auto& [name, value] : cells) out.push_back(std::string(name) + "=" + std::to_string(value) + ".0");
  return out;
}

TEST(BalanceAgeing, PayablesKeepEightColumnsUntil2012AndTenFrom2013) {
  const Names payableCodes = {"00", "30", "60", "90", "120", "999"};
  for (int year : {2009, 2012}) {
    SCOPED_TRACE(year);
    sample::Workbook wb = FinancialSample(year);
    FillAgeingForm(wb, kPayableLabels, kReceivableLabels);
    auto run = RunFinancial(wb);
    ASSERT_TRUE(run->saved) << run->Errors().front();
    const XmlNode section = run->Section("oxr:idadeSaldo");
    EXPECT_EQ(AgeCodes(section, "oxr:idadePassivo"), payableCodes);
    EXPECT_EQ(Amounts(section, "oxr:idadePassivo", "oxr:passivo", 0),
              Named({{"oxr:eventos", 602}, {"oxr:comercial", 603}, {"oxr:debOper", 604}, {"oxr:outrosDebOper", 605},
                     {"oxr:depBenConSegRec", 606}, {"oxr:prestServAS", 608}, {"oxr:depAquisCarre", 609},
                     {"oxr:outrosDebPagar", 610}}));
    EXPECT_EQ(Fields(section.child("oxr:idadePassivo")), (Names{"oxr:dias=00", "oxr:passivo"}));
  }
  sample::Workbook wb = FinancialSample(2013);
  FillAgeingForm(wb, kPayableLabels, kReceivableLabels);
  auto run = RunFinancial(wb);
  ASSERT_TRUE(run->saved) << run->Errors().front();
  const XmlNode section = run->Section("oxr:idadeSaldo");
  EXPECT_EQ(AgeCodes(section, "oxr:idadePassivo"), payableCodes);
  EXPECT_EQ(Amounts(section, "oxr:idadePassivo", "oxr:passivo", 5),
            Named({{"oxr:eventos", 1103}, {"oxr:comercial", 1104}, {"oxr:debOper", 1105},
                   {"oxr:outrosDebOper", 1106}, {"oxr:depBenConSegRec", 1108}, {"oxr:prestServAS", 1110},
                   {"oxr:depAquisCarre", 1111}, {"oxr:outrosDebPagar", 1112}, {"oxr:eventossus", 1102},
                   {"oxr:titulosencargos", 1107}}));
}

TEST(BalanceAgeing, ReceivableRowsColumnsAndLabelsFollowTheYear) {
  struct Band {
    int year;
    Names codes;  // of the receivable rows written, in order
    Names amountsOfFirstRow;
  };
  const Names before2012 =
      Named({{"oxr:individualPre", 1702}, {"oxr:individualPos", 1703}, {"oxr:coletivoPre", 1704},
             {"oxr:coletivoPos", 1705}, {"oxr:convReceber", 1706}, {"oxr:taxaAdm", 1707},
             {"oxr:partBenefES", 1708}, {"oxr:credOper", 1709}, {"oxr:outrosCredComPlano", 1710},
             {"oxr:outrosCredSemPlano", 1712}});
  const Names from2012 = Named({{"oxr:individualPre", 1702}, {"oxr:individualPos", 1703}, {"oxr:coletivoPre", 1704},
                                {"oxr:coletivoPos", 1705}, {"oxr:taxaAdm", 1706}, {"oxr:partBenefES", 1707},
                                {"oxr:credOper", 1708}, {"oxr:outrosCredComPlano", 1709},
                                {"oxr:outrosCredSemPlano", 1711}});
  const Band bands[] = {
      // Rows 17-21, 24, 25, 27; row 26 joined in 2010.
      {2009, {"00", "30", "60", "90", "999", "200", "300", "400"}, before2012},
      {2010, {"00", "30", "60", "90", "999", "200", "300", "350", "400"}, before2012},
      {2011, {"00", "30", "60", "90", "999", "200", "300", "350", "400"}, before2012},
      // Rows 17-21, 24, 25: discounted bills are no longer a bracket.
      {2012, {"00", "30", "60", "90", "999", "200", "-"}, from2012},
      // Rows 17-21, 24: nor is advance billing.
      {2013, {"00", "30", "60", "90", "999", "-"}, from2012},
  };
  for (const Band& band : bands) {
    SCOPED_TRACE(band.year);
    sample::Workbook wb = FinancialSample(band.year);
    if (band.year == 2010) {
      // The interchange form of 2010 starts one row higher.
      wb["Intercâmbio"].ClearRowsFrom(5);
    }
    FillAgeingForm(wb, kPayableLabels, kReceivableLabels);
    auto run = RunFinancial(wb);
    ASSERT_TRUE(run->saved) << run->Errors().front();
    const XmlNode section = run->Section("oxr:idadeSaldo");
    EXPECT_EQ(AgeCodes(section, "oxr:idadeAtivo"), band.codes);
    EXPECT_EQ(Amounts(section, "oxr:idadeAtivo", "oxr:ativo", 0), band.amountsOfFirstRow);
    // The last receivable row read tells which rows were taken.
    const size_t last = band.codes.size() - 1;
    const int lastRow = band.year < 2012 ? 27 : band.year == 2012 ? 25 : 24;
    EXPECT_EQ(Amounts(section, "oxr:idadeAtivo", "oxr:ativo", last).front(),
              "oxr:individualPre=" + std::to_string(lastRow * 100 + 2) + ".0");
    // Payables first, then receivables.
    const Names children = ChildNames(section);
    EXPECT_EQ(Names(children.begin(), children.begin() + 6), Names(6, "oxr:idadePassivo"));
    EXPECT_EQ(Names(children.begin() + 6, children.end()), Names(band.codes.size(), "oxr:idadeAtivo"));
  }
}

TEST(BalanceAgeing, LabelsMatchExactlyAfterTrimming) {
  sample::Workbook wb = FinancialSample(2013);
  // Case matters; labels of the other list or of other years are unknown.
  FillAgeingForm(wb, {"a vencer", "Vencidos a mais de 90 dias", "PPSC", "Vencidos de 61 a 90 dias\t", "", "x"},
                 {{17, "Vencidos de 91 a 120 dias"},
                  {18, "Vencidos a mais de 120 dias"},
                  {19, " PPSC "},
                  {20, "Títulos descontados"},
                  {21, "Ajustes a valor presente"},
                  {24, "A Vencer"}});
  auto run = RunFinancial(wb);
  ASSERT_TRUE(run->saved) << run->Errors().front();
  const XmlNode section = run->Section("oxr:idadeSaldo");
  EXPECT_EQ(AgeCodes(section, "oxr:idadePassivo"), (Names{"-", "-", "-", "90", "-", "-"}));
  EXPECT_EQ(AgeCodes(section, "oxr:idadeAtivo"), (Names{"-", "-", "400", "-", "-", "-"}));
}

TEST(BalanceAgeing, EmptyCellsAreZeroAndTextsMustBeNumbers) {
  sample::Workbook wb = FinancialSample(2024);
  sample::Sheet& s = wb["Idade de Saldos"];
  s.ClearRowsFrom(1);
  s.SetRow(6, 1, {"a Vencer", std::monostate{}, "12,346"});
  auto run = RunFinancial(wb);
  ASSERT_TRUE(run->saved) << run->Errors().front();
  const XmlNode section = run->Section("oxr:idadeSaldo");
  const Names first = Amounts(section, "oxr:idadePassivo", "oxr:passivo", 0);
  ASSERT_EQ(first.size(), 10u);
  EXPECT_EQ(first[0], "oxr:eventos=12.35");
  EXPECT_EQ(first[8], "oxr:eventossus=0.0");
  EXPECT_EQ(Fields(section.child("oxr:idadeAtivo")).front(), "oxr:ativo");  // an unlabelled row: no code

  s.Set("F24", "n/d");
  EXPECT_EQ(FinancialError(wb), FinancialFailure("O valor \"n/d\" não é um número válido, verifique na planilha."));
}

}  // namespace
}  // namespace voske::support
