// Schedule rules at fixed instants: texts, colours, automatic completion and urgency, events
// of one and several days, recurrence rolls and period arithmetic.
#include <gtest/gtest.h>

#include "store/Clock.h"
#include "store/Scheduler.h"
#include "store/TNimbusNode.h"

namespace nimbus {
namespace {

using namespace schedule;

// Sunday 10 March 2024, 12:00.
DateTime at(int day, int hour = 12, int minute = 0, int second = 0)
{
    return DateTime::fromCivil(2024, 3, day, hour, minute, second);
}

TNimbusNode task(const std::string &date, const std::string &time = {})
{
    TNimbusNode node("1");
    node.lev = 1;
    node.dl = true;
    node.status = kStatusNotStarted;
    node.dlDate = date;
    node.dlTime = time;
    return node;
}

TNimbusNode event(const std::string &date, const std::string &time, int days)
{
    TNimbusNode node = task(date, time);
    node.ttype = kTopicEvent;
    node.durno = days;
    node.durtype = kUnitDays;
    return node;
}

TEST(SchedulerTest, OverdueTaskShowsDaysOrCompletesItself)
{
    TNimbusNode late = task("20240309", "08:00:00");
    EXPECT_EQ(UpdateSchedule(late, at(10)), kTextChanged);
    EXPECT_EQ(late.statusText, "-1 day");
    EXPECT_EQ(late.highlightColour, kColourPink);
    EXPECT_EQ(late.daysLeft, -1);
    EXPECT_EQ(UpdateSchedule(late, at(10)), kUnchanged);

    TNimbusNode automatic = task("20240309", "08:00:00");
    automatic.autoComplete = true;
    automatic.urgent = true;
    automatic.urgentCount = 1;
    EXPECT_EQ(UpdateSchedule(automatic, at(10)), kStatusChanged);
    EXPECT_EQ(automatic.status, kStatusCompleted);
    EXPECT_EQ(automatic.fdate, "20240309");
    EXPECT_EQ(automatic.fTime, "08:00:00");
    EXPECT_EQ(automatic.statusText, "");
    EXPECT_FALSE(automatic.urgent);
    EXPECT_EQ(automatic.urgentCount, 0);

    // Once completed a task has no schedule.
    EXPECT_EQ(UpdateSchedule(automatic, at(10)), kNoSchedule);
    EXPECT_EQ(automatic.daysLeft, 99999);
}

TEST(SchedulerTest, DayTexts)
{
    struct Case {
        int days;
        const char *text;
        int colour;
    };
    const Case cases[] = {
        {45, "6 weeks", kColourBlueGrey}, {95, "3 months", kColourBlueGrey},
        {91, "3 months", kColourBlueGrey}, {90, "12 weeks", kColourBlueGrey},
        {30, "30 days", kColourBlueGrey}, {1, "1 day", kColourBlueGrey},
        {0, "0 days", kColourYellow},      {-1, "-1 day", kColourPink},
        {-12, "-12 days", kColourPink},    {-400, "-400 days", kColourPink},
    };
    for (const Case &c : cases) {
        TNimbusNode node("1");
        EXPECT_EQ(DayText(node, c.days), kTextChanged);
        EXPECT_EQ(node.statusText, c.text);
        EXPECT_EQ(node.highlightColour, c.colour);
        EXPECT_EQ(DayText(node, c.days), kUnchanged);
    }
    TNimbusNode later = task("20240424");
    UpdateSchedule(later, at(10));
    EXPECT_EQ(later.statusText, "6 weeks");
    EXPECT_EQ(later.daysLeft, 45);
}

TEST(SchedulerTest, TimeTexts)
{
    constexpr std::int64_t s = 1000;
    constexpr std::int64_t m = 60 * s;
    constexpr std::int64_t h = 60 * m;
    struct Case {
        std::int64_t span;
        const char *text;
    };
    const Case cases[] = {
        {2 * h + 10 * m, "2 hours "}, {h + 45 * m, "1 hour "}, {h + 20 * m, "80 mins"},
        {h + 10 * s, "60 mins"},      {40 * s, "40 secs"},     {-3 * h, "-3 hours "},
        {m + 59 * s, "1 min"},        {s, "1 sec"},            {0, "0 secs"},
    };
    for (const Case &c : cases) {
        TNimbusNode node("1");
        EXPECT_EQ(TimeText(node, c.span), kTextChanged);
        EXPECT_EQ(node.statusText, c.text);
        EXPECT_EQ(node.highlightColour, c.span < 0 ? kColourPink : kColourYellow);
    }
}

TEST(SchedulerTest, TaskDueToday)
{
    TNimbusNode noTime = task("20240310", "00:00:00");
    EXPECT_EQ(UpdateSchedule(noTime, at(10)), kTextChanged);
    EXPECT_EQ(noTime.statusText, "Today");
    EXPECT_EQ(noTime.highlightColour, kColourYellow);
    EXPECT_EQ(UpdateSchedule(noTime, at(10)), kUnchanged);

    TNimbusNode timed = task("20240310", "14:30:00");
    UpdateSchedule(timed, at(10));
    EXPECT_EQ(timed.statusText, "2 hours ");
    EXPECT_EQ(timed.highlightColour, kColourYellow);

    TNimbusNode passed = task("20240310", "12:30:00");
    UpdateSchedule(passed, at(10, 12, 40));
    EXPECT_EQ(passed.statusText, "-10 mins");
    EXPECT_EQ(passed.highlightColour, kColourPink);
    EXPECT_EQ(passed.status, kStatusNotStarted);
}

TEST(SchedulerTest, AutomaticUrgencyCountsDays)
{
    TNimbusNode soon = task("20240312");
    soon.flno = 2;
    soon.fltyp = kUnitWeeks;  // the count is days whatever the unit
    EXPECT_EQ(UpdateSchedule(soon, at(10)), kStatusChanged);
    EXPECT_TRUE(soon.urgent);
    EXPECT_EQ(soon.urgentCount, 1);
    EXPECT_EQ(UpdateSchedule(soon, at(10)), kUnchanged);

    TNimbusNode notYet = task("20240313");
    notYet.flno = 2;
    EXPECT_EQ(UpdateSchedule(notYet, at(10)), kTextChanged);
    EXPECT_FALSE(notYet.urgent);

    TNimbusNode overdue = task("20240301");
    overdue.flno = 1;
    EXPECT_EQ(UpdateSchedule(overdue, at(10)), kStatusChanged);
    EXPECT_TRUE(overdue.urgent);
}

TEST(SchedulerTest, OneDayEvent)
{
    TNimbusNode allDay = event("20240310", "", 1);
    allDay.status = kStatusNone;
    EXPECT_EQ(UpdateSchedule(allDay, at(10, 0, 0, 1)), kTextChanged);
    EXPECT_EQ(allDay.statusText, "In progress");
    EXPECT_EQ(allDay.status, kStatusInProgress);
    EXPECT_EQ(UpdateSchedule(allDay, at(10, 23, 59, 59)), kUnchanged);
    EXPECT_EQ(UpdateSchedule(allDay, at(11, 0, 0, 0)), kStatusChanged);
    EXPECT_EQ(allDay.status, kStatusCompleted);
    EXPECT_EQ(allDay.fdate, "20240310");
    EXPECT_EQ(allDay.statusText, "");

    TNimbusNode timed = event("20240310", "14:00:00", 1);
    timed.status = kStatusInProgress;
    EXPECT_EQ(UpdateSchedule(timed, at(10, 12)), kStatusChanged);  // back to future
    EXPECT_EQ(timed.status, kStatusNotStarted);
    EXPECT_EQ(timed.statusText, "2 hours ");
    EXPECT_EQ(UpdateSchedule(timed, at(10, 13)), kTextChanged);
    EXPECT_EQ(timed.statusText, "60 mins");
    EXPECT_EQ(UpdateSchedule(timed, at(10, 14, 0, 1)), kStatusChanged);
    EXPECT_EQ(timed.status, kStatusCompleted);
    EXPECT_EQ(timed.fTime, "14:00:00");

    TNimbusNode future = event("20240320", "", 1);
    future.status = kStatusCompleted;
    EXPECT_EQ(UpdateSchedule(future, at(10)), kTextChanged);
    EXPECT_EQ(future.status, kStatusNotStarted);
}

TEST(SchedulerTest, ThreeDayEventRunsToTheEndOfItsThirdDay)
{
    TNimbusNode node = event("20240309", "", 3);
    EXPECT_EQ(UpdateSchedule(node, at(10)), kTextChanged);
    EXPECT_EQ(node.statusText, "In progress");
    EXPECT_EQ(UpdateSchedule(node, at(11, 23, 59, 59)), kUnchanged);
    EXPECT_EQ(node.status, kStatusInProgress);
    EXPECT_EQ(UpdateSchedule(node, at(12, 0, 0, 0)), kStatusChanged);
    EXPECT_EQ(node.status, kStatusCompleted);
    EXPECT_EQ(node.fdate, "20240311");

    // Started today at a time, running into the following days.
    TNimbusNode timed = event("20240310", "09:00:00", 2);
    EXPECT_EQ(UpdateSchedule(timed, at(10, 10)), kStatusChanged);
    EXPECT_EQ(timed.statusText, "In progress");
    // Its last day ends at the start time.
    EXPECT_EQ(UpdateSchedule(timed, at(11, 8, 59)), kUnchanged);
    EXPECT_EQ(UpdateSchedule(timed, at(11, 9, 0)), kStatusChanged);
    EXPECT_EQ(timed.fdate, "20240311");
    EXPECT_EQ(timed.fTime, "09:00:00");
}

TEST(SchedulerTest, OtherTopicTypesFinishOnTheirDueDate)
{
    TNimbusNode note = task("20240309");
    note.ttype = kTopicInformation;
    EXPECT_EQ(UpdateSchedule(note, at(10)), kStatusChanged);
    EXPECT_EQ(note.status, kStatusCompleted);

    TNimbusNode today = task("20240310");
    today.ttype = kTopicGeneral;
    EXPECT_EQ(UpdateSchedule(today, at(10)), kTextChanged);
    EXPECT_EQ(today.statusText, "In progress");
}

TEST(SchedulerTest, WithoutScheduleTextsAreCleared)
{
    TNimbusNode none = task("20240310");
    none.dl = false;
    none.statusText = "Today";
    none.status = kStatusInProgress;
    EXPECT_EQ(UpdateSchedule(none, at(10)), kNoSchedule);
    EXPECT_EQ(none.statusText, "");
    EXPECT_EQ(none.daysLeft, 99999);
    EXPECT_EQ(none.status, kStatusInProgress);

    TNimbusNode noDate = task("");
    EXPECT_EQ(UpdateSchedule(noDate, at(10)), kNoSchedule);

    // A date that is no date is not taken as the distant past (which would complete it).
    TNimbusNode damaged = task("2024x309");
    damaged.autoComplete = true;
    EXPECT_EQ(UpdateSchedule(damaged, at(10)), kNoSchedule);
    EXPECT_EQ(damaged.status, kStatusNotStarted);
}

TEST(SchedulerTest, RecurringTopicsRollOnePeriodAtATime)
{
    TNimbusNode monthly = task("20240131");
    monthly.recur = true;
    monthly.rno = 1;
    monthly.rtype = kUnitMonths;
    monthly.percent = 60;
    monthly.status = kStatusInProgress;
    MarkCompleted(monthly, at(10));
    EXPECT_EQ(monthly.dlDate, "20240228");
    EXPECT_EQ(monthly.rsDate, "20240228");
    EXPECT_EQ(monthly.status, kStatusNotStarted);
    EXPECT_EQ(monthly.percent, 0);
    EXPECT_EQ(monthly.daysLeft, -11);

    // Each recomputation of an overdue automatic task moves it by one period.
    TNimbusNode weekly = task("20240225");
    weekly.recur = true;
    weekly.autoComplete = true;
    weekly.rno = 1;
    weekly.rtype = kUnitWeeks;
    EXPECT_EQ(UpdateSchedule(weekly, at(10)), kStatusChanged);
    EXPECT_EQ(weekly.dlDate, "20240303");
    EXPECT_EQ(weekly.fdate, "20240225");
    EXPECT_EQ(UpdateSchedule(weekly, at(10)), kStatusChanged);
    EXPECT_EQ(weekly.dlDate, "20240310");
    // The occurrence it reached shows at once.
    EXPECT_EQ(weekly.statusText, "Today");
    EXPECT_EQ(UpdateSchedule(weekly, at(10)), kUnchanged);

    TNimbusNode meeting = event("20240309", "", 1);
    meeting.recur = true;
    meeting.rno = 2;
    meeting.rtype = kUnitHours;
    meeting.dlTime = "23:00:00";
    EXPECT_EQ(UpdateSchedule(meeting, at(10, 0, 30)), kStatusChanged);
    EXPECT_EQ(meeting.status, kStatusNotStarted);
    EXPECT_EQ(meeting.statusText, "30 mins");
    EXPECT_EQ(meeting.dlDate, "20240310");
    EXPECT_EQ(meeting.dlTime, "01:00:00");
    EXPECT_EQ(meeting.rsTime, "01:00:00");

    TNimbusNode once = task("20240131");
    RollRecurrence(once, at(10));
    EXPECT_EQ(once.dlDate, "20240131");
}

TEST(SchedulerTest, AddPeriod)
{
    struct Case {
        const char *date;
        const char *time;
        int unit;
        int count;
        const char *wantDate;
        const char *wantTime;
    };
    const Case cases[] = {
        {"20240310", "23:00:00", kUnitHours, 2, "20240311", "01:00:00"},
        {"20240310", "23:50:00", kUnitMinutes, 20, "20240311", "00:10:00"},
        {"20240310", "10:00:00", kUnitMinutes, 65536 + 5, "20240310", "10:05:00"},
        {"20240310", "", kUnitMinutes, 1500, "20240311", ""},
        {"20240310", "00:00:00", kUnitHours, 49, "20240312", ""},
        {"20240131", "", kUnitMonths, 1, "20240228", ""},
        {"20240430", "", kUnitMonths, 1, "20240528", ""},
        {"20241115", "08:00:00", kUnitMonths, 14, "20260115", "08:00:00"},
        {"20240115", "", kUnitMonths, -1, "20231215", ""},
        {"20240229", "", kUnitYears, 1, "20250228", ""},
        {"20240310", "", kUnitWeeks, 2, "20240324", ""},
        {"20240310", "", kUnitDays, -1, "20240309", ""},
        {"20240310", "09:00:00", kUnitNone, 4, "20240310", "09:00:00"},
    };
    for (const Case &c : cases) {
        const DateAndTime r = AddPeriod(c.date, c.time, c.unit, c.count);
        EXPECT_EQ(r.date, c.wantDate) << c.date << " " << c.unit << " " << c.count;
        EXPECT_EQ(r.time, c.wantTime) << c.date << " " << c.unit << " " << c.count;
    }
}

TEST(SchedulerTest, NodeTakesNowFromTheClock)
{
    FixedClock clock(at(10));
    TNimbusNode node = task("20240311");
    EXPECT_EQ(node.UpdateSchedule(clock), kTextChanged);
    EXPECT_EQ(node.statusText, "1 day");
    clock.set(at(11, 0, 0, 0));
    node.UpdateSchedule(clock);
    EXPECT_EQ(node.statusText, "Today");
}

}  // namespace
}  // namespace nimbus
