#include "documents/cell_date.h"

#include "text/error.h"
#include "values/converters.h"

namespace voske {

Text CellDate(const Cell& cell, DateSystem dates) {
  const Text text = CellText(cell);
  if (cell.kind != Cell::Kind::Number || dates == DateSystem::From1900) return NormalizeDate(text);
  // The message names the serial as stored, not the one it was brought to.
  std::optional<Text> date = TryNormalizeDate(CellText(Cell::MakeNumber(SerialIn1900System(cell.number, dates))));
  if (!date) throw EGenerica(InvalidDateMessage(text));
  return std::move(*date);
}

}  // namespace voske
