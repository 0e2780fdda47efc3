#include "values/calendar.h"

#include <gtest/gtest.h>

namespace voske {
namespace {

using namespace std::chrono;

TEST(Calendar, SerialsCountFromTheLastDaysOf1899BothWays) {
  EXPECT_EQ(IsoDateText(*DateOfSerial(0)), "1899-12-30");
  EXPECT_EQ(IsoDateText(*DateOfSerial(40969)), "2012-03-01");
  EXPECT_EQ(IsoDateText(*DateOfSerial(-1)), "1899-12-29");
  EXPECT_EQ(SerialOfDate(year{2012} / March / 1), 40969);
  EXPECT_EQ(SerialOfDate(year{1904} / January / 1), kDays1904After1900);
  // Every day of four centuries (leap rules of 1900, 2000 and 2100 among
  // them) goes to its date and back.
  for (std::int64_t serial = -36524; serial <= 109574; ++serial) {
    const auto date = DateOfSerial(serial);
    ASSERT_TRUE(date && date->ok()) << serial;
    ASSERT_EQ(SerialOfDate(*date), serial);
  }
  EXPECT_EQ(IsoDateText(*DateOfSerial(SerialOfDate(year{2100} / February / 28) + 1)), "2100-03-01");
}

TEST(Calendar, OnlyTheYearsOneTo9999HaveADate) {
  const std::int64_t first = SerialOfDate(year{1} / January / 1);
  const std::int64_t last = SerialOfDate(year{9999} / December / 31);
  EXPECT_EQ(last, 2958465);
  EXPECT_EQ(IsoDateText(*DateOfSerial(first)), "0001-01-01");
  EXPECT_EQ(IsoDateText(*DateOfSerial(last)), "9999-12-31");
  EXPECT_FALSE(DateOfSerial(first - 1));
  EXPECT_FALSE(DateOfSerial(last + 1));
  EXPECT_FALSE(DateOfSerial(INT64_MAX));
  EXPECT_FALSE(DateOfSerial(INT64_MIN));
}

TEST(Calendar, ANineteenOFourSerialIsTheSameDayFourYearsOn) {
  // A workbook saved in the 1904 system stores 39629 for 2012-07-01.
  EXPECT_EQ(IsoDateText(*DateOfSerial(static_cast<std::int64_t>(SerialIn1900System(39629, DateSystem::From1904)))),
            "2012-07-01");
  EXPECT_EQ(SerialIn1900System(39630, DateSystem::From1900), 39630);
  EXPECT_EQ(SerialIn1900System(0.25, DateSystem::From1904), 1462.25);
}

TEST(Calendar, CalendarDatesFollowTheGregorianRules) {
  EXPECT_TRUE(IsCalendarDate(2000, 2, 29));
  EXPECT_FALSE(IsCalendarDate(1900, 2, 29));
  EXPECT_FALSE(IsCalendarDate(2011, 2, 29));
  EXPECT_TRUE(IsCalendarDate(2012, 12, 31));
  EXPECT_FALSE(IsCalendarDate(2012, 4, 31));
  EXPECT_FALSE(IsCalendarDate(0, 1, 1));
  EXPECT_FALSE(IsCalendarDate(10000, 1, 1));
  EXPECT_FALSE(IsCalendarDate(2012, 0, 1));
  EXPECT_FALSE(IsCalendarDate(2012, 13, 1));
  EXPECT_FALSE(IsCalendarDate(2012, 1, 0));
  EXPECT_FALSE(IsCalendarDate(2012, 1, 1000000));
}

}  // namespace
}  // namespace voske
