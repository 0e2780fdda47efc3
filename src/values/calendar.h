#pragma once
// Day serials and calendar dates: the one conversion between them that every
// reader of a date uses (the converters, the workbook readers, the financial
// document's dates), on the standard library's proleptic Gregorian calendar.
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

namespace voske {

// How a workbook counts its day serials. The 1900 system (day 0 is
// 1899-12-30, from March 1900 on) is what every date of the system is read
// in; a workbook saved in the 1904 system (day 0 is 1904-01-01) has its
// serials brought to it first, so that a date means what the user sees.
enum class DateSystem : std::uint8_t { From1900, From1904 };

// Days from the 1900 system's day 0 to the 1904 system's.
inline constexpr std::int64_t kDays1904After1900 = 1462;

// A serial of `system` as the 1900-system serial of the same day and time.
double SerialIn1900System(double serial, DateSystem system);

// The day of a whole 1900-system serial; nothing outside the years 1 to 9999,
// which are all a four-digit year can write.
std::optional<std::chrono::year_month_day> DateOfSerial(std::int64_t serial);
// The 1900-system serial of a day.
std::int64_t SerialOfDate(std::chrono::year_month_day date);

// True for a real day of the years 1 to 9999.
bool IsCalendarDate(std::int64_t year, std::int64_t month, std::int64_t day);

// "yyyy-mm-dd", zero-padded: the form of every date the system writes.
std::string IsoDateText(std::chrono::year_month_day date);

}  // namespace voske
