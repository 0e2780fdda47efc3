#pragma once
// The sections that follow the solvency information and depend on the
// reference year: interchange, co-responsibility, provisions, stipulated
// contracts, assistance-coverage events, eventual interchange, cooperative
// accounts and tax liabilities, each written only for the years that carry it.
#include "documents/financial/financial_context.h"

namespace voske {

// Writes them in document order, each returning to the root first.
void WriteYearSchedules(FinancialContext& ctx);

}  // namespace voske
