#include "xml/schema_tables.h"

#include <string>
#include <unordered_map>

#include "xml/schema_namespace.h"

namespace voske::schema {

namespace {

using sv = std::string_view;

// Enumerations, in schema order.
constexpr sv kTransacao[] = {
    "ENVIO_VOSKE_CADASTRAL", "ENVIO_VOSKE_FINANCEIRO", "ENVIO_BALANCETE_ANALITICO",
    "ENVIO_COMPLEMENTAR_SEMESTRAL", "PROTOCOLO_RECEBIMENTO_CADASTRAL", "PROTOCOLO_RECEBIMENTO_FINANCEIRO",
    "PROTOCOLO_RECEBIMENTO_BALANCETE", "PROTOCOLO_COMPLEMENTAR_SEMESTRAL", "RELACAO_ERROS_CADASTRAL",
    "RELACAO_ERROS_FINANCEIRO", "RELACAO_ERROS_COMPLEMENTAR"};
constexpr sv kSimNao[] = {"S", "N"};
constexpr sv kCustodia[] = {"CETIP", "SELIC", "CBLC", "OUTROS"};
constexpr sv kUF[] = {"AC", "AL", "AM", "AP", "BA", "CE", "DF", "ES", "EX", "GO", "MA", "MG", "MS", "MT",
                      "PA", "PB", "PE", "PI", "PR", "RJ", "RN", "RO", "RR", "RS", "SC", "SE", "SP", "TO"};
constexpr sv kTipoBem[] = {
    "1001", "1002", "1003", "1004", "1005", "1007", "1008", "1009", "1010", "1011", "1012", "1013",
    "1014", "1015", "1016", "1017", "1018", "1019", "1020", "1021", "1022", "1023", "1024", "1025",
    "2001", "2006", "2007", "2008", "2009", "2010", "2011", "2012", "2013", "2014", "2015", "2016",
    "2017", "2018", "2019", "2020", "2021", "2022", "2023", "2024", "2025", "3001", "3002", "3003",
    "3004",};

constexpr sv kTipoRGI[] = {"2002", "2003", "2004", "2005"};
constexpr sv kCtaFluxoCaixa[] = {
    "RECEBIMENTOS_PLANOS", "OUTROS_RECEBIMENTOS_OPER", "FORNECEDORES_PRESTADORES", "COMISSOES", "PESSOAL",
    "PRO_LABORE", "SERVICOS_TERCEIROS_OPER", "TRIBUTOS", "CONTINGENCIAS", "ALUGUEL", "PROMOCAO_PUBLICIDADE",
    "OUTROS_PAGAMENTOS", "VENDA_ATIVO_HOSP", "VENDA_ATIVO_OUTROS", "VENDA_INVESTIMENTOS", "DIVIDENDOS",
    "OUTROS_RECEBIMENTOS_INV", "AQUISICAO_ATIVO_HOSP", "SERVICOS_TERCEIROS_INV", "AQUISICAO_ATIVO_OUTROS",
    "ATIVO_DIFERIDO", "AQUISICAO_PARTICIPACAO", "OUTROS_PAGAMENTOS_INV", "INTEGRALIZACAO_CAPITAL",
    "RECEBIMENTO_EMPRESTIMOS", "TITULOS_DESCONTADOS", "JUROS_APLICACOES", "RESGATE_APLICACOES",
    "OUTROS_RECEBIMENTOS_FIN", "JUROS_EMPRESTIMOS", "AMORTIZACAO_EMPRESTIMOS", "PARTICIPACAO_RESULTADOS",
    "APLICACOES_FINANCEIRAS", "OUTROS_PAGAMENTOS_FIN"};
constexpr sv kCtaAtivoLiquido[] = {
    "CAPITAL_SOCIAL", "CORRECAO_MONETARIA", "AUMENTO_CAPITAL", "RESERVAS_CAPITAL", "RESERVAS_REAVALIACAO",
    "RESERVAS_LUCROS", "LUCROS_ACUMULADOS", "LUCROS_NAO_REAL_ACOES", "RECEBIDOS_FUTUROS",
    "DESTACADO_PREV_PRIVADA", "PARTICIPACOES_CONGENERES", "DISPENDIDOS_FUTUROS", "DESPESAS_ANTECIPADAS"};
constexpr sv kIdadeSaldo[] = {"00", "30", "60", "90", "120", "365", "999"};
constexpr sv kCtaLucroPrej[] = {"LUCROS_DISTRIBUIDOS",         "CONSTITUICAO_RESERVAS",
                                "REVERSAO_RESERVAS",           "JUROS_CAPITAL_PROPRIO",
                                "AJUSTE_EXERCICIOS_ANTERIORES", "LUCRO_INCORPORADO_CAPITAL",
                                "OUTROS"};
constexpr sv kNatJuridica[] = {"ASSOC", "FUNDA", "OUTRS", "SCOOP", "EMIND", "EMPUB",
                               "DEPEX", "SCOTA", "SCIVL", "SCIVS", "SOCIA", "OUTRC"};
constexpr sv kModalidade[] = {"ADMIN", "AUTOG", "COOPM", "COOPO", "FILAN", "MEGRP", "ODGRP"};
constexpr sv kSegmentacaoAutoMultSing[] = {"PATRM", "PATRS"};
constexpr sv kSegmentacaoOdontMedGru[] = {"SOM", "SOP", "SOT", "SPP", "SPS", "SPSUS", "SSP", "SSS", "ST"};
constexpr sv kSegmentacaoNaoPatr[] = {"NPATR"};
constexpr sv kSegmentacaoAdmin[] = {"ADMPL", "ADMSV"};
constexpr sv kCargoFuncao[] = {
    "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15", "16", "17",
    "18", "19", "20", "21", "22", "23", "24", "25", "26", "27", "28", "29", "30", "31", "32", "33",
    "34", "35", "36", "37", "38", "39", "40", "41", "42", "43", "44", "45", "46", "47", "48", "49",
    "50", "51", "52", "53", "54", "55", "56", "57", "58", "59", "60", "61", "62", "63", "64", "65",
    "66", "67", "68", "69", "70", "71", "72", "73", "74", "75", "76", "77", "78", "79", "80", "81",
    "82", "83", "84", "85", "86", "87", "88", "89", "90", "91", "92", "93", "94", "95", "96", "97",
    "98", "99", "100", "101", "102", "103", "104", "105", "106", "107", "108", "109", "110", "111",
    "112", "113", "114", "115", "116", "117", "118", "119", "120", "121", "122", "123", "124",
    "125", "126", "127", "128", "129", "130", "131", "132", "133", "134", "135", "136", "137",
    "138", "139", "140",};

constexpr sv kPais[] = {
    "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15", "16", "17",
    "18", "19", "20", "21", "22", "23", "24", "25", "26", "27", "28", "29", "30", "31", "32", "33",
    "34", "35", "36", "37", "38", "39", "40", "41", "42", "43", "44", "45", "46", "47", "48", "49",
    "50", "51", "52", "53", "54", "55", "56", "57", "58", "59", "60", "61", "62", "63", "64", "65",
    "66", "67", "68", "69", "70", "71", "72", "73", "74", "75", "76", "77", "78", "79", "80", "81",
    "82", "83", "84", "85", "86", "87", "88", "89", "90", "91", "92", "93", "94", "95", "96", "97",
    "98", "99", "100", "101", "102", "103", "104", "105", "106", "107", "108", "109", "110", "111",
    "112", "113", "114", "115", "116", "117", "118", "119", "120", "121", "122", "123", "124",
    "125", "126", "127", "128", "129", "130", "131", "132", "133", "134", "135", "136", "137",
    "138", "139", "140", "141", "142", "143", "144", "145", "146", "147", "148", "149", "150",
    "151", "152", "153", "154", "155", "156", "157", "158", "159", "160", "161", "162", "163",
    "164", "165", "166", "167", "168", "169", "170", "171", "172", "173", "174", "175", "176",
    "177", "178", "179", "180", "181", "182", "183", "184", "185", "186", "187", "188", "189",
    "190", "191", "192", "193", "194", "195", "196", "197", "198", "199", "200", "201", "202",
    "203", "204", "205", "206", "207", "208", "209", "210", "211", "212", "213", "214", "215",
    "216", "217", "218", "219", "220", "221", "222", "223", "224",};

constexpr sv kTipoDependencia[] = {"Outra", "Filial", "Sucursal"};

constexpr std::span<const sv> kNone{};

// Simple types in stored order. The pattern of st_nome60 is kept cut to 32
// characters, as the table has always stored it ("[A-Za-z0-9 ./\-" followed by
// the accented letters "áÁãÃâÂéÉêÊíÍóÓõÕô" in Windows-1252).
constexpr SimpleType kSimpleTypes[] = {
    {"st_transacao", "string", "", "", kTransacao},
    {"st_descricao80", "string", "80", "", kNone},
    {"st_registroOXR", "string", "6", "[0-9]{6}", kNone},
    {"st_simNao", "string", "1", "", kSimNao},
    {"st_nome60", "string", "60",
     "[A-Za-z0-9 ./\\-\xE1\xC1\xE3\xC3\xE2\xC2\xE9\xC9\xEA\xCA\xED\xCD\xF3\xD3\xF5\xD5\xF4", kNone},
    {"st_descricao50", "string", "50", "", kNone},
    {"st_descricao20", "string", "20", "", kNone},
    {"st_descricao15", "string", "15", "", kNone},
    {"st_codigoMunicipioIBGE", "string", "6", "[0-9]{6}", kNone},
    {"st_contaAtivo", "string", "13", "[1][0-9]*", kNone},
    {"st_contaPassivo", "string", "13", "[2][0-9]*", kNone},
    {"st_contaReceita", "string", "13", "[3][0-9]*", kNone},
    {"st_contaDespesa", "string", "13", "[46][0-9]*", kNone},
    {"st_valorContabil", "float", "", "", kNone},
    {"st_custodia", "string", "", "", kCustodia},
    {"st_UF", "string", "", "", kUF},
    {"st_CEP", "string", "8", "[0-9]{8}", kNone},
    {"st_codigoAtivo", "string", "50", "[A-Z]*[0-9]*[.-_]*", kNone},
    {"st_codigoOutros", "string", "20", "[A-Z]*[0-9]*[.-_]*", kNone},
    {"st_codigoRGI", "string", "50", "[0-9]{1,50}", kNone},
    {"st_tipoBem", "string", "", "", kTipoBem},
    {"st_tipoRGI", "string", "", "", kTipoRGI},
    {"st_ctaFluxoCaixa", "string", "", "", kCtaFluxoCaixa},
    {"st_ctaAtivoLiquido", "string", "", "", kCtaAtivoLiquido},
    {"st_idadeSaldo", "integer", "", "", kIdadeSaldo},
    {"st_ctaLucroPrej", "string", "", "", kCtaLucroPrej},
    {"st_eMail", "string", "100", ".+@.+\\..+", kNone},
    {"st_logradouroVoske", "string", "80", "", kNone},
    {"st_numLogradouroVoske", "string", "10", "", kNone},
    {"st_codigoDDI", "string", "3", "[0-9]{0,3}", kNone},
    {"st_codigoDDD", "string", "3", "[0-9]{0,3}", kNone},
    {"st_numeroTel", "string", "12", "[\\-0-9 ]{0,12}", kNone},
    {"st_numeroRamal", "string", "4", "[0-9]{0,4}", kNone},
    {"st_natJuridica", "string", "", "", kNatJuridica},
    {"st_modalidade", "string", "", "", kModalidade},
    {"st_segmentacaoAutoMultSing", "string", "", "", kSegmentacaoAutoMultSing},
    {"st_sim", "string", "", "S", kNone},
    {"st_segmentacaoOdontMedGru", "string", "", "", kSegmentacaoOdontMedGru},
    {"st_segmentacaoNaoPatr", "string", "", "", kSegmentacaoNaoPatr},
    {"st_segmentacaoAdmin", "string", "", "", kSegmentacaoAdmin},
    {"st_municRegAtuacao", "string", "6", "[0-9]{6}", kNone},
    {"st_cpf", "string", "11", "[0-9]{11}", kNone},
    {"st_cnpj", "string", "14", "[0-9]{14}", kNone},
    {"st_numRegistro", "string", "13", "[ 0-9A-Za-z/\\-]*", kNone},
    {"st_cargoFuncao", "string", "", "", kCargoFuncao},
    {"st_tipoConsRegional", "string", "1", "M|D", kNone},
    {"st_numConsRegional", "string", "15", "[0-9A-Za-z/-_]{1,15}", kNone},
    {"st_pais", "string", "", "", kPais},
    {"st_tipoDependencia", "string", "", "", kTipoDependencia},
};

// A row known by its element name only.
constexpr ElementDecl Named(sv name) { return {0, 0, {}, {}, name, {}, {}}; }
// A row that declares a named element of a type.
constexpr ElementDecl Typed(std::int32_t key, std::int32_t group, sv name, sv type) {
  return {key, group, {}, {}, name, {}, type};
}
// A row that only references a global element.
constexpr ElementDecl Ref(std::int32_t key, std::int32_t group, sv maxOccurs, sv minOccurs, sv ref) {
  return {key, group, maxOccurs, minOccurs, {}, ref, {}};
}

// Element declarations in stored order. Lookups take the first row of a
// name, so the rows that matter are each name's first one: the rows that
// bound a value carry their key and type; most others carry only the name,
// which is all the lookup reads of them (their type has no maximum length).
constexpr ElementDecl kElements[] = {
    Typed(1, 1, "registroOXR", "oxr:st_registroOXR"),
    Typed(2, 1, "razaoSocial", "oxr:st_nome60"),
    Typed(3, 1, "CNPJ", "oxr:st_cnpj"),
    Typed(4, 1, "periodo", "date"),
    Typed(5, 1, "transacao", "oxr:st_transacao"),
    Typed(6, 2, "identificacaoTransacao", ""),
    Named("tipoTransacaoRecebida"),
    Named("sequencialTransacao"),
    Named("dataRegistroTransacao"),
    Named("horaRegistroTransacao"),
    {11, 2, "unbounded", "0", "erro", {}, "string"},
    Typed(12, 2, "epilogo", "oxr:ct_epilogo"),
    Typed(14, 4, "saldoAnterior", "oxr:st_valorContabil"),
    Typed(15, 4, "debitos", "oxr:st_valorContabil"),
    Typed(16, 4, "creditos", "oxr:st_valorContabil"),
    Typed(17, 4, "saldoFinal", "oxr:st_valorContabil"),
    Named("ativo"),
    {34, 8, "unbounded", {}, "lancamento", {}, "oxr:ct_lancamentoAtivo"},
    Typed(35, 8, "numLancamentos", "integer"),
    Named("passivo"),
    Named("receita"),
    Named("despesa"),
    Typed(45, 12, "inicioPeriodo", "date"),
    Ref(46, 12, {}, {}, "oxr:ativo"),
    Ref(47, 12, {}, {}, "oxr:passivo"),
    Ref(48, 12, {}, {}, "oxr:receita"),
    Ref(49, 12, {}, {}, "oxr:despesa"),
    Named("endereco"),
    Typed(51, 0, "RGI", "oxr:st_codigoRGI"),
    Named("tipoBem"),
    Typed(53, 0, "nomeCartorio", "oxr:st_descricao50"),
    Named("area"),
    Named("aquisicao"),
    Named("dataVenda"),
    Named("dataAvaliacao"),
    Typed(58, 0, "redePropria", "oxr:st_simNao"),
    Named("custodia"),
    Typed(60, 0, "codigo", "oxr:st_codigoAtivo"),
    Named("dataEmissao"),
    Named("dataVencimento"),
    Typed(63, 0, "tipoOutros", "oxr:st_codigoOutros"),
    Named("quantidade"),
    Named("AtivoInvest"),
    Named("AtivoImovel"),
    Named("precoUnitario"),
    Named("valorContabil"),
    Named("ativoVinc"),
    Typed(71, 0, "logradouro", "oxr:st_descricao80"),
    Typed(72, 0, "numLogradouro", "oxr:st_descricao20"),
    Typed(74, 0, "bairro", "oxr:st_descricao20"),
    Typed(75, 0, "municipioIBGE", "oxr:st_codigoMunicipioIBGE"),
    Named("siglaUF"),
    Typed(77, 0, "CEP", "oxr:st_CEP"),
    Named("fluxoCaixa"),
    Ref(79, 18, "33", "33", "oxr:lancFluxoCaixa"),
    Named("lancFluxoCaixa"),
    // The trial-balance entries declare no account row of their own, so this
    // cash-flow account is the first "conta": an enumeration, no length bound.
    Typed(81, 19, "conta", "oxr:st_ctaFluxoCaixa"),
    Named("valor"),
    Named("idadeSaldo"),
    Ref(84, 20, "7", "7", "oxr:idade"),
    Named("idade"),
    Named("dias"),
    Named("individual"),
    Named("coletivoPre"),
    Named("coletivoPos"),
    Named("taxaAdm"),
    Named("credOper"),
    Named("outrosCred"),
    Named("eventos"),
    Named("debOper"),
    Named("comercial"),
    Named("outrosDeb"),
    Named("lucrosPrejuizos"),
    Named("lucroPrejuizo"),
    Named("ativoLiquido"),
    Named("lancAtivoLiq"),
    Named("premio20_36m"),
    Named("sinistro33_60m"),
    Typed(111, 0, "codigoDDI", "oxr:st_codigoDDI"),
    Typed(112, 0, "codigoDDD", "oxr:st_codigoDDD"),
    Typed(113, 0, "numeroTel", "oxr:st_numeroTel"),
    Typed(114, 0, "ramal", "oxr:st_numeroRamal"),
    Named("todosMunicipios"),
    Named("listaMunicipios"),
    Named("segmentacao"),
    Named("UF"),
    Typed(128, 0, "complemento", "oxr:st_descricao20"),
    Typed(132, 0, "cep", "oxr:st_CEP"),
    Typed(133, 0, "nomeFantasia", "oxr:st_nome60"),
    Named("enderecoMatriz"),
    Named("telefone"),
    Named("fax"),
    Typed(137, 0, "eMail", "oxr:st_eMail"),
    Named("enderecoCorresp"),
    Named("respContabilidade"),
    Named("respAtuaria"),
    Named("respAuditoria"),
    Named("identifResp"),
    Typed(145, 0, "nome", "oxr:st_nome60"),
    Typed(146, 0, "numRegistro", "oxr:st_numRegistro"),
    Typed(147, 0, "CPF", "oxr:st_cpf"),
    Named("administrador"),
    Named("respTecnico"),
    Typed(155, 0, "nomeMae", "oxr:st_descricao50"),
    Named("cargoFuncao"),
    Named("dataIniMandato"),
    Named("dataFimMandato"),
    Typed(160, 0, "tipoConsRegional", "oxr:st_tipoConsRegional"),
    Typed(161, 0, "numConsRegional", "oxr:st_numConsRegional"),
    Named("enderecoRepresentante"),
    Typed(173, 0, "numeroRG", "oxr:st_descricao15"),
    Named("dataExpedicao"),
    Typed(175, 0, "orgaoExpedidor", "oxr:st_descricao20"),
    Named("dataValidade"),
    Named("pais"),
    Named("cargo"),
    Typed(179, 0, "totalmentePulverizado", "oxr:st_simNao"),
    Named("totalAcoesQuotas"),
    Named("acionistaQuotista"),
    Named("acionistaPF"),
    Named("acionistaPJ"),
    Named("qtdAcoesQuotas"),
    Named("empresa"),
    Named("qtdeAcoesQuotas"),
    Named("empresaDependente"),
    Named("tipo"),
    Named("enderecoDependente"),
    Named("cadastro"),
    Named("enquadramento"),
    Named("dadosBasicos"),
    Named("administradores"),
    Named("representante"),
    Named("represRN117"),
    Named("acionQuotistas"),
    Named("controlColigadas"),
    Named("dependencias"),
    Typed(252, 63, "hash", "string"),
    Typed(253, 64, "identificador", "oxr:ct_identificadorMensagem"),
    Named("odontologiaGrupo"),
    Named("medicinaGrupo"),
    Named("seguradora"),
    Named("filantropia"),
    Named("coopMedica"),
    Named("coopOdontologica"),
    Named("autogNaoPatrocinada"),
    Named("administradora"),
    Named("autogMultiPatrocinada"),
    Named("autogPatrocinadaSing"),
    Typed(265, 65, "identificador", ""),
    Typed(266, 65, "balancete", ""),
    Typed(267, 65, "ativoVinculado", ""),
    Ref(268, 65, {}, {}, "oxr:fluxoCaixa"),
    Ref(269, 65, {}, {}, "oxr:idadeSaldo"),
    Ref(270, 65, {}, {}, "oxr:lucrosPrejuizos"),
    Typed(271, 65, "epilogo", ""),
    Named("margemSolvencia"),
    Typed(276, 1, "voskeCadastral", "oxr:ct_voskeCadastral"),
    Typed(277, 1, "voskeFinanc", "oxr:ct_voskeFinanc"),
    Typed(278, 1, "voskeComplementarSeg", "oxr:ct_complSeguradoras"),
    Typed(279, 13, "proprio", "oxr:st_simNao"),
    Typed(280, 14, "proprio", "oxr:st_simNao"),
    Typed(281, 4, "descricao", "oxr:st_descricao80"),
    Typed(282, 5, "descricao", "oxr:st_descricao80"),
    Typed(283, 6, "descricao", "oxr:st_descricao80"),
    Typed(284, 7, "descricao", "oxr:st_descricao80"),
};

constexpr SchemaHeader kHeader = {kSchemaNamespace, kSchemaNamespace, "qualified"};

// Name -> first row, built once on first use; the tables never change.
template <typename Row, size_t N>
std::unordered_map<sv, const Row*> FirstByName(const Row (&rows)[N]) {
  std::unordered_map<sv, const Row*> index;
  index.reserve(N);
  for (const Row& row : rows)
    if (!row.name.empty()) index.emplace(row.name, &row);  // emplace keeps the first
  return index;
}

}  // namespace

const SchemaHeader& Header() { return kHeader; }
std::span<const SimpleType> SimpleTypes() { return kSimpleTypes; }
std::span<const ElementDecl> ElementDecls() { return kElements; }

const ElementDecl* FindElement(std::string_view name) {
  static const auto index = FirstByName(kElements);
  auto it = index.find(name);
  return it == index.end() ? nullptr : it->second;
}

const SimpleType* FindSimpleType(std::string_view name) {
  static const auto index = FirstByName(kSimpleTypes);
  auto it = index.find(name);
  return it == index.end() ? nullptr : it->second;
}

}  // namespace voske::schema
