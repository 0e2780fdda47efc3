#include "workbook/shared_text.h"

#include <ostream>

namespace voske {

const Text& SharedText::Empty() {
  static const Text kEmpty;
  return kEmpty;
}

std::ostream& operator<<(std::ostream& out, const SharedText& text) { return out << text.str(); }

}  // namespace voske
