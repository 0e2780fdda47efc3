#include <xlsxwriter.h>

#include <stdexcept>

#include "sample_workbook.h"

namespace voske::sample {

namespace {

void Check(lxw_error err, const char* what) {
  if (err != LXW_NO_ERROR) throw std::runtime_error(std::string(what) + ": " + lxw_strerror(err));
}

}  // namespace

void WriteXlsx(const Workbook& wb, const std::string& path, bool protect) {
  lxw_workbook_options options = {};
  options.constant_memory = LXW_FALSE;
  lxw_workbook* book = workbook_new_opt(path.c_str(), &options);
  if (!book) throw std::runtime_error("cannot create " + path);
  lxw_format* dateFormat = workbook_add_format(book);
  format_set_num_format(dateFormat, "dd/mm/yyyy");

  for (const Sheet& s : wb.sheets()) {
    lxw_worksheet* ws = workbook_add_worksheet(book, s.name().c_str());
    if (!ws) {
      workbook_close(book);
      throw std::runtime_error("cannot add worksheet " + s.name());
    }
    for (const auto& [rc, cell] : s.cells()) {
      const lxw_row_t r = static_cast<lxw_row_t>(rc.first - 1);
      const lxw_col_t c = static_cast<lxw_col_t>(rc.second - 1);
      if (!cell.formula.empty()) {
        const double cached = std::holds_alternative<double>(cell.value) ? std::get<double>(cell.value) : 0.0;
        if (std::holds_alternative<std::string>(cell.value)) {
          worksheet_write_formula_str(ws, r, c, cell.formula.c_str(), nullptr,
                                      std::get<std::string>(cell.value).c_str());
        } else {
          worksheet_write_formula_num(ws, r, c, cell.formula.c_str(), nullptr, cached);
        }
        continue;
      }
      if (const double* d = std::get_if<double>(&cell.value)) {
        worksheet_write_number(ws, r, c, *d, cell.isDate ? dateFormat : nullptr);
      } else if (const std::string* t = std::get_if<std::string>(&cell.value)) {
        worksheet_write_string(ws, r, c, t->c_str(), nullptr);
      } else if (const bool* b = std::get_if<bool>(&cell.value)) {
        worksheet_write_boolean(ws, r, c, *b ? 1 : 0, nullptr);
      }
    }
    if (protect) worksheet_protect(ws, kSheetPassword, nullptr);
  }
  Check(workbook_close(book), "cannot write workbook");
}

}  // namespace voske::sample
