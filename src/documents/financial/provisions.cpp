// oxr:segProvEventosSinistrosLiq: claims incurred but not yet settled, split at
// the settlement horizon the operator chose (30 or 60 days).
#include "documents/financial/schedule_rules.h"
#include "documents/financial/year_schedule_sections.h"
#include "text/cp1252.h"

namespace voske {
namespace {

const char* const kProvisionsStatus = "Gerando Provisão";

}  // namespace

// Written for every year that carries it, even from an empty worksheet, so
// the regulator always receives both amounts.
void WriteProvisions(FinancialContext& ctx) {
  ScheduleStatus(ctx, kProvisionsStatus);
  const SheetView w = ctx.Sheet(SheetId::Provisao);
  TXMLGenerator& gen = ctx.gen;
  gen.ReturnTo(kFinancialRoot);
  gen.AddElement("oxr:segProvEventosSinistrosLiq");
  // Only the exact text "30" picks the 30-day form; anything else, an empty
  // cell included, is the 60-day form.
  if (w.TextAt(4, Col('C')) == "30")
    gen.AddElement("oxr:ProvEventosSinistrosLiq30");
  else
    gen.AddElement("oxr:ProvEventosSinistrosLiq60");
  WriteAmount(gen, "oxr:EventoSinistrosAte", w, 4, Col('D'));
  WriteAmount(gen, "oxr:EventoSinistrosPos", w, 5, Col('D'));
}

}  // namespace voske
