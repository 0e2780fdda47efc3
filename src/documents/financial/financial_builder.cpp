// The financial document: the identification block, the sections in their
// fixed order, and the epilogue. Any failure ends the document with one
// message that names it and quotes the cause; nothing is saved then, since
// the file is only written by the last step.
#include "documents/financial/financial_builder.h"

#include <memory>

#include "documents/financial/financial_context.h"
#include "documents/financial/financial_sections.h"
#include "documents/operator_cells.h"
#include "documents/financial/year_schedules.h"
#include "text/cp1252.h"

namespace voske {

void BuildFinancialDocument(const DocumentContext& ctx) {
  BuildOrFail(DocumentKind::Financeiro, [&] {
    std::unique_ptr<TXMLGenerator> gen = OpenDocument(DocumentKind::Financeiro, ctx);
    FinancialContext fin{{ctx.sheets, *gen, ctx.frontEnd}, ReferenceYear(ctx.sheets)};
    WriteTrialBalance(fin);
    WriteLinkedAssets(fin);
    WriteCashFlow(fin);
    WriteBalanceAgeing(fin);
    WriteProfitOrLoss(fin);
    WriteSolvencyInformation(fin);
    WriteYearSchedules(fin);
    CloseDocument(*gen, DocumentKind::Financeiro, ctx);
  });
}

}  // namespace voske
