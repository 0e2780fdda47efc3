#include "documents/financial/schedule_rules.h"

#include "documents/financial/financial_values.h"
#include "text/cp1252.h"
#include "values/converters.h"

namespace voske {

void ScheduleStatus(FinancialContext& ctx, const char* utf8Suffix) {
  ctx.frontEnd.Status(Ansi("Status: Gerando os arquivos XML - ") + Ansi(utf8Suffix));
}

bool IsBlankCell(const SheetView& sheet, int row, int column) {
  return Trim(sheet.TextAt(row, column)).empty();
}

bool IsEmptyCell(const SheetView& sheet, int row, int column) { return sheet.TextAt(row, column).empty(); }

void WriteAmount(TXMLGenerator& gen, const char* element, const SheetView& sheet, int row, int column) {
  WriteAmount(gen, Text(element), sheet.At(row, column), OriginOf(sheet, row, column));
}

void WriteOperatorRegistration(TXMLGenerator& gen, const SheetView& sheet, int row, int column) {
  gen.AddTextElement("oxr:registroOperadora", ZeroPadCode(sheet.TextAt(row, column), 6), OriginOf(sheet, row, column));
}

void WriteNonOperatorCnpj(TXMLGenerator& gen, const SheetView& sheet, int row, int column) {
  gen.AddTextElement("oxr:cnpjNaoOperadora", ZeroPadCode(sheet.TextAt(row, column), 14), OriginOf(sheet, row, column));
}

void WriteLedgerList(TXMLGenerator& gen, const char* list, const char* entry, const SheetView& sheet,
                     int firstRow, int keyColumn, const std::function<void(int row)>& fields) {
  // The array ends with empty rows, so the loop always meets a blank key.
  for (int row = firstRow; !IsBlankCell(sheet, row, keyColumn); ++row) {
    gen.ReturnTo(list);
    gen.AddElement(entry);
    fields(row);
  }
}

void WriteOperatorBalances(TXMLGenerator& gen, const char* list, const char* entry, const SheetView& sheet,
                           int firstRow, int keyColumn, int amountColumn) {
  WriteLedgerList(gen, list, entry, sheet, firstRow, keyColumn, [&](int row) {
    WriteOperatorRegistration(gen, sheet, row, keyColumn);
    WriteAmount(gen, "oxr:saldoIntercambio", sheet, row, amountColumn);
  });
}

}  // namespace voske
