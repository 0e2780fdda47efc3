// oxr:lucrosPrejuizos: the appropriation of profit or loss, eight fixed lines
// of account code (A) and amount (C), all written whether filled or not.
#include "documents/financial/financial_sections.h"
#include "documents/financial/financial_values.h"
#include "documents/financial/schedule_rules.h"
#include "text/cp1252.h"

namespace voske {

void WriteProfitOrLoss(FinancialContext& ctx) {
  static const Text kSection = "oxr:lucrosPrejuizos";
  ScheduleStatus(ctx, "Gerando Lucros ou Prejuízos");
  ctx.gen.ReturnTo("oxr:voskeFinanc");
  ctx.gen.AddElement(kSection);

  const Text sheetName = Ansi("Lucros ou Prejuízos");
  const WorksheetArray& sheet = ctx.sheets[sheetName];
  for (int row = 5; row <= 12; ++row) {
    ctx.gen.AddElement("oxr:lucroPrejuizo", false, kSection);
    ctx.gen.AddTextElement("oxr:conta", UpperAscii(sheet.TextAt(row, 1)), CellOrigin{sheetName, row, 1});
    WriteAmount(ctx.gen, "oxr:valor", AmountOf(sheet.At(row, 3)), CellOrigin{sheetName, row, 3});
  }
}

}  // namespace voske
