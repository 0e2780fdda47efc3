#include "verification/check_digits.h"

#include <array>
#include <cstddef>

namespace voske {

namespace {

bool AllDigits(TextView s) {
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return !s.empty();
}

// Weighted sum of the first `weights.size()` digits, mod 11: a remainder
// below 2 gives the digit 0, any other remainder r gives 11 - r.
template <std::size_t N>
int CheckDigit(TextView digits, const std::array<int, N>& weights) {
  int sum = 0;
  for (std::size_t i = 0; i < N; ++i) sum += (digits[i] - '0') * weights[i];
  const int remainder = sum % 11;
  return remainder < 2 ? 0 : 11 - remainder;
}

}  // namespace

bool HasValidCnpjCheckDigits(TextView digits) {
  if (digits.size() != 14 || !AllDigits(digits)) return false;
  static constexpr std::array<int, 12> kFirst = {5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2};
  static constexpr std::array<int, 13> kSecond = {6, 5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2};
  return CheckDigit(digits, kFirst) == digits[12] - '0' && CheckDigit(digits, kSecond) == digits[13] - '0';
}

bool HasValidCpfCheckDigits(TextView digits) {
  if (digits.size() != 11 || !AllDigits(digits)) return false;
  static constexpr std::array<int, 9> kFirst = {10, 9, 8, 7, 6, 5, 4, 3, 2};
  static constexpr std::array<int, 10> kSecond = {11, 10, 9, 8, 7, 6, 5, 4, 3, 2};
  return CheckDigit(digits, kFirst) == digits[9] - '0' && CheckDigit(digits, kSecond) == digits[10] - '0';
}

}  // namespace voske
