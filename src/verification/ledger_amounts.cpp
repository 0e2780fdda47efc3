#include "verification/ledger_amounts.h"

#include <string>

namespace voske {

namespace {

// Beyond this an amount is no operator's: 10^15 reais.
constexpr Cents kLargestCents = 100'000'000'000'000'000;

bool IsAmountBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool IsAmountDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::optional<Cents> CentsOf(TextView value) {
  // The form the generator writes ("-8033090.61", "1500000.0") at once:
  // up to 15 whole digits, a point, one or two decimals.
  {
    const bool negative = !value.empty() && value.front() == '-';
    const TextView digits = value.substr(negative ? 1 : 0);
    const std::size_t point = digits.find('.');
    const std::size_t decimals = point == TextView::npos ? 0 : digits.size() - point - 1;
    if (point >= 1 && point <= 15 && (decimals == 1 || decimals == 2)) {
      Cents cents = 0;
      bool plain = true;
      for (std::size_t k = 0; k < digits.size(); ++k) {
        if (k == point) continue;
        const unsigned digit = static_cast<unsigned char>(digits[k]) - unsigned{'0'};
        plain &= digit < 10;
        cents = cents * 10 + digit;
      }
      if (plain) {
        if (decimals == 1) cents *= 10;
        return negative ? -cents : cents;
      }
    }
  }
  while (!value.empty() && IsAmountBlank(value.front())) value.remove_prefix(1);
  while (!value.empty() && IsAmountBlank(value.back())) value.remove_suffix(1);
  std::size_t i = 0;
  bool negative = false;
  if (i < value.size() && (value[i] == '+' || value[i] == '-')) negative = value[i++] == '-';
  const std::size_t wholeStart = i;
  while (i < value.size() && IsAmountDigit(value[i])) ++i;
  const TextView whole = value.substr(wholeStart, i - wholeStart);
  TextView fraction;
  if (i < value.size() && value[i] == '.') {
    const std::size_t start = ++i;
    while (i < value.size() && IsAmountDigit(value[i])) ++i;
    fraction = value.substr(start, i - start);
  }
  if (whole.empty() && fraction.empty()) return std::nullopt;
  long exponent = 0;
  if (i < value.size() && (value[i] == 'e' || value[i] == 'E')) {
    ++i;
    bool negativeExponent = false;
    if (i < value.size() && (value[i] == '+' || value[i] == '-')) negativeExponent = value[i++] == '-';
    if (i == value.size() || !IsAmountDigit(value[i])) return std::nullopt;
    for (; i < value.size() && IsAmountDigit(value[i]); ++i)
      if (exponent < 100000) exponent = exponent * 10 + (value[i] - '0');
    if (negativeExponent) exponent = -exponent;
  }
  if (i != value.size()) return std::nullopt;

  // The digits of whole and fraction in a row; the cents are those before
  // position `point`, the digit at `point` rounds them.
  const long digits = static_cast<long>(whole.size() + fraction.size());
  const auto digitAt = [&](long k) -> int {
    if (k < 0 || k >= digits) return 0;
    const auto u = static_cast<std::size_t>(k);
    return (u < whole.size() ? whole[u] : fraction[u - whole.size()]) - '0';
  };
  const long point = static_cast<long>(whole.size()) + exponent + 2;
  Cents cents = 0;
  for (long k = 0; k < point; ++k) {
    cents = cents * 10 + digitAt(k);
    if (cents > kLargestCents) return std::nullopt;
  }
  if (digitAt(point) >= 5) ++cents;
  return negative ? -cents : cents;
}

Text DocumentAmount(Cents cents) {
  const unsigned long long magnitude = cents < 0 ? 0ULL - static_cast<unsigned long long>(cents)
                                                 : static_cast<unsigned long long>(cents);
  Text out = cents < 0 ? "-" : "";
  out += std::to_string(magnitude / 100) + ".";
  const unsigned long long fraction = magnitude % 100;
  if (fraction % 10 == 0) return out + std::to_string(fraction / 10);
  return out + static_cast<char>('0' + fraction / 10) + static_cast<char>('0' + fraction % 10);
}

Text BrazilianAmount(Cents cents) {
  const unsigned long long magnitude = cents < 0 ? 0ULL - static_cast<unsigned long long>(cents)
                                                 : static_cast<unsigned long long>(cents);
  const std::string whole = std::to_string(magnitude / 100);
  Text out = cents < 0 ? "-" : "";
  for (std::size_t i = 0; i < whole.size(); ++i) {
    if (i > 0 && (whole.size() - i) % 3 == 0) out += '.';
    out += whole[i];
  }
  const unsigned long long fraction = magnitude % 100;
  return out + "," + static_cast<char>('0' + fraction / 10) + static_cast<char>('0' + fraction % 10);
}

}  // namespace voske
