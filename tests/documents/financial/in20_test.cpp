// "IN_20": the cooperative's current accounts in four blocks whose heading
// rows are skipped, and the tax liabilities below them.
#include "schedule_harness.h"

namespace voske::support {
namespace {

using Leaves_ = std::vector<std::string>;

TEST(In20, BlocksGiveTheTaxKindAndHeadingsAreSkipped) {
  auto run = RunSchedules(SampleForYear(2013));
  XmlNode accounts = run->Section("oxr:contaCorrenteCooperado");
  std::vector<std::string> kinds;
  for (XmlNode entry : accounts.children())
    kinds.push_back(std::string(entry.name()) + ":" + entry.child_value("oxr:tipoImposto") + ":" +
                    entry.child_value("oxr:nomeImposto"));
  EXPECT_EQ(kinds, (std::vector<std::string>{
                       "oxr:lancContaCorrenteCooperado:DIF:I R P J Parcelamento Lei 11 941",
                       "oxr:lancContaCorrenteCooperado:DIF:CSLL",
                       "oxr:lancContaCorrenteCooperado:DIE:ICMS Parcelamento estadual",
                       "oxr:lancContaCorrenteCooperado:DIM:ISS",
                       "oxr:lancContaCorrenteCooperado:DOT:INSS cota patronal"}));

  const auto entries = Entries(accounts);
  ASSERT_EQ(entries.size(), 5u);
  EXPECT_EQ(entries[0], (Leaves_{"oxr:tipoImposto=DIF", "oxr:nomeImposto=I R P J Parcelamento Lei 11 941",
                                 "oxr:dataCompetencia=2024-09-30", "oxr:dataAdesaoRefis=2009-11-30",
                                 "oxr:qtdeParcelas=60", "oxr:valorTotalFinanciado=84200.0",
                                 "oxr:valorTotalPago=21050.0", "oxr:valorSaldoTrim=63150.0",
                                 "oxr:qtdeParcelasDevidas=3", "oxr:valorPagoTrim=4210.0", "oxr:qtdeParcelasPagas=3",
                                 "oxr:valorAtualMone=812.44", "oxr:valorSaldoFinalTrim=59752.44"}));
  // No programme: the optional leaves are left out, the amounts are zero.
  EXPECT_EQ(entries[1], (Leaves_{"oxr:tipoImposto=DIF", "oxr:nomeImposto=CSLL", "oxr:dataCompetencia=2024-09-30",
                                 "oxr:valorTotalFinanciado=0.0", "oxr:valorTotalPago=0.0",
                                 "oxr:valorSaldoTrim=12400.0", "oxr:valorPagoTrim=12400.0",
                                 "oxr:valorAtualMone=0.0", "oxr:valorSaldoFinalTrim=0.0"}));

  EXPECT_EQ(Entries(run->Section("oxr:contaTributoPassivo")),
            (std::vector<Leaves_>{
                {"oxr:codigo=211181", "oxr:dtCompetencia=2024-09-30", "oxr:valorInicialTrim=9800.0",
                 "oxr:valorPagoTrim=4900.0", "oxr:valorAtualMone=61.25", "oxr:valorSaldoFinalTrim=4961.25"},
                {"oxr:codigo=211182", "oxr:dtCompetencia=2024-09-30", "oxr:valorInicialTrim=2150.4",
                 "oxr:valorPagoTrim=0.0", "oxr:valorAtualMone=0.0", "oxr:valorSaldoFinalTrim=2150.4"},
                {"oxr:codigo=231181", "oxr:dtCompetencia=2024-06-30", "oxr:valorInicialTrim=41200.0",
                 "oxr:valorPagoTrim=1716.67", "oxr:valorAtualMone=298.3", "oxr:valorSaldoFinalTrim=39781.63"}}));
  EXPECT_EQ(run->Section("oxr:contaTributoPassivo").first_child().name(), "oxr:lancContaTributoPassivo");
}

// Neither table is lost because its first row is empty: every row of every
// block is examined, and so is every row of the tax liabilities.
TEST(In20, EmptyFirstRowsLoseNothing) {
  sample::Workbook wb = SampleForYear(2013);
  sample::Sheet& s = wb["IN_20"];
  for (int column = 1; column <= 13; ++column) {
    s.Clear(5, column);
    s.Clear(63, column);
  }
  s.SetRow(76, 1, {"2.1.1.8.9-ABCDEFGHIJKLMNOP", "30/09/2024"});  // cut to 20 characters, then cleaned
  auto run = RunSchedules(wb);
  std::vector<std::string> kinds;
  for (XmlNode entry : run->Section("oxr:contaCorrenteCooperado").children())
    kinds.push_back(entry.child_value("oxr:tipoImposto"));
  EXPECT_EQ(kinds, (std::vector<std::string>{"DIF", "DIE", "DIM", "DOT"}));
  std::vector<std::string> codes;
  for (XmlNode entry : run->Section("oxr:contaTributoPassivo").children())
    codes.push_back(entry.child_value("oxr:codigo"));
  EXPECT_EQ(codes, (std::vector<std::string>{"211182", "231181", "2 1 1 8 9 ABCDEFGHIJ"}));
}

// A key cell of blanks only is an absent key, as the presence checks see it:
// the row is passed over rather than failing on its empty date. With every
// key blank, neither table is written.
TEST(In20, BlankKeysCountAsAbsent) {
  sample::Workbook wb = SampleForYear(2013);
  sample::Sheet& s = wb["IN_20"];
  s.Set(6, 2, "   ");  // the second DIF entry: key blank, date still there
  s.Clear(6, 3);
  s.Set(64, 1, " \t ");
  s.Clear(64, 2);
  auto run = RunSchedules(wb);
  std::vector<std::string> names;
  for (XmlNode entry : run->Section("oxr:contaCorrenteCooperado").children())
    names.push_back(entry.child_value("oxr:nomeImposto"));
  EXPECT_EQ(names, (std::vector<std::string>{"I R P J Parcelamento Lei 11 941", "ICMS Parcelamento estadual", "ISS",
                                             "INSS cota patronal"}));
  std::vector<std::string> codes;
  for (XmlNode entry : run->Section("oxr:contaTributoPassivo").children())
    codes.push_back(entry.child_value("oxr:codigo"));
  EXPECT_EQ(codes, (std::vector<std::string>{"211181", "231181"}));

  for (int row : {5, 6, 18, 33, 44, 63, 64, 66}) {
    for (int column = 1; column <= 13; ++column) s.Clear(row, column);
    s.Set(row, row < 63 ? 2 : 1, "  ");
  }
  auto blank = RunSchedules(wb);
  EXPECT_FALSE(blank->Section("oxr:contaCorrenteCooperado"));
  EXPECT_FALSE(blank->Section("oxr:contaTributoPassivo"));
}

TEST(In20, NoDataWritesNeitherTable) {
  sample::Workbook wb = SampleForYear(2013);
  sample::Sheet& s = wb["IN_20"];
  for (int row : {5, 6, 18, 33, 44, 63, 64, 66})
    for (int column = 1; column <= 13; ++column) s.Clear(row, column);
  auto run = RunSchedules(wb);  // the heading rows 17, 30 and 43 keep their text
  EXPECT_FALSE(run->Section("oxr:contaCorrenteCooperado"));
  EXPECT_FALSE(run->Section("oxr:contaTributoPassivo"));
  for (const std::string& status : Statuses(*run)) EXPECT_EQ(status.find("IN_20"), std::string::npos);
}

}  // namespace
}  // namespace voske::support
