#pragma once
// An in-memory model of a "Planilha Padrão" workbook, and its writer to .xlsx.
// The sample workbook of the examples folder is built from it, and the tests
// take the same model, change a few cells (the period year, the operator's
// kind) and write their own variants.
#include <deque>
#include <map>
#include <string>
#include <utility>
#include <variant>

namespace voske::sample {

// Texts are UTF-8 here, as the workbook file stores them.
using Value = std::variant<std::monostate, double, std::string, bool>;

struct CellValue {
  Value value;
  bool isDate = false;       // a day serial shown with a date format
  std::string formula;       // when set, `value` is the formula's cached result
};

class Sheet {
 public:
  explicit Sheet(std::string name) : name_(std::move(name)) {}
  const std::string& name() const { return name_; }

  // Cells by A1 name ("B26") or by 1-based row and column.
  void Set(const std::string& a1, Value v);
  void Set(int row, int column, Value v);
  void Set(const std::string& a1, const char* utf8) { Set(a1, Value(std::string(utf8))); }
  void Set(int row, int column, const char* utf8) { Set(row, column, Value(std::string(utf8))); }
  void SetDate(const std::string& a1, int year, int month, int day);
  void SetDate(int row, int column, int year, int month, int day);
  void SetFormula(const std::string& a1, const std::string& formula, Value cached);
  void Clear(const std::string& a1);
  void Clear(int row, int column);
  // Fills row `row` from `firstColumn` on; std::monostate leaves a cell empty.
  void SetRow(int row, int firstColumn, std::initializer_list<Value> values);
  // Removes every cell from row `fromRow` down.
  void ClearRowsFrom(int fromRow);

  const CellValue* Find(int row, int column) const;
  const std::map<std::pair<int, int>, CellValue>& cells() const { return cells_; }

 private:
  std::string name_;
  std::map<std::pair<int, int>, CellValue> cells_;
};

class Workbook {
 public:
  // The worksheet of that name, created at the end when new.
  Sheet& operator[](const std::string& name);
  Sheet* Find(const std::string& name);
  void Remove(const std::string& name);
  const std::deque<Sheet>& sheets() const { return sheets_; }

 private:
  std::deque<Sheet> sheets_;
};

// 1-based row and column of an A1 name.
std::pair<int, int> ParseA1(const std::string& a1);
// The day serial of a date (1899-12-30 is day 0).
double DaySerial(int year, int month, int day);

// The fictional operator of the examples folder, every worksheet filled.
Workbook MakeSampleWorkbook();
// The parts of it, each kept with the document it feeds.
void AddCadastralSheets(Workbook& wb);
void AddFinancialSheets(Workbook& wb);
void AddScheduleSheets(Workbook& wb);

// Brazilian tax numbers with their check digits computed, written with
// their usual punctuation: FormatCnpj("11.222.333/0001") gives
// "11.222.333/0001-81", FormatCpf("123.456.789") gives "123.456.789-09".
// Punctuation in the argument is ignored. Throws std::invalid_argument when
// the digits are not 12 (CNPJ) or 9 (CPF).
std::string FormatCnpj(const std::string& first12Digits);
std::string FormatCpf(const std::string& first9Digits);

// The password that protects every worksheet of a "Planilha Padrão".
inline constexpr const char* kSheetPassword = "qwtlmrvbnzkph";

// Writes the workbook as .xlsx; every worksheet protected with kSheetPassword
// unless `protect` is false. With `date1904`, the workbook is saved in the
// 1904 date system, as some spreadsheet programs save it: the same dates,
// their serials counted from 1904-01-01. Throws std::runtime_error on failure.
void WriteXlsx(const Workbook& wb, const std::string& path, bool protect = true, bool date1904 = false);

}  // namespace voske::sample
