#include "documents/financial/year_schedules.h"

#include "documents/financial/schedule_rules.h"
#include "documents/financial/year_schedule_sections.h"

namespace voske {

// The same year conditions decided which worksheets were loaded, so no
// section reads a worksheet of a year that does not carry it.
void WriteYearSchedules(FinancialContext& ctx) {
  const int year = ctx.year;
  if (year >= 2010) WriteInterchange(ctx);
  if (year >= 2011 && year <= 2012) WriteCoResponsibility(ctx);
  if (year >= 2011) WriteProvisions(ctx);
  if (year >= 2012) WriteStipulatedContracts(ctx);
  if (year >= 2013) {
    WriteCoverageEvents(ctx);
    WriteEventualInterchange(ctx);
    const bool cooperative = HasCooperativeAccounts(ctx);
    const bool tax = HasTaxLiabilities(ctx);
    if (cooperative || tax) ScheduleStatus(ctx, "IN_20");
    if (cooperative) WriteCooperativeAccounts(ctx);
    if (tax) WriteTaxLiabilities(ctx);
  }
}

}  // namespace voske
