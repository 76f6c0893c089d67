// Schedule rules at their edges: recurrences by the clock that land on midnight or have no
// time, counts of zero, finished topics that must stay finished, events of whole months that
// start late in a month, and the texts at their thresholds.
#include <gtest/gtest.h>

#include "store/Scheduler.h"
#include "store/StructureWriter.h"
#include "store/TNimbusNode.h"

namespace nimbus {
namespace {

using namespace schedule;

DateTime at(int month, int day, int hour = 12, int minute = 0, int second = 0)
{
    return DateTime::fromCivil(2024, month, day, hour, minute, second);
}

TNimbusNode recurring(int ttype, const std::string &date, const std::string &time, int unit, int count)
{
    TNimbusNode node("7");
    node.lev = 1;
    node.ttype = ttype;
    node.status = kStatusNotStarted;
    node.recur = true;
    node.dlDate = date;
    node.dlTime = time;
    node.rtype = unit;
    node.rno = count;
    if (ttype == kTopicEvent) {
        node.durno = 1;
        node.durtype = kUnitHours;
    }
    return node;
}

TEST(ScheduleEdgesTest, ClockRecurrencesThatReachMidnightKeepMoving)
{
    // Every hour from 23:00: the roll lands on midnight, which the store file keeps as "no
    // time"; the next roll must still move on by an hour, not by zero days.
    TNimbusNode hourly = recurring(kTopicTask, "20240310", "23:00:00", kUnitHours, 1);
    RollRecurrence(hourly, at(3, 10, 23, 30));
    EXPECT_EQ(hourly.dlDate, "20240311");
    EXPECT_EQ(hourly.dlTime, "00:00:00");
    hourly.dlTime.clear();  // as read back from the file
    RollRecurrence(hourly, at(3, 11, 0, 30));
    EXPECT_EQ(hourly.dlDate, "20240311");
    EXPECT_EQ(hourly.dlTime, "01:00:00");

    // Due at midnight it is overdue soon after, and completing it by hand moves it ahead.
    hourly.dlTime.clear();
    EXPECT_EQ(UpdateSchedule(hourly, at(3, 11, 0, 20)), kTextChanged);
    EXPECT_EQ(hourly.statusText, "-20 mins");
    MarkCompleted(hourly, at(3, 11, 0, 20));
    EXPECT_EQ(hourly.dlTime, "01:00:00");
    UpdateSchedule(hourly, at(3, 11, 0, 20));
    EXPECT_EQ(hourly.statusText, "40 mins");

    // A recurrence in minutes left without a time counts from midnight.
    TNimbusNode untimed = recurring(kTopicTask, "20240310", "", kUnitMinutes, 45);
    RollRecurrence(untimed, at(3, 9));
    EXPECT_EQ(untimed.dlDate, "20240310");
    EXPECT_EQ(untimed.dlTime, "00:45:00");

    // An hourly event that starts at midnight finishes an hour later, not at the end of the day.
    TNimbusNode meeting = recurring(kTopicEvent, "20240311", "", kUnitHours, 2);
    meeting.durno = 2;
    meeting.status = kStatusWaiting;
    EXPECT_EQ(UpdateSchedule(meeting, at(3, 11, 0, 30)), kTextChanged);
    EXPECT_EQ(meeting.status, kStatusInProgress);
    EXPECT_EQ(UpdateSchedule(meeting, at(3, 11, 1, 0, 10)), kStatusChanged);
    EXPECT_EQ(meeting.fdate, "20240311");
    EXPECT_EQ(meeting.fTime, "01:00:00");
    EXPECT_EQ(meeting.dlTime, "02:00:00");
}

TEST(ScheduleEdgesTest, CountsAndUnitsThatWouldNotMove)
{
    // A count of 0 (or one that wraps to 0 as a 16-bit number) moves on by one period.
    TNimbusNode zeroDays = recurring(kTopicTask, "20240310", "", kUnitDays, 0);
    RollRecurrence(zeroDays, at(3, 10));
    EXPECT_EQ(zeroDays.dlDate, "20240311");
    TNimbusNode wrapped = recurring(kTopicTask, "20240310", "10:00:00", kUnitMinutes, 65536);
    RollRecurrence(wrapped, at(3, 9));
    EXPECT_EQ(wrapped.dlTime, "10:01:00");
    TNimbusNode backwards = recurring(kTopicTask, "20240310", "", kUnitWeeks, -2);
    RollRecurrence(backwards, at(3, 10));
    EXPECT_EQ(backwards.dlDate, "20240317");

    // Unit 0 is minutes, a real unit.
    TNimbusNode minutes = recurring(kTopicTask, "20240310", "10:00:00", 0, 90);
    RollRecurrence(minutes, at(3, 9));
    EXPECT_EQ(minutes.dlTime, "11:30:00");

    // Without a known unit nothing rolls, and a finished event stays finished.
    TNimbusNode unknown = recurring(kTopicEvent, "20240308", "", kUnitNone, 1);
    EXPECT_EQ(UpdateSchedule(unknown, at(3, 10)), kStatusChanged);
    EXPECT_EQ(unknown.status, kStatusCompleted);
    EXPECT_EQ(unknown.dlDate, "20240308");
    EXPECT_EQ(UpdateSchedule(unknown, at(3, 10, 12, 0, 10)), kUnchanged);
    EXPECT_EQ(unknown.status, kStatusCompleted);
}

TEST(ScheduleEdgesTest, FinishedOneOffEventIsNotCompletedAgain)
{
    TNimbusNode party("3");
    party.lev = 1;
    party.ttype = kTopicEvent;
    party.dl = true;
    party.dlDate = "20240301";
    party.dlTime = "20:00:00";
    party.durno = 3;
    party.durtype = kUnitHours;
    EXPECT_EQ(UpdateSchedule(party, at(3, 10)), kStatusChanged);
    EXPECT_EQ(party.status, kStatusCompleted);
    EXPECT_EQ(party.fdate, "20240301");
    EXPECT_EQ(party.fTime, "22:00:00");
    for (int tick = 1; tick <= 6; ++tick)
        EXPECT_EQ(UpdateSchedule(party, at(3, 10, 12, 0, 10 * tick)), kUnchanged);
    EXPECT_EQ(party.fTime, "22:00:00");
}

TEST(ScheduleEdgesTest, EventsOfWholeMonthsNeverEndBeforeTheyStart)
{
    for (int day = 27; day <= 31; ++day) {
        for (int months = 1; months <= 3; ++months) {
            TNimbusNode trip("9");
            trip.lev = 1;
            trip.ttype = kTopicEvent;
            trip.dl = true;
            trip.dlDate = "202401" + std::to_string(day);
            trip.durno = months;
            trip.durtype = kUnitMonths;
            // The day it starts it is running, and it finishes no earlier than it started.
            EXPECT_EQ(UpdateSchedule(trip, at(1, day)), kTextChanged) << day << " " << months;
            EXPECT_EQ(trip.status, kStatusInProgress);
            DateTime when = at(1, day);
            while (trip.status != kStatusCompleted)
                UpdateSchedule(trip, when = when.addDays(1));
            EXPECT_GE(trip.fdate, trip.dlDate) << day << " " << months;
        }
    }
    // A duration of no periods ends where it starts.
    TNimbusNode none("9");
    none.ttype = kTopicEvent;
    none.dl = true;
    none.dlDate = "20240131";
    none.durtype = kUnitMonths;
    none.durno = 0;
    EXPECT_EQ(UpdateSchedule(none, at(1, 31)), kTextChanged);
    EXPECT_EQ(none.statusText, "In progress");
}

TEST(ScheduleEdgesTest, TextsAtTheirThresholds)
{
    TNimbusNode node("1");
    DayText(node, 31);
    EXPECT_EQ(node.statusText, "4 weeks");
    TimeText(node, (90 * 60) * 1000);  // exactly 1 h 30 min stays in minutes
    EXPECT_EQ(node.statusText, "90 mins");
    TimeText(node, (90 * 60 + 60) * 1000);
    EXPECT_EQ(node.statusText, "1 hour ");

    // A due time that is no time counts as none: the task is due all day.
    TNimbusNode odd("2");
    odd.dl = true;
    odd.dlDate = "20240310";
    odd.dlTime = "25:99:00";
    UpdateSchedule(odd, at(3, 10, 23, 0));
    EXPECT_EQ(odd.statusText, "Today");

    // Completing a topic that is not urgent leaves the urgent count alone.
    TNimbusNode calm("3");
    calm.urgentCount = 2;  // its sub-topics' urgency
    MarkCompleted(calm, at(3, 10));
    EXPECT_EQ(calm.urgentCount, 2);
    EXPECT_EQ(calm.status, kStatusCompleted);
}

TEST(ScheduleEdgesTest, TimesWithoutTheirDateAreNotWritten)
{
    TNimbusNode node("4");
    node.dlTime = "10:00:00";
    node.rsTime = "11:00:00";
    node.fTime = "12:00:00";
    std::string record;
    structure::AppendRecord(record, node);
    EXPECT_EQ(record.find("Time="), std::string::npos) << record;
    node.dlDate = "20240310";
    node.fdate = "20240310";
    record.clear();
    structure::AppendRecord(record, node);
    EXPECT_NE(record.find("dlTime=10:00:00\r\n"), std::string::npos);
    EXPECT_NE(record.find("fTime=12:00:00\r\n"), std::string::npos);
    EXPECT_EQ(record.find("rsTime"), std::string::npos);
}

}  // namespace
}  // namespace nimbus
