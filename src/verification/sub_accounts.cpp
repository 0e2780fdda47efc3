#include "verification/sub_accounts.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>

namespace voske {

namespace {

Cents Magnitude(Cents c) { return c < 0 ? -c : c; }

// The parent of each line (its index), or -1 for a top account.
std::vector<std::int32_t> ParentsOf(const LedgerSection& section) {
  const std::vector<LedgerLine>& lines = section.lines;
  std::vector<std::int32_t> parent(lines.size(), -1);
  // Only a code shorter than the longest can begin another; a worksheet
  // whose codes all have one length has no sub-accounts to look up.
  std::vector<std::uint32_t> lengths;
  for (const LedgerLine& line : lines)
    if (line.codeLength > 0 && std::find(lengths.begin(), lengths.end(), line.codeLength) == lengths.end())
      lengths.push_back(line.codeLength);
  if (lengths.size() < 2) return parent;
  std::sort(lengths.begin(), lengths.end(), std::greater<>());
  const std::uint32_t longest = lengths.front();

  std::unordered_map<std::string_view, std::int32_t> byCode;
  for (std::size_t i = 0; i < lines.size(); ++i)
    if (lines[i].codeLength > 0 && lines[i].codeLength < longest)
      byCode.emplace(section.Code(lines[i]), static_cast<std::int32_t>(i));  // a repeated code: the first
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string_view code = section.Code(lines[i]);
    for (const std::uint32_t length : lengths) {
      if (length >= code.size()) continue;
      const auto found = byCode.find(code.substr(0, length));
      if (found == byCode.end()) continue;
      parent[i] = found->second;
      break;
    }
  }
  return parent;
}

// What the sub-accounts of one parent add up to.
struct Sums {
  CentsSum column[4];
  std::int64_t subAccounts = 0;
  std::vector<std::array<Cents, 2>> neutral;  // opening and closing; one more than the limit at most
  bool unknown = false;
};

// Adds a line's balances in its worksheet's sense to `opening` and
// `closing`, or keeps them apart when it is neutral.
void AddBalances(const LedgerLine& line, CentsSum& opening, CentsSum& closing,
                 std::vector<std::array<Cents, 2>>& neutral) {
  switch (line.nature) {
    case Nature::Neutral:
      // One beyond the limit is enough to know the balances go unchecked.
      if (neutral.size() <= kMaxNeutralTerms) neutral.push_back({line.amounts[kOpening], line.amounts[kClosing]});
      return;
    case Nature::Contra:
      opening.Subtract(line.amounts[kOpening]);
      closing.Subtract(line.amounts[kClosing]);
      return;
    default:
      opening.Add(line.amounts[kOpening]);
      closing.Add(line.amounts[kClosing]);
  }
}

void CompareWithParent(const LedgerLine& parentLine, std::size_t parent, const Sums& sums,
                       const std::function<void(const SumDifference&)>& report) {
  for (const LedgerColumn column : {kOpening, kDebits, kCredits, kClosing}) {
    const Cents written = parentLine.amounts[column];
    const bool balance = column == kOpening || column == kClosing;
    if (!balance) {
      const CentsSum& sum = sums.column[column];
      Cents difference = 0;
      if (sum.overflow) continue;
      if (!__builtin_sub_overflow(written, sum.value, &difference) && WithinRounding(difference, sums.subAccounts))
        continue;
      report({parent, column, written, sum.value, sums.subAccounts});
      continue;
    }
    // Too many neutral sub-accounts to try every sign: the balances go
    // unchecked, the debits and credits were compared above.
    if (sums.neutral.size() > kMaxNeutralTerms) continue;
    std::vector<Cents> neutral;
    neutral.reserve(sums.neutral.size());
    for (const auto& both : sums.neutral) neutral.push_back(both[column == kOpening ? 0 : 1]);
    // The parent reads its sub-accounts in its own sense: a contra parent
    // (accumulated depreciation) is the sum of contra sub-accounts.
    const bool contraParent = parentLine.nature == Nature::Contra;
    const SignChoice choice = ChooseSigns(contraParent ? -written : written, parentLine.nature == Nature::Neutral,
                                          sums.column[column], neutral, sums.subAccounts);
    if (!choice.found || choice.holds) continue;
    const bool negate = contraParent != choice.targetNegated;
    report({parent, column, written, negate ? -choice.sum : choice.sum, sums.subAccounts});
  }
}

void AddTop(TopAccounts& tops, const LedgerLine& line, std::size_t index) {
  if (tops.count++ == 0) tops.first = index;
  if (line.nature == Nature::Unknown) {
    tops.unknown = true;
    return;
  }
  tops.debits.Add(line.amounts[kDebits]);
  tops.credits.Add(line.amounts[kCredits]);
  AddBalances(line, tops.opening, tops.closing, tops.neutral);
}

}  // namespace

SignChoice ChooseSigns(Cents target, bool eitherTargetSign, const CentsSum& fixed, const std::vector<Cents>& neutral,
                       std::int64_t terms) {
  SignChoice best;
  if (fixed.overflow || neutral.size() > kMaxNeutralTerms) return best;
  Cents bestDistance = 0;
  for (int flip = 0; flip < (eitherTargetSign ? 2 : 1); ++flip) {
    const Cents goal = flip ? -target : target;
    for (std::uint32_t mask = 0; mask < (1u << neutral.size()); ++mask) {
      CentsSum sum = fixed;
      for (std::size_t i = 0; i < neutral.size(); ++i) {
        if (mask & (1u << i)) sum.Subtract(neutral[i]);
        else sum.Add(neutral[i]);
      }
      Cents difference = 0;
      if (sum.overflow || __builtin_sub_overflow(goal, sum.value, &difference) || difference == INT64_MIN) continue;
      if (best.found && Magnitude(difference) >= bestDistance) continue;
      best = {mask, flip == 1, sum.value, WithinRounding(difference, terms), true};
      bestDistance = Magnitude(difference);
      if (best.holds) return best;
    }
  }
  return best;
}

TopAccounts CheckSubAccounts(const LedgerSection& section, const std::function<void(const SumDifference&)>& report) {
  const std::vector<LedgerLine>& lines = section.lines;
  const std::vector<std::int32_t> parent = ParentsOf(section);
  TopAccounts tops;
  // Sums only for the lines that have sub-accounts, found in one pass.
  std::vector<std::int32_t> slot(lines.size(), -1);
  std::vector<Sums> sums;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const LedgerLine& line = lines[i];
    if (parent[i] < 0) {
      AddTop(tops, line, i);
      continue;
    }
    std::int32_t& s = slot[static_cast<std::size_t>(parent[i])];
    if (s < 0) {
      s = static_cast<std::int32_t>(sums.size());
      sums.emplace_back();
    }
    Sums& parentSums = sums[static_cast<std::size_t>(s)];
    ++parentSums.subAccounts;
    if (line.nature == Nature::Unknown) {
      parentSums.unknown = true;
      continue;
    }
    parentSums.column[kDebits].Add(line.amounts[kDebits]);
    parentSums.column[kCredits].Add(line.amounts[kCredits]);
    AddBalances(line, parentSums.column[kOpening], parentSums.column[kClosing], parentSums.neutral);
  }
  for (std::size_t p = 0; p < lines.size(); ++p) {
    if (slot[p] < 0) continue;
    const Sums& parentSums = sums[static_cast<std::size_t>(slot[p])];
    if (parentSums.unknown || lines[p].nature == Nature::Unknown) continue;
    CompareWithParent(lines[p], p, parentSums, report);
  }
  return tops;
}

}  // namespace voske
