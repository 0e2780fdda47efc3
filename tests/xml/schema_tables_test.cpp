#include "xml/schema_tables.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "text/cp1252.h"
#include "xml/xml_generator.h"
#include "xml/length_limits.h"

namespace voske {
namespace {

// Every element name the tables bound, with its limit.
const std::map<std::string, long> kLimits = {
    {"registroOXR", 6},   {"razaoSocial", 60},     {"CNPJ", 14},          {"RGI", 50},
    {"nomeCartorio", 50}, {"redePropria", 1},      {"codigo", 50},        {"tipoOutros", 20},
    {"logradouro", 80},   {"numLogradouro", 20},   {"bairro", 20},        {"municipioIBGE", 6},
    {"CEP", 8},           {"codigoDDI", 3},        {"codigoDDD", 3},      {"numeroTel", 12},
    {"ramal", 4},         {"complemento", 20},     {"cep", 8},            {"nomeFantasia", 60},
    {"eMail", 100},       {"nome", 60},            {"numRegistro", 13},   {"CPF", 11},
    {"nomeMae", 50},      {"tipoConsRegional", 1}, {"numConsRegional", 15}, {"numeroRG", 15},
    {"orgaoExpedidor", 20}, {"totalmentePulverizado", 1}, {"proprio", 1}, {"descricao", 80}};

// The 150 distinct element names of the declarations, in order of first appearance.
const char* const kNames[] = {
    "registroOXR", "razaoSocial", "CNPJ", "periodo", "transacao", "identificacaoTransacao",
    "tipoTransacaoRecebida", "sequencialTransacao", "dataRegistroTransacao", "horaRegistroTransacao",
    "erro", "epilogo", "saldoAnterior", "debitos", "creditos", "saldoFinal", "ativo", "lancamento",
    "numLancamentos", "passivo", "receita", "despesa", "inicioPeriodo", "endereco", "RGI", "tipoBem",
    "nomeCartorio", "area", "aquisicao", "dataVenda", "dataAvaliacao", "redePropria", "custodia", "codigo",
    "dataEmissao", "dataVencimento", "tipoOutros", "quantidade", "AtivoInvest", "AtivoImovel",
    "precoUnitario", "valorContabil", "ativoVinc", "logradouro", "numLogradouro", "bairro", "municipioIBGE",
    "siglaUF", "CEP", "fluxoCaixa", "lancFluxoCaixa", "conta", "valor", "idadeSaldo", "idade", "dias",
    "individual", "coletivoPre", "coletivoPos", "taxaAdm", "credOper", "outrosCred", "eventos", "debOper",
    "comercial", "outrosDeb", "lucrosPrejuizos", "lucroPrejuizo", "ativoLiquido", "lancAtivoLiq",
    "premio20_36m", "sinistro33_60m", "codigoDDI", "codigoDDD", "numeroTel", "ramal", "todosMunicipios",
    "listaMunicipios", "segmentacao", "UF", "complemento", "cep", "nomeFantasia", "enderecoMatriz",
    "telefone", "fax", "eMail", "enderecoCorresp", "respContabilidade", "respAtuaria", "respAuditoria",
    "identifResp", "nome", "numRegistro", "CPF", "administrador", "respTecnico", "nomeMae", "cargoFuncao",
    "dataIniMandato", "dataFimMandato", "tipoConsRegional", "numConsRegional", "enderecoRepresentante",
    "numeroRG", "dataExpedicao", "orgaoExpedidor", "dataValidade", "pais", "cargo",
    "totalmentePulverizado", "totalAcoesQuotas", "acionistaQuotista", "acionistaPF", "acionistaPJ",
    "qtdAcoesQuotas", "empresa", "qtdeAcoesQuotas", "empresaDependente", "tipo", "enderecoDependente",
    "cadastro", "enquadramento", "dadosBasicos", "administradores", "representante", "represRN117",
    "acionQuotistas", "controlColigadas", "dependencias", "hash", "identificador", "odontologiaGrupo",
    "medicinaGrupo", "seguradora", "filantropia", "coopMedica", "coopOdontologica", "autogNaoPatrocinada",
    "administradora", "autogMultiPatrocinada", "autogPatrocinadaSing", "balancete", "ativoVinculado",
    "margemSolvencia", "voskeCadastral", "voskeFinanc", "voskeComplementarSeg", "proprio", "descricao"};

TEST(SchemaTables, BoundExactlyTheThirtyTwoNamesAndNoOther) {
  ASSERT_EQ(std::size(kNames), 150u);
  std::vector<std::string> firstAppearance;
  std::set<std::string> seen;
  for (const schema::ElementDecl& row : schema::ElementDecls())
    if (!row.name.empty() && seen.insert(std::string(row.name)).second) firstAppearance.emplace_back(row.name);
  EXPECT_EQ(firstAppearance, std::vector<std::string>(std::begin(kNames), std::end(kNames)));

  for (const char* name : kNames) {
    auto it = kLimits.find(name);
    const long expected = it == kLimits.end() ? -1 : it->second;
    EXPECT_EQ(LengthLimits::MaxLength(std::string("oxr:") + name), expected) << name;
  }
  EXPECT_EQ(kLimits.size(), 32u);
}

TEST(SchemaTables, FirstMatchDecidesAndLookupsAreExact) {
  const schema::ElementDecl* cnpj = schema::FindElement("CNPJ");
  ASSERT_NE(cnpj, nullptr);
  EXPECT_EQ(cnpj->primaryKey, 3);
  EXPECT_EQ(cnpj->type, "oxr:st_cnpj");
  EXPECT_EQ(schema::FindElement("cnpj"), nullptr);
  EXPECT_EQ(LengthLimits::MaxLength("oxr:cnpj"), -1);

  // Trial-balance accounts have no row; the cash-flow account comes first.
  const schema::ElementDecl* conta = schema::FindElement("conta");
  ASSERT_NE(conta, nullptr);
  EXPECT_EQ(conta->primaryKey, 81);
  EXPECT_EQ(LengthLimits::MaxLength("oxr:conta"), -1);

  EXPECT_EQ(schema::FindElement("descricao")->primaryKey, 281);
  EXPECT_EQ(schema::FindElement("proprio")->primaryKey, 279);
  EXPECT_EQ(schema::FindElement("identificador")->primaryKey, 253);
  EXPECT_EQ(schema::FindElement("epilogo")->primaryKey, 12);
  EXPECT_EQ(schema::FindElement(""), nullptr);  // reference rows never match
  EXPECT_EQ(schema::FindElement("oxr:ativo"), nullptr);

  // A built-in or complex type has no simple-type row; some simple types have no limit.
  for (const char* type : {"date", "integer", "double", "ct_epilogo", "st_transacao", "st_valorContabil", ""})
    EXPECT_TRUE(!schema::FindSimpleType(type) || schema::FindSimpleType(type)->maxLength.empty()) << type;
  // numLogradouro is bound by its first row's type, not by st_numLogradouroVoske.
  EXPECT_EQ(schema::FindSimpleType("st_numLogradouroVoske")->maxLength, "10");
  EXPECT_EQ(LengthLimits::MaxLength("oxr:numLogradouro"), 20);
}

TEST(SchemaTables, SimpleTypesKeepEveryFacet) {
  const auto types = schema::SimpleTypes();
  ASSERT_EQ(types.size(), 49u);
  EXPECT_EQ(types.front().name, "st_transacao");
  EXPECT_EQ(types.back().name, "st_tipoDependencia");
  std::set<std::string_view> names;
  for (const auto& t : types) {
    EXPECT_LE(t.name.size(), 26u) << t.name;
    EXPECT_LE(t.base.size(), 7u) << t.name;
    EXPECT_LE(t.pattern.size(), 32u) << t.name;
    for (auto v : t.enumeration) EXPECT_LE(v.size(), 32u) << t.name;
    names.insert(t.name);
  }
  EXPECT_EQ(names.size(), 49u);

  auto count = [](const char* n) { return schema::FindSimpleType(n)->enumeration.size(); };
  EXPECT_EQ(count("st_transacao"), 11u);
  EXPECT_EQ(count("st_UF"), 28u);
  EXPECT_EQ(count("st_tipoBem"), 49u);
  EXPECT_EQ(count("st_ctaFluxoCaixa"), 34u);
  EXPECT_EQ(count("st_ctaAtivoLiquido"), 13u);
  EXPECT_EQ(count("st_cargoFuncao"), 140u);
  EXPECT_EQ(count("st_pais"), 224u);
  EXPECT_EQ(count("st_segmentacaoOdontMedGru"), 9u);
  const auto bens = schema::FindSimpleType("st_tipoBem")->enumeration;
  EXPECT_EQ(std::count(bens.begin(), bens.end(), "1006"), 0);
  EXPECT_EQ(bens[24], "2001");
  EXPECT_EQ(bens.back(), "3004");
  EXPECT_EQ(schema::FindSimpleType("st_pais")->enumeration.back(), "224");
  EXPECT_EQ(schema::FindSimpleType("st_idadeSaldo")->base, "integer");
  EXPECT_EQ(schema::FindSimpleType("st_valorContabil")->base, "float");

  const auto nome60 = schema::FindSimpleType("st_nome60")->pattern;
  EXPECT_EQ(nome60.size(), 32u);
  EXPECT_EQ(std::string(nome60), Ansi("[A-Za-z0-9 ./\\-áÁãÃâÂéÉêÊíÍóÓõÕô"));
  EXPECT_EQ(schema::FindSimpleType("st_tipoConsRegional")->pattern, "M|D");

  EXPECT_EQ(schema::Header().oxr.size(), 43u);
  EXPECT_EQ(schema::Header().oxr, schema::Header().targetNamespace);
  EXPECT_EQ(schema::Header().elementFormDefault, "qualified");
}

TEST(ValidateLength, RejectsOnlyWhatExceedsTheLimitNamingFieldAndLimit) {
  LengthLimits manager;
  const Text sixty(60, 'A');
  EXPECT_EQ(manager.ValidateLength("oxr:razaoSocial", sixty), sixty);
  try {
    manager.ValidateLength("oxr:razaoSocial", sixty + "B");
    FAIL() << "61 characters passed";
  } catch (const EMaxLengthError& e) {
    EXPECT_EQ(e.Message(), Ansi("O campo \"razaoSocial\" pode ter no máximo 60 caracteres.\rO valor informado \"") +
                               sixty + Ansi("B\" excede o limite.\rPara mais detalhes verifique os arquivos XSD "
                                            "fornecidos no site da OXR."));
  }
  // Characters are bytes of Windows-1252: an accented letter counts once.
  EXPECT_NO_THROW(manager.ValidateLength("oxr:CEP", Ansi("ããããããããã").substr(0, 8)));
  EXPECT_THROW(manager.ValidateLength("oxr:CEP", "123456789"), EMaxLengthError);
  EXPECT_EQ(manager.ValidateLength("oxr:conta", Text(21, '1')), Text(21, '1'));
  EXPECT_EQ(manager.ValidateLength("oxr:periodo", Text(500, 'x')), Text(500, 'x'));
}

TEST(StripPrefix, RemovesTheFirstPrefixWhereverItStands) {
  EXPECT_EQ(LengthLimits::StripPrefix("oxr:CNPJ"), "CNPJ");
  EXPECT_EQ(LengthLimits::StripPrefix("CNPJ"), "CNPJ");
  EXPECT_EQ(LengthLimits::StripPrefix("a:oxr:b"), "a:b");
  EXPECT_EQ(LengthLimits::StripPrefix("oxr:oxr:x"), "oxr:x");
}

}  // namespace
}  // namespace voske
