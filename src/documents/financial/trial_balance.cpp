// oxr:balancete: the start of the period, then one section per trial-balance
// worksheet (assets, liabilities, revenue, expenses), each listing its
// accounts from row 4 down to the first two blank account cells in a row.
#include "documents/financial/financial_sections.h"
#include "documents/financial/financial_values.h"
#include "documents/financial/schedule_rules.h"
#include "text/cp1252.h"
#include "workbook/converters.h"

namespace voske {

namespace {

const Text kRoot = "oxr:voskeFinanc";
const Text kTrialBalance = "oxr:balancete";

// Longer account codes are rejected with the section's own message.
constexpr size_t kMaxAccountLength = 20;
// Only detailed accounts, longer than this, carry their description.
constexpr size_t kDescribedAccountLength = 9;
constexpr int kFirstEntryRow = 4;

struct BalanceSheet {
  const char* element;       // the section's container
  const char* worksheet;     // UTF-8, as the workbook names it
  const char* statusSuffix;
  const char* accountWord;   // how the length message names the account
  const char* emptyMessage;  // UTF-8, CR-separated
};

const BalanceSheet kBalanceSheets[] = {
    {"oxr:ativo", "Balancete Ativo", "Gerando Ativo", "A conta de ativo",
     "O balancete do Ativo não pode estar vazio.\rColoque pelo menos a conta principal!\r"
     "Qualquer dúvida, sobre o preenchimento das planilhas do balancete, consulte o manual do usuário."},
    {"oxr:passivo", "Balancete Passivo", "Gerando Passivo", "A conta de passivo",
     "O balancete do Passivo não pode estar vazio.\rColoque pelo menos a conta principal!\r"
     "Qualquer dúvida, sobre o preenchimento das planilhas do balancete, consulte o manual do usuário."},
    {"oxr:receita", "Balancete Receita", "Gerando Receita", "A conta de receita",
     "O balancete da Receita não pode estar vazio.\rColoque pelo menos a conta principal!\r"
     "Qualquer dúvida, sobre o preenchimento das planilhas do balancete, consulte o manual do usuário."},
    {"oxr:despesa", "Balancete Despesa", "Gerando Despesa", "A conta de despesa",
     "O balancete de Despesa não pode estar vazio.\rColoque pelo menos a conta principal!\r"
     "Qualquer dúvida, sobre o preenchimento das planilhas do balancete, consulte o manual do usuário."},
};

bool IsBlank(const Cell& cell) {
  // Blank: nothing left of the cell text once trimmed. Numbers and booleans
  // always show something, so only texts need a look.
  switch (cell.kind) {
    case Cell::Kind::Empty: return true;
    case Cell::Kind::Text:
    case Cell::Kind::Error: return Trim(cell.text).empty();
    default: return false;
  }
}

// The period start as the document states it: a date cell gives its date
// (and its time of day, if it has one); a text date gives what the date
// converter makes of it, so that a B3 the load sequence accepted is never
// refused here.
Text PeriodStart(const Worksheets& sheets) {
  const Cell& b3 = sheets[Ansi("Dados Cadastrais")].At(3, 2);
  if (b3.kind == Cell::Kind::Number) {
    if (std::optional<Text> date = SerialDateText(b3.number, true)) return *date;
  }
  return NormalizeDate(CellText(b3));
}

void WriteLedgerEntry(TXMLGenerator& gen, const WorksheetArray& sheet, int row, const BalanceSheet& section) {
  static const Text kEntry = "oxr:lancamento";
  static const Text kAccount = "oxr:conta";
  static const Text kAmounts[] = {"oxr:saldoAnterior", "oxr:debitos", "oxr:creditos", "oxr:saldoFinal"};
  static const Text kDescription = "oxr:descricao";

  gen.AddElement(kEntry);
  // The account is measured as typed, blanks included; the generator trims
  // it when writing.
  const Text account = sheet.TextAt(row, 1);
  if (account.size() > kMaxAccountLength)
    throw EGenerica(Ansi(section.accountWord) + " \"" + account + Ansi("\" possui mais de 20 caracteres.") + CR +
                    Ansi("O número máximo de caracteres para as contas do balancete é 20."));
  gen.AddTextElement(kAccount, account);
  for (int i = 0; i < 4; ++i) WriteAmount(gen, kAmounts[i], sheet.At(row, 3 + i));
  if (account.size() > kDescribedAccountLength) gen.AddTextElement(kDescription, CleanText(sheet.TextAt(row, 2)));
}

void WriteBalanceSheet(FinancialContext& ctx, const BalanceSheet& section) {
  static const Text kCount = "oxr:numLancamentos";
  const Text container = section.element;
  const WorksheetArray& sheet = ctx.sheets[Ansi(section.worksheet)];

  ctx.gen.AddElement(container);
  int entries = 0;
  for (int row = kFirstEntryRow;; ++row) {
    // Two blank account cells in a row end the section; a single blank row
    // is passed over.
    if (IsBlank(sheet.At(row, 1))) {
      if (IsBlank(sheet.At(row + 1, 1))) break;
      ++row;
    }
    WriteLedgerEntry(ctx.gen, sheet, row, section);
    ctx.gen.ReturnTo(container);
    ++entries;
  }
  ctx.gen.ReturnTo(container);
  ctx.gen.AddTextElement(kCount, std::to_string(entries));
  if (entries == 0) throw EGenerica(Ansi(section.emptyMessage));
}

}  // namespace

void WriteTrialBalance(FinancialContext& ctx) {
  ctx.gen.ReturnTo(kRoot);
  ctx.gen.AddElement(kTrialBalance);
  ctx.gen.AddTextElement("oxr:inicioPeriodo", PeriodStart(ctx.sheets));
  for (const BalanceSheet& section : kBalanceSheets) {
    ScheduleStatus(ctx, section.statusSuffix);
    WriteBalanceSheet(ctx, section);
    ctx.gen.ReturnTo(kTrialBalance);
  }
}

}  // namespace voske
