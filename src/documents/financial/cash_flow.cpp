// oxr:fluxoCaixa: the cash-flow statement is a form with fixed lines in three
// blocks (operating, investing and financing activities). Every line is
// written, filled or not, with its account code from A and amount from C.
#include "documents/financial/financial_sections.h"
#include "documents/financial/financial_values.h"
#include "documents/financial/schedule_rules.h"

namespace voske {

namespace {

struct RowBlock {
  int first;
  int last;
};
constexpr RowBlock kCashFlowBlocks[] = {{5, 16}, {20, 29}, {33, 43}};

}  // namespace

void WriteCashFlow(FinancialContext& ctx) {
  static const Text kSection = "oxr:fluxoCaixa";
  static const Text kRoot = "oxr:voskeFinanc";
  ScheduleStatus(ctx, "Gerando Fluxo de caixa");
  ctx.gen.ReturnTo(kRoot);
  ctx.gen.AddElement(kSection);

  const WorksheetArray& sheet = ctx.sheets["Fluxo De Caixa"];
  for (const RowBlock& block : kCashFlowBlocks) {
    for (int row = block.first; row <= block.last; ++row) {
      ctx.gen.AddElement("oxr:lancFluxoCaixa", false, kSection);
      ctx.gen.AddTextElement("oxr:conta", UpperAscii(sheet.TextAt(row, 1)), CellOrigin{"Fluxo De Caixa", row, 1});
      WriteAmount(ctx.gen, "oxr:valor", AmountOf(sheet.At(row, 3)), CellOrigin{"Fluxo De Caixa", row, 3});
    }
  }
}

}  // namespace voske
