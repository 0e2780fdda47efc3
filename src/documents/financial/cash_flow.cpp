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
  ScheduleStatus(ctx, "Gerando Fluxo de caixa");
  ctx.gen.ReturnTo(kFinancialRoot);
  ctx.gen.AddElement(kSection);

  const SheetView sheet = ctx.Sheet(SheetId::FluxoDeCaixa);
  for (const RowBlock& block : kCashFlowBlocks) {
    for (int row = block.first; row <= block.last; ++row) {
      ctx.gen.AddElement("oxr:lancFluxoCaixa", false, kSection);
      ctx.gen.AddTextElement("oxr:conta", UpperAscii(sheet.TextAt(row, Col('A'))), OriginOf(sheet, row, Col('A')));
      WriteAmount(ctx.gen, "oxr:valor", sheet.At(row, Col('C')), OriginOf(sheet, row, Col('C')));
    }
  }
}

}  // namespace voske
