#pragma once
// The sections of the financial document that every reference year carries,
// in document order. Each starts from the root and leaves the generator
// inside its own section; the next one climbs back to the root.
#include "documents/financial/financial_context.h"

namespace voske {

// oxr:balancete: the period start and the four trial-balance sheets.
void WriteTrialBalance(FinancialContext& ctx);
// oxr:ativoVinculado: investments and real estate, with the maintainer's
// sheet for self-managed operators that have one.
void WriteLinkedAssets(FinancialContext& ctx);
// oxr:fluxoCaixa: the 33 fixed lines of the cash-flow statement.
void WriteCashFlow(FinancialContext& ctx);
// oxr:idadeSaldo: payables and receivables by age, laid out by year.
void WriteBalanceAgeing(FinancialContext& ctx);
// oxr:lucrosPrejuizos: the eight lines of the appropriation of profit or loss.
void WriteProfitOrLoss(FinancialContext& ctx);
// oxr:informacoesSolvencia: the insurer's or the operator's form.
void WriteSolvencyInformation(FinancialContext& ctx);

}  // namespace voske
