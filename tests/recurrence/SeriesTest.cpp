// The series people ask for, checked by hand against a calendar: the cases a random
// comparison may not reach (ends, counts with skipped dates, months without the day, the
// next occurrence around its time of day) and the refusals of the text form.
#include <gtest/gtest.h>

#include "recurrence/RecurrenceRule.h"
#include "recurrence/RuleText.h"
#include "store/DateTime.h"

namespace nimbus::recurrence {
namespace {

std::int64_t day(int y, int m, int d)
{
    return DateTime::fromCivil(y, m, d).dayNumber();
}

Series series(const std::string &text)
{
    Series s;
    std::string error;
    EXPECT_TRUE(parseSeries(text, s, error)) << text << ": " << error;
    return s;
}

std::string dates(const Series &s, std::int64_t first, std::int64_t last)
{
    std::string out;
    for (const std::int64_t d : s.between(first, last)) {
        if (!out.empty())
            out += ' ';
        out += formatDateText(d, std::nullopt);
    }
    return out;
}

TEST(Series, CommonRulesFallOnTheRightDays)
{
    // Monday 5 January 2026.
    EXPECT_EQ(dates(series("START=20260105;FREQ=WEEKLY;BYDAY=MO,WE,FR"), day(2026, 1, 1),
                    day(2026, 1, 14)),
              "20260105 20260107 20260109 20260112 20260114");
    EXPECT_EQ(dates(series("START=20260109;FREQ=DAILY;BYDAY=MO,TU,WE,TH,FR"), day(2026, 1, 9),
                    day(2026, 1, 13)),
              "20260109 20260112 20260113");
    EXPECT_EQ(
        dates(series("START=20260113;FREQ=MONTHLY;BYDAY=2TU"), day(2026, 1, 1), day(2026, 4, 30)),
        "20260113 20260210 20260310 20260414");
    EXPECT_EQ(
        dates(series("START=20260130;FREQ=MONTHLY;BYDAY=-1FR"), day(2026, 1, 1), day(2026, 3, 31)),
        "20260130 20260227 20260327");
    // The 31st only in months that have one; 29 February only in leap years.
    EXPECT_EQ(dates(series("START=20260131;FREQ=MONTHLY"), day(2026, 1, 1), day(2026, 5, 31)),
              "20260131 20260331 20260531");
    EXPECT_EQ(dates(series("START=20240229;FREQ=YEARLY"), day(2024, 1, 1), day(2032, 12, 31)),
              "20240229 20280229 20320229");
    // The last working day of the month.
    EXPECT_EQ(dates(series("START=20260130;FREQ=MONTHLY;BYDAY=MO,TU,WE,TH,FR;BYSETPOS=-1"),
                    day(2026, 1, 1), day(2026, 5, 31)),
              "20260130 20260227 20260331 20260430 20260529");
    // Thanksgiving: the fourth Thursday of November.
    EXPECT_EQ(dates(series("START=20261126;FREQ=YEARLY;BYMONTH=11;BYDAY=4TH"), day(2026, 1, 1),
                    day(2028, 12, 31)),
              "20261126 20271125 20281123");
}

TEST(Series, EndsCountsAndSkippedDates)
{
    // "The 15th, ten times": a skipped date still uses up one of the ten.
    const Series tenTimes =
        series("START=20260115;FREQ=MONTHLY;BYMONTHDAY=15;COUNT=10;EXDATE=20260315");
    const auto all = tenTimes.between(day(2026, 1, 1), day(2030, 1, 1));
    ASSERT_EQ(all.size(), 9u);
    EXPECT_EQ(all.back(), day(2026, 10, 15));
    EXPECT_FALSE(tenTimes.nextAfter(day(2026, 10, 15), 0));

    // "Weekly until 30 June": the end day itself is in, a date-only end lets the whole day in.
    const Series untilJune = series("START=20260602T180000;FREQ=WEEKLY;UNTIL=20260630");
    EXPECT_EQ(untilJune.between(day(2026, 6, 1), day(2026, 12, 31)).size(), 5u);
    EXPECT_FALSE(untilJune.nextAfter(day(2026, 6, 30), 18 * 3'600'000));
    // An end earlier in that day than the time of the occurrences leaves the day out.
    EXPECT_EQ(series("START=20260602T180000;FREQ=WEEKLY;UNTIL=20260630T120000")
                  .between(day(2026, 6, 1), day(2026, 12, 31))
                  .size(),
              4u);

    // An added date comes in order; a skipped first date leaves the second as the first.
    const Series extra = series("START=20260105;FREQ=WEEKLY;EXDATE=20260105;RDATE=20260108");
    EXPECT_EQ(extra.firstOnOrAfter(day(2026, 1, 1)), day(2026, 1, 8));
    EXPECT_EQ(dates(extra, day(2026, 1, 1), day(2026, 1, 20)), "20260108 20260112 20260119");
}

TEST(Series, FirstDateCountsEvenWhenTheRuleWouldNotMakeIt)
{
    // Started on a Tuesday, repeating Mondays and Fridays, twice: the Tuesday and one more.
    const Series s = series("START=20260106;FREQ=WEEKLY;BYDAY=MO,FR;COUNT=2");
    EXPECT_EQ(dates(s, day(2026, 1, 1), day(2026, 2, 1)), "20260106 20260109");
}

TEST(Series, NextAfterLooksAtTheTimeOfDay)
{
    const Series s = series("START=20260105T090000;FREQ=WEEKLY;BYDAY=MO,WE");
    EXPECT_EQ(s.nextAfter(day(2026, 1, 7), 8 * 3'600'000), day(2026, 1, 7));  // before nine
    EXPECT_EQ(s.nextAfter(day(2026, 1, 7), 9 * 3'600'000), day(2026, 1, 12)); // at nine: over
    // Far ahead without a count: found without walking every week from the first date.
    EXPECT_EQ(s.nextAfter(day(2400, 1, 1), 0), day(2400, 1, 3));
}

TEST(Series, SkippingOneOccurrence)
{
    Series s = series("START=20260105;FREQ=WEEKLY;RDATE=20260108");
    s.skip(day(2026, 1, 12));
    s.skip(day(2026, 1, 8));  // an added date is simply taken out again
    s.skip(day(2026, 1, 13)); // not an occurrence: nothing to skip
    EXPECT_EQ(s.exceptions, std::vector<std::int64_t>{day(2026, 1, 12)});
    EXPECT_TRUE(s.additions.empty());
    EXPECT_EQ(s.nextAfter(day(2026, 1, 5), 0), day(2026, 1, 19));
}

TEST(Series, RulesThatNeverOccurAgainEndQuietly)
{
    // 30 February never comes; the first date is the only occurrence.
    const Series never = series("START=20260130;FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=30");
    EXPECT_EQ(never.nextAfter(day(2026, 1, 30), 0), std::nullopt);
    // The end of the calendar is an end too.
    EXPECT_EQ(series("START=99991231;FREQ=DAILY").nextAfter(day(9999, 12, 31), 0), std::nullopt);
}

TEST(RuleText, RefusesWhatItCannotCarryAndReadsWhatItWrites)
{
    Rule rule;
    std::string error;
    for (const char *text :
         {"FREQ=HOURLY", "FREQ=WEEKLY;BYHOUR=9", "FREQ=WEEKLY;WKST=SU", "FREQ=MONTHLY;BYDAY=0MO",
          "FREQ=MONTHLY;BYMONTHDAY=32", "FREQ=DAILY;INTERVAL=0", "FREQ=DAILY;COUNT=x", "BYDAY=MO",
          "FREQ=DAILY;UNTIL=20261340"}) {
        EXPECT_FALSE(parseRule(text, rule, error)) << text;
        EXPECT_FALSE(error.empty());
    }
    const std::string full =
        "FREQ=MONTHLY;INTERVAL=2;BYDAY=-1FR,2TU;BYMONTHDAY=1,-1;BYMONTH=3,9;BYSETPOS=1,-2;"
        "COUNT=7;UNTIL=20270630T235959";
    ASSERT_TRUE(parseRule(full, rule, error)) << error;
    EXPECT_EQ(formatRule(rule), full);
    Series s;
    EXPECT_FALSE(parseSeries("FREQ=DAILY", s, error)); // no first date
    EXPECT_FALSE(parseSeries("START=20260101;FREQ=DAILY;EXDATE=2026", s, error));
}

} // namespace
} // namespace nimbus::recurrence
