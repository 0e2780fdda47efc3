// The frame of the financial document and its trial balance, generated from
// workbook files: section order for every band of reference years, status
// lines, the row loop of the four balance sheets, the account rules, the
// amounts, and the failures that end the document without leaving a file.
#include "financial_generation.h"

namespace voske::support {
namespace {

using Names = std::vector<std::string>;

// The 2010 interchange worksheet has no non-operator columns and its data
// start on row 5.
void UseInterchangeLayoutOf2010(sample::Workbook& wb) {
  sample::Sheet& s = wb["Intercâmbio"];
  s.ClearRowsFrom(3);
  s.SetRow(4, 1, {"Registro OXR", "Saldo", "Registro OXR", "Saldo"});
  s.SetRow(5, 1, {312843.0, 48213.57, 368253.0, 12990.0});
}

// Replaces the entries of a balance sheet, from row 4 down.
void SetEntries(sample::Workbook& wb, const std::string& sheet, const std::vector<std::pair<int, std::string>>& rows) {
  sample::Sheet& s = wb[sheet];
  s.ClearRowsFrom(4);
  for (const auto& [row, account] : rows) s.SetRow(row, 1, {account, "Conta de teste", 10.0, 2.0, 1.0, 11.0});
}

Names Accounts(XmlNode section) {
  Names accounts;
  for (XmlNode entry : section.children("oxr:lancamento")) accounts.push_back(entry.child_value("oxr:conta"));
  return accounts;
}

XmlNode Section(const FinancialRun& run, const char* name) {
  return run.Section("oxr:balancete").child(name);
}

const Names kEveryYearSections = {"oxr:identificador",        "oxr:balancete",   "oxr:ativoVinculado",
                                  "oxr:fluxoCaixa",           "oxr:idadeSaldo",  "oxr:lucrosPrejuizos",
                                  "oxr:informacoesSolvencia"};

TEST(FinancialFrame, SectionsFollowTheirFixedOrderInEveryYearBand) {
  for (int year : {2009, 2010, 2011, 2012, 2013, 2024}) {
    SCOPED_TRACE(year);
    sample::Workbook wb = FinancialSample(year);
    if (year == 2010) UseInterchangeLayoutOf2010(wb);
    auto run = RunFinancial(wb);
    ASSERT_TRUE(run->saved) << (run->Errors().empty() ? "" : run->Errors().front());
    const Names sections = ChildNames(run->Root());
    ASSERT_GE(sections.size(), kEveryYearSections.size() + 1);
    EXPECT_EQ(Names(sections.begin(), sections.begin() + 7), kEveryYearSections);
    EXPECT_EQ(sections.back(), "oxr:epilogo");
    // The schedules that depend on the year sit between solvency and epilogue.
    EXPECT_EQ(sections.size() > 8, year >= 2010);
    EXPECT_TRUE(HashMatchesContent(*run->saved));
    EXPECT_EQ(run->saved->ValueAt("oxr:identificador/oxr:transacao"), "ENVIO_VOSKE_FINANCEIRO");
  }
}

TEST(FinancialFrame, StatusLinesNameEachSectionInTurn) {
  auto run = RunFinancial(FinancialSample(2009));
  ASSERT_TRUE(run->saved);
  const std::string prefix = "Status: Gerando os arquivos XML - ";
  Names expected;
  for (const char* s : {"Gerando Dados financeiros", "Gerando VOSKE financeiros", "Gerando Ativo", "Gerando Passivo",
                        "Gerando Receita", "Gerando Despesa", "Gerando Ativo vinculado", "Gerando Fluxo de caixa",
                        "Gerando Idade de saldos", "Gerando Lucros ou Prejuízos", "Gerando Margem de Solvencia",
                        "Gerando hash"})
    expected.push_back(prefix + s);
  const Names statuses = run->Statuses();
  auto first = std::find(statuses.begin(), statuses.end(), expected.front());
  ASSERT_NE(first, statuses.end());
  EXPECT_EQ(Names(first, statuses.end()), expected);
}

TEST(FinancialFrame, HashFollowsEveryValueAndThePassword) {
  const sample::Workbook wb = FinancialSample(2024);
  auto lower = RunFinancial(wb, "senha1");
  auto upper = RunFinancial(wb, "SENHA1");
  auto other = RunFinancial(wb, "SENHA2");
  ASSERT_TRUE(lower->saved && upper->saved && other->saved);
  EXPECT_TRUE(HashMatchesContent(*lower->saved));
  EXPECT_TRUE(HashMatchesContent(*other->saved));
  // The password enters upper-cased, so only a different password changes it.
  EXPECT_EQ(lower->saved->ValueAt("oxr:epilogo/oxr:hash"), upper->saved->ValueAt("oxr:epilogo/oxr:hash"));
  EXPECT_NE(other->saved->ValueAt("oxr:epilogo/oxr:hash"), upper->saved->ValueAt("oxr:epilogo/oxr:hash"));

  sample::Workbook changed = wb;
  changed["Balancete Despesa"].Set("D10", 1.0);
  auto run = RunFinancial(changed, "SENHA1");
  ASSERT_TRUE(run->saved);
  EXPECT_TRUE(HashMatchesContent(*run->saved));
  EXPECT_NE(run->saved->ValueAt("oxr:epilogo/oxr:hash"), upper->saved->ValueAt("oxr:epilogo/oxr:hash"));
}

TEST(FinancialFrame, ASaveThatFailsEndsTheDocumentWithItsReason) {
  auto run = RunFinancial(FinancialSample(2024), "SENHA1", /*folderExists=*/false);
  EXPECT_TRUE(run->state.generationFailed);
  EXPECT_EQ(run->Errors(), (Names{FinancialFailure("Não foi possível gravar o arquivo \"" + run->state.outputPath +
                                                   "\".\rA pasta de destino não existe.")}));
}

TEST(TrialBalance, SampleSectionsListEveryAccountThenTheirCount) {
  auto run = RunFinancial(FinancialSample(2024));
  ASSERT_TRUE(run->saved);
  EXPECT_EQ(ChildNames(run->Section("oxr:balancete")),
            (Names{"oxr:inicioPeriodo", "oxr:ativo", "oxr:passivo", "oxr:receita", "oxr:despesa"}));
  EXPECT_EQ(run->saved->ValueAt("oxr:balancete/oxr:inicioPeriodo"), "2024-03-31");

  sample::Workbook wb = FinancialSample(2024);
  const std::pair<const char*, const char*> sections[] = {{"oxr:ativo", "Balancete Ativo"},
                                                          {"oxr:passivo", "Balancete Passivo"},
                                                          {"oxr:receita", "Balancete Receita"},
                                                          {"oxr:despesa", "Balancete Despesa"}};
  for (const auto& [element, sheetName] : sections) {
    SCOPED_TRACE(element);
    const sample::Sheet& sheet = wb[sheetName];
    size_t rows = 0;
    while (sheet.Find(4 + static_cast<int>(rows), 1)) ++rows;
    const XmlNode section = Section(*run, element);
    EXPECT_EQ(Accounts(section).size(), rows);
    const Names children = ChildNames(section);
    ASSERT_FALSE(children.empty());
    EXPECT_EQ(children.back(), "oxr:numLancamentos");
    EXPECT_EQ(std::string(section.child_value("oxr:numLancamentos")), std::to_string(rows));
  }
  // The grand total of the assets, as the sample sheet sums it.
  const XmlNode first = Section(*run, "oxr:ativo").child("oxr:lancamento");
  EXPECT_EQ(Fields(first), (Names{"oxr:conta=1", "oxr:saldoAnterior=15196351.16", "oxr:debitos=19133657.0",
                                  "oxr:creditos=18839867.85", "oxr:saldoFinal=15490140.31"}));
}

TEST(TrialBalance, SingleBlankRowsAreSkippedAndTwoEndTheSection) {
  sample::Workbook wb = FinancialSample(2024);
  SetEntries(wb, "Balancete Ativo", {{4, "1"}, {5, "12"}, {7, "121"}});             // row 6 blank
  SetEntries(wb, "Balancete Passivo", {{4, "2"}, {5, "21"}, {8, "211"}});           // rows 6 and 7 blank
  SetEntries(wb, "Balancete Receita", {{5, "3"}, {6, "31"}});                      // row 4 blank
  SetEntries(wb, "Balancete Despesa", {{4, "4"}, {5, "   "}, {6, "41"}, {7, "\t"}, {8, "411"}});  // blank texts
  auto run = RunFinancial(wb);
  ASSERT_TRUE(run->saved) << run->Errors().front();
  EXPECT_EQ(Accounts(Section(*run, "oxr:ativo")), (Names{"1", "12", "121"}));
  EXPECT_EQ(Accounts(Section(*run, "oxr:passivo")), (Names{"2", "21"}));
  EXPECT_EQ(Accounts(Section(*run, "oxr:receita")), (Names{"3", "31"}));
  EXPECT_EQ(Accounts(Section(*run, "oxr:despesa")), (Names{"4", "41", "411"}));
  EXPECT_EQ(std::string(Section(*run, "oxr:ativo").child_value("oxr:numLancamentos")), "3");
  EXPECT_EQ(std::string(Section(*run, "oxr:passivo").child_value("oxr:numLancamentos")), "2");
}

TEST(TrialBalance, AnEmptySectionEndsTheDocumentWithItsOwnMessage) {
  const std::string advice =
      "\rColoque pelo menos a conta principal!\rQualquer dúvida, sobre o preenchimento das planilhas do balancete, "
      "consulte o manual do usuário.";
  const std::pair<const char*, const char*> cases[] = {
      {"Balancete Ativo", "O balancete do Ativo não pode estar vazio."},
      {"Balancete Passivo", "O balancete do Passivo não pode estar vazio."},
      {"Balancete Receita", "O balancete da Receita não pode estar vazio."},
      {"Balancete Despesa", "O balancete de Despesa não pode estar vazio."},
  };
  for (const auto& [sheet, message] : cases) {
    SCOPED_TRACE(sheet);
    sample::Workbook wb = FinancialSample(2024);
    // Rows 4 and 5 blank: an entry further down is never reached.
    SetEntries(wb, sheet, {{6, "9"}});
    EXPECT_EQ(FinancialError(wb), FinancialFailure(message + advice));
  }
}

TEST(TrialBalance, AccountsLongerThanTwentyCharactersAreRefused) {
  const std::pair<const char*, const char*> words[] = {{"Balancete Ativo", "A conta de ativo"},
                                                       {"Balancete Passivo", "A conta de passivo"},
                                                       {"Balancete Receita", "A conta de receita"},
                                                       {"Balancete Despesa", "A conta de despesa"}};
  const std::string limit = "\rO número máximo de caracteres para as contas do balancete é 20.";
  for (const auto& [sheet, word] : words) {
    SCOPED_TRACE(sheet);
    sample::Workbook wb = FinancialSample(2024);
    const std::string account(21, '1');
    wb[sheet].Set("A5", account.c_str());
    EXPECT_EQ(FinancialError(wb),
              FinancialFailure(std::string(word) + " \"" + account + "\" possui mais de 20 caracteres." + limit));
  }

  // Twenty characters pass; blanks count towards the limit but are not written.
  sample::Workbook wb = FinancialSample(2024);
  SetEntries(wb, "Balancete Ativo", {{4, std::string(20, '1')}, {5, " 123 "}});
  auto run = RunFinancial(wb);
  ASSERT_TRUE(run->saved);
  EXPECT_EQ(Accounts(Section(*run, "oxr:ativo")), (Names{std::string(20, '1'), "123"}));

  const std::string padded = " " + std::string(19, '1') + " ";
  wb["Balancete Ativo"].Set("A5", padded.c_str());
  EXPECT_EQ(FinancialError(wb),
            FinancialFailure("A conta de ativo \"" + padded + "\" possui mais de 20 caracteres." + limit));
}

TEST(TrialBalance, OnlyAccountsLongerThanNineCharactersCarryACleanedDescription) {
  sample::Workbook wb = FinancialSample(2024);
  sample::Sheet& s = wb["Balancete Ativo"];
  s.ClearRowsFrom(4);
  s.SetRow(4, 1, {"1", "ATIVO", 1.0, 0.0, 0.0, 1.0});
  s.SetRow(5, 1, {"123456789", "Nove dígitos", 1.0, 0.0, 0.0, 1.0});
  s.SetRow(6, 1, {"1234567890", "Aplicações  (Ativo) - CDB nº 12, Banco", 1.0, 0.0, 0.0, 1.0});
  s.SetRow(7, 1, {1212190111.0, "Caixa", 1.0, 0.0, 0.0, 1.0});  // an account typed as a number
  auto run = RunFinancial(wb);
  ASSERT_TRUE(run->saved);
  std::vector<Names> entries;
  for (XmlNode e : Section(*run, "oxr:ativo").children("oxr:lancamento")) entries.push_back(Fields(e));
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_EQ(entries[0].size(), 5u);
  EXPECT_EQ(entries[1].size(), 5u);
  EXPECT_EQ(entries[2], (Names{"oxr:conta=1234567890", "oxr:saldoAnterior=1.0", "oxr:debitos=0.0",
                               "oxr:creditos=0.0", "oxr:saldoFinal=1.0", "oxr:descricao=Aplicacoes Ativo CDB n 12 Banco"}));
  EXPECT_EQ(entries[3].front(), "oxr:conta=1212190111");
  EXPECT_EQ(entries[3].back(), "oxr:descricao=Caixa");
}

TEST(TrialBalance, AmountsAreRoundedToCentsAndDefaultToZero) {
  sample::Workbook wb = FinancialSample(2024);
  sample::Sheet& s = wb["Balancete Despesa"];
  s.ClearRowsFrom(4);
  s.SetRow(4, 1, {"4", "DESPESAS", std::monostate{}, 1234.567, 10.0, -20.004});
  s.SetRow(5, 1, {"41", "EVENTOS", "1234,5", "   ", 0.126, 0.0});
  auto run = RunFinancial(wb);
  ASSERT_TRUE(run->saved);
  std::vector<Names> entries;
  for (XmlNode e : Section(*run, "oxr:despesa").children("oxr:lancamento")) entries.push_back(Fields(e));
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0], (Names{"oxr:conta=4", "oxr:saldoAnterior=0.0", "oxr:debitos=1234.57", "oxr:creditos=10.0",
                               "oxr:saldoFinal=-20.0"}));
  // A text amount is read like a typed number; blanks count as nothing.
  EXPECT_EQ(entries[1], (Names{"oxr:conta=41", "oxr:saldoAnterior=1234.5", "oxr:debitos=0.0",
                               "oxr:creditos=0.13", "oxr:saldoFinal=0.0"}));
}

TEST(TrialBalance, AnAmountThatIsNoNumberEndsTheDocument) {
  sample::Workbook wb = FinancialSample(2024);
  wb["Balancete Receita"].Set("E5", "abc");
  EXPECT_EQ(FinancialError(wb),
            FinancialFailure("O valor \"abc\" não é um número válido, verifique na planilha."));
  wb["Balancete Receita"].Set("E5", "1.234,56");
  EXPECT_EQ(FinancialError(wb),
            FinancialFailure("O valor \"1.234,56\" não é um número válido, verifique na planilha."));
}

TEST(TrialBalance, PeriodStartFromADateCellOrATextDate) {
  sample::Workbook wb = FinancialSample(2013);
  wb["Dados Cadastrais"].Set("B3", "01/03/2013");
  auto run = RunFinancial(wb);
  ASSERT_TRUE(run->saved) << run->Errors().front();
  EXPECT_EQ(run->saved->ValueAt("oxr:balancete/oxr:inicioPeriodo"), "2013-03-01");
  EXPECT_EQ(run->saved->ValueAt("oxr:identificador/oxr:periodo"), "2013-03-01");

  wb["Dados Cadastrais"].SetDate("B3", 2012, 12, 1);
  run = RunFinancial(wb);
  ASSERT_TRUE(run->saved);
  EXPECT_EQ(run->saved->ValueAt("oxr:balancete/oxr:inicioPeriodo"), "2012-12-01");
}

}  // namespace
}  // namespace voske::support
