// oxr:ativoVinculado: the assets linked as guarantees, from "Ativos
// Vinculados" and, for a self-managed operator with a sponsoring entity, also
// from "Ativos Vinculados Mantenedor". Each worksheet holds three independent
// lists from row 5: real estate in A-J, their addresses in L-R and financial
// investments in T-AB.
#include <optional>

#include "documents/cell_date.h"
#include "documents/financial/financial_sections.h"
#include "documents/financial/financial_values.h"
#include "documents/financial/schedule_rules.h"
#include "documents/municipality_state.h"
#include "documents/operator_cells.h"
#include "text/cp1252.h"
#include "values/converters.h"

namespace voske {

namespace {

const Text kSection = "oxr:ativoVinculado";
const Text kAsset = "oxr:ativoVinc";
const Text kRealEstate = "oxr:AtivoImovel";
constexpr int kLinkedAssetsFirstRow = 5;

// Columns of the three lists.
enum Column : int {
  kRgi = Col('A'), kEstateType, kRegistryOffice, kArea, kAcquisition, kSale, kValuation, kOwnNetwork,
  kEstatePrice, kEstateBookValue,
  kAddressKey = Col('L'), kStreet, kStreetNumber, kComplement, kDistrict, kMunicipality, kPostCode,
  kCustody = Col('T'), kCode, kIssue, kMaturity, kOtherType, kInvestmentType, kQuantity, kInvestmentPrice,
  kInvestmentBookValue,
};

// A date that may be left empty: the element is written empty then.
Text OptionalDate(const SheetView& sheet, int row, int column) {
  return sheet.TextAt(row, column).empty() ? Text() : DateAt(sheet, row, column);
}

// Real-estate prices keep their digits as typed: the generator cuts them
// to two decimals, where other amounts are rounded.
void WriteEstateAmount(TXMLGenerator& gen, const Text& name, const Text& cellText, const CellOrigin& origin) {
  if (cellText.empty())
    gen.AddTextElement(name, "0.0", origin);
  else
    gen.AddDecimalElement(name, ReplaceAll(cellText, ",", "."), origin);
}

// oxr:siglaUF of a municipality, from the municipality list of "Listas";
// nothing when the code is not listed.
void WriteState(FinancialContext& ctx, const Cell& municipality) {
  const SheetView lists = ctx.Sheet(SheetId::Listas);
  if (const std::optional<ListedState> listed = MunicipalityState(lists, municipality))
    ctx.gen.AddTextElement("oxr:siglaUF", listed->state, OriginOf(lists, listed->row, Col('B')));
}

void WriteInvestments(FinancialContext& ctx, const SheetView& sheet, const Text& ownFlag) {
  TXMLGenerator& gen = ctx.gen;
  for (int row = kLinkedAssetsFirstRow; !sheet.TextAt(row, kCustody).empty(); ++row) {
    const auto cell = [&](int column) { return OriginOf(sheet, row, column); };
    gen.AddElement(kAsset, false, kSection);
    gen.AddElement("oxr:AtivoInvest");
    gen.AddTextElement("oxr:custodia", UpperAscii(Trim(sheet.TextAt(row, kCustody))), cell(kCustody));
    gen.AddTextElement("oxr:codigo", UpperAscii(Trim(sheet.TextAt(row, kCode))), cell(kCode));
    gen.AddTextElement("oxr:dataEmissao", OptionalDate(sheet, row, kIssue), cell(kIssue));
    gen.AddTextElement("oxr:dataVencimento", OptionalDate(sheet, row, kMaturity), cell(kMaturity));
    const Text otherType = sheet.TextAt(row, kOtherType);
    if (!otherType.empty()) gen.AddTextElement("oxr:tipoOutros", UpperAscii(otherType), cell(kOtherType));
    gen.AddTextElement("oxr:tipoBem", sheet.TextAt(row, kInvestmentType), cell(kInvestmentType));
    gen.AddDecimalElement("oxr:quantidade", FormatDecimal(sheet.TextAt(row, kQuantity)), cell(kQuantity));
    gen.ReturnTo(kAsset);
    WriteAmount(gen, "oxr:precoUnitario", AmountOf(sheet.At(row, kInvestmentPrice)), cell(kInvestmentPrice));
    WriteAmount(gen, "oxr:valorContabil", AmountOf(sheet.At(row, kInvestmentBookValue)), cell(kInvestmentBookValue));
    if (!Trim(ownFlag).empty()) gen.AddTextElement("oxr:proprio", UpperAscii(ownFlag));
    gen.ReturnTo(kSection);
  }
  gen.ReturnTo(kSection);
}

// The address of the real estate whose key is `key`, if one address row
// names it; a second one is an error, since the document holds one address
// per property.
void WriteAddress(FinancialContext& ctx, const SheetView& sheet, const Text& key) {
  TXMLGenerator& gen = ctx.gen;
  int found = 0;
  for (int row = kLinkedAssetsFirstRow; !sheet.TextAt(row, kAddressKey).empty(); ++row) {
    if (ZeroPadCode(sheet.TextAt(row, kAddressKey), 0) != key) continue;
    if (++found > 1)
      throw EGenerica(Ansi("Erro no preenchimento de endereço de ativo imobiliário. Verifique na planilha!"));
    const auto cell = [&](int column) { return OriginOf(sheet, row, column); };
    gen.AddElement("oxr:endereco");
    gen.AddTextElement("oxr:logradouro", sheet.TextAt(row, kStreet), cell(kStreet));
    gen.AddTextElement("oxr:numLogradouro", sheet.TextAt(row, kStreetNumber), cell(kStreetNumber));
    gen.AddTextElement("oxr:complemento", sheet.TextAt(row, kComplement), cell(kComplement));
    gen.AddTextElement("oxr:bairro", sheet.TextAt(row, kDistrict).substr(0, 20), cell(kDistrict));
    gen.AddTextElement("oxr:municipioIBGE", sheet.TextAt(row, kMunicipality), cell(kMunicipality));
    WriteState(ctx, sheet.At(row, kMunicipality));
    gen.AddTextElement("oxr:CEP", ZeroPadCode(sheet.TextAt(row, kPostCode), 8), cell(kPostCode));
  }
}

void WriteRealEstate(FinancialContext& ctx, const SheetView& sheet, const Text& ownFlag) {
  TXMLGenerator& gen = ctx.gen;
  for (int row = kLinkedAssetsFirstRow; !sheet.TextAt(row, kRgi).empty(); ++row) {
    const auto cell = [&](int column) { return OriginOf(sheet, row, column); };
    gen.AddElement(kAsset, false, kSection);
    gen.AddElement(kRealEstate);
    const Text key = ZeroPadCode(sheet.TextAt(row, kRgi), 0);
    WriteAddress(ctx, sheet, key);
    gen.ReturnTo(kRealEstate);

    gen.AddTextElement("oxr:RGI", key, cell(kRgi));
    gen.AddTextElement("oxr:tipoBem", sheet.TextAt(row, kEstateType), cell(kEstateType));
    const Text office = sheet.TextAt(row, kRegistryOffice);
    if (!office.empty()) gen.AddTextElement("oxr:nomeCartorio", office.substr(0, 60), cell(kRegistryOffice));
    gen.AddDecimalElement("oxr:area", FormatDecimal(sheet.TextAt(row, kArea)), cell(kArea));
    const Cell& acquisition = sheet.At(row, kAcquisition);
    gen.AddTextElement("oxr:aquisicao", CellText(acquisition).empty() ? Text() : DateOfCell(acquisition, sheet.Dates(), false),
                       cell(kAcquisition));
    if (!sheet.TextAt(row, kSale).empty()) gen.AddTextElement("oxr:dataVenda", DateAt(sheet, row, kSale), cell(kSale));
    gen.AddTextElement("oxr:dataAvaliacao", OptionalDate(sheet, row, kValuation), cell(kValuation));
    const Text ownNetwork = Trim(sheet.TextAt(row, kOwnNetwork));
    if (ownNetwork.empty())
      throw EGenerica(Ansi("Não foi definido se o ativo imobiliário é rede própria."));
    gen.AddTextElement("oxr:redePropria", UpperAscii(ownNetwork.substr(0, 1)), cell(kOwnNetwork));

    gen.ReturnTo(kAsset);
    WriteEstateAmount(gen, "oxr:precoUnitario", sheet.TextAt(row, kEstatePrice), cell(kEstatePrice));
    WriteEstateAmount(gen, "oxr:valorContabil", sheet.TextAt(row, kEstateBookValue), cell(kEstateBookValue));
    if (!Trim(ownFlag).empty()) gen.AddTextElement("oxr:proprio", ownFlag);
    gen.ReturnTo(kSection);
  }
}

// One worksheet's assets: its investments first, then its real estate.
// `ownFlag` says whether they are the operator's own ("S") or its
// sponsor's ("N"); it is empty when the operator has no sponsor.
void WriteAssetSheet(FinancialContext& ctx, const SheetView& sheet, const Text& ownFlag) {
  WriteInvestments(ctx, sheet, ownFlag);
  WriteRealEstate(ctx, sheet, ownFlag);
}

}  // namespace

void WriteLinkedAssets(FinancialContext& ctx) {
  ScheduleStatus(ctx, "Gerando Ativo vinculado");
  ctx.gen.ReturnTo(kFinancialRoot);
  ctx.gen.AddElement(kSection);

  const SheetView own = ctx.Sheet(SheetId::AtivosVinculados);
  // Self-managed operators backed by a sponsoring entity list the sponsor's
  // assets too, and mark every asset as their own or the sponsor's.
  if (HasMaintainerAssets(KindCode(ctx.sheets), SubKindCode(ctx.sheets))) {
    WriteAssetSheet(ctx, own, "S");
    WriteAssetSheet(ctx, ctx.Sheet(SheetId::AtivosVinculadosMantenedor), "N");
  } else {
    WriteAssetSheet(ctx, own, Text());
  }
}

}  // namespace voske
