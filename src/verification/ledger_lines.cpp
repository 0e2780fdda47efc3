#include "verification/ledger_lines.h"

namespace voske {

Cents ExpectedClosing(const std::array<Cents, 4>& amounts, bool debitNature, bool contra) {
  // Debit accounts grow with their debits, credit accounts with their
  // credits. Amounts stay under 10^17 cents, so three of them never overflow.
  const Cents movement = amounts[kDebits] - amounts[kCredits];
  return debitNature != contra ? amounts[kOpening] + movement : amounts[kOpening] - movement;
}

Nature NatureOf(const std::array<Cents, 4>& amounts, bool debitNature) {
  // The closing balance is compared with a sum of three rounded amounts.
  constexpr std::int64_t kTerms = 3;
  const auto fits = [&](bool contra) {
    return WithinRounding(amounts[kClosing] - ExpectedClosing(amounts, debitNature, contra), kTerms);
  };
  if (fits(false)) return amounts[kDebits] == amounts[kCredits] ? Nature::Neutral : Nature::Own;
  if (fits(true)) return Nature::Contra;
  return Nature::Broken;
}

}  // namespace voske
