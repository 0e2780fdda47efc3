#pragma once
// A local date and time as the generation's clock gives it, written the way
// people read it (month 1 to 12), for clocks that tests fix.
#include <ctime>

namespace voske::support {

inline std::tm LocalTime(int year, int month, int day, int hour, int minute, int second) {
  std::tm t{};
  t.tm_year = year - 1900;
  t.tm_mon = month - 1;
  t.tm_mday = day;
  t.tm_hour = hour;
  t.tm_min = minute;
  t.tm_sec = second;
  return t;
}

}  // namespace voske::support
