#include "workbook/text_budget.h"

#include <string>

#include "workbook/workbook_file.h"

namespace voske {

void TextBudget::Charge(std::uint64_t bytes) {
  if (used_.fetch_add(bytes, std::memory_order_relaxed) + bytes > limit_)
    throw ReaderError(ReaderError::Kind::TooLarge,
                      "the workbook's texts exceed " + std::to_string(limit_ >> 20) + " MiB together");
}

}  // namespace voske
