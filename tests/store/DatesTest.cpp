// Dates and times: stored forms, display orders, parsing and calendar arithmetic.
#include <gtest/gtest.h>

#include "store/Clock.h"
#include "store/DateFormat.h"
#include "store/DateTime.h"

using namespace nimbus;
using namespace nimbus::dates;

TEST(DateForms, StoredFormsOfOneInstant)
{
    const DateTime t = DateTime::fromCivil(2024, 3, 5, 14, 7, 9);
    EXPECT_EQ(dateKey(t), "20240305");
    EXPECT_EQ(stamp(t), "20240305-140709");
    EXPECT_EQ(compactStamp(t), stamp(t));
    EXPECT_EQ(timeText(t), "14:07:09");
    EXPECT_EQ(logDateTime(t), "05/03/2024 14:07:09");
}

TEST(DateForms, DisplayOrders)
{
    const DateTime t = DateTime::fromCivil(2024, 3, 5, 14, 7, 9);
    EXPECT_EQ(displayDateTime(t, DayMonthYear), "05/03/2024 14:07:09");
    EXPECT_EQ(displayDateTime(t, MonthDayYear), "03/05/2024 14:07:09");
    EXPECT_EQ(displayDateTime(t, YearMonthDay), "2024/03/05 14:07:09");
    EXPECT_EQ(displayDateTime(t, 7), "05/03/2024 14:07:09");

    EXPECT_EQ(displayDate("20240305", 0), "05/03/2024");
    EXPECT_EQ(displayDate("20240305", 1), "03/05/2024");
    EXPECT_EQ(displayDate("20240305", 2), "2024/03/05");
    EXPECT_EQ(displayStamp("20240305-140709", 0), "05/03/2024 14:07:09");
    EXPECT_EQ(displayStamp("20240305-140709", 2), "2024/03/05 14:07:09");
    EXPECT_EQ(datePickerFormat(1), "MM'/'dd'/'yyyy");
}

TEST(DateForms, SlicingShortOrDamagedTextNeverFails)
{
    EXPECT_EQ(displayDate("", 0), "//");
    EXPECT_EQ(displayDate("2024", 0), "//2024");
    EXPECT_EQ(displayStamp("20240305", 0), "05/03/2024 ::");
}

TEST(DateParsing, DateKeys)
{
    DateTime t = DateTime::fromCivil(2000, 1, 1);
    EXPECT_TRUE(parseDateKey("20240229", t));
    EXPECT_EQ(t, DateTime::fromCivil(2024, 2, 29));

    const DateTime before = t;
    EXPECT_FALSE(parseDateKey("20240230", t));
    EXPECT_FALSE(parseDateKey("20230229", t));
    EXPECT_FALSE(parseDateKey("2024ab01", t));
    EXPECT_FALSE(parseDateKey("", t));
    EXPECT_FALSE(parseDateKey("20241301", t));
    EXPECT_EQ(t, before) << "a failed parse leaves the target as it was";
}

TEST(DateParsing, TimeTexts)
{
    DateTime t;
    EXPECT_TRUE(parseTimeText("23:59:58", t));
    EXPECT_EQ(t.msecsOfDay(), ((23 * 60 + 59) * 60 + 58) * 1000);
    EXPECT_TRUE(parseTimeText("08:30:00.250", t));
    EXPECT_EQ(t.msecsOfDay(), (8 * 3600 + 30 * 60) * 1000 + 250);
    EXPECT_TRUE(parseTimeText("00:00:00", t));
    EXPECT_EQ(t.msecsOfDay(), 0);

    t = DateTime::fromCivil(1970, 1, 1, 5);
    EXPECT_FALSE(parseTimeText("24:00:00", t));
    EXPECT_FALSE(parseTimeText("12:60:00", t));
    EXPECT_EQ(t.msecsOfDay(), 5 * 3600 * 1000);

    EXPECT_TRUE(isNoTime(""));
    EXPECT_TRUE(isNoTime("00:00:00"));
    EXPECT_FALSE(isNoTime("00:00:01"));
}

TEST(Calendar, RoundTripsAndWeekdays)
{
    for (int year : {1900, 1969, 1970, 2000, 2024, 2100, 9999}) {
        for (int month = 1; month <= 12; ++month) {
            const int last = DateTime::daysInMonth(year, month);
            for (int day : {1, 15, last}) {
                const CivilTime c = DateTime::fromCivil(year, month, day, 23, 59, 59, 999).civil();
                EXPECT_EQ(c.year, year);
                EXPECT_EQ(c.month, month);
                EXPECT_EQ(c.day, day);
                EXPECT_EQ(c.hour, 23);
                EXPECT_EQ(c.millisecond, 999);
            }
        }
    }
    EXPECT_EQ(DateTime::fromCivil(2026, 12, 7).dayOfWeek(), 1);  // a Monday
    EXPECT_EQ(DateTime::fromCivil(1969, 12, 31).dayOfWeek(), 3);
    EXPECT_EQ(DateTime::fromCivil(1969, 12, 31, 12).dayNumber(), -1);
    EXPECT_EQ(DateTime::daysInMonth(1900, 2), 28);
    EXPECT_EQ(DateTime::daysInMonth(2000, 2), 29);
}

TEST(Clocks, FixedClockMovesOnlyWhenTold)
{
    FixedClock clock(DateTime::fromCivil(2026, 12, 31, 23, 59, 30));
    EXPECT_EQ(stamp(clock.now()), "20261231-235930");
    clock.advanceSeconds(45);
    EXPECT_EQ(stamp(clock.now()), "20270101-000015");
    const DateTime now = SystemClock::instance().now();
    EXPECT_GT(now.civil().year, 2000);
}
