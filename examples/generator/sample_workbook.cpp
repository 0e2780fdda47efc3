#include "sample_workbook.h"

#include <algorithm>
#include <stdexcept>

namespace voske::sample {

std::pair<int, int> ParseA1(const std::string& a1) {
  int column = 0;
  size_t i = 0;
  while (i < a1.size() && a1[i] >= 'A' && a1[i] <= 'Z') column = column * 26 + (a1[i++] - 'A' + 1);
  int row = 0;
  while (i < a1.size() && a1[i] >= '0' && a1[i] <= '9') row = row * 10 + (a1[i++] - '0');
  if (column == 0 || row == 0 || i != a1.size()) throw std::invalid_argument("bad cell name: " + a1);
  return {row, column};
}

double DaySerial(int year, int month, int day) {
  // Days from civil (proleptic Gregorian), shifted so that 1899-12-30 is 0.
  year -= month <= 2;
  const int era = (year >= 0 ? year : year - 399) / 400;
  const int yoe = year - era * 400;
  const int doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  const long days = static_cast<long>(era) * 146097 + doe - 719468;  // since 1970-01-01
  return static_cast<double>(days + 25569);
}

void Sheet::Set(const std::string& a1, Value v) {
  auto [r, c] = ParseA1(a1);
  Set(r, c, std::move(v));
}

void Sheet::Set(int row, int column, Value v) {
  if (std::holds_alternative<std::monostate>(v)) {
    Clear(row, column);
    return;
  }
  cells_[{row, column}] = CellValue{std::move(v), false, {}};
}

void Sheet::SetDate(const std::string& a1, int year, int month, int day) {
  auto [r, c] = ParseA1(a1);
  SetDate(r, c, year, month, day);
}

void Sheet::SetDate(int row, int column, int year, int month, int day) {
  cells_[{row, column}] = CellValue{DaySerial(year, month, day), true, {}};
}

void Sheet::SetFormula(const std::string& a1, const std::string& formula, Value cached) {
  cells_[ParseA1(a1)] = CellValue{std::move(cached), false, formula};
}

void Sheet::Clear(const std::string& a1) { cells_.erase(ParseA1(a1)); }
void Sheet::Clear(int row, int column) { cells_.erase({row, column}); }

void Sheet::SetRow(int row, int firstColumn, std::initializer_list<Value> values) {
  int c = firstColumn;
  for (const Value& v : values) Set(row, c++, v);
}

void Sheet::ClearRowsFrom(int fromRow) {
  for (auto it = cells_.begin(); it != cells_.end();) {
    if (it->first.first >= fromRow) it = cells_.erase(it);
    else ++it;
  }
}

const CellValue* Sheet::Find(int row, int column) const {
  auto it = cells_.find({row, column});
  return it == cells_.end() ? nullptr : &it->second;
}

Sheet& Workbook::operator[](const std::string& name) {
  if (Sheet* s = Find(name)) return *s;
  sheets_.emplace_back(name);
  return sheets_.back();
}

Sheet* Workbook::Find(const std::string& name) {
  for (Sheet& s : sheets_)
    if (s.name() == name) return &s;
  return nullptr;
}

void Workbook::Remove(const std::string& name) {
  sheets_.erase(std::remove_if(sheets_.begin(), sheets_.end(), [&](const Sheet& s) { return s.name() == name; }),
                sheets_.end());
}

Workbook MakeSampleWorkbook() {
  Workbook wb;
  AddCadastralSheets(wb);
  AddFinancialSheets(wb);
  AddScheduleSheets(wb);
  return wb;
}

}  // namespace voske::sample
