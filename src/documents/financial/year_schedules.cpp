#include "documents/financial/year_schedules.h"

#include "documents/financial/schedule_rules.h"
#include "documents/financial/year_schedule_sections.h"

namespace voske {

namespace {

// The two tables of "IN_20" share one status line, written when either has
// entries.
void WriteIn20Tables(FinancialContext& ctx) {
  const bool cooperative = HasCooperativeAccounts(ctx);
  const bool tax = HasTaxLiabilities(ctx);
  if (cooperative || tax) ScheduleStatus(ctx, "IN_20");
  if (cooperative) WriteCooperativeAccounts(ctx);
  if (tax) WriteTaxLiabilities(ctx);
}

}  // namespace

const std::vector<YearSection>& YearSections() {
  using enum SheetId;
  static const std::vector<YearSection> sections = {
      {"oxr:intercambio", {Intercambio}, 2010, kEveryLaterYear, WriteInterchange},
      {"oxr:corresponsabilidade", {Corresponsabilidade}, 2011, 2012, WriteCoResponsibility},
      {"oxr:segProvEventosSinistrosLiq", {Provisao}, 2011, kEveryLaterYear, WriteProvisions},
      {"oxr:contratosEstipulados", {ContratosEstipulados}, 2012, kEveryLaterYear, WriteStipulatedContracts},
      {"oxr:coberturaAssistencial", {QuadrosAuxiliaresEventos}, 2013, kEveryLaterYear, WriteCoverageEvents},
      {"oxr:intercambioEventual", {IntercambioEventualReceber, IntercambioEventualPagar}, 2013, kEveryLaterYear,
       WriteEventualInterchange},
      {"oxr:contaCorrenteCooperado, oxr:contaTributoPassivo", {In20}, 2013, kEveryLaterYear, WriteIn20Tables},
  };
  return sections;
}

std::vector<SheetId> YearSheets(int year) {
  std::vector<SheetId> sheets;
  for (const YearSection& section : YearSections())
    if (section.Carried(year)) sheets.insert(sheets.end(), section.sheets.begin(), section.sheets.end());
  return sheets;
}

void WriteYearSchedules(FinancialContext& ctx) {
  for (const YearSection& section : YearSections())
    if (section.Carried(ctx.year)) section.write(ctx);
}

}  // namespace voske
