#pragma once
// What every section writer of either document works with: the worksheets
// this generation loaded, the generator of the document, and the front end
// for status lines and repaints. The registration and financial contexts add
// what only their own sections need.
#include "port/front_end.h"
#include "workbook/worksheets.h"
#include "xml/xml_generator.h"

namespace voske {

struct BuildContext {
  const Worksheets& sheets;
  TXMLGenerator& gen;
  FrontEnd& frontEnd;

  // A worksheet the load sequence read for this document (see Worksheets).
  SheetView Sheet(SheetId id) const { return sheets[id]; }
  // Lets the window repaint between the longer steps of the build.
  void Breathe() const { frontEnd.ProcessEvents(); }
};

// The cell a leaf is written from, for the verification's findings.
inline CellOrigin OriginOf(const SheetView& sheet, std::int32_t row, std::int32_t column) {
  return CellOrigin{sheet.Name(), row, column};
}

}  // namespace voske
