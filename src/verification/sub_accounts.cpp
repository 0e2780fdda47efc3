#include "verification/sub_accounts.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>

namespace voske {

namespace {

Cents Magnitude(Cents c) { return c < 0 ? -c : c; }

// Line indices by code, in a table of four bytes a slot: a section of a
// hundred thousand accounts needs under a megabyte to find every parent.
class CodeTable {
 public:
  CodeTable(const LedgerSection& section, std::size_t expected) : section_(section) {
    std::size_t capacity = 16;
    while (capacity < 2 * expected) capacity *= 2;
    slots_.assign(capacity, kEmpty);
  }
  // Keeps the first line of a repeated code.
  void Add(std::uint32_t line) {
    const std::string_view code = section_.Code(section_.lines[line]);
    for (std::size_t i = Hash(code) & Mask();; i = (i + 1) & Mask()) {
      if (slots_[i] == kEmpty) {
        slots_[i] = line;
        return;
      }
      if (section_.Code(section_.lines[slots_[i]]) == code) return;
    }
  }
  // The line of that code, or -1.
  std::int32_t Find(std::string_view code) const {
    for (std::size_t i = Hash(code) & Mask();; i = (i + 1) & Mask()) {
      if (slots_[i] == kEmpty) return -1;
      if (section_.Code(section_.lines[slots_[i]]) == code) return static_cast<std::int32_t>(slots_[i]);
    }
  }

 private:
  static constexpr std::uint32_t kEmpty = 0xFFFFFFFF;
  static std::size_t Hash(std::string_view code) {
    std::uint64_t h = 14695981039346656037ULL;  // FNV-1a
    for (const char c : code) {
      h ^= static_cast<unsigned char>(c);
      h *= 1099511628211ULL;
    }
    return static_cast<std::size_t>(h ^ (h >> 29));
  }
  std::size_t Mask() const { return slots_.size() - 1; }

  const LedgerSection& section_;
  std::vector<std::uint32_t> slots_;
};

// The parent of each line (its index), or -1 for a top account.
std::vector<std::int32_t> ParentsOf(const LedgerSection& section) {
  const std::deque<LedgerLine>& lines = section.lines;
  std::vector<std::int32_t> parent(lines.size(), -1);
  // Only a code shorter than the longest can begin another; a worksheet
  // whose codes all have one length has no sub-accounts to look up.
  std::vector<std::uint16_t> lengths;
  for (const LedgerLine& line : lines)
    if (line.codeLength > 0 && std::find(lengths.begin(), lengths.end(), line.codeLength) == lengths.end())
      lengths.push_back(line.codeLength);
  if (lengths.size() < 2) return parent;
  std::sort(lengths.begin(), lengths.end(), std::greater<>());
  const std::uint16_t longest = lengths.front();

  std::size_t candidates = 0;
  for (const LedgerLine& line : lines) candidates += line.codeLength > 0 && line.codeLength < longest;
  CodeTable byCode(section, candidates);
  for (std::size_t i = 0; i < lines.size(); ++i)
    if (lines[i].codeLength > 0 && lines[i].codeLength < longest) byCode.Add(static_cast<std::uint32_t>(i));
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string_view code = section.Code(lines[i]);
    for (const std::uint16_t length : lengths) {
      if (length >= code.size()) continue;
      const std::int32_t found = byCode.Find(code.substr(0, length));
      if (found < 0) continue;
      parent[i] = found;
      break;
    }
  }
  return parent;
}

// What the sub-accounts of one parent add up to; the neutral ones apart.
struct Sums {
  CentsSum column[4];
  std::int64_t subAccounts = 0;
  bool unknown = false;
};

// Adds a line's balances in its worksheet's sense; false for a neutral
// line, which the caller keeps apart.
bool AddBalances(const LedgerLine& line, CentsSum& opening, CentsSum& closing) {
  switch (line.nature) {
    case Nature::Neutral:
      return false;
    case Nature::Contra:
      opening.Subtract(line.amounts[kOpening]);
      closing.Subtract(line.amounts[kClosing]);
      return true;
    default:
      opening.Add(line.amounts[kOpening]);
      closing.Add(line.amounts[kClosing]);
      return true;
  }
}

// `neutral` holds the parent's neutral sub-accounts.
void CompareWithParent(const LedgerSection& section, std::size_t parent, const Sums& sums,
                       const std::vector<std::uint32_t>& neutral,
                       const std::function<void(const SumDifference&)>& report) {
  const LedgerLine& parentLine = section.lines[parent];
  for (const LedgerColumn column : {kOpening, kDebits, kCredits, kClosing}) {
    const Cents written = parentLine.amounts[column];
    if (column == kDebits || column == kCredits) {
      const CentsSum& sum = sums.column[column];
      Cents difference = 0;
      if (sum.overflow) continue;
      if (!__builtin_sub_overflow(written, sum.value, &difference) && WithinRounding(difference, sums.subAccounts))
        continue;
      report({parent, column, written, sum.value, sums.subAccounts});
      continue;
    }
    // Too many neutral sub-accounts to try every sign: the balances go
    // unchecked, the debits and credits are compared all the same.
    if (neutral.size() > kMaxNeutralTerms) continue;
    std::vector<Cents> values;
    for (const std::uint32_t line : neutral) values.push_back(section.lines[line].amounts[column]);
    // The parent reads its sub-accounts in its own sense: a contra parent
    // (accumulated depreciation) is the sum of contra sub-accounts.
    const bool contraParent = parentLine.nature == Nature::Contra;
    const SignChoice choice = ChooseSigns(contraParent ? -written : written, parentLine.nature == Nature::Neutral,
                                          sums.column[column], values, sums.subAccounts);
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
  // One beyond the limit is enough to know the balances go unchecked.
  if (!AddBalances(line, tops.opening, tops.closing) && tops.neutral.size() <= kMaxNeutralTerms)
    tops.neutral.push_back({line.amounts[kOpening], line.amounts[kClosing]});
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
  const std::deque<LedgerLine>& lines = section.lines;
  const std::vector<std::int32_t> parent = ParentsOf(section);
  TopAccounts tops;
  // Sums only for the lines that have sub-accounts, found in one pass; the
  // neutral sub-accounts by the slot of their parent's sums.
  std::vector<std::int32_t> slot(lines.size(), -1);
  std::vector<Sums> sums;
  std::vector<std::pair<std::uint32_t, std::uint32_t>> neutral;
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
    if (!AddBalances(line, parentSums.column[kOpening], parentSums.column[kClosing]))
      neutral.emplace_back(static_cast<std::uint32_t>(s), static_cast<std::uint32_t>(i));
  }
  std::sort(neutral.begin(), neutral.end());
  std::vector<std::uint32_t> under;
  for (std::size_t p = 0; p < lines.size(); ++p) {
    if (slot[p] < 0) continue;
    const auto s = static_cast<std::uint32_t>(slot[p]);
    const Sums& parentSums = sums[s];
    if (parentSums.unknown || lines[p].nature == Nature::Unknown) continue;
    under.clear();
    auto it = std::lower_bound(neutral.begin(), neutral.end(), std::make_pair(s, std::uint32_t{0}));
    for (; it != neutral.end() && it->first == s && under.size() <= kMaxNeutralTerms; ++it) under.push_back(it->second);
    CompareWithParent(section, p, parentSums, under, report);
  }
  return tops;
}

}  // namespace voske
