#pragma once
// The sections that follow the solvency information and depend on the
// reference year: interchange, co-responsibility, provisions, stipulated
// contracts, assistance-coverage events, eventual interchange, cooperative
// accounts and tax liabilities, each written only for the years that carry it.
//
// One table says, for each of them, which worksheets it reads and which years
// carry it. The generation reads a year's worksheets from it and the builder
// writes a year's sections from it, so no section ever reads a worksheet that
// was not loaded.
#include <vector>

#include "documents/financial/financial_context.h"
#include "workbook/sheet_names.h"

namespace voske {

struct YearSection {
  const char* elements;         // what it writes, as the document names it
  std::vector<SheetId> sheets;  // the worksheets it reads, in load order
  int firstYear;
  int lastYear;                 // kEveryLaterYear when no year ends it
  void (*write)(FinancialContext& ctx);

  bool Carried(int year) const { return year >= firstYear && year <= lastYear; }
};

inline constexpr int kEveryLaterYear = 9999;

// The sections in document order.
const std::vector<YearSection>& YearSections();

// The worksheets the sections of `year` read, in the order they are written.
std::vector<SheetId> YearSheets(int year);

// Writes the sections of ctx.year in document order, each returning to the
// root first.
void WriteYearSchedules(FinancialContext& ctx);

}  // namespace voske
