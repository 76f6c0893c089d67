// A year of the deadline timer over one store, with the clock stepped the way the timer sees
// it: ten-second ticks around every quarter hour (where every due time, end and midnight of
// this store falls) and a jump to the next. Every step checks what must hold however long the
// program runs: recurring topics only move forward, nothing completes twice, a topic completed
// by hand stays done until its next period, events never end before they start, the store is
// marked modified exactly when a stored field changed, and the summary counts match a recount.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "store/Clock.h"
#include "store/DateFormat.h"
#include "store/DeadlineTick.h"
#include "store/Scheduler.h"
#include "store/StructureWriter.h"
#include "store/SummaryLists.h"
#include "store/TNimbusStructure.h"
#include "tree/TreeRules.h"

namespace nimbus {
namespace {

using summary::Group;

constexpr std::int64_t kSecond = 1000;
constexpr std::int64_t kQuarter = 15 * 60 * kSecond;

enum class Mode { Left, Automatic, ByHand };

// A moment as the store states it: the due date and, when there is one, the time.
struct Moment {
    std::int64_t day = 0;
    std::int64_t msecs = 0;
    auto operator<=>(const Moment &) const = default;
};

Moment dueOf(const TNimbusNode &node)
{
    DateTime date;
    dates::parseDateKey(node.dlDate, date);
    return {date.dayNumber(), schedule::timeOfDay(node.dlTime)};
}

Moment momentOf(DateTime t)
{
    return {t.dayNumber(), t.msecsOfDay()};
}

// What the test remembers of each topic between steps.
struct Tracked {
    Mode mode = Mode::Left;
    Moment due;
    std::string fdate;
    std::string fTime;
    int completions = 0;
    bool justCompleted = false;  // by the last pass: no time text until the next one
    Moment doneUntil{-1, 0};  // completed by hand: not overdue before this moment
};

class ScheduleYear {
public:
    ScheduleYear() : clock_(DateTime::fromCivil(2024, 1, 1)) { build(); }

    void run(DateTime end)
    {
        DateTime mark = clock_.now();
        while (mark < end && !::testing::Test::HasFailure()) {
            for (const std::int64_t offset : {-10 * kSecond, std::int64_t{0}, 10 * kSecond})
                step(mark.addMsecs(offset));
            mark = mark.addMsecs(kQuarter);
        }
        checkCaughtUp();
    }

    int steps = 0;
    int rolls = 0;
    int savesNeeded = 0;

private:
    TNimbusNode &add(int ttype, const std::string &date, const std::string &time, Mode mode = Mode::Left)
    {
        auto node = std::make_unique<TNimbusNode>(std::to_string(store_.Count() + 1));
        node->lev = 1;
        node->type = kSectionTopics;
        node->ttype = ttype;
        node->status = ttype == kTopicTask || ttype == kTopicEvent ? kStatusNotStarted : kStatusNone;
        node->dl = true;
        node->dlDate = date;
        node->dlTime = time;
        node->autoComplete = mode == Mode::Automatic;
        node->text = "topic " + node->uni;
        TNimbusNode &made = *node;
        store_.Append(std::move(node));
        tracked_[made.uni].mode = mode;
        return made;
    }

    void build()
    {
        auto section = std::make_unique<TNimbusNode>("0");
        section->type = kSectionTopics;
        section->text = "Topics";
        store_.Append(std::move(section));

        // One dated topic of every type.
        for (int ttype : {kTopicGeneral, kTopicEvent, kTopicTask, kTopicInformation, kTopicIdea,
                          kTopicFinancial})
            for (const char *time : {"", "16:45:00"})
                add(ttype, "20240115", time).durtype = kUnitDays;

        // Every recurrence unit, with and without a time; tasks left alone, completing
        // themselves and completed by hand; events of an hour.
        const std::pair<int, int> recurrences[] = {{kUnitMinutes, 90}, {kUnitHours, 5}, {kUnitDays, 3},
                                                   {kUnitWeeks, 2},    {kUnitMonths, 1}, {kUnitYears, 1}};
        for (auto [unit, count] : recurrences) {
            for (const char *time : {"", "09:15:00"}) {
                for (Mode mode : {Mode::Left, Mode::Automatic, Mode::ByHand}) {
                    TNimbusNode &task = add(kTopicTask, "20240131", time, mode);
                    task.dl = false;
                    task.recur = true;
                    task.rtype = unit;
                    task.rno = count;
                    task.flno = mode == Mode::ByHand ? 0 : 2;  // automatic urgency
                }
                TNimbusNode &event = add(kTopicEvent, "20240131", time);
                event.recur = true;
                event.rtype = unit;
                event.rno = count;
                event.durno = 1;
                event.durtype = kUnitHours;
            }
        }

        // One-off events of an hour to three months starting late in a month.
        const std::pair<int, int> durations[] = {{kUnitHours, 1}, {kUnitHours, 3}, {kUnitDays, 1},
                                                 {kUnitDays, 3},  {kUnitWeeks, 1}, {kUnitMonths, 1},
                                                 {kUnitMonths, 3}};
        for (auto [unit, count] : durations)
            for (int day = 27; day <= 31; ++day)
                for (const char *month : {"01", "08"})
                    for (const char *time : {"", "10:00:00"}) {
                        TNimbusNode &event = add(kTopicEvent, std::string("2024") + month + std::to_string(day), time);
                        event.durno = count;
                        event.durtype = unit;
                    }

        // One-off tasks turning urgent before they are due.
        for (int day = 3; day <= 28; day += 5) {
            TNimbusNode &task = add(kTopicTask, "202403" + std::string(day < 10 ? "0" : "") + std::to_string(day), "");
            task.flno = day % 7;
        }
        for (const TNimbusStructure::Entry &entry : store_.Entries())
            if (entry.node->lev > 0)
                tracked_[entry.node->uni].due = dueOf(*entry.node);
    }

    std::string bytes() const
    {
        std::string out;
        for (const TNimbusStructure::Entry &entry : store_.Entries())
            structure::AppendRecord(out, *entry.node);
        return out;
    }

    void step(DateTime t)
    {
        if (t < clock_.now())
            return;
        ++steps;
        clock_.set(t);
        const std::string before = bytes();
        store_.modified = false;
        RunDeadlineTick(store_, clock_, &lists_);
        const bool changed = bytes() != before;
        EXPECT_EQ(store_.modified, changed) << "at " << dates::stamp(t);
        savesNeeded += changed;
        for (const TNimbusStructure::Entry &entry : store_.Entries())
            if (entry.node->lev > 0)
                checkNode(*entry.node, t);
        recount(t);

        // The user completes each topic of theirs once it is due.
        for (const TNimbusStructure::Entry &entry : store_.Entries()) {
            TNimbusNode &node = *entry.node;
            Tracked &was = tracked_[node.uni];
            if (was.mode != Mode::ByHand || dueOf(node) > momentOf(t))
                continue;
            tree::ApplyStatus(node, kStatusCompleted, t);
            checkNode(node, t);
            was.doneUntil = dueOf(node);
            EXPECT_GT(was.doneUntil, momentOf(t)) << node.uni << " is due again at once";
            EXPECT_EQ(node.statusText.find('-'), std::string::npos) << node.uni << " " << node.statusText;
        }
    }

    // Compares a topic with what it was at the last step.
    void checkNode(const TNimbusNode &node, DateTime t)
    {
        Tracked &was = tracked_[node.uni];
        const Moment due = dueOf(node);
        const bool rolled = due != was.due;
        if (rolled) {
            ++rolls;
            EXPECT_TRUE(node.recur) << node.uni << " moved without a recurrence";
            EXPECT_GT(due, was.due) << node.uni << " moved back from " << node.dlDate << " " << node.dlTime;
        }
        was.justCompleted = node.fdate != was.fdate || node.fTime != was.fTime;
        if (was.justCompleted) {
            ++was.completions;
            // A completion records a later moment each time, and a recurring topic moves on
            // with each one: nothing is completed twice for one period.
            EXPECT_GT(node.fdate + node.fTime, was.fdate + was.fTime) << node.uni;
            if (node.recur) {
                EXPECT_TRUE(rolled) << node.uni << " completed without moving on";
            } else {
                EXPECT_EQ(was.completions, 1) << node.uni << " completed again";
            }
            if (node.ttype == kTopicEvent) {
                // An event ends where it started or later, and not before the clock got there.
                EXPECT_GE(node.fdate + node.fTime, dates::dateKey(DateTime::fromDayNumber(was.due.day))
                                                      + (node.fTime.empty() ? "" : dates::timeText(DateTime::fromMsecs(was.due.msecs))))
                    << node.uni;
                EXPECT_LE(node.fdate, dates::dateKey(t)) << node.uni;
            }
            was.fdate = node.fdate;
            was.fTime = node.fTime;
        }
        was.due = due;
        if (was.mode == Mode::ByHand && momentOf(t) < was.doneUntil) {
            EXPECT_EQ(node.statusText.find('-'), std::string::npos)
                << node.uni << " overdue again at " << dates::stamp(t) << " before " << node.dlDate;
        }
    }

    // The summary's counts against a count made straight from the stored fields and the clock.
    void recount(DateTime t)
    {
        std::map<Group, int> expected;
        const std::int64_t today = t.dayNumber();
        for (const TNimbusStructure::Entry &entry : store_.Entries()) {
            const TNimbusNode &node = *entry.node;
            if (node.lev <= 0)
                continue;
            expected[Group::Urgent] += node.urgent;
            const bool open = node.status != kStatusCompleted;
            const Moment due = dueOf(node);
            const bool timed = !dates::isNoTime(node.dlTime)
                               || (node.recur && (node.rtype == kUnitMinutes || node.rtype == kUnitHours));
            if (node.ttype == kTopicTask && open) {
                expected[Group::Deadlines] += due.day - today < 43;
                // A task that completed itself in this pass shows no time text until the next
                // one, even when its next date is past too (it catches up a period a pass).
                const bool overdue = !tracked_[node.uni].justCompleted && (timed ? due < momentOf(t) : due.day < today);
                expected[Group::Overdue] += overdue;
                EXPECT_EQ(overdue, summary::IsMember(Group::Overdue, node))
                    << node.uni << " due " << node.dlDate << " " << node.dlTime << " shows "
                    << node.statusText << " at " << dates::stamp(t);
                expected[Group::InProgress] += node.status == kStatusInProgress
                                               || (node.percent >= 1 && node.percent <= 99);
                expected[Group::Waiting] += node.status == kStatusWaiting;
            }
            if (node.ttype == kTopicEvent) {
                expected[Group::InProgress] += node.status == kStatusInProgress;
                expected[Group::Events] += open && due.day - today < 43;
            }
        }
        for (Group group : {Group::Deadlines, Group::Urgent, Group::Overdue, Group::Events,
                            Group::InProgress, Group::Waiting})
            EXPECT_EQ(lists_.Count(group), expected[group])
                << "group " << static_cast<int>(group) << " at " << dates::stamp(t);
    }

    // Topics that roll by themselves (or by the user) kept up with the clock.
    void checkCaughtUp()
    {
        const std::int64_t today = clock_.now().dayNumber();
        for (const TNimbusStructure::Entry &entry : store_.Entries()) {
            const TNimbusNode &node = *entry.node;
            if (!node.recur || (node.ttype == kTopicTask && tracked_[node.uni].mode == Mode::Left))
                continue;
            const int slack[] = {1, 1, 4, 15, 32, 367};
            EXPECT_GE(dueOf(node).day, today - slack[node.rtype]) << node.uni << " stuck at " << node.dlDate;
        }
    }

    FixedClock clock_;
    TNimbusStructure store_;
    SummaryLists lists_;
    std::map<std::string, Tracked> tracked_;
};

TEST(ScheduleYearTest, AYearOfTicksKeepsEveryRule)
{
    ScheduleYear year;
    year.run(DateTime::fromCivil(2025, 1, 1));
    EXPECT_GT(year.rolls, 1000);
    // Text changes every tick; the store needs saving far less often.
    EXPECT_LT(year.savesNeeded, year.steps / 2);
    std::printf("a year of ticks: %d steps, %d rolls, %d steps that changed the store\n", year.steps,
                year.rolls, year.savesNeeded);
}

}  // namespace
}  // namespace nimbus
