#include "xml/leaf_observer.h"

#include <string>

namespace voske {

Text CellOrigin::A1() const {
  if (row <= 0 || column <= 0) return Text();
  Text letters;
  for (std::int32_t c = column; c > 0; c = (c - 1) / 26)
    letters.insert(letters.begin(), static_cast<char>('A' + (c - 1) % 26));
  return letters + std::to_string(row);
}

Text CellOrigin::Reference() const { return Known() ? sheet + "!" + A1() : Text(); }

}  // namespace voske
