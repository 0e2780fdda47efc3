#include "verification/sub_accounts.h"

#include <algorithm>
#include <string_view>

namespace voske {

namespace {

Cents Magnitude(Cents c) { return c < 0 ? -c : c; }

// Codes (pieces of the section's code text) with a line each, in an open
// table: twelve bytes a slot, no allocation per code.
class CodeTable {
 public:
  CodeTable(const std::string& codes, std::size_t expected) : codes_(codes) {
    std::size_t capacity = 16;
    while (capacity < 2 * expected) capacity *= 2;
    slots_.assign(capacity, Slot{});
  }
  // The line kept for the code at codes[start, start + length), made with
  // `line` when the code is new.
  std::int32_t& At(std::uint32_t start, std::uint16_t length, std::int32_t line) {
    const std::string_view code(codes_.data() + start, length);
    const std::uint32_t hash = Hash(code);
    for (std::size_t i = hash & Mask();; i = (i + 1) & Mask()) {
      Slot& slot = slots_[i];
      if (slot.length == 0) {
        slot = {start, hash, length, line};
        return slot.line;
      }
      if (slot.hash == hash && slot.length == length && Of(slot) == code) return slot.line;
    }
  }
  // The line kept for that code; nothing when the code is not in the table.
  std::int32_t* Find(std::string_view code) {
    const std::uint32_t hash = Hash(code);
    for (std::size_t i = hash & Mask();; i = (i + 1) & Mask()) {
      Slot& slot = slots_[i];
      if (slot.length == 0) return nullptr;
      if (slot.hash == hash && slot.length == code.size() && Of(slot) == code) return &slot.line;
    }
  }

 private:
  struct Slot {
    std::uint32_t start = 0;
    std::uint32_t hash = 0;
    std::uint16_t length = 0;  // 0: free (no code is empty here)
    std::int32_t line = -1;
  };
  static std::uint32_t Hash(std::string_view code) {
    std::uint64_t h = 14695981039346656037ULL;  // FNV-1a
    for (const char c : code) {
      h ^= static_cast<unsigned char>(c);
      h *= 1099511628211ULL;
    }
    return static_cast<std::uint32_t>(h ^ (h >> 32));
  }
  std::size_t Mask() const { return slots_.size() - 1; }
  std::string_view Of(const Slot& slot) const { return std::string_view(codes_.data() + slot.start, slot.length); }

  const std::string& codes_;
  std::vector<Slot> slots_;
};

// The parent of each line (its index), or -1 for a top account.
std::vector<std::int32_t> ParentsOf(const LedgerSection& section) {
  const std::deque<LedgerLine>& lines = section.lines;
  std::vector<std::int32_t> parent(lines.size(), -1);
  // How many codes of each length: a code can only begin a longer one.
  std::vector<std::int64_t> ofLength;
  for (const LedgerLine& line : lines) {
    if (line.codeLength >= ofLength.size()) ofLength.resize(line.codeLength + 1u);
    ++ofLength[line.codeLength];
  }
  std::vector<std::uint16_t> lengths;  // longest first, the empty code left out
  for (std::size_t l = ofLength.size(); l-- > 1;)
    if (ofLength[l] > 0) lengths.push_back(static_cast<std::uint16_t>(l));
  if (lengths.size() < 2) return parent;  // one length: no code begins another
  const std::uint16_t longest = lengths.front(), shortest = lengths.back();

  // The table holds either every code that may be a parent (those shorter
  // than the longest), or every prefix a code may have a parent by (its
  // beginnings of the lengths that occur), whichever is smaller: a real
  // chart of accounts has few synthetic accounts; a list of accounts of
  // one length with a longer one among them has a single prefix to look up.
  std::int64_t parents = 0, prefixes = 0, shorter = 0;
  for (auto l = lengths.rbegin(); l != lengths.rend(); ++l) {
    prefixes += ofLength[*l] * shorter;
    if (*l < longest) parents += ofLength[*l];
    ++shorter;
  }
  const bool byPrefix = prefixes < parents;
  CodeTable table(section.codes, static_cast<std::size_t>(byPrefix ? prefixes : parents));
  if (byPrefix) {
    for (const LedgerLine& line : lines)
      for (const std::uint16_t length : lengths)
        if (length < line.codeLength) table.At(line.codeStart, length, -1);
    for (std::size_t i = 0; i < lines.size(); ++i) {
      const LedgerLine& line = lines[i];
      if (line.codeLength == 0 || line.codeLength == longest) continue;
      std::int32_t* kept = table.Find(section.Code(line));
      if (kept && *kept < 0) *kept = static_cast<std::int32_t>(i);  // a repeated code: the first
    }
  } else {
    for (std::size_t i = 0; i < lines.size(); ++i)
      if (lines[i].codeLength > 0 && lines[i].codeLength < longest)
        table.At(lines[i].codeStart, lines[i].codeLength, static_cast<std::int32_t>(i));
  }
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].codeLength <= shortest) continue;
    const std::string_view code = section.Code(lines[i]);
    for (const std::uint16_t length : lengths) {
      if (length >= code.size()) continue;
      const std::int32_t* found = table.Find(code.substr(0, length));
      if (!found || *found < 0) continue;
      parent[i] = *found;
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
