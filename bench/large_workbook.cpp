#include "large_workbook.h"

#include <xlsxwriter.h>

#include <cstdio>
#include <stdexcept>

namespace voske::bench {

namespace {

constexpr const char* kDescriptions[] = {
    "Provisão técnica de operações de assistência à saúde",
    "Contraprestações pecuniárias a receber",
    "Créditos de operações com planos de assistência",
    "Despesas administrativas com intercâmbio",
    "Eventos indenizáveis líquidos",
    "Aplicações financeiras vinculadas a provisões técnicas",
    "Débitos de operações de assistência à saúde",
    "Tributos e encargos sociais a recolher",
    "Receitas financeiras com aplicações",
    "Depósitos judiciais e fiscais",
    "Participação de beneficiários em eventos",
    "Corresponsabilidade cedida",
};

// Amounts that look like money but are spread over every magnitude.
double Amount(int sheet, int row, int column) {
  const unsigned h = static_cast<unsigned>(row) * 2654435761u ^ static_cast<unsigned>(sheet * 97 + column) * 40503u;
  return static_cast<double>(h % 100000000u) / 100.0;
}

void Check(lxw_error err, const char* what) {
  if (err != LXW_NO_ERROR) throw std::runtime_error(std::string(what) + ": " + lxw_strerror(err));
}

}  // namespace

void WriteLargeSheet(lxw_worksheet* ws, lxw_format* money, int sheet, const LargeWorkbookShape& shape) {
  const char* headers[kLargeWorkbookColumns] = {"Conta", "Descrição", "Saldo anterior", "Débitos", "Créditos",
                                                "Saldo final"};
  char code[32];
  char formula[64];
  for (int c = 0; c < kLargeWorkbookColumns; ++c) worksheet_write_string(ws, 0, static_cast<lxw_col_t>(c), headers[c], nullptr);
  for (int r = 1; r <= shape.rows; ++r) {
    const lxw_row_t row = static_cast<lxw_row_t>(r);
    // Digits only, as the regulator's account codes are: the section's digit
    // first (1 assets, 2 liabilities, 3 revenue, 4 expenses).
    std::snprintf(code, sizeof code, "%d%d%02d%05d", sheet + 1, r % 9 + 1, r % 97, r);
    worksheet_write_string(ws, row, 0, code, nullptr);
    worksheet_write_string(ws, row, 1, kDescriptions[r % (sizeof kDescriptions / sizeof *kDescriptions)], nullptr);
    const double opening = Amount(sheet, r, 2), debits = Amount(sheet, r, 3), credits = Amount(sheet, r, 4);
    worksheet_write_number(ws, row, 2, opening, money);
    worksheet_write_number(ws, row, 3, debits, money);
    worksheet_write_number(ws, row, 4, credits, money);
    const double final = opening + debits - credits;
    if (shape.formulaEvery > 0 && r % shape.formulaEvery == 0) {
      std::snprintf(formula, sizeof formula, "=C%d+D%d-E%d", r + 1, r + 1, r + 1);
      worksheet_write_formula_num(ws, row, 5, formula, money, final);
    } else {
      worksheet_write_number(ws, row, 5, final, money);
    }
  }
}

lxw_format* AddMoneyFormat(lxw_workbook* book) {
  lxw_format* money = workbook_add_format(book);
  format_set_num_format(money, "#,##0.00");
  return money;
}

void WriteLargeWorkbook(const std::string& path, const LargeWorkbookShape& shape) {
  lxw_workbook* book = workbook_new(path.c_str());
  if (!book) throw std::runtime_error("cannot create " + path);
  lxw_format* money = AddMoneyFormat(book);
  for (size_t s = 0; s < shape.sheets.size(); ++s) {
    lxw_worksheet* ws = workbook_add_worksheet(book, shape.sheets[s].c_str());
    if (!ws) {
      workbook_close(book);
      throw std::runtime_error("cannot add worksheet " + shape.sheets[s]);
    }
    WriteLargeSheet(ws, money, static_cast<int>(s), shape);
  }
  Check(workbook_close(book), "cannot write the large workbook");
}

}  // namespace voske::bench
