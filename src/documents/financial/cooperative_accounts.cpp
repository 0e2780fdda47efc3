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

const char* const kSheet = "IN_20";

struct TaxBlock {
  int firstRow;
  int lastRow;
  const char* tipoImposto;
};
constexpr TaxBlock kBlocks[] = {{5, 16, "DIF"}, {18, 29, "DIE"}, {31, 42, "DIM"}, {44, 55, "DOT"}};

constexpr int kName = 2;  // the key of a row
constexpr std::size_t kNameLength = 100;

void WriteDate(TXMLGenerator& gen, const char* element, const WorksheetArray& w, int row, int column) {
  gen.AddTextElement(element, DateAt(w, row, column));
}

// The optional leaves are left out when their cell is empty.
void WriteOptionalDate(TXMLGenerator& gen, const char* element, const WorksheetArray& w, int row, int column) {
  if (!IsEmptyCell(w, row, column)) WriteDate(gen, element, w, row, column);
}

// Instalment counts go as typed, with no conversion.
void WriteOptionalCount(TXMLGenerator& gen, const char* element, const WorksheetArray& w, int row, int column) {
  if (!IsEmptyCell(w, row, column)) gen.AddTextElement(element, w.TextAt(row, column));
}

void WriteCooperativeEntry(TXMLGenerator& gen, const WorksheetArray& w, int row, const char* tipoImposto) {
  gen.ReturnTo("oxr:contaCorrenteCooperado");
  gen.AddElement("oxr:lancContaCorrenteCooperado");
  gen.AddTextElement("oxr:tipoImposto", tipoImposto);
  gen.AddTextElement("oxr:nomeImposto", CleanText(w.TextAt(row, kName).substr(0, kNameLength)));
  WriteDate(gen, "oxr:dataCompetencia", w, row, 3);
  WriteOptionalDate(gen, "oxr:dataAdesaoRefis", w, row, 4);
  WriteOptionalCount(gen, "oxr:qtdeParcelas", w, row, 5);
  WriteAmount(gen, "oxr:valorTotalFinanciado", w, row, 6);
  WriteAmount(gen, "oxr:valorTotalPago", w, row, 7);
  WriteAmount(gen, "oxr:valorSaldoTrim", w, row, 8);
  WriteOptionalCount(gen, "oxr:qtdeParcelasDevidas", w, row, 9);
  WriteAmount(gen, "oxr:valorPagoTrim", w, row, 10);
  WriteOptionalCount(gen, "oxr:qtdeParcelasPagas", w, row, 11);
  WriteAmount(gen, "oxr:valorAtualMone", w, row, 12);
  WriteAmount(gen, "oxr:valorSaldoFinalTrim", w, row, 13);
}

}  // namespace

// Any filled row of any block counts: an operator that owes no tax of the
// first kind still has its other entries written.
bool HasCooperativeAccounts(const FinancialContext& ctx) {
  const WorksheetArray& w = ctx.sheets[Ansi(kSheet)];
  for (const TaxBlock& block : kBlocks)
    for (int row = block.firstRow; row <= block.lastRow; ++row)
      if (!IsBlankCell(w, row, kName)) return true;
  return false;
}

// Unlike the ledger lists, an empty row does not end a block: every row of
// every block is examined and the empty ones are passed over.
void WriteCooperativeAccounts(FinancialContext& ctx) {
  const WorksheetArray& w = ctx.sheets[Ansi(kSheet)];
  TXMLGenerator& gen = ctx.gen;
  gen.ReturnTo(kFinancialRoot);
  gen.AddElement("oxr:contaCorrenteCooperado");
  for (const TaxBlock& block : kBlocks)
    for (int row = block.firstRow; row <= block.lastRow; ++row)
      // A key of blanks only is no entry, as HasCooperativeAccounts sees it.
      if (!IsBlankCell(w, row, kName)) WriteCooperativeEntry(gen, w, row, block.tipoImposto);
}

}  // namespace voske
