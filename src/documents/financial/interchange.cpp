// oxr:intercambio: what the operator has to receive from, and to pay to, other
// operators and, from 2011 on, counterparts that are not operators.
#include "documents/financial/schedule_rules.h"
#include "documents/financial/year_schedule_sections.h"
#include "text/cp1252.h"

namespace voske {
namespace {

const char* const kInterchangeStatus = "Gerando Intercâmbio";

// One side of the worksheet: its list element, its entry element, and the
// columns of its operators and (from 2011 on) its non-operators.
struct Side {
  const char* list;
  const char* entry;
  int operatorColumn, operatorAmount;
  int otherColumn, otherAmount;
};
constexpr Side kReceive{"oxr:intercambioAReceber", "oxr:lancIntercambioReceber",
                        Col('A'), Col('B'), Col('E'), Col('F')};
constexpr Side kPay{"oxr:intercambioAPagar", "oxr:lancIntercambioPagar",
                    Col('C'), Col('D'), Col('G'), Col('H')};

// 2010: operators only, data from row 5. From 2011: data from row 6, and
// each list holds the operators' rows first, then the non-operators' rows.
struct Layout {
  int firstRow;
  bool nonOperators;
};

bool HasInterchangeEntries(const SheetView& w, const Layout& layout, const Side& side) {
  return !IsBlankCell(w, layout.firstRow, side.operatorColumn) ||
         (layout.nonOperators && !IsBlankCell(w, layout.firstRow, side.otherColumn));
}

void WriteSide(TXMLGenerator& gen, const SheetView& w, const Layout& layout, const Side& side) {
  gen.AddElement(side.list);
  WriteOperatorBalances(gen, side.list, side.entry, w, layout.firstRow, side.operatorColumn, side.operatorAmount);
  if (!layout.nonOperators) return;
  WriteLedgerList(gen, side.list, side.entry, w, layout.firstRow, side.otherColumn, [&](int row) {
    WriteNonOperatorCnpj(gen, w, row, side.otherColumn);
    WriteAmount(gen, "oxr:saldoIntercambio", w, row, side.otherAmount);
  });
}

}  // namespace

void WriteInterchange(FinancialContext& ctx) {
  ScheduleStatus(ctx, kInterchangeStatus);
  const SheetView w = ctx.Sheet(SheetId::Intercambio);
  const Layout layout = ctx.year == 2010 ? Layout{5, false} : Layout{6, true};
  const bool receive = HasInterchangeEntries(w, layout, kReceive);
  const bool pay = HasInterchangeEntries(w, layout, kPay);
  if (!receive && !pay) return;
  TXMLGenerator& gen = ctx.gen;
  gen.ReturnTo(kFinancialRoot);
  gen.AddElement("oxr:intercambio");
  if (receive) WriteSide(gen, w, layout, kReceive);
  if (pay) {
    gen.ReturnTo("oxr:intercambio");
    WriteSide(gen, w, layout, kPay);
  }
}

}  // namespace voske
