#include "verification/trial_balance_check.h"

#include <string>
#include <utility>

#include "text/cp1252.h"

namespace voske {

namespace {

const Text kTrialBalance = "oxr:balancete";
const Text kEntry = "oxr:lancamento";
const Text kAccount = "oxr:conta";

struct SectionName {
  const char* element;
  const char* word;  // how the closing check names the section's total
};
// In the order the document writes them; assets and expenses are debit
// accounts.
const SectionName kSections[] = {
    {"oxr:ativo", "ativo"}, {"oxr:passivo", "passivo"}, {"oxr:receita", "receita"}, {"oxr:despesa", "despesa"}};
constexpr std::size_t kMaxCodeLength = 255;

constexpr bool DebitNature(int section) { return section == 0 || section == 3; }

const Text kAmountElements[] = {"oxr:saldoAnterior", "oxr:debitos", "oxr:creditos", "oxr:saldoFinal"};

// How a column is named in a sentence, with its article and verb agreeing.
struct ColumnWords {
  const char* subject;  // "o saldo anterior"
  const char* fails;    // "não confere"
};
const ColumnWords kColumnWords[] = {{"o saldo anterior", "não confere"},
                                    {"os débitos", "não conferem"},
                                    {"os créditos", "não conferem"},
                                    {"o saldo final", "não confere"}};

int SectionOf(const Text& element) {
  for (int i = 0; i < 4; ++i)
    if (element == kSections[i].element) return i;
  return -1;
}

}  // namespace

TrialBalanceCheck::TrialBalanceCheck(FindingSink report) : report_(std::move(report)) {}

void TrialBalanceCheck::OnElement(const Text& name, std::size_t depth) {
  if (depth <= 1) {
    if (inTrialBalance_) CloseTrialBalance();
    if (name == kTrialBalance) {
      inTrialBalance_ = true;
      seen_ = {};
      tops_ = {};
      topPlaces_ = {};
      sheets_ = {};
    }
    return;
  }
  if (!inTrialBalance_) return;
  if (depth == 2) {
    CloseSection();
    sectionIndex_ = SectionOf(name);
    if (sectionIndex_ >= 0) {
      section_.index = sectionIndex_;
      section_.debitNature = DebitNature(sectionIndex_);
    }
  } else if (depth == 3) {
    EndEntry();
    if (sectionIndex_ >= 0 && name == kEntry) StartEntry();
  }
}

void TrialBalanceCheck::Finish() {
  if (inTrialBalance_) CloseTrialBalance();
}

void TrialBalanceCheck::StartEntry() {
  inEntry_ = true;
  code_.clear();
  row_ = 0;
  amountsRead_ = 0;
}

void TrialBalanceCheck::OnEntryLeaf(const std::vector<Text>& ancestors, const Text& name, TextView value,
                                    const CellOrigin* origin) {
  // Root, trial balance, section, entry: anything else (the section's
  // count of entries) comes after the entry.
  if (ancestors.size() != 4) {
    EndEntry();
    return;
  }
  // The names of an entry's leaves differ in length: one comparison tells
  // each.
  int column = -1;
  switch (name.size()) {
    case 9:  // oxr:conta
      if (name != kAccount) return;
      code_.assign(value);
      if (origin && origin->Known()) {
        row_ = origin->row;
        Text& sheet = sheets_[static_cast<std::size_t>(sectionIndex_)];
        if (sheet.empty()) sheet.assign(origin->sheet);
      }
      return;
    case 17: column = kOpening; break;
    case 11: column = kDebits; break;
    case 12: column = kCredits; break;
    case 14: column = kClosing; break;
    default: return;
  }
  if (name != kAmountElements[column]) return;
  if (const std::optional<Cents> cents = CentsOf(value)) {
    amounts_[static_cast<std::size_t>(column)] = *cents;
    amountsRead_ |= 1u << column;
  }
}

void TrialBalanceCheck::EndEntry() {
  if (!inEntry_) return;
  inEntry_ = false;
  LedgerLine line;
  line.row = row_;
  // No account has a code this long (the schema allows 13 characters): the
  // line is left out rather than kept at any size.
  if (code_.size() > kMaxCodeLength) {
    code_.clear();
    amountsRead_ = 0;
  }
  line.codeStart = static_cast<std::uint32_t>(section_.codes.size());
  line.codeLength = static_cast<std::uint16_t>(code_.size());
  section_.codes += code_;
  // A line with an amount that is no number has its own finding already.
  if (amountsRead_ == 0xF) {
    line.amounts = amounts_;
    line.nature = NatureOf(amounts_, section_.debitNature);
    if (line.nature == Nature::Broken) {
      const Cents expected = ExpectedClosing(amounts_, section_.debitNature, false);
      ReportLine(line, section_.lines.size() + 1, amounts_[kClosing], expected);
      line.amounts[kClosing] = expected;
    }
  }
  section_.lines.push_back(line);
}

void TrialBalanceCheck::CloseSection() {
  EndEntry();
  if (sectionIndex_ < 0) return;
  const auto s = static_cast<std::size_t>(sectionIndex_);
  tops_[s] = CheckSubAccounts(section_, [this](const SumDifference& d) { ReportSum(d); });
  if (tops_[s].count > 0) topPlaces_[s] = {section_.lines[tops_[s].first].row, tops_[s].first + 1};
  seen_[s] = true;
  // The lines go; their room stays for the next section.
  section_.lines.clear();
  section_.codes.clear();
  sectionIndex_ = -1;
}

void TrialBalanceCheck::CloseTrialBalance() {
  CloseSection();
  inTrialBalance_ = false;
  // A section missing or without an account is the schema's to refuse.
  for (std::size_t s = 0; s < 4; ++s)
    if (!seen_[s] || tops_[s].count == 0 || tops_[s].unknown) return;
  CheckClosing();
}

void TrialBalanceCheck::CheckClosing() {
  std::int64_t tops = 0;
  CentsSum debits, credits;
  for (const TopAccounts& t : tops_) {
    tops += t.count;
    debits.Add(t.debits.value);
    debits.overflow |= t.debits.overflow;
    credits.Add(t.credits.value);
    credits.overflow |= t.credits.overflow;
  }
  Cents difference = 0;
  // Every top account's debits on one side and its credits on the other.
  if (!debits.overflow && !credits.overflow &&
      (__builtin_sub_overflow(debits.value, credits.value, &difference) || !WithinRounding(difference, 2 * tops))) {
    Finding f;
    f.kind = Finding::Kind::Accounting;
    Place(f, 0, topPlaces_[0].row, topPlaces_[0].ordinal, kDebits);
    f.element = kAmountElements[kDebits];
    f.value = DocumentAmount(debits.value);
    f.reason = Ansi("o balancete não fecha: os débitos somam ") + BrazilianAmount(debits.value) +
               Ansi(" e os créditos ") + BrazilianAmount(credits.value) +
               Ansi(" nas contas de primeiro nível (") + TopCells(0, kDebits) + ", " +
               TopCells(1, kDebits) + ", " + TopCells(2, kDebits) + ", " + TopCells(3, kDebits) + ")";
    f.rule = Ansi("soma dos debitos = soma dos creditos das contas sem conta superior");
    report_(f);
  }
  CheckBalances(kOpening, tops);
  CheckBalances(kClosing, tops);
}

void TrialBalanceCheck::CheckBalances(LedgerColumn column, std::int64_t tops) {
  // (assets + expenses) - (liabilities + revenue) must be nothing; a
  // neutral top account may count with either sign.
  const auto side = [](int s) { return DebitNature(s) ? 1 : -1; };
  CentsSum fixed;
  std::vector<Cents> neutral;
  std::vector<int> neutralSection;
  for (int s = 0; s < 4; ++s) {
    const TopAccounts& t = tops_[static_cast<std::size_t>(s)];
    const CentsSum& sum = column == kOpening ? t.opening : t.closing;
    fixed.overflow |= sum.overflow;
    if (side(s) > 0) fixed.Add(sum.value);
    else fixed.Subtract(sum.value);
    for (const auto& both : t.neutral) {
      neutral.push_back(side(s) * both[column == kOpening ? 0 : 1]);
      neutralSection.push_back(s);
    }
  }
  const SignChoice choice = ChooseSigns(0, false, fixed, neutral, tops);
  if (!choice.found || choice.holds) return;

  // Each section's total with the signs that came closest.
  Cents total[4];
  for (int s = 0; s < 4; ++s) {
    const TopAccounts& t = tops_[static_cast<std::size_t>(s)];
    total[s] = (column == kOpening ? t.opening : t.closing).value;
  }
  for (std::size_t j = 0; j < neutral.size(); ++j) {
    const Cents value = side(neutralSection[j]) * neutral[j];
    total[neutralSection[j]] += (choice.negated & (1u << j)) ? -value : value;
  }
  const auto words = [&](int s) { return Text(kSections[s].word) + " " + BrazilianAmount(total[s]); };
  Finding f;
  f.kind = Finding::Kind::Accounting;
  Place(f, 0, topPlaces_[0].row, topPlaces_[0].ordinal, column);
  f.element = kAmountElements[column];
  f.value = DocumentAmount(total[0]);
  const Text where = column == kOpening ? Ansi("no saldo anterior") : Ansi("no saldo final");
  f.reason = Ansi("o balancete não fecha ") + where + ": " + words(0) + " + " + words(3) + " = " +
             BrazilianAmount(total[0] + total[3]) + Ansi(", mas ") + words(1) + " + " + words(2) + " = " +
             BrazilianAmount(total[1] + total[2]) +
             Ansi(" (contas de primeiro nível em ") + TopCells(0, column) + ", " + TopCells(3, column) + ", " +
             TopCells(1, column) + ", " + TopCells(2, column) + ")";
  f.rule = Ansi("ativo + despesa = passivo + receita nas contas sem conta superior; "
                "contas redutoras com sinal negativo");
  report_(f);
}

void TrialBalanceCheck::Place(Finding& f, int section, std::int32_t row, std::size_t ordinal,
                              LedgerColumn column) const {
  const Text& sheet = sheets_[static_cast<std::size_t>(section)];
  if (row > 0 && !sheet.empty()) {
    f.sheet = sheet;
    f.cell = CellOrigin{sheet, row, 3 + column}.A1();
    return;
  }
  f.path = kTrialBalance + "/" + kSections[section].element + "/" + kEntry +
           (ordinal > 1 ? "[" + std::to_string(ordinal) + "]" : Text()) + "/" + kAmountElements[column];
}

Text TrialBalanceCheck::TopCells(int section, LedgerColumn column) const {
  Finding f;
  const TopPlace& place = topPlaces_[static_cast<std::size_t>(section)];
  Place(f, section, place.row, place.ordinal, column);
  const std::int64_t others = tops_[static_cast<std::size_t>(section)].count - 1;
  if (others == 0) return f.Location();
  return f.Location() + " e mais " + std::to_string(others) + (others == 1 ? " conta" : " contas");
}

void TrialBalanceCheck::ReportLine(const LedgerLine& line, std::size_t ordinal, Cents written, Cents expected) {
  Finding f;
  f.kind = Finding::Kind::Accounting;
  Place(f, section_.index, line.row, ordinal, kClosing);
  f.element = kAmountElements[kClosing];
  f.value = DocumentAmount(written);
  const char* movement =
      section_.debitNature ? "saldo anterior + débitos - créditos" : "saldo anterior - débitos + créditos";
  f.reason = Ansi("o saldo final ") + BrazilianAmount(written) + Ansi(" não confere com ") + Ansi(movement) + " = " +
             BrazilianAmount(expected);
  f.rule = section_.debitNature ? Ansi("saldoFinal = saldoAnterior + debitos - creditos (natureza devedora)")
                                : Ansi("saldoFinal = saldoAnterior - debitos + creditos (natureza credora)");
  report_(f);
}

void TrialBalanceCheck::ReportSum(const SumDifference& d) {
  const LedgerLine& parent = section_.lines[d.parent];
  const ColumnWords& words = kColumnWords[d.column];
  Finding f;
  f.kind = Finding::Kind::Accounting;
  Place(f, section_.index, parent.row, d.parent + 1, d.column);
  f.element = kAmountElements[d.column];
  f.value = DocumentAmount(d.written);
  const Text subAccounts =
      d.subAccounts == 1 ? Ansi("da subconta") : Ansi("das ") + std::to_string(d.subAccounts) + " subcontas";
  f.reason = Ansi(words.subject) + " " + BrazilianAmount(d.written) + " " + Ansi(words.fails) + Ansi(" com a soma ") +
             subAccounts + " = " + BrazilianAmount(d.expected);
  f.rule = Ansi("conta sintética = soma das subcontas (contas redutoras com sinal negativo)");
  report_(f);
}

}  // namespace voske
