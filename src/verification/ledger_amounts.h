#pragma once
// The trial balance's amounts as the accounting checks compare them: whole
// cents, as the document states them (rounded to two decimals), summed
// without ever losing a cent to floating point.
#include <cstdint>
#include <climits>
#include <optional>

#include "text/text.h"

namespace voske {

using Cents = std::int64_t;

// The amount an element holds, in cents: "8033090.61", "-210340.0", "0.0",
// and any other form a float element may take ("1.5E3", " 12 "), rounded
// half away from zero to the cent. Nothing for a text that is no finite
// number, or one beyond 10^17 cents.
std::optional<Cents> CentsOf(TextView value);

// As the document writes it: "8033090.61", "1500000.0", "-4820.5".
Text DocumentAmount(Cents cents);
// As an accountant in Brazil reads it: "8.033.090,61", "-4.820,50".
Text BrazilianAmount(Cents cents);

// A sum of amounts that knows when it no longer fits: then no comparison
// is made with it.
struct CentsSum {
  Cents value = 0;
  bool overflow = false;

  void Add(Cents c) { overflow |= __builtin_add_overflow(value, c, &value); }
  void Subtract(Cents c) { overflow |= __builtin_sub_overflow(value, c, &value); }
};

// Rounding is no fault: every amount of a sum of `terms` amounts was
// rounded to the cent, so the sum may miss by half a cent for each.
inline bool WithinRounding(Cents difference, std::int64_t terms) {
  // In whole cents, a difference d is within terms / 2 cents when
  // |d| <= floor(terms / 2).
  if (difference == INT64_MIN) return false;
  return (difference < 0 ? -difference : difference) <= terms / 2;
}

}  // namespace voske
