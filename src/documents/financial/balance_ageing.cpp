// oxr:idadeSaldo: payables and receivables by age. "Idade de Saldos" is a
// form whose rows are the age brackets, named by the label in column A; the
// label gives the bracket's code (oxr:dias). The form changed over the years:
// the reference year decides which rows and columns hold which amounts, and
// which labels are known.
#include <vector>

#include "documents/financial/financial_sections.h"
#include "documents/financial/financial_values.h"
#include "documents/financial/schedule_rules.h"
#include "text/cp1252.h"

namespace voske {

namespace {

const Text kAgeingSection = "oxr:idadeSaldo";

// Which lists a label belongs to.
enum LabelUse : unsigned {
  kPayables = 1u << 0,
  kReceivablesBefore2012 = 1u << 1,
  kReceivables2012 = 1u << 2,
  kReceivablesFrom2013 = 1u << 3,
  kAllReceivables = kReceivablesBefore2012 | kReceivables2012 | kReceivablesFrom2013,
};

struct AgeLabel {
  const char* label;  // UTF-8, compared exactly with the trimmed column A
  const char* code;
  unsigned use;
};

const AgeLabel kAgeLabels[] = {
    {"a Vencer", "00", kPayables | kAllReceivables},
    {"Vencidos de 1 a 30 dias", "30", kPayables | kAllReceivables},
    {"Vencidos de 31 a 60 dias", "60", kPayables | kAllReceivables},
    {"Vencidos de 61 a 90 dias", "90", kPayables | kAllReceivables},
    {"Vencidos de 91 a 120 dias", "120", kPayables},
    {"Vencidos a mais de 120 dias", "999", kPayables},
    {"Vencidos a mais de 90 dias", "999", kAllReceivables},
    {"Faturamento Antecipado", "200", kReceivablesBefore2012 | kReceivables2012},
    {"Títulos descontados", "300", kReceivablesBefore2012},
    {"Ajustes a valor presente", "350", kReceivablesBefore2012},
    {"PPSC", "400", kAllReceivables},
};

struct AmountColumn {
  const char* element;
  int column;
};

const std::vector<AmountColumn> kPayablesUntil2012 = {
    {"oxr:eventos", Col('B')}, {"oxr:comercial", Col('C')}, {"oxr:debOper", Col('D')},
    {"oxr:outrosDebOper", Col('E')}, {"oxr:depBenConSegRec", Col('F')}, {"oxr:prestServAS", Col('H')},
    {"oxr:depAquisCarre", Col('I')}, {"oxr:outrosDebPagar", Col('J')},
};
const std::vector<AmountColumn> kPayablesFrom2013 = {
    {"oxr:eventos", Col('C')}, {"oxr:comercial", Col('D')}, {"oxr:debOper", Col('E')},
    {"oxr:outrosDebOper", Col('F')}, {"oxr:depBenConSegRec", Col('H')}, {"oxr:prestServAS", Col('J')},
    {"oxr:depAquisCarre", Col('K')}, {"oxr:outrosDebPagar", Col('L')}, {"oxr:eventossus", Col('B')},
    {"oxr:titulosencargos", Col('G')},
};
const std::vector<AmountColumn> kReceivablesBefore2012Columns = {
    {"oxr:individualPre", Col('B')}, {"oxr:individualPos", Col('C')}, {"oxr:coletivoPre", Col('D')},
    {"oxr:coletivoPos", Col('E')}, {"oxr:convReceber", Col('F')}, {"oxr:taxaAdm", Col('G')},
    {"oxr:partBenefES", Col('H')}, {"oxr:credOper", Col('I')}, {"oxr:outrosCredComPlano", Col('J')},
    {"oxr:outrosCredSemPlano", Col('L')},
};
const std::vector<AmountColumn> kReceivablesFrom2012Columns = {
    {"oxr:individualPre", Col('B')}, {"oxr:individualPos", Col('C')}, {"oxr:coletivoPre", Col('D')},
    {"oxr:coletivoPos", Col('E')}, {"oxr:taxaAdm", Col('F')}, {"oxr:partBenefES", Col('G')},
    {"oxr:credOper", Col('H')}, {"oxr:outrosCredComPlano", Col('I')}, {"oxr:outrosCredSemPlano", Col('K')},
};

// The form of one reference year.
struct AgeingLayout {
  unsigned receivableLabels;
  std::vector<int> receivableRows;
  const std::vector<AmountColumn>* payables;
  const std::vector<AmountColumn>* receivables;
};

AgeingLayout LayoutFor(int year) {
  if (year >= 2013)
    return {kReceivablesFrom2013, {17, 18, 19, 20, 21, 24}, &kPayablesFrom2013, &kReceivablesFrom2012Columns};
  if (year == 2012)
    return {kReceivables2012, {17, 18, 19, 20, 21, 24, 25}, &kPayablesUntil2012, &kReceivablesFrom2012Columns};
  // Row 26 joined the form in 2010.
  std::vector<int> rows = {17, 18, 19, 20, 21, 24, 25};
  if (year >= 2010) rows.push_back(26);
  rows.push_back(27);
  return {kReceivablesBefore2012, rows, &kPayablesUntil2012, &kReceivablesBefore2012Columns};
}

// oxr:dias for the row's label, when the label is one of the list's. The
// label's cell is the code's source: it is what the user would change.
void WriteAgeCode(TXMLGenerator& gen, const SheetView& sheet, int row, unsigned use) {
  const Text label = Trim(sheet.TextAt(row, Col('A')));
  for (const AgeLabel& known : kAgeLabels) {
    if ((known.use & use) != 0 && label == Ansi(known.label)) {
      gen.AddTextElement("oxr:dias", known.code, OriginOf(sheet, row, Col('A')));
      return;
    }
  }
}

// One age bracket: its entry under the section, its code, then its amounts
// inside `amountsElement`.
void WriteBracket(FinancialContext& ctx, const SheetView& sheet, int row, const char* entryElement,
                  const char* amountsElement, unsigned labelUse, const std::vector<AmountColumn>& amounts) {
  ctx.gen.AddElement(entryElement, false, kAgeingSection);
  WriteAgeCode(ctx.gen, sheet, row, labelUse);
  ctx.gen.AddElement(amountsElement);
  for (const AmountColumn& amount : amounts)
    WriteAmount(ctx.gen, amount.element, sheet.At(row, amount.column), OriginOf(sheet, row, amount.column));
}

}  // namespace

void WriteBalanceAgeing(FinancialContext& ctx) {
  ScheduleStatus(ctx, "Gerando Idade de saldos");
  ctx.gen.ReturnTo(kFinancialRoot);
  ctx.gen.AddElement(kAgeingSection);

  const SheetView sheet = ctx.Sheet(SheetId::IdadeDeSaldos);
  const AgeingLayout layout = LayoutFor(ctx.year);
  for (int row = 6; row <= 11; ++row)
    WriteBracket(ctx, sheet, row, "oxr:idadePassivo", "oxr:passivo", kPayables, *layout.payables);
  for (int row : layout.receivableRows)
    WriteBracket(ctx, sheet, row, "oxr:idadeAtivo", "oxr:ativo", layout.receivableLabels, *layout.receivables);
}

}  // namespace voske
