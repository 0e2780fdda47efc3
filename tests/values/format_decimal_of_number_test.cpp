// FormatDecimalOfNumber must give, for every number, exactly what
// FormatDecimal gives for that number's cell text: it is only a shortcut.
// Both must follow the rounding rule, whatever shortcuts they take.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstdint>
#include <cstring>
#include <functional>
#include <random>

#include "values/converters.h"
#include "text/general_number.h"

namespace voske {
namespace {

// The result, or the message, of a conversion.
Text Outcome(const std::function<Text()>& convert) {
  try {
    return convert();
  } catch (const EGenerica& e) {
    return "error: " + e.Message();
  }
}

// The rule itself: the cell text read back, to the nearest cent (ties to
// even), in the general format with "." for ",".
Text ByTheRule(double value) {
  const Text cellText = GeneralNumberText(value);
  const double x = std::strtod(ReplaceAll(cellText, ",", ".").c_str(), nullptr);
  const double rounded = std::nearbyint(x / 0.01) * 0.01;
  return ReplaceAll(GeneralNumberText(rounded), ",", ".");
}

void ExpectSameAsThroughTheCellText(double value) {
  const Text viaText = Outcome([&] { return FormatDecimal(GeneralNumberText(value)); });
  EXPECT_EQ(Outcome([&] { return FormatDecimalOfNumber(value); }), viaText) << value;
  if (std::fabs(value) < 1e300) {
    EXPECT_EQ(viaText, ByTheRule(value)) << value;
  }
}

TEST(FormatDecimalOfNumber, AgreesWithTheCellTextOnChosenValues) {
  for (double v : {0.0, -0.0, 1.0, -1.0, 10.0, 0.5, 1234.567, 1234.565, 1234.575, 0.005, 0.015, 0.125, -0.005,
                   1.005, 2.675, 0.1 + 0.2, 1.0 / 3.0, 2.0 / 3.0, 1e-3, 4.9e-3, 5e-3, 123456789012.345,
                   999999999999999.0, 1e15, 1.5e20, 1e300, 1.7976931348623157e308, 4.9406564584124654e-324,
                   2.2250738585072014e-308, 1234567.891234567, -98765.4321})
    ExpectSameAsThroughTheCellText(v);
  EXPECT_EQ(FormatDecimalOfNumber(1234.567), "1234.57");
  EXPECT_EQ(FormatDecimalOfNumber(10), "10");
}

TEST(FormatDecimalOfNumber, AgreesWithTheCellTextOnRandomValues) {
  std::mt19937_64 random(20240701);
  for (int i = 0; i < 200000; ++i) {
    const std::uint64_t bits = random();
    double v = 0;
    switch (i % 4) {
      case 0: std::memcpy(&v, &bits, sizeof v); if (!std::isfinite(v)) continue; break;  // any double
      case 1: v = static_cast<double>(static_cast<std::int64_t>(bits % 10000000000000)) / 100.0; break;  // cents
      case 2: v = static_cast<double>(bits % 100000000) / 1000.0; break;  // a third decimal to round
      default: v = static_cast<double>(bits % 1000000) / 7.0; break;      // long fractions
    }
    ExpectSameAsThroughTheCellText(v);
    if (HasFailure()) return;
  }
}

}  // namespace
}  // namespace voske
