#pragma once
// What the generator tells a watcher about each leaf it writes: the names of
// the elements it stands in (the document is streamed, so there is no tree to
// walk), its own name, the final value as it stands in the document, and the
// worksheet cell the value was taken from when it came from a single cell.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include <vector>

#include "text/text.h"

namespace voske {

// A worksheet cell, by worksheet name and 1-based row and column. An empty
// sheet name means the value has no single source cell. The name is only
// viewed: it must outlive the leaf call the origin is passed to (a finding
// copies what it keeps).
struct CellOrigin {
  TextView sheet;
  std::int32_t row = 0;
  std::int32_t column = 0;

  // The cell named in A1 style ("B6", "AA12") of `sheet`.
  static CellOrigin At(TextView sheet, std::string_view a1);

  bool Known() const { return !sheet.empty() && row > 0 && column > 0; }
  // "B6": column letters, then the row number.
  Text A1() const;
  // "Dados Cadastrais!B6", or empty when not known.
  Text Reference() const;
};

class LeafObserver {
 public:
  virtual ~LeafObserver() = default;
  // Called once per element that holds other elements, as it is opened,
  // with the number of open elements it goes under (1 for a child of the
  // root, which is not told). What was opened deeper than that has ended.
  virtual void OnElement(const Text& name, std::size_t depth) {
    (void)name;
    (void)depth;
  }
  // Called once per leaf, after its value is final and before the next one
  // is written. `origin` is null when the leaf has no single source cell.
  // `ancestors` runs from the root element to the leaf's parent.
  virtual void OnLeaf(const std::vector<Text>& ancestors, const Text& name, TextView value,
                      const CellOrigin* origin) = 0;
};

}  // namespace voske
