// oxr:lucrosPrejuizos: the appropriation of profit or loss, eight fixed lines
// of account code (A) and amount (C), all written whether filled or not.
#include "documents/financial/financial_sections.h"
#include "documents/financial/financial_values.h"
#include "documents/financial/schedule_rules.h"
#include "text/cp1252.h"

namespace voske {

void WriteProfitOrLoss(FinancialContext& ctx) {
  static const Text kProfitSection = "oxr:lucrosPrejuizos";
  ScheduleStatus(ctx, "Gerando Lucros ou Prejuízos");
  ctx.gen.ReturnTo(kFinancialRoot);
  ctx.gen.AddElement(kProfitSection);

  const SheetView sheet = ctx.Sheet(SheetId::LucrosOuPrejuizos);
  for (int row = 5; row <= 12; ++row) {
    ctx.gen.AddElement("oxr:lucroPrejuizo", false, kProfitSection);
    ctx.gen.AddTextElement("oxr:conta", UpperAscii(sheet.TextAt(row, Col('A'))), OriginOf(sheet, row, Col('A')));
    WriteAmount(ctx.gen, "oxr:valor", sheet.At(row, Col('C')), OriginOf(sheet, row, Col('C')));
  }
}

}  // namespace voske
