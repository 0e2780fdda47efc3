#pragma once
// The state of a municipality, from the municipality list of "Listas": the
// IBGE code in column A and the state in B, from row 5 down to the first
// empty code. Both documents write it beside every municipality code.
#include <optional>

#include "text/text.h"
#include "workbook/sheet_view.h"
#include "workbook/worksheet_array.h"

namespace voske {

// Whether two cells hold the same code. A number equals the same number held
// as a text written by the workbook's number rule (TryTextToFloat: "," as
// decimal separator, blanks around ignored, no thousands separators); two
// texts must be equal as they stand; an empty cell equals nothing.
bool SameCodeValue(const Cell& a, const Cell& b);

// The state listed for a municipality, and the row of "Listas" it stands
// in (its cell is the state's source, for the verification).
struct ListedState {
  Text state;  // trimmed, upper-cased
  int row = 0;
};
// The state listed for `municipality`; nothing when the code is not listed.
std::optional<ListedState> MunicipalityState(const SheetView& lists, const Cell& municipality);

}  // namespace voske
