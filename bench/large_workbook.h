#pragma once
// The large workbook of the benchmarks: trial-balance-like worksheets of many
// rows, with account codes and descriptions as shared texts, amounts as
// numbers and a final balance that is now and then a formula with its cached
// result. The reader benchmark reads it; a generation benchmark can take the
// same sheets under the names its document reads.
#include <string>
#include <vector>

#include <xlsxwriter.h>

namespace voske::bench {

struct LargeWorkbookShape {
  std::vector<std::string> sheets = {"Balancete Ativo", "Balancete Passivo", "Balancete Receita",
                                     "Balancete Despesa"};
  int rows = 100000;        // data rows per worksheet, below one header row
  int formulaEvery = 10;    // every n-th row's final balance is a formula
};

// The six columns of every worksheet: code, description, opening balance,
// debits, credits, final balance.
inline constexpr int kLargeWorkbookColumns = 6;

// Writes the workbook as .xlsx at `path`. Throws std::runtime_error.
void WriteLargeWorkbook(const std::string& path, const LargeWorkbookShape& shape = {});

// The pieces of it, for a benchmark that writes the large worksheets into a
// workbook of its own among other worksheets: the amounts' number format of
// a workbook, and the rows of worksheet number `sheet` (from 0) of `shape`.
lxw_format* AddMoneyFormat(lxw_workbook* book);
void WriteLargeSheet(lxw_worksheet* ws, lxw_format* money, int sheet, const LargeWorkbookShape& shape);

}  // namespace voske::bench
