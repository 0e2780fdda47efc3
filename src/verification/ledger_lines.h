#pragma once
// The lines of one trial-balance worksheet as the accounting checks keep
// them while its section streams past: the account code, the four amounts in
// cents and how the line moves. A section of a hundred thousand accounts
// costs a few megabytes, and only until its section ends.
#include <array>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "text/text.h"
#include "verification/ledger_amounts.h"

namespace voske {

// The amounts of a line, in the order of the worksheet's columns C to F.
enum LedgerColumn : int { kOpening = 0, kDebits = 1, kCredits = 2, kClosing = 3 };

// How a line moves, told by its amounts.
enum class Nature : unsigned char {
  Own,      // as its worksheet's accounts move: closing = opening + debits - credits for assets and expenses
  Contra,   // as the other worksheets' accounts move: a contra account, counted with the opposite sign
  Neutral,  // debits equal credits: no nature of its own, it may count with either sign
  Broken,   // follows neither: its closing balance is taken as its movement gives it
  Unknown,  // an amount that is no number: the line is left out of every check
};

// The closing balance a line of a debit (assets, expenses) or credit
// (liabilities, revenue) worksheet has when it moves as its worksheet's
// accounts do; `contra` for the other rule. Amounts are those of CentsOf
// (under 10^17 cents).
Cents ExpectedClosing(const std::array<Cents, 4>& amounts, bool debitNature, bool contra);

// How a line with these amounts moves (never Unknown). A Broken line's
// closing balance is what the rule of its worksheet gives.
Nature NatureOf(const std::array<Cents, 4>& amounts, bool debitNature);

struct LedgerLine {
  std::uint32_t codeStart = 0;  // in LedgerSection::codes
  std::uint16_t codeLength = 0;
  Nature nature = Nature::Unknown;
  std::int32_t row = 0;  // the worksheet row; 0 for a document read from a file
  // Opening, debits, credits, closing; a Broken line's closing is the one
  // its movement gives, so that one wrong figure is found once, at its line.
  std::array<Cents, 4> amounts{};
};

// One of the four sections of the trial balance.
struct LedgerSection {
  int index = 0;            // 0 assets, 1 liabilities, 2 revenue, 3 expenses
  bool debitNature = true;  // assets and expenses
  // In blocks: a long section grows without ever holding twice its lines.
  std::deque<LedgerLine> lines;
  std::string codes;  // every line's code, one after the other

  TextView Code(const LedgerLine& line) const { return TextView(codes).substr(line.codeStart, line.codeLength); }
};

}  // namespace voske
