#pragma once
// TrialBalanceCheck: the accounting rules of the trial balance, checked on
// its leaves as they stream past (a generation, or a document read from
// disk), so the workbook is never read a second time for them:
//  1. each line moves as its account's nature says: closing = opening +
//     debits - credits for assets and expenses, opening - debits + credits
//     for liabilities and revenue; a line that follows the other rule is a
//     contra account, fine, and counts with the opposite sign below;
//  2. each synthetic account is the sum of its sub-accounts (sub_accounts.h);
//  3. the trial balance closes: over the top accounts of the four sections,
//     debits equal credits, and assets + expenses = liabilities + revenue in
//     the opening and in the closing balances;
//  4. rounding is no fault: half a cent per summed amount is accepted.
// Each difference is a finding of its own kind at the cell that shows it
// (its path, in a document without cells), naming both figures.
#include <array>
#include <cstddef>
#include <vector>

#include "text/text.h"
#include "verification/finding.h"
#include "verification/ledger_lines.h"
#include "verification/sub_accounts.h"
#include "xml/leaf_observer.h"

namespace voske {

class TrialBalanceCheck {
 public:
  explicit TrialBalanceCheck(FindingSink report);

  // The generator's (or the file reader's) calls, as a LeafObserver gets them.
  void OnElement(const Text& name, std::size_t depth);
  void OnLeaf(const std::vector<Text>& ancestors, const Text& name, TextView value, const CellOrigin* origin) {
    // Outside an entry of the trial balance a leaf costs this test alone.
    if (inEntry_) OnEntryLeaf(ancestors, name, value, origin);
  }
  // The document ended: a trial balance still open is checked now.
  void Finish();

 private:
  // Where the first top account of a section stands.
  struct TopPlace {
    std::int32_t row = 0;
    std::size_t ordinal = 0;
  };

  void OnEntryLeaf(const std::vector<Text>& ancestors, const Text& name, TextView value, const CellOrigin* origin);
  void StartEntry();
  void EndEntry();
  void CloseSection();
  void CloseTrialBalance();
  void CheckClosing();
  void CheckBalances(LedgerColumn column, std::int64_t tops);

  // The finding's place: the cell of `column` on the line's row, or the
  // element's path when the document has no cells.
  void Place(Finding& f, int section, std::int32_t row, std::size_t ordinal, LedgerColumn column) const;
  // "Balancete Ativo!C4", or "Balancete Ativo!C4 e mais 2 contas".
  Text TopCells(int section, LedgerColumn column) const;
  void ReportLine(const LedgerLine& line, std::size_t ordinal, Cents written, Cents expected);
  void ReportSum(const SumDifference& d);

  FindingSink report_;
  bool inTrialBalance_ = false;
  std::array<bool, 4> seen_{};
  std::array<TopAccounts, 4> tops_{};
  std::array<TopPlace, 4> topPlaces_{};
  std::array<Text, 4> sheets_{};  // each section's worksheet, once a leaf names it

  int sectionIndex_ = -1;  // the section being read
  LedgerSection section_;

  // The entry being read.
  bool inEntry_ = false;
  Text code_;
  std::int32_t row_ = 0;
  std::array<Cents, 4> amounts_{};
  unsigned amountsRead_ = 0;  // bit per column with a number
};

}  // namespace voske
