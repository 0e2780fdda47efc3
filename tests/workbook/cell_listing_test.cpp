// The listing that shows what was read: numbers must read back exactly and
// texts must survive the tab-separated lines.
#include <gtest/gtest.h>

#include <cstdlib>

#include "text/cp1252.h"
#include "workbook/cell_listing.h"

namespace voske {
namespace {

TEST(RoundTripNumber, ShortestFormThatReadsBackExactly) {
  EXPECT_EQ(RoundTripNumber(44197.0), "44197.0");
  EXPECT_EQ(RoundTripNumber(0.0), "0.0");
  EXPECT_EQ(RoundTripNumber(-0.0), "-0.0");
  EXPECT_EQ(RoundTripNumber(-2.5), "-2.5");
  EXPECT_EQ(RoundTripNumber(0.1 + 0.2), "0.30000000000000004");
  EXPECT_EQ(RoundTripNumber(10.6320601851852), "10.6320601851852");
  EXPECT_EQ(RoundTripNumber(0.0001), "0.0001");
  EXPECT_EQ(RoundTripNumber(0.00001), "1e-05");
  EXPECT_EQ(RoundTripNumber(1.5e-7), "1.5e-07");
  EXPECT_EQ(RoundTripNumber(1e15), "1000000000000000.0");
  EXPECT_EQ(RoundTripNumber(1e16), "1e+16");
  EXPECT_EQ(RoundTripNumber(123456789012345678.0), "1.2345678901234568e+17");
  EXPECT_EQ(RoundTripNumber(1e300), "1e+300");
  for (double v : {1.0 / 3, 2.0 / 3 * 1e10, 5e-324, 1.7976931348623157e308, 44197.423726851855})
    EXPECT_EQ(std::strtod(RoundTripNumber(v).c_str(), nullptr), v) << RoundTripNumber(v);
}

TEST(AppendCellListing, OneLinePerNonEmptyCellInRowOrder) {
  WorksheetArray a(5, 3);
  a.Mutable(1, 2) = Cell::MakeText(Ansi("Provisão\tA\\B\r\n\x1b[2J"));
  a.Mutable(2, 1) = Cell::MakeNumber(1);
  a.Mutable(2, 3) = Cell::MakeBoolean(false);
  a.Mutable(3, 1) = Cell::MakeError("#N/A");
  a.Mutable(3, 2) = Cell::MakeText("");  // an empty text shows as nothing, like a blank
  a.Mutable(3, 3) = Cell::MakeBoolean(true);
  std::string out;
  AppendCellListing(out, Ansi("Solvência"), a);
  EXPECT_EQ(out,
            "sheet\tSolv\xC3\xAAncia\n"
            "1\t2\ts\tProvis\xC3\xA3o\\tA\\\\B\\r\\n\\x1B[2J\n"
            "2\t1\tn\t1.0\n"
            "2\t3\tb\t0\n"
            "3\t1\te\t#N/A\n"
            "3\t3\tb\t1\n");
}

}  // namespace
}  // namespace voske
