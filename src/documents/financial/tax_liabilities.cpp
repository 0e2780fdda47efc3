// oxr:contaTributoPassivo: the operator's tax liabilities, from the second
// table of "IN_20" (rows 63 to 76), one entry per filled row.
#include "documents/cell_date.h"
#include "documents/financial/schedule_rules.h"
#include "documents/financial/year_schedule_sections.h"
#include "text/cp1252.h"
#include "values/converters.h"

namespace voske {
namespace {


constexpr int kTaxFirstRow = 63, kTaxLastRow = 76;
constexpr int kCode = Col('A');  // the key of a row
constexpr std::size_t kCodeLength = 20;

void WriteTaxLiabilityEntry(TXMLGenerator& gen, const SheetView& w, int row) {
  gen.ReturnTo("oxr:contaTributoPassivo");
  gen.AddElement("oxr:lancContaTributoPassivo");
  gen.AddTextElement("oxr:codigo", CleanText(w.TextAt(row, kCode).substr(0, kCodeLength)), OriginOf(w, row, kCode));
  gen.AddTextElement("oxr:dtCompetencia", DateAt(w, row, Col('B')), OriginOf(w, row, Col('B')));
  WriteAmount(gen, "oxr:valorInicialTrim", w, row, Col('C'));
  WriteAmount(gen, "oxr:valorPagoTrim", w, row, Col('D'));
  WriteAmount(gen, "oxr:valorAtualMone", w, row, Col('E'));
  WriteAmount(gen, "oxr:valorSaldoFinalTrim", w, row, Col('F'));
}

}  // namespace

// Any filled row counts: liabilities typed from the second row on are not lost
// for an empty first row.
bool HasTaxLiabilities(const FinancialContext& ctx) {
  const SheetView w = ctx.Sheet(SheetId::In20);
  for (int row = kTaxFirstRow; row <= kTaxLastRow; ++row)
    if (!IsBlankCell(w, row, kCode)) return true;
  return false;
}

void WriteTaxLiabilities(FinancialContext& ctx) {
  const SheetView w = ctx.Sheet(SheetId::In20);
  TXMLGenerator& gen = ctx.gen;
  gen.ReturnTo(kFinancialRoot);
  gen.AddElement("oxr:contaTributoPassivo");
  // A key of blanks only is no entry, as HasTaxLiabilities sees it.
  for (int row = kTaxFirstRow; row <= kTaxLastRow; ++row)
    if (!IsBlankCell(w, row, kCode)) WriteTaxLiabilityEntry(gen, w, row);
}

}  // namespace voske
