// The sample operator's tax numbers carry valid check digits.
#include <gtest/gtest.h>

#include <stdexcept>

#include "sample_workbook.h"

namespace voske::support {
namespace {

TEST(SampleTaxNumbers, CheckDigitsAreComputed) {
  EXPECT_EQ(sample::FormatCnpj("11.222.333/0001"), "11.222.333/0001-81");
  EXPECT_EQ(sample::FormatCnpj("112223330001"), "11.222.333/0001-81");
  EXPECT_EQ(sample::FormatCpf("123.456.789"), "123.456.789-09");
  // A remainder below 2 gives the digit 0, not 10 or 11.
  EXPECT_EQ(sample::FormatCpf("319.427.586"), "319.427.586-00");
  EXPECT_THROW(sample::FormatCpf("12345678"), std::invalid_argument);
}

}  // namespace
}  // namespace voske::support
