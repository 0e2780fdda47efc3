// oxr:contratosEstipulados: contracts stipulated with other operators. Every
// pair of registration number and value goes into one single
// oxr:lancContratoEstipulado, in row order; no element is opened per row.
#include "documents/financial/schedule_rules.h"
#include "documents/financial/year_schedule_sections.h"
#include "text/cp1252.h"

namespace voske {
namespace {

const char* const kStipulatedStatus = "Contratos Estipulados";

constexpr int kStipulatedFirstRow = 6;
constexpr int kOperator = Col('A'), kValue = Col('B');

}  // namespace

void WriteStipulatedContracts(FinancialContext& ctx) {
  const SheetView w = ctx.Sheet(SheetId::ContratosEstipulados);
  if (IsBlankCell(w, kStipulatedFirstRow, kOperator)) return;
  ScheduleStatus(ctx, kStipulatedStatus);
  TXMLGenerator& gen = ctx.gen;
  gen.ReturnTo(kFinancialRoot);
  gen.AddElement("oxr:contratosEstipulados");
  gen.AddElement("oxr:lancContratoEstipulado");
  for (int row = kStipulatedFirstRow; !IsBlankCell(w, row, kOperator); ++row) {
    WriteOperatorRegistration(gen, w, row, kOperator);
    WriteAmount(gen, "oxr:valorContratoEstipulado", w, row, kValue);
  }
}

}  // namespace voske
