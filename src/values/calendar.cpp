#include "values/calendar.h"

#include <cstdio>

namespace voske {

namespace {

using namespace std::chrono;

constexpr sys_days kDayZero = sys_days{year{1899} / December / 30};
constexpr sys_days kFirstDay = sys_days{year{1} / January / 1};
constexpr sys_days kLastDay = sys_days{year{9999} / December / 31};

static_assert((sys_days{year{1904} / January / 1} - kDayZero).count() == kDays1904After1900);

}  // namespace

double SerialIn1900System(double serial, DateSystem system) {
  return system == DateSystem::From1904 ? serial + static_cast<double>(kDays1904After1900) : serial;
}

std::optional<year_month_day> DateOfSerial(std::int64_t serial) {
  // Bounded before it becomes a day count, so that no serial can overflow it.
  constexpr std::int64_t kFirst = (kFirstDay - kDayZero).count();
  constexpr std::int64_t kLast = (kLastDay - kDayZero).count();
  if (serial < kFirst || serial > kLast) return std::nullopt;
  return year_month_day{kDayZero + days{serial}};
}

std::int64_t SerialOfDate(year_month_day date) { return (sys_days{date} - kDayZero).count(); }

bool IsCalendarDate(std::int64_t y, std::int64_t m, std::int64_t d) {
  if (y < 1 || y > 9999 || m < 1 || m > 12 || d < 1 || d > 31) return false;
  return year_month_day{year{static_cast<int>(y)}, month{static_cast<unsigned>(m)}, day{static_cast<unsigned>(d)}}.ok();
}

std::string IsoDateText(year_month_day date) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%04d-%02u-%02u", static_cast<int>(date.year()), static_cast<unsigned>(date.month()),
                static_cast<unsigned>(date.day()));
  return buf;
}

}  // namespace voske
