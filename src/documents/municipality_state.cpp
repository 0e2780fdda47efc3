#include "documents/municipality_state.h"

#include "values/converters.h"

namespace voske {

namespace {

constexpr int kFirstMunicipalityRow = 5;

std::optional<double> ValueOf(const Cell& cell) {
  if (cell.kind == Cell::Kind::Number) return cell.number;
  double v = 0;
  if (cell.kind == Cell::Kind::Text && TryTextToFloat(cell.text, v)) return v;
  return std::nullopt;
}

}  // namespace

bool SameCodeValue(const Cell& a, const Cell& b) {
  using K = Cell::Kind;
  if (a.kind == K::Empty || b.kind == K::Empty) return false;
  if (a.kind == K::Number || b.kind == K::Number) {
    const std::optional<double> x = ValueOf(a), y = ValueOf(b);
    return x && y && *x == *y;
  }
  return a.kind == b.kind && CellText(a) == CellText(b);
}

std::optional<ListedState> MunicipalityState(const SheetView& lists, const Cell& municipality) {
  for (int row = kFirstMunicipalityRow; row <= lists.Rows(); ++row) {
    const Cell& code = lists.At(row, Col('A'));
    if (CellText(code).empty()) break;
    if (SameCodeValue(code, municipality)) return ListedState{UpperAscii(Trim(lists.TextAt(row, Col('B')))), row};
  }
  return std::nullopt;
}

}  // namespace voske
