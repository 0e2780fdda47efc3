// How area entries are ordered and municipality codes matched, on cases the
// sample workbook does not reach.
#include <gtest/gtest.h>

#include "documents/municipality_state.h"
#include "documents/registration/text_collation.h"
#include "text/cp1252.h"

namespace voske {
namespace {

TEST(CompareTextIgnoringCase, OrdersAsAPortugueseReaderExpects) {
  auto before = [](const char* a, const char* b) { return CompareTextIgnoringCase(Ansi(a), Ansi(b)) < 0; };
  EXPECT_TRUE(before("SP;350950", "sp;355030"));   // case does not count
  EXPECT_TRUE(before("sp;355030", "SP;TODOS"));    // digits before letters
  EXPECT_TRUE(before("SP;TODOS", "SPX;1"));        // the separator before any letter
  EXPECT_TRUE(before("Sao Paulo", "São Paulo"));   // an accent only breaks a tie
  EXPECT_TRUE(before("São Paulo", "Sapucaí"));     // ... and never before the letters
  EXPECT_TRUE(before("SP;35", "SP;350"));
  EXPECT_EQ(CompareTextIgnoringCase("rj;TODOS", "RJ;todos"), 0);
}

TEST(SameCodeValue, NumbersEqualTheSameNumberHeldAsText) {
  EXPECT_TRUE(SameCodeValue(Cell::MakeNumber(355030), Cell::MakeText("355030")));
  EXPECT_TRUE(SameCodeValue(Cell::MakeText(" 355030 "), Cell::MakeNumber(355030)));
  EXPECT_TRUE(SameCodeValue(Cell::MakeText("0355030"), Cell::MakeNumber(355030)));
  EXPECT_FALSE(SameCodeValue(Cell::MakeText("355.030"), Cell::MakeNumber(355030)));
  EXPECT_TRUE(SameCodeValue(Cell::MakeText("3,5E5"), Cell::MakeNumber(350000)));  // the workbook's number rule
  EXPECT_FALSE(SameCodeValue(Cell::MakeText("TODOS"), Cell::MakeNumber(355030)));
  // Two texts must be equal as they stand.
  EXPECT_TRUE(SameCodeValue(Cell::MakeText("355030"), Cell::MakeText("355030")));
  EXPECT_FALSE(SameCodeValue(Cell::MakeText("0355030"), Cell::MakeText("355030")));
  EXPECT_FALSE(SameCodeValue(Cell(), Cell::MakeNumber(0)));
}

}  // namespace
}  // namespace voske
