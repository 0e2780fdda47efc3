// oxr:coberturaAssistencial: the claims cost of the period by kind of cover
// (tipo), by coverage (cobertura) and by plan type (plano), each block split by
// care network and kind of expense.
#include "documents/financial/schedule_rules.h"
#include "documents/financial/year_schedule_sections.h"
#include "text/cp1252.h"
#include "values/converters.h"

namespace voske {
namespace {

const char* const kCoverageEventsStatus = "Quadros Auxiliares Eventos";

// A block is four rows, one per care network: own network, contracted
// network, reimbursement, eventual interchange.
constexpr int kNetworks = 4;
const char* const kNetworkSuffix[kNetworks] = {"RP", "RC", "RE", "IE"};

// Columns 2 to 8 are the kinds of expense.
constexpr int kFirstExpenseColumn = Col('B'), kLastExpenseColumn = Col('H');
const char* const kExpenseBase[] = {"valorConsulta", "valorExame",    "valorTerapia",     "valorIntern",
                                    "valorAtendimento", "valorDespesas", "valorOdontologico"};

struct CoverageBlock {
  const char* tipo;
  const char* cobertura;
  const char* plano;
  int firstRow;
};

// In the order they are written. Blocks of one group lie 11 rows apart; the
// rows between the groups are the worksheet's headings.
constexpr CoverageBlock kCoverageBlocks[] = {
    {"H", "1", "IFAL", 11},  {"H", "1", "IFPL", 22},  {"H", "1", "PLAL", 33},  {"H", "1", "PLAP", 44},
    {"H", "1", "PCEA", 55},  {"H", "1", "PCEL", 66},  {"H", "2", "IFAL", 77},  {"H", "2", "IFPL", 88},
    {"H", "2", "PLAL", 99},  {"H", "2", "PLAP", 110}, {"H", "2", "PCEA", 121}, {"H", "2", "PCEL", 132},
    {"O", "1", "IFAL", 147}, {"O", "1", "IFPL", 158}, {"O", "1", "PLAL", 169}, {"O", "1", "PLAP", 180},
    {"O", "1", "PCEA", 191}, {"O", "1", "PCEL", 202}, {"O", "2", "IFAL", 213}, {"O", "2", "IFPL", 224},
    {"O", "2", "PLAL", 235}, {"O", "2", "PLAP", 246}, {"O", "2", "PCEA", 257}, {"O", "2", "PCEL", 268},
};

// A cell holding only blanks counts as data: it is not empty.
bool CoverageBlockHasData(const SheetView& w, int s) {
  for (int row = s; row < s + kNetworks; ++row)
    for (int column = kFirstExpenseColumn; column <= kLastExpenseColumn; ++column)
      if (!IsEmptyCell(w, row, column)) return true;
  return false;
}

// Only filled cells are written: here an empty cell has no "0.0" default.
void WriteCoverageColumn(TXMLGenerator& gen, const SheetView& w, int s, int column, const char* baseName) {
  for (int k = 0; k < kNetworks; ++k) {
    const Text cell = w.TextAt(s + k, column);
    if (cell.empty()) continue;
    gen.AddDecimalElement(Text("oxr:") + baseName + kNetworkSuffix[k], FormatDecimal(cell),
                          OriginOf(w, s + k, column));
  }
}

void WriteCoverageBlock(TXMLGenerator& gen, const SheetView& w, const CoverageBlock& block) {
  if (!CoverageBlockHasData(w, block.firstRow)) return;
  gen.AddElement("oxr:lancCoberturaAssistencial", false, "oxr:coberturaAssistencial");
  gen.AddTextElement("oxr:tipo", block.tipo);
  gen.AddTextElement("oxr:cobertura", block.cobertura);
  gen.AddTextElement("oxr:plano", block.plano);
  for (int column = kFirstExpenseColumn; column <= kLastExpenseColumn; ++column)
    WriteCoverageColumn(gen, w, block.firstRow, column, kExpenseBase[column - kFirstExpenseColumn]);
}

}  // namespace

// The section element is written even when no block has data.
void WriteCoverageEvents(FinancialContext& ctx) {
  ScheduleStatus(ctx, kCoverageEventsStatus);
  const SheetView w = ctx.Sheet(SheetId::QuadrosAuxiliaresEventos);
  ctx.gen.ReturnTo(kFinancialRoot);
  ctx.gen.AddElement("oxr:coberturaAssistencial");
  for (const CoverageBlock& block : kCoverageBlocks) WriteCoverageBlock(ctx.gen, w, block);
}

}  // namespace voske
