// oxr:corresponsabilidade: risk the operator assumed from, and transferred to,
// other operators. Its balances go in oxr:saldoIntercambio, as interchange's do.
#include "documents/financial/schedule_rules.h"
#include "documents/financial/year_schedule_sections.h"
#include "text/cp1252.h"

namespace voske {
namespace {

const char* const kCoResponsibilityStatus = "Gerando Corresponsabilidade";

constexpr int kCoResponsibilityFirstRow = 6;
constexpr int kAssumedOperator = Col('A'), kAssumedAmount = Col('B');
constexpr int kTransferredOperator = Col('C'), kTransferredAmount = Col('D');

}  // namespace

void WriteCoResponsibility(FinancialContext& ctx) {
  ScheduleStatus(ctx, kCoResponsibilityStatus);
  const SheetView w = ctx.Sheet(SheetId::Corresponsabilidade);
  const bool assumed = !IsBlankCell(w, kCoResponsibilityFirstRow, kAssumedOperator);
  const bool transferred = !IsBlankCell(w, kCoResponsibilityFirstRow, kTransferredOperator);
  if (!assumed && !transferred) return;

  TXMLGenerator& gen = ctx.gen;
  gen.ReturnTo(kFinancialRoot);
  gen.AddElement("oxr:corresponsabilidade");
  if (assumed) {
    gen.AddElement("oxr:corresponsabilidadeAssumida");
    WriteOperatorBalances(gen, "oxr:corresponsabilidadeAssumida", "oxr:lancCorresponsabilidadeAssumida", w, kCoResponsibilityFirstRow,
                          kAssumedOperator, kAssumedAmount);
  }
  if (transferred) {
    gen.ReturnTo("oxr:corresponsabilidade");
    gen.AddElement("oxr:corresponsabilidadeTransferida");
    WriteOperatorBalances(gen, "oxr:corresponsabilidadeTransferida", "oxr:lancCorresponsabilidadeTransferida", w,
                          kCoResponsibilityFirstRow, kTransferredOperator, kTransferredAmount);
  }
}

}  // namespace voske
