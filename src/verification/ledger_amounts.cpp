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
  // The form the generator writes ("-8033090.61", "1500000.0") at once.
  {
    std::size_t i = value.size() > 0 && value[0] == '-' ? 1 : 0;
    const std::size_t start = i;
    Cents whole = 0;
    while (i < value.size() && i - start < 15 && IsAmountDigit(value[i])) whole = whole * 10 + (value[i++] - '0');
    if (i > start && i + 2 <= value.size() && value.size() <= i + 3 && value[i] == '.' &&
        IsAmountDigit(value[i + 1]) && (i + 2 == value.size() || IsAmountDigit(value[i + 2]))) {
      Cents cents = whole * 100 + (value[i + 1] - '0') * 10 + (i + 2 < value.size() ? value[i + 2] - '0' : 0);
      return start ? -cents : cents;
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
