// Recurring topics that fell behind the clock: done late by hand, left while the program was
// closed, or imported from a series that started weeks ago. Recurrences in minutes and hours
// catch up at once; days and longer keep one period a pass; a roll shows the next occurrence.
#include <gtest/gtest.h>

#include <memory>

#include "store/Clock.h"
#include "store/DeadlineTick.h"
#include "store/Scheduler.h"
#include "store/SummaryLists.h"
#include "store/SummaryRules.h"
#include "store/TNimbusStructure.h"

namespace nimbus {
namespace {

using namespace schedule;

DateTime at(int month, int day, int hour = 12, int minute = 0, int second = 0)
{
    return DateTime::fromCivil(2024, month, day, hour, minute, second);
}

TNimbusNode topic(int ttype, const std::string &date, const std::string &time, int unit, int count)
{
    TNimbusNode node("7");
    node.lev = 1;
    node.type = kSectionTopics;
    node.ttype = ttype;
    node.status = kStatusNotStarted;
    node.recur = true;
    node.dlDate = date;
    node.rsDate = date;
    node.dlTime = time;
    node.rsTime = time;
    node.rtype = unit;
    node.rno = count;
    node.durno = 1;
    node.durtype = kUnitDays;
    return node;
}

// A store with a "Topics" section and the deadline pass over it, on a clock the test sets.
struct Store {
    TNimbusStructure store;
    SummaryLists lists;
    FixedClock clock{at(3, 10)};

    TNimbusNode &add(const TNimbusNode &node)
    {
        if (store.Count() == 0) {
            auto section = std::make_unique<TNimbusNode>("STD0001");
            section->type = kSectionTopics;
            section->sys = true;
            store.Append(std::move(section));
        }
        auto made = std::make_unique<TNimbusNode>(std::to_string(100 + store.Count()));
        made->AssignNode(node);
        made->lev = 1;
        made->type = kSectionTopics;
        TNimbusNode *raw = made.get();
        store.Append(std::move(made));
        return *raw;
    }
    DeadlineResult pass(DateTime now)
    {
        clock.set(now);
        return RunDeadlineTick(store, clock, &lists);
    }
};

TEST(ScheduleCatchUp, ClockRecurrenceDoneByHandMovesToTheFirstOccurrenceAfterNow)
{
    // Every minute, no time: it counts from midnight, so at 07:27 it is hours overdue.
    TNimbusNode minutely = topic(kTopicTask, "20240310", "", kUnitMinutes, 1);
    UpdateSchedule(minutely, at(3, 10, 7, 27, 30));
    EXPECT_EQ(minutely.statusText, "-7 hours ");
    // Done as the "Task finished" button does it: completed, then scheduled.
    MarkCompleted(minutely, at(3, 10, 7, 27, 30));
    UpdateSchedule(minutely, at(3, 10, 7, 27, 30));
    EXPECT_EQ(minutely.dlDate, "20240310");
    EXPECT_EQ(minutely.dlTime, "07:28:00");
    EXPECT_EQ(minutely.rsTime, "07:28:00");
    EXPECT_EQ(minutely.status, kStatusNotStarted);
    EXPECT_EQ(minutely.statusText, "30 secs");
    // Done exactly on an occurrence, the next one is due, not the one at hand.
    MarkCompleted(minutely, at(3, 10, 7, 28, 0));
    EXPECT_EQ(minutely.dlTime, "07:29:00");

    // Every five hours from 23:00 the day before: 04:00 is past, 09:00 is next.
    TNimbusNode hourly = topic(kTopicTask, "20240309", "23:00:00", kUnitHours, 5);
    MarkCompleted(hourly, at(3, 10, 7, 27));
    UpdateSchedule(hourly, at(3, 10, 7, 27));
    EXPECT_EQ(hourly.dlDate, "20240310");
    EXPECT_EQ(hourly.dlTime, "09:00:00");
    EXPECT_EQ(hourly.statusText, "1 hour ");

    // Done before it is due, it still moves on by exactly one period.
    TNimbusNode early = topic(kTopicTask, "20240310", "09:00:00", kUnitHours, 5);
    MarkCompleted(early, at(3, 10, 7, 27));
    EXPECT_EQ(early.dlTime, "14:00:00");
}

TEST(ScheduleCatchUp, DeadlinePassCatchesUpAClockRecurrenceInOnePass)
{
    Store s;
    // Completes itself, every 90 minutes from 1 March 09:15: at 10 March 12:00 the first
    // occurrence after now is 12:15.
    TNimbusNode &task = s.add(topic(kTopicTask, "20240301", "09:15:00", kUnitMinutes, 90));
    task.autoComplete = true;
    // Every hour from midnight, ending two hours after it starts (a count of 3 counts the
    // start hour): at noon the occurrence from 11:00 is still running.
    TNimbusNode &event = s.add(topic(kTopicEvent, "20240301", "", kUnitHours, 1));
    event.durno = 3;
    event.durtype = kUnitHours;

    const DeadlineResult first = s.pass(at(3, 10, 12, 0));
    EXPECT_TRUE(first.storeChanged);
    EXPECT_EQ(task.dlDate, "20240310");
    EXPECT_EQ(task.dlTime, "12:15:00");
    EXPECT_EQ(task.status, kStatusNotStarted);
    EXPECT_EQ(task.statusText, "15 mins");
    EXPECT_EQ(task.fdate, "20240301");
    EXPECT_EQ(event.dlDate, "20240310");
    EXPECT_EQ(event.dlTime, "11:00:00");
    EXPECT_EQ(event.status, kStatusInProgress);
    EXPECT_EQ(event.statusText, "In progress");
    EXPECT_EQ(event.fdate, "20240301");
    EXPECT_EQ(event.fTime, "02:00:00");
    EXPECT_EQ(summary::IsMember(summary::Group::Overdue, task), false);

    // Nothing is left to catch up: the next pass changes nothing stored.
    EXPECT_FALSE(s.pass(at(3, 10, 12, 0, 10)).storeChanged);
    // The running occurrence ends at 13:00 and the next starts at once.
    s.pass(at(3, 10, 13, 0, 5));
    EXPECT_EQ(event.dlTime, "12:00:00");
    EXPECT_EQ(event.fTime, "13:00:00");
    EXPECT_EQ(event.status, kStatusInProgress);
}

TEST(ScheduleCatchUp, DaysAndLongerStillCatchUpOnePeriodAPass)
{
    Store s;
    // Weekly from Monday 12 February; the pass runs on Sunday 10 March.
    TNimbusNode &weekly = s.add(topic(kTopicEvent, "20240212", "", kUnitWeeks, 1));
    const char *const rolledTo[] = {"20240219", "20240226", "20240304"};
    for (const char *date : rolledTo) {
        s.pass(at(3, 10));
        EXPECT_EQ(weekly.dlDate, date);
        EXPECT_EQ(weekly.status, kStatusWaiting) << "a past occurrence waits for the next pass";
    }
    s.pass(at(3, 10));
    EXPECT_EQ(weekly.dlDate, "20240311");
    EXPECT_EQ(weekly.status, kStatusNotStarted);
    EXPECT_EQ(weekly.statusText, "1 day");
}

TEST(ScheduleCatchUp, RollShowsTheNextOccurrenceAtOnce)
{
    // A weekly series as a web calendar gives it: started last Monday at 15:00 for 90 minutes,
    // read on Wednesday. One pass (the tree's build after an import or a sync) shows next
    // Monday as a future event, not "no due date" and waiting.
    Store s;
    TNimbusNode &series = s.add(topic(kTopicEvent, "20240304", "15:00:00", kUnitWeeks, 1));
    series.durno = 90;
    series.durtype = kUnitMinutes;
    series.flno = 5;
    s.pass(at(3, 6, 9, 0));
    EXPECT_EQ(series.dlDate, "20240311");
    EXPECT_EQ(series.status, kStatusNotStarted);
    EXPECT_EQ(series.statusText, "5 days");
    EXPECT_TRUE(series.urgent) << "the urgency lead time starts again for the next occurrence";
    EXPECT_EQ(s.lists.Count(summary::Group::Waiting), 0);
    EXPECT_EQ(s.lists.Count(summary::Group::Events), 1);

    // A daily task that completes itself, due yesterday: today it reads "Today".
    TNimbusNode daily = topic(kTopicTask, "20240305", "", kUnitDays, 1);
    daily.autoComplete = true;
    EXPECT_EQ(UpdateSchedule(daily, at(3, 6, 9, 0)), kStatusChanged);
    EXPECT_EQ(daily.dlDate, "20240306");
    EXPECT_EQ(daily.statusText, "Today");
}

} // namespace
} // namespace nimbus
