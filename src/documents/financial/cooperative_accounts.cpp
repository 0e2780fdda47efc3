// oxr:contaCorrenteCooperado: the taxes a cooperative operator owes on its
// members' current accounts, with the state of any instalment programme. The
// first table of "IN_20" has four fixed blocks of twelve rows, one per kind of
// tax; the row between two blocks is a heading and is never read.
#include "documents/cell_date.h"
#include "documents/financial/schedule_rules.h"
#include "documents/financial/year_schedule_sections.h"
#include "text/cp1252.h"
#include "values/converters.h"

namespace voske {
namespace {


struct TaxBlock {
  int firstRow;
  int lastRow;
  const char* tipoImposto;
};
constexpr TaxBlock kTaxBlocks[] = {{5, 16, "DIF"}, {18, 29, "DIE"}, {31, 42, "DIM"}, {44, 55, "DOT"}};

constexpr int kName = Col('B');  // the key of a row
constexpr std::size_t kNameLength = 100;

void WriteDate(TXMLGenerator& gen, const char* element, const SheetView& w, int row, int column) {
  gen.AddTextElement(element, DateAt(w, row, column), OriginOf(w, row, column));
}

// The optional leaves are left out when their cell is empty.
void WriteOptionalDate(TXMLGenerator& gen, const char* element, const SheetView& w, int row, int column) {
  if (!IsEmptyCell(w, row, column)) WriteDate(gen, element, w, row, column);
}

// Instalment counts go as typed, with no conversion.
void WriteOptionalCount(TXMLGenerator& gen, const char* element, const SheetView& w, int row, int column) {
  if (!IsEmptyCell(w, row, column)) gen.AddTextElement(element, w.TextAt(row, column), OriginOf(w, row, column));
}

void WriteCooperativeEntry(TXMLGenerator& gen, const SheetView& w, int row, const char* tipoImposto) {
  gen.ReturnTo("oxr:contaCorrenteCooperado");
  gen.AddElement("oxr:lancContaCorrenteCooperado");
  gen.AddTextElement("oxr:tipoImposto", tipoImposto);
  gen.AddTextElement("oxr:nomeImposto", CleanText(w.TextAt(row, kName).substr(0, kNameLength)),
                     OriginOf(w, row, kName));
  WriteDate(gen, "oxr:dataCompetencia", w, row, Col('C'));
  WriteOptionalDate(gen, "oxr:dataAdesaoRefis", w, row, Col('D'));
  WriteOptionalCount(gen, "oxr:qtdeParcelas", w, row, Col('E'));
  WriteAmount(gen, "oxr:valorTotalFinanciado", w, row, Col('F'));
  WriteAmount(gen, "oxr:valorTotalPago", w, row, Col('G'));
  WriteAmount(gen, "oxr:valorSaldoTrim", w, row, Col('H'));
  WriteOptionalCount(gen, "oxr:qtdeParcelasDevidas", w, row, Col('I'));
  WriteAmount(gen, "oxr:valorPagoTrim", w, row, Col('J'));
  WriteOptionalCount(gen, "oxr:qtdeParcelasPagas", w, row, Col('K'));
  WriteAmount(gen, "oxr:valorAtualMone", w, row, Col('L'));
  WriteAmount(gen, "oxr:valorSaldoFinalTrim", w, row, Col('M'));
}

}  // namespace

// Any filled row of any block counts: an operator that owes no tax of the
// first kind still has its other entries written.
bool HasCooperativeAccounts(const FinancialContext& ctx) {
  const SheetView w = ctx.Sheet(SheetId::In20);
  for (const TaxBlock& block : kTaxBlocks)
    for (int row = block.firstRow; row <= block.lastRow; ++row)
      if (!IsBlankCell(w, row, kName)) return true;
  return false;
}

// Unlike the ledger lists, an empty row does not end a block: every row of
// every block is examined and the empty ones are passed over.
void WriteCooperativeAccounts(FinancialContext& ctx) {
  const SheetView w = ctx.Sheet(SheetId::In20);
  TXMLGenerator& gen = ctx.gen;
  gen.ReturnTo(kFinancialRoot);
  gen.AddElement("oxr:contaCorrenteCooperado");
  for (const TaxBlock& block : kTaxBlocks)
    for (int row = block.firstRow; row <= block.lastRow; ++row)
      // A key of blanks only is no entry, as HasCooperativeAccounts sees it.
      if (!IsBlankCell(w, row, kName)) WriteCooperativeEntry(gen, w, row, block.tipoImposto);
}

}  // namespace voske
