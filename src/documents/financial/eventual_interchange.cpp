// oxr:intercambioEventual: what the operator has to receive from, and to pay
// to, other operators for care given now and then to each other's members,
// split by cover ("H" medical, "O" dental), each entry with its due date, plus
// the amounts still to be invoiced.
#include "documents/cell_date.h"
#include "documents/financial/schedule_rules.h"
#include "documents/financial/year_schedule_sections.h"
#include "text/cp1252.h"
#include "values/converters.h"

namespace voske {
namespace {

const char* const kReceivableStatus = "Intercambio Eventual Receber";
const char* const kPayableStatus = "Intercambio Eventual Pagar";

constexpr int kReceivableFirstRow = 6;
constexpr int kPayableFirstRow = 5;

// Each cover has its own three columns: operator, amount, due date.
struct CoverColumns {
  const char* cover;
  int operatorColumn;
  int amountColumn;
  int dueDateColumn;
};
constexpr CoverColumns kMedical{"H", Col('A'), Col('B'), Col('C')};
constexpr CoverColumns kDental{"O", Col('E'), Col('F'), Col('G')};

// Amounts still to invoice, per cover, on row 4 of the receivables.
constexpr int kToInvoiceRow = 4;

void WriteDueDate(TXMLGenerator& gen, const SheetView& w, int row, int column) {
  gen.AddTextElement("oxr:dataVencimento", w.TextAt(row, column).empty() ? Text() : DateAt(w, row, column),
                     OriginOf(w, row, column));
}

void WriteCoverEntries(TXMLGenerator& gen, const char* list, const char* entry, const SheetView& w,
                       int firstRow, const CoverColumns& cols) {
  WriteLedgerList(gen, list, entry, w, firstRow, cols.operatorColumn, [&](int row) {
    WriteOperatorRegistration(gen, w, row, cols.operatorColumn);
    WriteAmount(gen, "oxr:saldoIntercambio", w, row, cols.amountColumn);
    gen.AddTextElement("oxr:tipoCobertura", cols.cover);
    WriteDueDate(gen, w, row, cols.dueDateColumn);
  });
}

void WriteToInvoice(TXMLGenerator& gen, const SheetView& w, int column, const char* cover) {
  if (IsBlankCell(w, kToInvoiceRow, column)) return;
  gen.ReturnTo("oxr:intercambioAReceberEventual");
  gen.AddElement("oxr:intercambioAFaturar");
  WriteAmount(gen, "oxr:saldo", w, kToInvoiceRow, column);
  gen.AddTextElement("oxr:tipoCobertura", cover);
}

// Either cover opens its list: a dental-only operator has no "H" rows at all,
// and its entries must not be lost for want of them.
bool HasEventualEntries(const SheetView& w, int firstRow) {
  return !IsBlankCell(w, firstRow, kMedical.operatorColumn) || !IsBlankCell(w, firstRow, kDental.operatorColumn);
}

void WriteReceivables(FinancialContext& ctx, const SheetView& r) {
  ScheduleStatus(ctx, kReceivableStatus);
  TXMLGenerator& gen = ctx.gen;
  gen.AddElement("oxr:intercambioAReceberEventual");
  const char* list = "oxr:intercambioAReceberEventual";
  const char* entry = "oxr:lancIntercambioReceberEventual";
  WriteCoverEntries(gen, list, entry, r, kReceivableFirstRow, kMedical);
  WriteCoverEntries(gen, list, entry, r, kReceivableFirstRow, kDental);
  WriteToInvoice(gen, r, kMedical.amountColumn, kMedical.cover);
  WriteToInvoice(gen, r, kDental.amountColumn, kDental.cover);
}

void WritePayables(FinancialContext& ctx, const SheetView& p) {
  ScheduleStatus(ctx, kPayableStatus);
  TXMLGenerator& gen = ctx.gen;
  gen.ReturnTo("oxr:intercambioEventual");
  gen.AddElement("oxr:intercambioAPagarEventual");
  const char* list = "oxr:intercambioAPagarEventual";
  const char* entry = "oxr:lancIntercambioPagarEventual";
  WriteCoverEntries(gen, list, entry, p, kPayableFirstRow, kMedical);
  WriteCoverEntries(gen, list, entry, p, kPayableFirstRow, kDental);
}

}  // namespace

void WriteEventualInterchange(FinancialContext& ctx) {
  const SheetView receivable = ctx.Sheet(SheetId::IntercambioEventualReceber);
  const SheetView payable = ctx.Sheet(SheetId::IntercambioEventualPagar);
  const bool receive = HasEventualEntries(receivable, kReceivableFirstRow);
  const bool pay = HasEventualEntries(payable, kPayableFirstRow);
  if (!receive && !pay) return;
  ctx.gen.ReturnTo(kFinancialRoot);
  ctx.gen.AddElement("oxr:intercambioEventual");
  if (receive) WriteReceivables(ctx, receivable);
  if (pay) WritePayables(ctx, payable);
}

}  // namespace voske
