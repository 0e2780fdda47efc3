#include "verification/ledger_lines.h"

namespace voske {

std::optional<Cents> ExpectedClosing(const std::array<Cents, 4>& amounts, bool debitNature, bool contra) {
  // Debit accounts grow with their debits, credit accounts with their credits.
  const bool growsWithDebits = debitNature != contra;
  CentsSum closing;
  closing.Add(amounts[kOpening]);
  if (growsWithDebits) {
    closing.Add(amounts[kDebits]);
    closing.Subtract(amounts[kCredits]);
  } else {
    closing.Subtract(amounts[kDebits]);
    closing.Add(amounts[kCredits]);
  }
  if (closing.overflow) return std::nullopt;
  return closing.value;
}

Nature NatureOf(const std::array<Cents, 4>& amounts, bool debitNature) {
  // The closing balance is compared with a sum of three rounded amounts.
  constexpr std::int64_t kTerms = 3;
  const auto fits = [&](bool contra) {
    const std::optional<Cents> expected = ExpectedClosing(amounts, debitNature, contra);
    Cents difference = 0;
    return expected && !__builtin_sub_overflow(amounts[kClosing], *expected, &difference) &&
           WithinRounding(difference, kTerms);
  };
  if (fits(false)) return amounts[kDebits] == amounts[kCredits] ? Nature::Neutral : Nature::Own;
  if (fits(true)) return Nature::Contra;
  return Nature::Broken;
}

}  // namespace voske
