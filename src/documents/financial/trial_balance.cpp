// oxr:balancete: the start of the period, then one section per trial-balance
// worksheet (assets, liabilities, revenue, expenses), each listing its
// accounts from row 4 down to the first two blank account cells in a row.
// The entries are found and converted ahead on a second thread
// (LedgerEntryReader); this file writes them and applies the rules.
#include <exception>
#include <vector>

#include "documents/financial/financial_sections.h"
#include "documents/financial/financial_values.h"
#include "documents/financial/ledger_entries.h"
#include "documents/financial/schedule_rules.h"
#include "documents/operator_cells.h"
#include "text/cp1252.h"
#include "values/converters.h"

namespace voske {

namespace {

const Text kTrialBalance = "oxr:balancete";

// Longer account codes are rejected with the section's own message.
constexpr size_t kMaxAccountLength = 20;

struct BalanceSheet {
  const char* element;       // the section's container
  SheetId worksheet;
  const char* statusSuffix;
  const char* accountWord;   // how the length message names the account
  const char* emptyMessage;  // UTF-8, CR-separated
};

const BalanceSheet kBalanceSheets[] = {
    {"oxr:ativo", SheetId::BalanceteAtivo, "Gerando Ativo", "A conta de ativo",
     "O balancete do Ativo não pode estar vazio.\rColoque pelo menos a conta principal!\r"
     "Qualquer dúvida, sobre o preenchimento das planilhas do balancete, consulte o manual do usuário."},
    {"oxr:passivo", SheetId::BalancetePassivo, "Gerando Passivo", "A conta de passivo",
     "O balancete do Passivo não pode estar vazio.\rColoque pelo menos a conta principal!\r"
     "Qualquer dúvida, sobre o preenchimento das planilhas do balancete, consulte o manual do usuário."},
    {"oxr:receita", SheetId::BalanceteReceita, "Gerando Receita", "A conta de receita",
     "O balancete da Receita não pode estar vazio.\rColoque pelo menos a conta principal!\r"
     "Qualquer dúvida, sobre o preenchimento das planilhas do balancete, consulte o manual do usuário."},
    {"oxr:despesa", SheetId::BalanceteDespesa, "Gerando Despesa", "A conta de despesa",
     "O balancete de Despesa não pode estar vazio.\rColoque pelo menos a conta principal!\r"
     "Qualquer dúvida, sobre o preenchimento das planilhas do balancete, consulte o manual do usuário."},
};

// The period start as the document states it: a date cell gives its date
// (and its time of day, if it has one); a text date gives what the date
// converter makes of it, so that a B3 the load sequence accepted is never
// refused here.
Text PeriodStart(const Worksheets& sheets) {
  return DateOfCell(PeriodCell(sheets), sheets[SheetId::DadosCadastrais].Dates(), true);
}

void WriteLedgerEntry(TXMLGenerator& gen, const LedgerEntry& entry, const BalanceSheet& section,
                      const Text& sheetName) {
  static const Text kEntry = "oxr:lancamento";
  static const Text kAccount = "oxr:conta";
  static const Text kAmounts[] = {"oxr:saldoAnterior", "oxr:debitos", "oxr:creditos", "oxr:saldoFinal"};
  static const Text kDescription = "oxr:descricao";

  gen.AddElement(kEntry);
  // The account is measured as typed, blanks included; the generator trims
  // it when writing.
  const Text& account = entry.account;
  if (account.size() > kMaxAccountLength)
    throw EGenerica(Ansi(section.accountWord) + " \"" + account + Ansi("\" possui mais de 20 caracteres.") + CR +
                    Ansi("O número máximo de caracteres para as contas do balancete é 20."));
  gen.AddTextElement(kAccount, account, CellOrigin{sheetName, entry.row, 1});
  for (int i = 0; i < 4; ++i) {
    if (entry.failedAmount == i) std::rethrow_exception(entry.failure);
    // The amounts stand in columns C to F.
    WriteAmount(gen, kAmounts[i], entry.amounts[static_cast<size_t>(i)], CellOrigin{sheetName, entry.row, 3 + i});
  }
  if (account.size() > kDescribedAccountLength)
    gen.AddTextElement(kDescription, entry.description, CellOrigin{sheetName, entry.row, 2});
}

void WriteBalanceSheet(FinancialContext& ctx, const BalanceSheet& section, LedgerEntryReader& entries) {
  static const Text kCount = "oxr:numLancamentos";
  const Text container = section.element;

  ctx.gen.AddElement(container);
  const Text& sheetName = SheetName(section.worksheet);
  int count = 0;
  LedgerEntry entry;
  while (entries.Next(entry)) {
    WriteLedgerEntry(ctx.gen, entry, section, sheetName);
    ctx.gen.ReturnTo(container);
    ++count;
  }
  ctx.gen.ReturnTo(container);
  ctx.gen.AddTextElement(kCount, std::to_string(count));
  if (count == 0) throw EGenerica(Ansi(section.emptyMessage));
}

}  // namespace

void WriteTrialBalance(FinancialContext& ctx) {
  ctx.gen.ReturnTo(kFinancialRoot);
  ctx.gen.AddElement(kTrialBalance);
  // The start of the quarter follows from the reference date alone.
  const SheetView registration = ctx.Sheet(SheetId::DadosCadastrais);
  ctx.gen.AddTextElement("oxr:inicioPeriodo", PeriodStart(ctx.sheets), OriginOf(registration, 3, Col('B')));
  std::vector<SheetView> sheets;
  for (const BalanceSheet& section : kBalanceSheets) sheets.push_back(ctx.Sheet(section.worksheet));
  LedgerEntryReader entries(sheets);
  for (const BalanceSheet& section : kBalanceSheets) {
    ScheduleStatus(ctx, section.statusSuffix);
    WriteBalanceSheet(ctx, section, entries);
    ctx.gen.ReturnTo(kTrialBalance);
  }
}

}  // namespace voske
