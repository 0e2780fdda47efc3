// The trial balance and the schedules that every reference year carries:
// linked assets, cash flow, balance ageing, profit or loss and solvency.
//
// The sample operator's period is the third quarter. The four trial-balance
// sheets agree with each other: parent accounts are the sums of their
// children, every closing balance follows from the opening balance and the
// movements, and assets equal liabilities plus the result of the year.
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "sample_workbook.h"

namespace voske::sample {

namespace {

double Cents(double v) { return std::round(v * 100.0) / 100.0; }

// One account of a trial balance. Leaves carry their own opening balance and
// movements; every other account sums the leaves below it.
struct Account {
  std::string code;
  std::string description;
  double opening = 0;
  double debits = 0;
  double credits = 0;
};

// Debit-nature accounts (assets, expenses) close at opening + debits -
// credits; credit-nature ones (liabilities, revenue) at opening + credits -
// debits.
void WriteTrialBalanceSheet(Sheet& s, const std::string& title, std::vector<Account> accounts, bool debitNature) {
  s.Set("A1", ("Balancete " + title).c_str());
  s.Set("A2", "Serra Azul Assistência Médica Ltda.");
  s.SetRow(3, 1, {"Conta", "Descrição", "Saldo anterior", "Débitos", "Créditos", "Saldo final"});

  // A parent is every account whose code begins another account's code.
  auto isLeaf = [&](const Account& a) {
    for (const Account& b : accounts)
      if (b.code.size() > a.code.size() && b.code.compare(0, a.code.size(), a.code) == 0) return false;
    return true;
  };
  for (Account& a : accounts) {
    if (isLeaf(a)) continue;
    a.opening = a.debits = a.credits = 0;
    for (const Account& b : accounts)
      if (b.code.size() > a.code.size() && b.code.compare(0, a.code.size(), a.code) == 0 && isLeaf(b)) {
        a.opening += b.opening;
        a.debits += b.debits;
        a.credits += b.credits;
      }
  }
  int row = 4;
  for (const Account& a : accounts) {
    const double closing = debitNature ? a.opening + a.debits - a.credits : a.opening + a.credits - a.debits;
    s.SetRow(row++, 1, {a.code, a.description, Cents(a.opening), Cents(a.debits), Cents(a.credits), Cents(closing)});
  }
}

// Leaves only: the parents are summed by WriteTrialBalanceSheet.
std::vector<Account> AssetAccounts() {
  return {
      {"1", "ATIVO"},
      {"12", "ATIVO CIRCULANTE"},
      {"121", "DISPONÍVEL"},
      {"1211", "Caixa", 4820.35, 18250.00, 19870.10},
      {"1212", "Bancos conta depósitos"},
      {"1212190111", "Banco Cooperado do Vale - c/c 10452-7", 385410.22, 6120455.80, 6088312.47},
      {"1212190112", "Banco Mantiqueira - c/c 88301-0", 92118.64, 1450320.15, 1471009.90},
      {"122", "REALIZÁVEL"},
      {"1221", "Aplicações financeiras"},
      {"1221190111", "Aplicações vinculadas a provisões técnicas (ativos garantidores)", 3150000.00, 420000.00,
       185000.00},
      {"1221290111", "Aplicações livres - CDB Banco Mantiqueira", 812450.90, 250000.00, 300000.00},
      {"1231", "Créditos de operações com planos"},
      {"1231190111", "Contraprestação pecuniária a receber - individual", 1284560.45, 3870120.30, 3812004.18},
      {"1231190121", "Contraprestação pecuniária a receber - coletivo", 2218430.10, 6950210.75, 6881120.40},
      {"1231990111", "(-) Provisão para perdas sobre créditos (PPSC)", -210340.00, 12000.00, 38400.00},
      {"13", "ATIVO NÃO CIRCULANTE"},
      {"132", "INVESTIMENTOS"},
      {"1321190111", "Participações em rede hospitalar própria", 1500000.00, 0, 0},
      {"133", "IMOBILIZADO"},
      {"1331190111", "Imóveis de uso próprio - hospitalares", 4380000.00, 0, 21900.00},
      {"1331290111", "Imóveis de uso próprio - não hospitalares", 1260000.00, 0, 6300.00},
      {"1332190111", "Equipamentos de informática", 318900.50, 42300.00, 15950.80},
  };
}

std::vector<Account> LiabilityAccounts() {
  return {
      {"2", "PASSIVO"},
      {"21", "PASSIVO CIRCULANTE"},
      {"211", "PROVISÕES TÉCNICAS DE OPERAÇÕES DE ASSISTÊNCIA À SAÚDE"},
      {"2111190111", "Provisão de contraprestação não ganha (PPCNG)", 1120340.00, 3710220.40, 3745980.15},
      {"2111290111", "Provisão de eventos a liquidar (PESL)", 2410880.75, 8120554.10, 8291340.60},
      {"2111390111", "Provisão de eventos ocorridos e não avisados (PEONA)", 1850000.00, 0, 95000.00},
      {"213", "DÉBITOS DE OPERAÇÕES DE ASSISTÊNCIA À SAÚDE"},
      {"2131190111", "Comercialização sobre operações a pagar", 98450.30, 402330.25, 415010.00},
      {"216", "TRIBUTOS E ENCARGOS SOCIAIS A RECOLHER"},
      {"2161190111", "ISS a recolher", 41230.18, 120460.55, 125790.40},
      {"218", "DÉBITOS DIVERSOS"},
      {"2188190111", "Fornecedores", 312004.60, 980450.00, 955230.75},
      {"25", "PATRIMÔNIO LÍQUIDO"},
      {"251", "CAPITAL SOCIAL"},
      {"2511", "Capital subscrito", 6000000.00, 0, 0},
      {"255", "RESERVAS"},
      {"2551190111", "Reservas de lucros - reserva legal", 640000.00, 0, 0},
      // The balancing leaf: filled in by AddFinancialSheets.
      {"2581190111", "Lucros ou prejuízos acumulados"},
  };
}

std::vector<Account> RevenueAccounts() {
  return {
      {"3", "RECEITAS"},
      {"31", "CONTRAPRESTAÇÕES EFETIVAS DE PLANO DE ASSISTÊNCIA À SAÚDE"},
      {"311", "Receitas com operações de assistência à saúde"},
      {"3111190111", "Contraprestações líquidas - individual/familiar", 3815230.40, 0, 3902114.85},
      {"3111190121", "Contraprestações líquidas - coletivo empresarial", 6690450.10, 0, 6901873.30},
      {"33", "OUTRAS RECEITAS OPERACIONAIS"},
      {"3311190111", "Receitas com administração de intercâmbio eventual", 84320.00, 0, 90115.40},
      {"35", "RECEITAS FINANCEIRAS"},
      {"3511190111", "Receitas com aplicações financeiras", 190450.77, 0, 201330.18},
  };
}

std::vector<Account> ExpenseAccounts() {
  return {
      {"4", "DESPESAS"},
      {"41", "EVENTOS INDENIZÁVEIS LÍQUIDOS"},
      {"411", "Eventos conhecidos ou avisados"},
      {"4111190111", "Consultas médicas", 1410230.55, 1480115.20, 0},
      {"4111190121", "Exames e terapias", 2380440.10, 2455120.75, 0},
      {"4111190131", "Internações", 3210870.65, 3390245.10, 0},
      {"4112190111", "Variação da provisão de eventos ocorridos e não avisados", 90000.00, 95000.00, 0},
      {"43", "DESPESAS DE COMERCIALIZAÇÃO"},
      {"4311190111", "Comissões sobre vendas", 402110.35, 415010.00, 0},
      {"46", "DESPESAS ADMINISTRATIVAS"},
      {"4611190111", "Pessoal próprio", 1250330.80, 1312004.45, 0},
      {"4611290111", "Serviços de terceiros", 380210.44, 396550.30, 0},
      {"4611390111", "Depreciação de imóveis e equipamentos", 88600.00, 44150.80, 0},
      {"47", "DESPESAS FINANCEIRAS"},
      {"4711190111", "Despesas bancárias", 12450.20, 13020.55, 0},
  };
}

void AddTrialBalanceSheets(Workbook& wb) {
  std::vector<Account> assets = AssetAccounts(), liabilities = LiabilityAccounts(), revenue = RevenueAccounts(),
                       expenses = ExpenseAccounts();
  // The accumulated result closes the books: assets = liabilities + revenue
  // - expenses, both at the start of the quarter and at its end.
  auto total = [](const std::vector<Account>& accounts, bool debitNature, bool closing) {
    double sum = 0;
    for (const Account& a : accounts) {
      bool leaf = true;
      for (const Account& b : accounts)
        if (b.code.size() > a.code.size() && b.code.compare(0, a.code.size(), a.code) == 0) leaf = false;
      if (!leaf) continue;
      sum += closing ? (debitNature ? a.opening + a.debits - a.credits : a.opening + a.credits - a.debits)
                     : a.opening;
    }
    return sum;
  };
  Account& balancing = liabilities.back();
  const double openingGap = total(assets, true, false) - total(liabilities, false, false) -
                            total(revenue, false, false) + total(expenses, true, false);
  const double closingGap = total(assets, true, true) - total(liabilities, false, true) -
                            total(revenue, false, true) + total(expenses, true, true);
  balancing.opening = Cents(openingGap);
  // The movement of the quarter lands on the credit side when it is positive.
  const double movement = Cents(closingGap - openingGap);
  if (movement >= 0) balancing.credits = movement;
  else balancing.debits = -movement;

  WriteTrialBalanceSheet(wb["Balancete Ativo"], "Ativo", assets, true);
  WriteTrialBalanceSheet(wb["Balancete Passivo"], "Passivo", liabilities, false);
  WriteTrialBalanceSheet(wb["Balancete Receita"], "Receita", revenue, false);
  WriteTrialBalanceSheet(wb["Balancete Despesa"], "Despesa", expenses, true);
}

// Real estate in A-J, their addresses in L-R, investments in T-AB, all from
// row 5.
void AddLinkedAssetSheet(Sheet& s, bool sponsor) {
  s.Set("A1", sponsor ? "Ativos vinculados da mantenedora" : "Ativos vinculados");
  s.Set("A3", "Ativos imobiliários");
  s.Set("L3", "Endereço dos ativos imobiliários");
  s.Set("T3", "Ativos financeiros");
  s.SetRow(4, 1, {"RGI", "Tipo", "Cartório", "Área (m²)", "Aquisição", "Venda", "Avaliação", "Rede própria",
                  "Preço unitário", "Valor contábil"});
  s.SetRow(4, 12, {"RGI", "Logradouro", "Número", "Complemento", "Bairro", "Município (IBGE)", "CEP"});
  s.SetRow(4, 20, {"Custódia", "Código", "Emissão", "Vencimento", "Outros", "Tipo", "Quantidade", "Preço unitário",
                   "Valor contábil"});

  if (!sponsor) {
    s.SetRow(5, 1, {"45.781", "2003", "4º Oficial de Registro de Imóveis de São Paulo", 2480.5, std::monostate{},
                    std::monostate{}, std::monostate{}, "Sim", 1766.13, 4380900.00});
    s.SetDate(5, 5, 2004, 6, 18);
    s.SetDate(5, 7, 2023, 11, 30);
    s.SetRow(6, 1, {"118.204-3", "2004", "1º Oficial de Registro de Imóveis de Campinas", 640.25, std::monostate{},
                    std::monostate{}, std::monostate{}, "Não", 1968.0, 1260000.00});
    s.SetDate(6, 5, 2009, 2, 2);
    s.SetDate(6, 7, 2023, 11, 30);

    // The keys are typed without the punctuation of column A; the second
    // municipality code is held as text.
    s.SetRow(5, 12, {"45781", "Avenida Brigadeiro Luís Antônio", "2367", "Bloco B", "Jardim Paulista", 355030.0,
                     "01402-000"});
    s.SetRow(6, 12, {"1182043", "Rua Barão de Jaguara", "312", "", "Centro", "350950", "13015-001"});

    s.SetRow(5, 20, {"SELIC", "LTN01012026", std::monostate{}, std::monostate{}, std::monostate{}, "1001", 2500.0,
                     836.418, 2091045.00});
    s.SetDate(5, 22, 2022, 1, 7);
    s.SetDate(5, 23, 2026, 1, 1);
    s.SetRow(6, 20, {"cetip", "cdb2026_mtq_0031", std::monostate{}, std::monostate{}, std::monostate{}, "1004",
                     1.0, 1058955.00, 1058955.00});
    s.SetDate(6, 22, 2023, 9, 14);
    s.SetDate(6, 23, 2026, 9, 15);
    s.SetRow(7, 20, {"OUTROS", "FIDC_SAUDE_DEDICADO", std::monostate{}, std::monostate{}, "fidc_saude_01", "1025",
                     120345.6789, 3.4523, 415469.23});
  } else {
    s.SetRow(5, 1, {"9.876", "2003", "Oficial de Registro de Imóveis de Santos", 5120.0, std::monostate{},
                    std::monostate{}, std::monostate{}, "S", 1250.0, 6400000.00});
    s.SetDate(5, 5, 1998, 3, 9);
    s.SetDate(5, 7, 2023, 12, 15);
    s.SetRow(5, 12, {"9876", "Avenida Conselheiro Nébias", "88", "", "Boqueirão", 354850.0, "11045-000"});
    s.SetRow(5, 20, {"SELIC", "NTNB.15052035", std::monostate{}, std::monostate{}, std::monostate{}, "1001", 800.0,
                     2315.774, 1852619.20});
    s.SetDate(5, 22, 2020, 5, 15);
    s.SetDate(5, 23, 2035, 5, 15);
  }
}

// Three blocks of fixed lines: operating, investing and financing activities.
void AddCashFlowSheet(Sheet& s) {
  s.Set("A1", "Demonstração dos fluxos de caixa (método direto)");
  s.SetRow(3, 1, {"Conta", "Descrição", "Valor"});
  struct Line {
    const char* account;
    const char* description;
    double value;
  };
  const std::vector<Line> operating = {
      {"RECEBIMENTOS_PLANOS", "Recebimento de planos de saúde", 10721430.15},
      {"OUTROS_RECEBIMENTOS_OPER", "Outros recebimentos operacionais", 90115.40},
      {"FORNECEDORES_PRESTADORES", "Pagamento a fornecedores e prestadores de serviços de saúde", -7329115.40},
      {"COMISSOES", "Pagamento de comissões", -402330.25},
      {"PESSOAL", "Pagamento de pessoal", -1312004.45},
      {"PRO_LABORE", "Pagamento de pró-labore", -96000.00},
      {"SERVICOS_TERCEIROS_OPER", "Pagamento de serviços de terceiros", -396550.30},
      {"TRIBUTOS", "Pagamento de tributos", -120460.55},
      {"CONTINGENCIAS", "Pagamento de contingências (cíveis, trabalhistas, tributárias)", 0},
      {"ALUGUEL", "Pagamento de aluguel", -38400.00},
      {"PROMOCAO_PUBLICIDADE", "Pagamento de promoção e publicidade", -21350.00},
      {"OUTROS_PAGAMENTOS", "Outros pagamentos operacionais", -13020.55},
  };
  const std::vector<Line> investing = {
      {"VENDA_ATIVO_HOSP", "Recebimento de venda de ativo imobilizado hospitalar", 0},
      {"VENDA_ATIVO_OUTROS", "Recebimento de venda de ativo imobilizado - outros", 0},
      {"VENDA_INVESTIMENTOS", "Recebimento de venda de investimentos", 0},
      {"DIVIDENDOS", "Recebimento de dividendos", 0},
      {"OUTROS_RECEBIMENTOS_INV", "Outros recebimentos das atividades de investimento", 0},
      {"AQUISICAO_ATIVO_HOSP", "Pagamento de aquisição de ativo imobilizado hospitalar", 0},
      {"SERVICOS_TERCEIROS_INV", "Pagamento de serviços de terceiros (investimento)", 0},
      {"AQUISICAO_ATIVO_OUTROS", "Pagamento de aquisição de ativo imobilizado - outros", -42300.00},
      {"AQUISICAO_PARTICIPACAO", "Pagamento de aquisição de participação em outras empresas", 0},
      {"OUTROS_PAGAMENTOS_INV", "Outros pagamentos das atividades de investimento", 0},
  };
  const std::vector<Line> financing = {
      {"INTEGRALIZACAO_CAPITAL", "Integralização de capital em dinheiro", 0},
      {"RECEBIMENTO_EMPRESTIMOS", "Recebimento de empréstimos e financiamentos", 0},
      {"TITULOS_DESCONTADOS", "Títulos descontados", 0},
      {"juros_aplicacoes", "Juros de aplicações financeiras", 42118.55},
      {"resgate_aplicacoes", "Resgate de aplicações financeiras", 300000.00},
      {"OUTROS_RECEBIMENTOS_FIN", "Outros recebimentos da atividade de financiamento", 0},
      {"JUROS_EMPRESTIMOS", "Pagamento de juros e encargos sobre empréstimos", 0},
      {"AMORTIZACAO_EMPRESTIMOS", "Pagamento de amortização de empréstimos e financiamentos", 0},
      {"PARTICIPACAO_RESULTADOS", "Pagamento de participação nos resultados", -510000.00},
      {"APLICACOES_FINANCEIRAS", "Aplicações financeiras", -670000.00},
      {"OUTROS_PAGAMENTOS_FIN", "Outros pagamentos da atividade de financiamento", 0},
  };
  auto block = [&s](int heading, const char* title, const std::vector<Line>& lines) {
    s.Set(heading, 1, title);
    int row = heading + 1;
    for (const Line& l : lines) {
      s.SetRow(row, 1, {l.account, l.description});
      // A line with nothing to report is left blank, as accountants fill it.
      if (l.value != 0) s.Set(row, 3, l.value);
      ++row;
    }
  };
  block(4, "Atividades operacionais", operating);
  block(19, "Atividades de investimento", investing);
  block(32, "Atividades de financiamento", financing);
}

// The form of 2013 on: payables in rows 6-11 (columns B-L), receivables in
// rows 17-21 and 24 (columns B-K).
void AddBalanceAgeingSheet(Sheet& s) {
  s.Set("A1", "Idade de saldos");
  s.Set("A4", "Passivo");
  s.SetRow(5, 1, {"Vencimento", "Eventos SUS", "Eventos", "Comercialização", "Débitos de operações",
                  "Outros débitos de operações", "Títulos e encargos", "Depósitos de beneficiários",
                  "(não utilizada)", "Prestação de serviços", "Aquisição de carteira", "Outros débitos a pagar"});
  const char* payables[] = {"a Vencer",
                            "Vencidos de 1 a 30 dias",
                            "Vencidos de 31 a 60 dias",
                            "Vencidos de 61 a 90 dias",
                            "Vencidos de 91 a 120 dias",
                            "Vencidos a mais de 120 dias"};
  const double payableAmounts[6][11] = {
      {0, 2410880.75, 98450.30, 15320.10, 4210.00, 0, 0, 0, 18400.00, 0, 312004.60},
      {12450.00, 310420.15, 0, 2100.00, 0, 0, 0, 0, 0, 0, 24880.40},
      {0, 84210.60, 0, 0, 0, 0, 0, 0, 0, 0, 9120.00},
      {0, 12300.45, 0, 0, 0, 0, 0, 0, 0, 0, 0},
      {0, 4100.00, 0, 0, 0, 0, 0, 0, 0, 0, 0},
      {31880.20, 1950.30, 0, 0, 0, 0, 0, 0, 0, 0, 0},
  };
  for (int i = 0; i < 6; ++i) {
    s.Set(6 + i, 1, payables[i]);
    for (int c = 0; c < 11; ++c)
      if (payableAmounts[i][c] != 0) s.Set(6 + i, 2 + c, payableAmounts[i][c]);
  }

  s.Set("A15", "Ativo");
  s.SetRow(16, 1, {"Vencimento", "Individual pré", "Individual pós", "Coletivo pré", "Coletivo pós",
                   "Taxa de administração", "Participação de beneficiários", "Créditos de operadoras",
                   "Outros créditos com plano", "(não utilizada)", "Outros créditos sem plano"});
  const char* receivables[] = {"a Vencer", "Vencidos de 1 a 30 dias", "Vencidos de 31 a 60 dias",
                               "Vencidos de 61 a 90 dias", "Vencidos a mais de 90 dias"};
  const double receivableAmounts[5][10] = {
      {1084560.45, 0, 1918430.10, 250120.00, 0, 12840.00, 8450.00, 3120.50, 0, 15400.00},
      {102300.00, 0, 188200.30, 21050.00, 0, 1120.00, 0, 0, 0, 0},
      {48120.00, 0, 64300.00, 0, 0, 0, 0, 0, 0, 0},
      {24310.00, 0, 18100.00, 0, 0, 0, 0, 0, 0, 0},
      {25270.00, 0, 17399.70, 0, 0, 0, 0, 0, 0, 0},
  };
  for (int i = 0; i < 5; ++i) {
    s.Set(17 + i, 1, receivables[i]);
    for (int c = 0; c < 10; ++c)
      if (receivableAmounts[i][c] != 0) s.Set(17 + i, 2 + c, receivableAmounts[i][c]);
  }
  s.Set("A22", "Subtotal");
  s.SetFormula("B22", "SUM(B17:B21)", 1284560.45);
  // No PPSC line (its code, 400, is written by rule and accepted by the
  // verification though the tables lack it): the tests add one where they
  // need it.
}

void AddProfitOrLossSheet(Sheet& s) {
  s.Set("A1", "Destinação de lucros ou prejuízos");
  s.SetRow(4, 1, {"Conta", "Descrição", "Valor"});
  // Column A holds the regulator's codes of the appropriation; the eighth
  // line is left free.
  s.SetRow(5, 1, {"LUCROS_DISTRIBUIDOS", "Dividendos propostos", 123531.03});
  s.SetRow(6, 1, {"CONSTITUICAO_RESERVAS", "Reserva legal", 26006.53});
  s.SetRow(7, 1, {"REVERSAO_RESERVAS", "Reversão de reservas"});
  s.SetRow(8, 1, {"JUROS_CAPITAL_PROPRIO", "Juros sobre o capital próprio"});
  s.SetRow(9, 1, {"AJUSTE_EXERCICIOS_ANTERIORES", "Ajustes de exercícios anteriores"});
  s.SetRow(10, 1, {"LUCRO_INCORPORADO_CAPITAL", "Lucros incorporados ao capital", 370593.09});
  s.SetRow(11, 1, {"OUTROS", "Outras destinações"});
}

// Side by side: the operators' form in A-C, the insurers' in E-G; the
// participations in congeners from row 17 of each.
void AddSolvencySheet(Sheet& s) {
  s.Set("A1", "Informações de solvência");
  s.Set("A4", "Operadoras");
  s.Set("E4", "Seguradoras especializadas em saúde");
  s.SetRow(5, 1, {"Conta", "Descrição", "Valor"});
  s.SetRow(5, 5, {"Conta", "Descrição", "Valor"});
  s.SetRow(6, 1, {"MS01", "Patrimônio líquido ajustado", 7162410.20});
  s.SetRow(7, 1, {"MS02", "Margem de solvência exigida", 1907522.75});
  s.SetRow(8, 1, {"MS03", "Contraprestações líquidas dos últimos 12 meses", 9537613.80});
  s.SetRow(9, 1, {"MS04", "Eventos indenizáveis dos últimos 36 meses", 20610452.33});
  s.SetRow(10, 1, {"MS05", "Participações em congêneres", 1500000.00});
  s.SetRow(11, 1, {"MS06", "Despesas antecipadas", 0.0});
  s.SetRow(12, 1, {"MS07", "Intangível"});
  s.SetRow(6, 5, {"MSS01", "Patrimônio líquido ajustado"});
  s.SetRow(7, 5, {"MSS02", "Margem de solvência exigida"});
  s.SetRow(8, 5, {"MSS03", "Prêmios retidos dos últimos 12 meses"});
  s.SetRow(9, 5, {"MSS04", "Sinistros retidos dos últimos 36 meses"});
  s.SetRow(10, 5, {"MSS05", "Participações em congêneres"});
  s.Set("A16", "CNPJ da congênere");
  s.Set("B16", "Valor da participação");
  s.Set("E16", "CNPJ da congênere");
  s.Set("F16", "Valor da participação");
  s.SetRow(17, 1, {"12.345.678/0001-95", 1000000.00});
  s.SetRow(18, 1, {FormatCnpj("98.765.432/0001"), 500000.00});
}

}  // namespace

void AddFinancialSheets(Workbook& wb) {
  AddLinkedAssetSheet(wb["Ativos Vinculados"], false);
  AddLinkedAssetSheet(wb["Ativos Vinculados Mantenedor"], true);
  AddCashFlowSheet(wb["Fluxo De Caixa"]);
  AddBalanceAgeingSheet(wb["Idade de Saldos"]);
  AddProfitOrLossSheet(wb["Lucros ou Prejuízos"]);
  AddSolvencySheet(wb["Solvência"]);
  AddTrialBalanceSheets(wb);
}

}  // namespace voske::sample
