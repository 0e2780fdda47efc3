// oxr:intercambio: what the operator has to receive from, and to pay to, other
// operators and, from 2011 on, counterparts that are not operators.
#include "documents/financial/schedule_rules.h"
#include "documents/financial/year_schedule_sections.h"
#include "text/cp1252.h"

namespace voske {
namespace {

const char* const kSheet = "Intercâmbio";
const char* const kStatus = "Gerando Intercâmbio";

// Operators' columns of both layouts.
constexpr int kReceiveOperator = 1, kReceiveOperatorAmount = 2;
constexpr int kPayOperator = 3, kPayOperatorAmount = 4;
// Non-operators' columns, from 2011 on.
constexpr int kReceiveOther = 5, kReceiveOtherAmount = 6;
constexpr int kPayOther = 7, kPayOtherAmount = 8;

void WriteOperatorEntries(TXMLGenerator& gen, const char* list, const char* entry, const WorksheetArray& w,
                          int firstRow, int keyColumn, int amountColumn) {
  WriteLedgerList(gen, list, entry, w, firstRow, keyColumn, [&](int row) {
    WriteOperatorRegistration(gen, w, row, keyColumn);
    WriteAmount(gen, "oxr:saldoIntercambio", w, row, amountColumn);
  });
}

void WriteNonOperatorEntries(TXMLGenerator& gen, const char* list, const char* entry, const WorksheetArray& w,
                             int firstRow, int keyColumn, int amountColumn) {
  WriteLedgerList(gen, list, entry, w, firstRow, keyColumn, [&](int row) {
    WriteNonOperatorCnpj(gen, w, row, keyColumn);
    WriteAmount(gen, "oxr:saldoIntercambio", w, row, amountColumn);
  });
}

// 2010: operators only, data from row 5.
void WriteInterchange2010(TXMLGenerator& gen, const WorksheetArray& w) {
  constexpr int first = 5;
  const bool receive = !IsBlankCell(w, first, kReceiveOperator);
  const bool pay = !IsBlankCell(w, first, kPayOperator);
  if (!receive && !pay) return;
  gen.ReturnTo(kFinancialRoot);
  gen.AddElement("oxr:intercambio");
  if (receive) {
    gen.AddElement("oxr:intercambioAReceber");
    WriteOperatorEntries(gen, "oxr:intercambioAReceber", "oxr:lancIntercambioReceber", w, first, kReceiveOperator,
                         kReceiveOperatorAmount);
  }
  if (pay) {
    gen.ReturnTo("oxr:intercambio");
    gen.AddElement("oxr:intercambioAPagar");
    WriteOperatorEntries(gen, "oxr:intercambioAPagar", "oxr:lancIntercambioPagar", w, first, kPayOperator,
                         kPayOperatorAmount);
  }
}

// From 2011: data from row 6; each list holds the operators' rows first,
// then the non-operators' rows.
void WriteInterchangeFrom2011(TXMLGenerator& gen, const WorksheetArray& w) {
  constexpr int first = 6;
  const bool receive = !IsBlankCell(w, first, kReceiveOperator) || !IsBlankCell(w, first, kReceiveOther);
  const bool pay = !IsBlankCell(w, first, kPayOperator) || !IsBlankCell(w, first, kPayOther);
  if (!receive && !pay) return;
  gen.ReturnTo(kFinancialRoot);
  gen.AddElement("oxr:intercambio");
  if (receive) {
    gen.AddElement("oxr:intercambioAReceber");
    WriteOperatorEntries(gen, "oxr:intercambioAReceber", "oxr:lancIntercambioReceber", w, first, kReceiveOperator,
                         kReceiveOperatorAmount);
    WriteNonOperatorEntries(gen, "oxr:intercambioAReceber", "oxr:lancIntercambioReceber", w, first, kReceiveOther,
                            kReceiveOtherAmount);
  }
  if (pay) {
    gen.ReturnTo("oxr:intercambio");
    gen.AddElement("oxr:intercambioAPagar");
    WriteOperatorEntries(gen, "oxr:intercambioAPagar", "oxr:lancIntercambioPagar", w, first, kPayOperator,
                         kPayOperatorAmount);
    WriteNonOperatorEntries(gen, "oxr:intercambioAPagar", "oxr:lancIntercambioPagar", w, first, kPayOther,
                            kPayOtherAmount);
  }
}

}  // namespace

void WriteInterchange(FinancialContext& ctx) {
  ScheduleStatus(ctx, kStatus);
  const WorksheetArray& w = ctx.sheets[Ansi(kSheet)];
  if (ctx.year == 2010)
    WriteInterchange2010(ctx.gen, w);
  else
    WriteInterchangeFrom2011(ctx.gen, w);
}

}  // namespace voske
