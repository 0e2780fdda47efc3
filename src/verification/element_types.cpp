#include "verification/element_types.h"

#include <cstring>
#include <iterator>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "xml/schema_tables.h"

namespace voske {

namespace {

using sv = std::string_view;
using Digits = LeafType::Digits;

// One pairing: the element, the ancestor it must stand under (empty: any),
// and its type.
struct Pairing {
  sv element;
  sv within;
  LeafType type;
};

constexpr LeafType Simple(sv name, Digits digits = Digits::None) { return {name, {}, digits, false}; }
constexpr LeafType BuiltIn(sv name) { return {{}, name, Digits::None, false}; }

// Every pairing of a leaf the builders write with a type the verification
// checks, in one place. A name with pairings under given ancestors lists
// those first; the first one whose ancestor encloses the leaf applies.
//
// Where each pairing comes from:
//  [T] the schema tables' element declarations give the type;
//  [N] the simple type's name makes the element's type plain (the tables
//      carry these elements by name alone, or, for "conta", declare only the
//      cash-flow one, the first row of that name);
//  [B] the builders write the leaf through the date converter or as a
//      decimal amount: it is a date or a float, whatever else it is.
// Elements absent here (names, descriptions, free texts) are bounded only by
// their length, which the generator checks.
const Pairing kPairings[] = {
    // Identification and registration.
    {"registroOXR", {}, Simple("st_registroOXR")},                     // [T]
    {"registroOperadora", {}, Simple("st_registroOXR")},               // [N]
    {"CNPJ", {}, Simple("st_cnpj", Digits::Cnpj)},                     // [T]
    {"cnpjNaoOperadora", {}, Simple("st_cnpj", Digits::Cnpj)},         // [N]
    {"CPF", {}, Simple("st_cpf", Digits::Cpf)},                        // [T]
    {"periodo", {}, BuiltIn("date")},                                  // [T]
    {"transacao", {}, Simple("st_transacao")},                         // [T]
    {"eMail", {}, Simple("st_eMail")},                                 // [T]
    {"numRegistro", {}, Simple("st_numRegistro")},                     // [T]
    {"municipioIBGE", {}, Simple("st_codigoMunicipioIBGE")},           // [T]
    {"siglaUF", {}, Simple("st_UF")},                                  // [N]
    {"UF", {}, Simple("st_UF")},                                       // [N]
    {"CEP", {}, Simple("st_CEP")},                                     // [T]
    {"cep", {}, Simple("st_CEP")},                                     // [T]
    {"codigoDDI", {}, Simple("st_codigoDDI")},                         // [T]
    {"codigoDDD", {}, Simple("st_codigoDDD")},                         // [T]
    {"numeroTel", {}, Simple("st_numeroTel")},                         // [T]
    {"ramal", {}, Simple("st_numeroRamal")},                           // [T]
    {"cargoFuncao", {}, Simple("st_cargoFuncao")},                     // [N]
    {"tipoConsRegional", {}, Simple("st_tipoConsRegional")},           // [T]
    {"numConsRegional", {}, Simple("st_numConsRegional")},             // [T]
    {"pais", {}, Simple("st_pais")},                                   // [N]
    {"totalmentePulverizado", {}, Simple("st_simNao")},                // [T]
    {"tipo", "oxr:empresaDependente", Simple("st_tipoDependencia")},   // [N]
    {"natJuridica", {}, Simple("st_natJuridica")},                     // [N]
    {"modalidade", {}, Simple("st_modalidade")},                       // [N]
    // The segmentation's list depends on the operator's kind element.
    {"segmentacao", "oxr:autogMultiPatrocinada", Simple("st_segmentacaoAutoMultSing")},  // [N]
    {"segmentacao", "oxr:autogPatrocinadaSing", Simple("st_segmentacaoAutoMultSing")},   // [N]
    {"segmentacao", "oxr:autogNaoPatrocinada", Simple("st_segmentacaoNaoPatr")},         // [N]
    {"segmentacao", "oxr:administradora", Simple("st_segmentacaoAdmin")},                // [N]
    {"segmentacao", "oxr:odontologiaGrupo", Simple("st_segmentacaoOdontMedGru")},        // [N]
    {"segmentacao", "oxr:medicinaGrupo", Simple("st_segmentacaoOdontMedGru")},           // [N]
    {"dataIniMandato", {}, BuiltIn("date")},                           // [B]
    {"dataFimMandato", {}, BuiltIn("date")},                           // [B]
    {"dataExpedicao", {}, BuiltIn("date")},                            // [B]
    {"dataValidade", {}, BuiltIn("date")},                             // [B]
    // Share counts: decimal leaves under the shareholders; the controlled
    // companies' copies go as typed, so they are where a non-number shows.
    {"qtdAcoesQuotas", {}, BuiltIn("float")},                          // [B]
    {"qtdeAcoesQuotas", {}, BuiltIn("float")},                         // [B]
    {"totalAcoesQuotas", {}, BuiltIn("float")},                        // [B]

    // Financial: the trial balance, by section.
    {"inicioPeriodo", {}, BuiltIn("date")},                            // [T]
    {"numLancamentos", {}, BuiltIn("integer")},                        // [T]
    {"conta", "oxr:lancFluxoCaixa", Simple("st_ctaFluxoCaixa")},       // [T]
    {"conta", "oxr:lancAtivoLiq", Simple("st_ctaAtivoLiquido")},       // [N]
    {"conta", "oxr:lucroPrejuizo", Simple("st_ctaLucroPrej")},         // [N]
    {"conta", "oxr:ativo", Simple("st_contaAtivo")},                   // [N]
    {"conta", "oxr:passivo", Simple("st_contaPassivo")},               // [N]
    {"conta", "oxr:receita", Simple("st_contaReceita")},               // [N]
    {"conta", "oxr:despesa", Simple("st_contaDespesa")},               // [N]
    {"saldoAnterior", {}, Simple("st_valorContabil")},                 // [T]
    {"debitos", {}, Simple("st_valorContabil")},                       // [T]
    {"creditos", {}, Simple("st_valorContabil")},                      // [T]
    {"saldoFinal", {}, Simple("st_valorContabil")},                    // [T]
    {"valor", {}, BuiltIn("float")},                                   // [B]
    // Linked assets.
    {"tipoBem", "oxr:AtivoImovel", Simple("st_tipoRGI")},              // [N]
    {"tipoBem", {}, Simple("st_tipoBem")},                             // [N]
    {"custodia", {}, Simple("st_custodia")},                           // [N]
    {"codigo", "oxr:AtivoInvest", Simple("st_codigoAtivo")},           // [T]
    {"tipoOutros", {}, Simple("st_codigoOutros")},                     // [T]
    {"RGI", {}, Simple("st_codigoRGI")},                               // [T]
    {"redePropria", {}, Simple("st_simNao")},                          // [T]
    {"proprio", {}, Simple("st_simNao")},                              // [T]
    {"dataEmissao", {}, BuiltIn("date")},                              // [B]
    {"dataVencimento", {}, BuiltIn("date")},                           // [B]
    {"dataVenda", {}, BuiltIn("date")},                                // [B]
    {"dataAvaliacao", {}, BuiltIn("date")},                            // [B]
    {"aquisicao", {}, BuiltIn("date")},                                // [B]
    {"quantidade", {}, BuiltIn("float")},                              // [B]
    {"area", {}, BuiltIn("float")},                                    // [B]
    {"precoUnitario", {}, BuiltIn("float")},                           // [B]
    {"valorContabil", {}, BuiltIn("float")},                           // [B]
    // Balance ageing.
    {"dias", {}, Simple("st_idadeSaldo")},                             // [N]
    // The amounts and dates of the schedules: the builders write them
    // through the converters, and a document on disk may hold anything.
    {"eventos", {}, BuiltIn("float")},                                 // [B]
    {"eventossus", {}, BuiltIn("float")},                              // [B]
    {"comercial", {}, BuiltIn("float")},                               // [B]
    {"debOper", {}, BuiltIn("float")},                                 // [B]
    {"outrosDebOper", {}, BuiltIn("float")},                           // [B]
    {"depBenConSegRec", {}, BuiltIn("float")},                         // [B]
    {"titulosencargos", {}, BuiltIn("float")},                         // [B]
    {"prestServAS", {}, BuiltIn("float")},                             // [B]
    {"depAquisCarre", {}, BuiltIn("float")},                           // [B]
    {"outrosDebPagar", {}, BuiltIn("float")},                          // [B]
    {"individualPre", {}, BuiltIn("float")},                           // [B]
    {"individualPos", {}, BuiltIn("float")},                           // [B]
    {"coletivoPre", {}, BuiltIn("float")},                             // [B]
    {"coletivoPos", {}, BuiltIn("float")},                             // [B]
    {"convReceber", {}, BuiltIn("float")},                             // [B]
    {"taxaAdm", {}, BuiltIn("float")},                                 // [B]
    {"partBenefES", {}, BuiltIn("float")},                             // [B]
    {"credOper", {}, BuiltIn("float")},                                // [B]
    {"outrosCredComPlano", {}, BuiltIn("float")},                      // [B]
    {"outrosCredSemPlano", {}, BuiltIn("float")},                      // [B]
    {"saldoIntercambio", {}, BuiltIn("float")},                        // [B]
    {"saldo", {}, BuiltIn("float")},                                   // [B]
    {"valorContratoEstipulado", {}, BuiltIn("float")},                 // [B]
    {"EventoSinistrosAte", {}, BuiltIn("float")},                      // [B]
    {"EventoSinistrosPos", {}, BuiltIn("float")},                      // [B]
    {"valorTotalFinanciado", {}, BuiltIn("float")},                    // [B]
    {"valorTotalPago", {}, BuiltIn("float")},                          // [B]
    {"valorSaldoTrim", {}, BuiltIn("float")},                          // [B]
    {"valorPagoTrim", {}, BuiltIn("float")},                           // [B]
    {"valorAtualMone", {}, BuiltIn("float")},                          // [B]
    {"valorSaldoFinalTrim", {}, BuiltIn("float")},                     // [B]
    {"valorInicialTrim", {}, BuiltIn("float")},                        // [B]
    // Instalment counts go as typed: whatever the cell holds must at least
    // be a number.
    {"qtdeParcelas", {}, BuiltIn("float")},                            // [B]
    {"qtdeParcelasDevidas", {}, BuiltIn("float")},                     // [B]
    {"qtdeParcelasPagas", {}, BuiltIn("float")},                       // [B]
    {"dataCompetencia", {}, BuiltIn("date")},                          // [B]
    {"dataAdesaoRefis", {}, BuiltIn("date")},                          // [B]
    {"dtCompetencia", {}, BuiltIn("date")},                            // [B]
};

// The claims-cost amounts of the coverage events: each kind of expense per
// care network ("valorConsultaRP" ... "valorOdontologicoIE").
constexpr sv kCoverageExpenses[] = {"valorConsulta", "valorExame", "valorTerapia", "valorIntern",
                                    "valorAtendimento", "valorDespesas", "valorOdontologico"};
constexpr sv kCareNetworks[] = {"RP", "RC", "RE", "IE"};

// Element name (no prefix) -> its pairings in table order.
const std::unordered_map<sv, std::vector<const Pairing*>>& Index() {
  static const auto index = [] {
    std::unordered_map<sv, std::vector<const Pairing*>> map;
    for (const Pairing& p : kPairings) map[p.element].push_back(&p);
    static std::vector<std::string> coverageNames;  // the keys view them
    static std::vector<Pairing> coverage;
    coverageNames.reserve(std::size(kCoverageExpenses) * std::size(kCareNetworks));
    coverage.reserve(coverageNames.capacity());
    for (sv expense : kCoverageExpenses)
      for (sv network : kCareNetworks) coverageNames.push_back(std::string(expense) + std::string(network));
    for (const std::string& name : coverageNames) coverage.push_back({name, {}, BuiltIn("float")});
    for (const Pairing& p : coverage) map[p.element].push_back(&p);
    // Every other element whose first declaration bounds its length, as the
    // generator does: a document on disk may have been edited.
    static std::vector<Pairing> bounded;
    bounded.reserve(schema::ElementDecls().size());
    std::unordered_map<sv, bool> declared;
    for (const schema::ElementDecl& e : schema::ElementDecls()) {
      if (e.name.empty() || map.count(e.name) || !declared.emplace(e.name, true).second) continue;
      if (e.type.substr(0, 4) != "oxr:") continue;
      const schema::SimpleType* t = schema::FindSimpleType(e.type.substr(4));
      if (!t || t->maxLength.empty()) continue;
      bounded.push_back({e.name, {}, LeafType{t->name, {}, Digits::None, true}});
      map[e.name].push_back(&bounded.back());
    }
    return map;
  }();
  return index;
}

bool StandsWithin(const std::vector<Text>& ancestors, sv ancestor) {
  for (const Text& a : ancestors)
    if (ancestor == a) return true;
  return false;
}

}  // namespace

const LeafType* LeafTypeOf(TextView leafName, const std::vector<Text>& ancestors) {
  sv name = leafName;
  if (name.substr(0, 4) == "oxr:") name.remove_prefix(4);
  const auto& index = Index();
  const auto it = index.find(name);
  if (it == index.end()) return nullptr;
  for (const Pairing* p : it->second)
    if (p->within.empty() || StandsWithin(ancestors, p->within)) return &p->type;
  return nullptr;
}

}  // namespace voske
