#include "text/general_number.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace voske {

Text GeneralNumberText(double value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
  if (value == 0) return "0";

  // 15 significant digits, correctly rounded, as d.dddde±XX. to_chars never
  // looks at the locale, and it is many times faster than the printf family,
  // which matters on trial balances of a hundred thousand rows. The shortest
  // form that reads back as the same double is tried first: when it has 15
  // digits or fewer, the value lies closer to it than half a step of the
  // 15-digit grid, so it is also the value rounded to 15 digits. Subnormal
  // doubles carry too few bits for that, and take the long way.
  char buf[40];
  std::to_chars_result r = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific);
  const char* exponent = std::find(buf, r.ptr, 'e');
  if (exponent - buf > 16 || !std::isnormal(value)) {  // "d." and more than 14 digits
    r = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific, 14);
    exponent = std::find(buf, r.ptr, 'e');
  }
  // The digits without the point ("d" or "d.ddd"), then the exponent.
  Text digits(buf, static_cast<size_t>(exponent - buf));
  if (digits.size() > 1) digits.erase(1, 1);
  int exp10 = 0;
  std::from_chars(exponent + 1 + (exponent[1] == '+'), r.ptr, exp10);
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  // The general format writes plain digits while the decimal exponent of
  // 0.ddd x 10^E stays within -3 <= E <= 15, and scientific form otherwise.
  const int e = exp10 + 1;
  Text out;
  if (value < 0) out.push_back('-');
  if (e > 15 || e < -3) {
    out.push_back(digits[0]);
    if (digits.size() > 1) {
      out.push_back(',');
      out.append(digits, 1);
    }
    out.push_back('E');
    if (exp10 < 0) out.push_back('-');
    out.append(std::to_string(std::abs(exp10)));
    return out;
  }
  if (e <= 0) {
    out.append("0,");
    out.append(static_cast<size_t>(-e), '0');
    out.append(digits);
    return out;
  }
  if (static_cast<size_t>(e) >= digits.size()) {
    out.append(digits);
    out.append(static_cast<size_t>(e) - digits.size(), '0');
    return out;
  }
  out.append(digits, 0, static_cast<size_t>(e));
  out.push_back(',');
  out.append(digits, static_cast<size_t>(e));
  return out;
}

}  // namespace voske
