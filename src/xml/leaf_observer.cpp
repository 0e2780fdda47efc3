#include "xml/leaf_observer.h"

#include <string>

namespace voske {

CellOrigin CellOrigin::At(TextView sheet, std::string_view a1) {
  CellOrigin origin{sheet, 0, 0};
  std::size_t i = 0;
  while (i < a1.size() && a1[i] >= 'A' && a1[i] <= 'Z') origin.column = origin.column * 26 + (a1[i++] - 'A' + 1);
  while (i < a1.size() && a1[i] >= '0' && a1[i] <= '9') origin.row = origin.row * 10 + (a1[i++] - '0');
  return origin;
}

Text CellOrigin::A1() const {
  if (row <= 0 || column <= 0) return Text();
  Text letters;
  for (std::int32_t c = column; c > 0; c = (c - 1) / 26)
    letters.insert(letters.begin(), static_cast<char>('A' + (c - 1) % 26));
  return letters + std::to_string(row);
}

Text CellOrigin::Reference() const { return Known() ? Text(sheet) + "!" + A1() : Text(); }

}  // namespace voske
