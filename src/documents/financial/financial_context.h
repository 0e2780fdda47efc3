#pragma once
// What every section writer of the financial document works with.
#include "documents/build_context.h"
#include "documents/envelope.h"

namespace voske {

struct FinancialContext : BuildContext {
  int year;  // the reference year (ReferenceYear)
};

}  // namespace voske
