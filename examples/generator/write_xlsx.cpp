#include <xlsxwriter.h>
#include <zip.h>

#include <stdexcept>
#include <string>

#include "sample_workbook.h"

namespace voske::sample {

namespace {

void Check(lxw_error err, const char* what) {
  if (err != LXW_NO_ERROR) throw std::runtime_error(std::string(what) + ": " + lxw_strerror(err));
}

// Days from the 1900 system's day 0 (1899-12-30) to the 1904 system's.
constexpr double kDays1904After1900 = 1462;

// The writer has no switch for the 1904 system: the flag goes into the
// workbook part of the written package.
void MarkDate1904(const std::string& path) {
  int code = 0;
  zip_t* z = zip_open(path.c_str(), 0, &code);
  if (!z) throw std::runtime_error("cannot reopen " + path);
  std::string part;
  if (zip_file_t* f = zip_fopen(z, "xl/workbook.xml", 0)) {
    char buf[4096];
    zip_int64_t n = 0;
    while ((n = zip_fread(f, buf, sizeof buf)) > 0) part.append(buf, static_cast<std::size_t>(n));
    zip_fclose(f);
  }
  const std::size_t at = part.find("<workbookPr");
  if (at == std::string::npos) {
    zip_discard(z);
    throw std::runtime_error("no workbookPr in " + path);
  }
  part.insert(at + 11, " date1904=\"1\"");
  zip_source_t* src = zip_source_buffer(z, part.data(), part.size(), 0);
  if (!src || zip_file_add(z, "xl/workbook.xml", src, ZIP_FL_OVERWRITE) < 0 || zip_close(z) != 0) {
    if (src) zip_source_free(src);
    zip_discard(z);
    throw std::runtime_error("cannot mark " + path + " as a 1904-system workbook");
  }
}

}  // namespace

void WriteXlsx(const Workbook& wb, const std::string& path, bool protect, bool date1904) {
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
        if (cell.isDate)
          worksheet_write_number(ws, r, c, date1904 ? *d - kDays1904After1900 : *d, dateFormat);
        else
          worksheet_write_number(ws, r, c, *d, nullptr);
      } else if (const std::string* t = std::get_if<std::string>(&cell.value)) {
        worksheet_write_string(ws, r, c, t->c_str(), nullptr);
      } else if (const bool* b = std::get_if<bool>(&cell.value)) {
        worksheet_write_boolean(ws, r, c, *b ? 1 : 0, nullptr);
      }
    }
    if (protect) worksheet_protect(ws, kSheetPassword, nullptr);
  }
  Check(workbook_close(book), "cannot write workbook");
  if (date1904) MarkDate1904(path);
}

}  // namespace voske::sample
