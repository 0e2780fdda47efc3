#pragma once
// Synthetic accounts against their sub-accounts, in one trial-balance
// worksheet. The parent of an account is the longest other code of the
// worksheet that begins it ("1212190111" belongs to "1212", "1212" to
// "121"); every account with sub-accounts must carry their sums: debits and
// credits as they are, balances with a contra account counted negative and a
// neutral one (debits equal to credits) with whichever sign makes the sum
// hold. What has no parent is a top account, and goes to the check that the
// whole trial balance closes.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "verification/ledger_lines.h"

namespace voske {

// More neutral lines than this under one sum and only its debits and credits
// are compared: each may count with either sign, and trying every choice
// would cost 2^n.
inline constexpr std::size_t kMaxNeutralTerms = 10;

// The signs that bring a sum closest to a target: `fixed` plus each neutral
// value with a sign of its own; with `eitherTargetSign`, against the
// target or its opposite. `terms` amounts were summed, for the rounding.
struct SignChoice {
  std::uint32_t negated = 0;   // bit i: neutral value i counts negative
  bool targetNegated = false;
  Cents sum = 0;               // the sum with those signs
  bool holds = false;          // within rounding of the target
  bool found = false;          // false when every choice overflowed
};
SignChoice ChooseSigns(Cents target, bool eitherTargetSign, const CentsSum& fixed, const std::vector<Cents>& neutral,
                       std::int64_t terms);

// A synthetic account whose figure in one column is not the sum of its
// sub-accounts' figures.
struct SumDifference {
  std::size_t parent = 0;      // the line
  LedgerColumn column = kOpening;
  Cents written = 0;           // the parent's figure
  Cents expected = 0;          // the sub-accounts' sum, signed as the parent reads it
  std::int64_t subAccounts = 0;
};

// The top accounts of one worksheet, summed for the closing check.
struct TopAccounts {
  std::int64_t count = 0;
  std::size_t first = 0;  // the first top line
  CentsSum debits, credits;
  // In the worksheet's own sense: a contra account counts negative; neutral
  // lines are apart (at most kMaxNeutralTerms + 1 are kept).
  CentsSum opening, closing;
  std::vector<std::array<Cents, 2>> neutral;  // opening and closing of each
  bool unknown = false;  // a top line with an amount that is no number
};

// Compares every synthetic account of `section` with its sub-accounts,
// reporting each difference in line order, and sums the top accounts.
TopAccounts CheckSubAccounts(const LedgerSection& section, const std::function<void(const SumDifference&)>& report);

}  // namespace voske
