#include "text/general_number.h"

#include <gtest/gtest.h>

#include <clocale>

namespace voske {
namespace {

TEST(GeneralNumberText, NumbersUseTheGeneralFormatWithCommaDecimals) {
  EXPECT_EQ(GeneralNumberText(40969), "40969");
  EXPECT_EQ(GeneralNumberText(1234.567), "1234,567");
  EXPECT_EQ(GeneralNumberText(-0.5), "-0,5");
  EXPECT_EQ(GeneralNumberText(0), "0");
  EXPECT_EQ(GeneralNumberText(-0.0), "0");
  EXPECT_EQ(GeneralNumberText(0.1 + 0.2), "0,3");  // 15 significant digits hide the binary tail
  EXPECT_EQ(GeneralNumberText(1.0 / 3.0), "0,333333333333333");
  EXPECT_EQ(GeneralNumberText(123456789012345.0), "123456789012345");
  EXPECT_EQ(GeneralNumberText(1234567.5), "1234567,5");
  EXPECT_EQ(GeneralNumberText(40969.75), "40969,75");  // a date with a time of day
}

TEST(GeneralNumberText, ExponentFormOnlyBeyondTheGeneralRange) {
  EXPECT_EQ(GeneralNumberText(1e15), "1E15");
  EXPECT_EQ(GeneralNumberText(999999999999999.0), "999999999999999");
  EXPECT_EQ(GeneralNumberText(1.5e20), "1,5E20");
  EXPECT_EQ(GeneralNumberText(0.0001), "0,0001");
  EXPECT_EQ(GeneralNumberText(0.00001), "1E-5");
  EXPECT_EQ(GeneralNumberText(-2.25e-7), "-2,25E-7");
}

TEST(GeneralNumberText, FifteenDigitsAreRoundedWhateverTheShortestFormHolds) {
  // Shortest forms of 16 and 17 digits, and a subnormal value whose shortest
  // form is shorter than its 15-digit rounding.
  EXPECT_EQ(GeneralNumberText(2.0 / 3.0), "0,666666666666667");
  EXPECT_EQ(GeneralNumberText(1234567.891234567), "1234567,89123457");
  EXPECT_EQ(GeneralNumberText(9.9999999999999995e14), "1E15");
  EXPECT_EQ(GeneralNumberText(4.8665650620520162e-310), "4,86656506205202E-310");
  EXPECT_EQ(GeneralNumberText(5.0), "5");
  EXPECT_EQ(GeneralNumberText(7e-3), "0,007");
}

TEST(GeneralNumberText, IsIndependentOfTheProcessLocale) {
  std::setlocale(LC_ALL, "C");
  const Text c = GeneralNumberText(2.5);
  std::setlocale(LC_NUMERIC, "de_DE.UTF-8");  // may not exist; then nothing changes
  EXPECT_EQ(GeneralNumberText(2.5), c);
  EXPECT_EQ(c, "2,5");
  std::setlocale(LC_ALL, "C");
}

}  // namespace
}  // namespace voske
