// oxr:contaTributoPassivo: the operator's tax liabilities, from the second
// table of "IN_20" (rows 63 to 76), one entry per filled row.
#include "documents/cell_date.h"
#include "documents/financial/schedule_rules.h"
#include "documents/financial/year_schedule_sections.h"
#include "text/cp1252.h"
#include "values/converters.h"

namespace voske {
namespace {

const char* const kSheet = "IN_20";

constexpr int kFirstRow = 63, kLastRow = 76;
constexpr int kCode = 1;  // the key of a row
constexpr std::size_t kCodeLength = 20;

void WriteTaxLiabilityEntry(TXMLGenerator& gen, const WorksheetArray& w, int row) {
  gen.ReturnTo("oxr:contaTributoPassivo");
  gen.AddElement("oxr:lancContaTributoPassivo");
  gen.AddTextElement("oxr:codigo", CleanText(w.TextAt(row, kCode).substr(0, kCodeLength)));
  gen.AddTextElement("oxr:dtCompetencia", DateAt(w, row, 2));
  WriteAmount(gen, "oxr:valorInicialTrim", w, row, 3);
  WriteAmount(gen, "oxr:valorPagoTrim", w, row, 4);
  WriteAmount(gen, "oxr:valorAtualMone", w, row, 5);
  WriteAmount(gen, "oxr:valorSaldoFinalTrim", w, row, 6);
}

}  // namespace

// Any filled row counts: liabilities typed from the second row on are not lost
// for an empty first row.
bool HasTaxLiabilities(const FinancialContext& ctx) {
  const WorksheetArray& w = ctx.sheets[Ansi(kSheet)];
  for (int row = kFirstRow; row <= kLastRow; ++row)
    if (!IsBlankCell(w, row, kCode)) return true;
  return false;
}

void WriteTaxLiabilities(FinancialContext& ctx) {
  const WorksheetArray& w = ctx.sheets[Ansi(kSheet)];
  TXMLGenerator& gen = ctx.gen;
  gen.ReturnTo(kFinancialRoot);
  gen.AddElement("oxr:contaTributoPassivo");
  // A key of blanks only is no entry, as HasTaxLiabilities sees it.
  for (int row = kFirstRow; row <= kLastRow; ++row)
    if (!IsBlankCell(w, row, kCode)) WriteTaxLiabilityEntry(gen, w, row);
}

}  // namespace voske
