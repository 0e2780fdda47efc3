// Linked assets from workbook files: investments and real estate of the
// operator and, for a self-managed operator with a sponsor, of the sponsor;
// addresses joined by key, states looked up in "Listas", optional elements,
// dates, amounts, and the messages that stop the document.
#include "financial_generation.h"

namespace voske::support {
namespace {

using Names = std::vector<std::string>;

// The subtree of `node` as a flat list: leaves as "name=value", containers
// as "name{" ... "}".
void Flatten(XmlNode node, Names& out) {
  for (XmlNode c : node.children()) {
    if (!c.IsElement()) continue;
    if (c.first_child().IsElement()) {
      out.push_back(std::string(c.name()) + "{");
      Flatten(c, out);
      out.push_back("}");
    } else {
      out.push_back(std::string(c.name()) + "=" + c.child_value());
    }
  }
}

std::vector<Names> Assets(const FinancialRun& run) {
  std::vector<Names> assets;
  for (XmlNode asset : run.Section("oxr:ativoVinculado").children()) {
    EXPECT_EQ(asset.name(), "oxr:ativoVinc");
    Names flat;
    Flatten(asset, flat);
    assets.push_back(flat);
  }
  return assets;
}

// The operator's own sheet with only the rows a test sets: investments,
// real estate and addresses all cleared from row 5.
sample::Sheet& EmptyAssetSheet(sample::Workbook& wb, const char* name = "Ativos Vinculados") {
  sample::Sheet& s = wb[name];
  s.ClearRowsFrom(5);
  return s;
}

void SetRealEstate(sample::Sheet& s, int row, const char* rgi, const char* ownNetwork = "S") {
  s.SetRow(row, 1, {rgi, "2003", "Cartório", 100.0, std::monostate{}, std::monostate{}, std::monostate{}, ownNetwork,
                    10.0, 1000.0});
}

const Names kSampleInvestments[] = {
    {"oxr:AtivoInvest{", "oxr:custodia=SELIC", "oxr:codigo=LTN01012026", "oxr:dataEmissao=2022-01-07",
     "oxr:dataVencimento=2026-01-01", "oxr:tipoBem=1001", "oxr:quantidade=2500.0", "}", "oxr:precoUnitario=836.42",
     "oxr:valorContabil=2091045.0"},
    {"oxr:AtivoInvest{", "oxr:custodia=CETIP", "oxr:codigo=CDB2026_MTQ_0031", "oxr:dataEmissao=2023-09-14",
     "oxr:dataVencimento=2026-09-15", "oxr:tipoBem=1004", "oxr:quantidade=1.0", "}",
     "oxr:precoUnitario=1058955.0", "oxr:valorContabil=1058955.0"},
    {"oxr:AtivoInvest{", "oxr:custodia=OUTROS", "oxr:codigo=FIDC_SAUDE_DEDICADO", "oxr:dataEmissao=",
     "oxr:dataVencimento=", "oxr:tipoOutros=FIDC_SAUDE_01", "oxr:tipoBem=1025", "oxr:quantidade=120345.68", "}",
     "oxr:precoUnitario=3.45", "oxr:valorContabil=415469.23"},
};
const Names kSampleRealEstate[] = {
    {"oxr:AtivoImovel{", "oxr:endereco{", "oxr:logradouro=Avenida Brigadeiro Luís Antônio",
     "oxr:numLogradouro=2367", "oxr:complemento=Bloco B", "oxr:bairro=Jardim Paulista", "oxr:municipioIBGE=355030",
     "oxr:siglaUF=SP", "oxr:CEP=01402000", "}", "oxr:RGI=45781", "oxr:tipoBem=2003",
     "oxr:nomeCartorio=4º Oficial de Registro de Imóveis de São Paulo", "oxr:area=2480.5",
     "oxr:aquisicao=2004-06-18", "oxr:dataAvaliacao=2023-11-30", "oxr:redePropria=S", "}",
     "oxr:precoUnitario=1766.13", "oxr:valorContabil=4380900.0"},
    {"oxr:AtivoImovel{", "oxr:endereco{", "oxr:logradouro=Rua Barão de Jaguara", "oxr:numLogradouro=312",
     "oxr:complemento=", "oxr:bairro=Centro", "oxr:municipioIBGE=350950", "oxr:siglaUF=SP", "oxr:CEP=13015001", "}",
     "oxr:RGI=1182043", "oxr:tipoBem=2004", "oxr:nomeCartorio=1º Oficial de Registro de Imóveis de Campinas",
     "oxr:area=640.25", "oxr:aquisicao=2009-02-02", "oxr:dataAvaliacao=2023-11-30", "oxr:redePropria=N", "}",
     "oxr:precoUnitario=1968.0", "oxr:valorContabil=1260000.0"},
};

Names WithOwnFlag(Names asset, const char* flag) {
  asset.push_back(std::string("oxr:proprio=") + flag);
  return asset;
}

TEST(LinkedAssets, OperatorWithoutSponsorListsInvestmentsThenRealEstate) {
  auto run = RunFinancial(FinancialSample(2024, "MEGRP"));
  ASSERT_TRUE(run->saved);
  EXPECT_EQ(Assets(*run), (std::vector<Names>{kSampleInvestments[0], kSampleInvestments[1], kSampleInvestments[2],
                                              kSampleRealEstate[0], kSampleRealEstate[1]}));
}

TEST(LinkedAssets, SponsoredSelfManagedOperatorsAddTheSponsorsSheet) {
  const Names sponsorInvestment = {
      "oxr:AtivoInvest{", "oxr:custodia=SELIC", "oxr:codigo=NTNB.15052035", "oxr:dataEmissao=2020-05-15",
      "oxr:dataVencimento=2035-05-15", "oxr:tipoBem=1001", "oxr:quantidade=800.0", "}",
      "oxr:precoUnitario=2315.77", "oxr:valorContabil=1852619.2", "oxr:proprio=N"};
  for (const char* kind : {"AUTOG", "autog"}) {
    for (const char* subKind : {"PATRS", ""}) {
      SCOPED_TRACE(std::string(kind) + "/" + subKind);
      auto run = RunFinancial(FinancialSample(2024, kind, subKind));
      ASSERT_TRUE(run->saved);
      const std::vector<Names> assets = Assets(*run);
      ASSERT_EQ(assets.size(), 7u);
      for (int i = 0; i < 3; ++i) EXPECT_EQ(assets[i], WithOwnFlag(kSampleInvestments[i], "S"));
      for (int i = 0; i < 2; ++i) EXPECT_EQ(assets[3 + i], WithOwnFlag(kSampleRealEstate[i], "S"));
      EXPECT_EQ(assets[5], sponsorInvestment);
      ASSERT_GE(assets[6].size(), 3u);
      EXPECT_EQ(assets[6][8], "oxr:CEP=11045000");
      EXPECT_EQ(assets[6].back(), "oxr:proprio=N");
    }
  }
  // Without a sponsor, or with a single one, only the operator's own sheet.
  for (const auto& [kind, subKind] : {std::pair{"AUTOG", "NPATR"}, {"autog", "autsm"}, {"SEGUR", "PATRS"}}) {
    SCOPED_TRACE(std::string(kind) + "/" + subKind);
    auto run = RunFinancial(FinancialSample(2024, kind, subKind));
    ASSERT_TRUE(run->saved);
    EXPECT_EQ(Assets(*run).size(), 5u);
    EXPECT_FALSE(run->Section("oxr:ativoVinculado").find_node([](XmlNode n) {
      return std::string(n.name()) == "oxr:proprio";
    }));
  }
}

TEST(LinkedAssets, AnEmptySheetGivesAnEmptySection) {
  sample::Workbook wb = FinancialSample(2024);
  sample::Sheet& s = EmptyAssetSheet(wb);
  // Lists stop at their first empty key: these rows are never reached.
  s.SetRow(6, 20, {"SELIC", "LTN"});
  SetRealEstate(s, 6, "123");
  auto run = RunFinancial(wb);
  ASSERT_TRUE(run->saved);
  ASSERT_TRUE(run->Section("oxr:ativoVinculado"));
  EXPECT_TRUE(Assets(*run).empty());
}

TEST(LinkedAssets, AddressesAreJoinedByTheirKeyWithoutPunctuation) {
  sample::Workbook wb = FinancialSample(2024);
  sample::Sheet& s = EmptyAssetSheet(wb);
  SetRealEstate(s, 5, "1182043");
  SetRealEstate(s, 6, "77.001-2");  // no address row
  SetRealEstate(s, 7, "5/5");
  s.SetRow(5, 12, {"1.182.043", "Rua Um", "10", "Fundos", "Um bairro de nome muito longo", 350950.0, 1310200.0});
  s.SetRow(6, 12, {"55", "Rua Dois", "s/n", "", "Centro", 999999.0, "01310-200"});  // municipality not listed
  auto run = RunFinancial(wb);
  ASSERT_TRUE(run->saved) << run->Errors().front();
  const std::vector<Names> assets = Assets(*run);
  ASSERT_EQ(assets.size(), 3u);
  EXPECT_EQ(Names(assets[0].begin(), assets[0].begin() + 11),
            (Names{"oxr:AtivoImovel{", "oxr:endereco{", "oxr:logradouro=Rua Um", "oxr:numLogradouro=10",
                   "oxr:complemento=Fundos", "oxr:bairro=Um bairro de nome mu", "oxr:municipioIBGE=350950",
                   "oxr:siglaUF=SP", "oxr:CEP=01310200", "}", "oxr:RGI=1182043"}));
  EXPECT_EQ(Names(assets[1].begin(), assets[1].begin() + 2), (Names{"oxr:AtivoImovel{", "oxr:RGI=770012"}));
  EXPECT_EQ(Names(assets[2].begin(), assets[2].begin() + 10),
            (Names{"oxr:AtivoImovel{", "oxr:endereco{", "oxr:logradouro=Rua Dois", "oxr:numLogradouro=s/n",
                   "oxr:complemento=", "oxr:bairro=Centro", "oxr:municipioIBGE=999999", "oxr:CEP=01310200", "}",
                   "oxr:RGI=55"}));
}

TEST(LinkedAssets, StatesAreFoundWhetherCodesAreNumbersOrTexts) {
  sample::Workbook wb = FinancialSample(2024);
  sample::Sheet& lists = wb["Listas"];
  lists.ClearRowsFrom(5);
  lists.SetRow(5, 1, {330455.0, " rj "});
  lists.SetRow(6, 1, {"310620", "MG"});
  lists.SetRow(7, 1, {"Rua", "XX"});
  sample::Sheet& s = EmptyAssetSheet(wb);
  const std::pair<const char*, sample::Value> codes[] = {
      {"1", std::string("330455")}, {"2", 310620.0}, {"3", std::string("310620")}, {"4", std::string("Rua")}};
  int row = 5;
  for (const auto& [key, code] : codes) {
    SetRealEstate(s, row, key);
    s.SetRow(row, 12, {key, "Rua", "1", "", "Centro", code, "01000-000"});
    ++row;
  }
  auto run = RunFinancial(wb);
  ASSERT_TRUE(run->saved) << run->Errors().front();
  Names states;
  for (const Names& asset : Assets(*run)) states.push_back(asset[7]);
  EXPECT_EQ(states, (Names{"oxr:siglaUF=RJ", "oxr:siglaUF=MG", "oxr:siglaUF=MG", "oxr:siglaUF=XX"}));
}

TEST(LinkedAssets, TwoAddressesForOnePropertyStopTheDocument) {
  sample::Workbook wb = FinancialSample(2024);
  sample::Sheet& s = EmptyAssetSheet(wb);
  SetRealEstate(s, 5, "45.781");
  s.SetRow(5, 12, {"45781", "Rua Um", "1", "", "Centro", 355030.0, "01000-000"});
  s.SetRow(6, 12, {"45-781", "Rua Dois", "2", "", "Centro", 355030.0, "01000-000"});
  EXPECT_EQ(FinancialError(wb),
            FinancialFailure("Erro no preenchimento de endereço de ativo imobiliário. Verifique na planilha!"));
}

TEST(LinkedAssets, OwnNetworkIsTheFirstLetterAndIsRequired) {
  sample::Workbook wb = FinancialSample(2024);
  sample::Sheet& s = EmptyAssetSheet(wb);
  SetRealEstate(s, 5, "1", "sim");
  SetRealEstate(s, 6, "2", "  não");
  auto run = RunFinancial(wb);
  ASSERT_TRUE(run->saved);
  const std::vector<Names> assets = Assets(*run);
  ASSERT_EQ(assets.size(), 2u);
  EXPECT_EQ(assets[0][7], "oxr:redePropria=S");
  EXPECT_EQ(assets[1][7], "oxr:redePropria=N");

  SetRealEstate(s, 6, "2", "   ");
  EXPECT_EQ(FinancialError(wb), FinancialFailure("Não foi definido se o ativo imobiliário é rede própria."));
}

TEST(LinkedAssets, RealEstatePricesAreCutWhereInvestmentPricesAreRounded) {
  sample::Workbook wb = FinancialSample(2024);
  sample::Sheet& s = EmptyAssetSheet(wb);
  s.SetRow(5, 1, {"1", "2003", std::monostate{}, std::monostate{}, std::monostate{}, std::monostate{},
                  std::monostate{}, "N", 1234.567, "1234,5"});
  s.SetRow(6, 1, {"2", "2003", std::monostate{}, 12.5, std::monostate{}, std::monostate{}, std::monostate{}, "N"});
  s.SetRow(5, 20, {"SELIC", "LTN", std::monostate{}, std::monostate{}, std::monostate{}, "1001", std::monostate{},
                   1234.567, "1234,5"});
  auto run = RunFinancial(wb);
  ASSERT_TRUE(run->saved) << run->Errors().front();
  const std::vector<Names> assets = Assets(*run);
  ASSERT_EQ(assets.size(), 3u);
  EXPECT_EQ(assets[0], (Names{"oxr:AtivoInvest{", "oxr:custodia=SELIC", "oxr:codigo=LTN", "oxr:dataEmissao=",
                              "oxr:dataVencimento=", "oxr:tipoBem=1001", "oxr:quantidade=0.0", "}",
                              "oxr:precoUnitario=1234.57", "oxr:valorContabil=1234.5"}));
  // No registry office, no sale: those elements are left out; empty dates
  // and amounts are written empty and "0.0".
  EXPECT_EQ(assets[1], (Names{"oxr:AtivoImovel{", "oxr:RGI=1", "oxr:tipoBem=2003", "oxr:area=0.0",
                              "oxr:aquisicao=", "oxr:dataAvaliacao=", "oxr:redePropria=N", "}",
                              "oxr:precoUnitario=1234.56", "oxr:valorContabil=1234.5"}));
  EXPECT_EQ(assets[2], (Names{"oxr:AtivoImovel{", "oxr:RGI=2", "oxr:tipoBem=2003", "oxr:area=12.5",
                              "oxr:aquisicao=", "oxr:dataAvaliacao=", "oxr:redePropria=N", "}",
                              "oxr:precoUnitario=0.0", "oxr:valorContabil=0.0"}));
}

TEST(LinkedAssets, AmountsThatAreNoNumbersStopTheDocument) {
  sample::Workbook wb = FinancialSample(2024);
  sample::Sheet& s = EmptyAssetSheet(wb);
  SetRealEstate(s, 5, "1");
  // Real-estate prices only have their commas turned into points.
  s.Set("I5", "1,234,5");
  EXPECT_EQ(FinancialError(wb),
            FinancialFailure("O valor \"1.234.5\" não é um número válido, verifique na planilha."));
  s.Set("I5", 10.0);
  s.SetRow(5, 20, {"SELIC", "LTN", std::monostate{}, std::monostate{}, std::monostate{}, "1001", "mil"});
  EXPECT_EQ(FinancialError(wb), FinancialFailure("O valor \"mil\" não é um número válido, verifique na planilha."));
}

TEST(LinkedAssets, DatesFromDateCellsAndTextDates) {
  sample::Workbook wb = FinancialSample(2024);
  sample::Sheet& s = EmptyAssetSheet(wb);
  s.SetRow(5, 1, {"1", "2003", "Cartório", 1.0, "18/06/2004", "15/05/2024", "30/11/2023", "S"});
  s.SetRow(6, 1, {"2", "2003", "Cartório", 1.0, std::monostate{}, std::monostate{}, std::monostate{}, "S"});
  s.SetDate(6, 5, 2001, 2, 28);
  s.SetDate(6, 6, 2024, 1, 31);
  s.SetDate(6, 7, 2023, 12, 31);
  s.SetRow(5, 20, {"SELIC", "LTN", "07/01/2022", "01/01/2026", std::monostate{}, "1001", 1.0});
  auto run = RunFinancial(wb);
  ASSERT_TRUE(run->saved) << run->Errors().front();
  const std::vector<Names> assets = Assets(*run);
  ASSERT_EQ(assets.size(), 3u);
  EXPECT_EQ(Names(assets[0].begin() + 3, assets[0].begin() + 5),
            (Names{"oxr:dataEmissao=2022-01-07", "oxr:dataVencimento=2026-01-01"}));
  EXPECT_EQ(Names(assets[1].begin() + 5, assets[1].begin() + 8),
            (Names{"oxr:aquisicao=2004-06-18", "oxr:dataVenda=2024-05-15", "oxr:dataAvaliacao=2023-11-30"}));
  EXPECT_EQ(Names(assets[2].begin() + 5, assets[2].begin() + 8),
            (Names{"oxr:aquisicao=2001-02-28", "oxr:dataVenda=2024-01-31", "oxr:dataAvaliacao=2023-12-31"}));
}

TEST(LinkedAssets, ValuesThatAreNoDatesStopTheDocumentQuotingThem) {
  const std::pair<const char*, const char*> cases[] = {
      {"E5", "junho de 2004"},  // acquisition
      {"E5", "True"},
      {"F5", "2024-05-15"},     // sale
      {"G5", "31/02/2023"},     // valuation
  };
  for (const auto& [cell, text] : cases) {
    SCOPED_TRACE(cell);
    sample::Workbook wb = FinancialSample(2024);
    sample::Sheet& s = EmptyAssetSheet(wb);
    SetRealEstate(s, 5, "1");
    if (std::string(text) == "True") s.Set(cell, true);
    else s.Set(cell, text);
    EXPECT_EQ(FinancialError(wb), FinancialFailure(std::string("A data \"") + text + "\" não é uma data válida."));
  }
  sample::Workbook wb = FinancialSample(2024);
  EmptyAssetSheet(wb).SetRow(5, 20, {"SELIC", "LTN", "1/2/2022"});
  EXPECT_EQ(FinancialError(wb), FinancialFailure("A data \"1/2/2022\" não é uma data válida."));
}

TEST(LinkedAssets, OverlongValuesAreRefusedByTheSchemaLimits) {
  sample::Workbook wb = FinancialSample(2024);
  sample::Sheet& s = EmptyAssetSheet(wb);
  SetRealEstate(s, 5, "1");
  // The registry office is cut to 60 characters, still beyond its 50.
  const std::string office = std::string(55, 'C') + "ARTORIO DE IMOVEIS";
  s.Set("C5", office.c_str());
  EXPECT_EQ(FinancialError(wb),
            FinancialFailure("O campo \"nomeCartorio\" pode ter no máximo 50 caracteres.\rO valor informado \"" +
                             office.substr(0, 60) +
                             "\" excede o limite.\rPara mais detalhes verifique os arquivos XSD fornecidos no site da "
                             "OXR."));

  s.Set("C5", std::string(50, 'C').c_str());
  s.SetRow(5, 20, {"SELIC", "LTN", std::monostate{}, std::monostate{}, std::string(21, 'x'), "1025", 1.0});
  EXPECT_EQ(FinancialError(wb),
            FinancialFailure("O campo \"tipoOutros\" pode ter no máximo 20 caracteres.\rO valor informado \"" +
                             std::string(21, 'X') +
                             "\" excede o limite.\rPara mais detalhes verifique os arquivos XSD fornecidos no site da "
                             "OXR."));
}

}  // namespace
}  // namespace voske::support
