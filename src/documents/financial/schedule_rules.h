#pragma once
// What the year-dependent schedules share: blank versus empty cells, the
// amount, registration-number and CNPJ leaves, and the ledger list that reads
// one entry per row until the first blank key.
#include <functional>

#include "documents/financial/financial_context.h"
#include "text/text.h"
#include "workbook/worksheet_array.h"
#include "xml/xml_generator.h"

namespace voske {

// Sets the status line to "Status: Gerando os arquivos XML - " + suffix (UTF-8
// in the source) and lets it be seen.
void ScheduleStatus(FinancialContext& ctx, const char* utf8Suffix);

// Blank: nothing left once the ends are trimmed. Presence checks and list
// stops use it.
bool IsBlankCell(const SheetView& sheet, int row, int column);
// Empty: no cell text at all. The choice between a value and its default uses it.
bool IsEmptyCell(const SheetView& sheet, int row, int column);

// An amount is always written: the formatted number, or "0.0" for an empty
// cell, by the one amount rule of the financial document (financial_values.h).
void WriteAmount(TXMLGenerator& gen, const char* element, const SheetView& sheet, int row, int column);
// oxr:registroOperadora: the counterpart's registration number, six digits.
void WriteOperatorRegistration(TXMLGenerator& gen, const SheetView& sheet, int row, int column);
// oxr:cnpjNaoOperadora: a counterpart that is not an operator, fourteen digits.
void WriteNonOperatorCnpj(TXMLGenerator& gen, const SheetView& sheet, int row, int column);

// One entry element per row from `firstRow` while the key cell is not blank,
// each appended to `list` and filled by `fields(row)`. Several lists may
// append to the same list element one after the other.
void WriteLedgerList(TXMLGenerator& gen, const char* list, const char* entry, const SheetView& sheet,
                     int firstRow, int keyColumn, const std::function<void(int row)>& fields);

// A ledger list of balances with other operators: per row, the counterpart's
// registration number (the key) and its oxr:saldoIntercambio.
void WriteOperatorBalances(TXMLGenerator& gen, const char* list, const char* entry, const SheetView& sheet,
                           int firstRow, int keyColumn, int amountColumn);

}  // namespace voske
