// Reminders that are never missed and never repeated, whatever comes between two passes: the
// program closed across the whole span of one-day, one-hour and five-minute events, a task
// that completes itself and two series; a sleep of nine hours; a rebuild of the tree (a
// schedule pass without a reminder pass before it); the days the clocks change; times of
// midnight; topics that arrive from elsewhere with a trigger in the past; and "Mark
// completed" acting on the occurrence a reminder named.
#include <gtest/gtest.h>

#include <ctime>
#include <map>
#include <set>

#include "ReminderFixture.h"
#include "reminders/ReminderActions.h"
#include "reminders/ReminderText.h"
#include "store/Scheduler.h"
#include "support/ScopedZone.h"

using namespace nimbus;
using namespace nimbus::reminders;
using nimbus::test::at;
using nimbus::test::ReminderFixture;

namespace {

// One pass; every item by its topic, checking that no key comes twice in the test's life.
struct Passes {
    explicit Passes(ReminderFixture &fixture) : f(fixture) {}

    ReminderFixture &f;
    std::set<std::string> keys;
    std::set<std::string> digestKeys;
    std::vector<ReminderGroup> groups; // of the last pass

    std::map<std::string, ReminderItem> pass()
    {
        groups = f.pass();
        std::map<std::string, ReminderItem> byTopic;
        for (const ReminderGroup &group : groups)
            for (const ReminderItem &item : group.items) {
                EXPECT_TRUE(keys.insert(item.key).second) << item.key << " was shown twice";
                if (group.digest)
                    digestKeys.insert(item.key);
                EXPECT_TRUE(byTopic.emplace(item.uni, item).second)
                    << item.uni << " twice in one pass";
            }
        return byTopic;
    }
    // Passes every ten seconds up to until; every item shown on the way, by key.
    std::map<std::string, ReminderItem> runUntil(DateTime until)
    {
        std::map<std::string, ReminderItem> shown;
        while (f.clock.now() < until) {
            f.clock.advanceSeconds(10);
            for (const auto &[uni, item] : pass())
                shown.emplace(item.key, item);
        }
        return shown;
    }
};

std::string key(const std::string &uni, ReminderKind kind, DateTime when)
{
    return triggerKey(uni, kind, when);
}

} // namespace

TEST(RemindersNeverMissed, EverythingThatHappenedWhileClosedComesOnceInTheDigest)
{
    ReminderFixture f;
    f.clock.set(at(1, 19, 0));
    auto &board = f.topic("1", "Board meeting", kTopicEvent, "20260302", "10:15:00");
    board.durno = 1; // one day: it ends as it starts
    auto &call = f.topic("2", "Call", kTopicEvent, "20260302", "11:00:00");
    call.durno = 1;
    call.durtype = kUnitHours;
    auto &coffee = f.topic("3", "Coffee", kTopicEvent, "20260302", "12:00:00");
    coffee.durno = 5;
    coffee.durtype = kUnitMinutes;
    f.topic("4", "Backup", kTopicTask, "20260302").autoComplete = true;
    f.series("5", "Stand-up", kTopicEvent, "20260301", "19:30:00", 1, kUnitHours);
    f.series("6", "Gym", kTopicEvent, "20260302", "07:00:00", 1, kUnitDays, 2, kUnitHours);
    Passes p{f};
    p.pass(); // the first run begins
    EXPECT_EQ(p.runUntil(at(1, 20, 0)).count(key("5", ReminderKind::Starts, at(1, 19, 30))), 1u);
    f.close();

    // Closed until the next morning but one; start-up builds the tree (a schedule pass that
    // finishes the events and the task and moves both series on) before the first pass.
    f.clock.set(at(3, 10, 0));
    f.start();
    RunDeadlineTick(f.store, f.clock, nullptr);
    ASSERT_EQ(board.status, kStatusCompleted);
    f.clock.advanceSeconds(10);
    const auto shown = p.pass();
    ASSERT_EQ(p.groups.size(), 1u);
    EXPECT_TRUE(p.groups[0].digest && p.groups[0].whileClosed);
    ASSERT_EQ(shown.size(), 6u);
    EXPECT_EQ(shown.at("1").key, key("1", ReminderKind::Starts, at(2, 10, 15)));
    EXPECT_EQ(shown.at("2").key, key("2", ReminderKind::Starts, at(2, 11, 0)));
    EXPECT_EQ(shown.at("3").key, key("3", ReminderKind::Starts, at(2, 12, 0)));
    EXPECT_EQ(shown.at("4").key, key("4", ReminderKind::DueToday, at(2, 8, 0)));
    // Each series is one line: its latest occurrence and how many there were.
    EXPECT_EQ(shown.at("5").key, key("5", ReminderKind::Starts, at(3, 9, 30)));
    EXPECT_EQ(shown.at("5").occurrences, 38); // 20:30 on the 1st to 09:30 on the 3rd
    EXPECT_EQ(shown.at("6").key, key("6", ReminderKind::Starts, at(3, 7, 0)));
    EXPECT_EQ(shown.at("6").occurrences, 2);
    const ReminderText text = groupText(p.groups[0], f.clock.now(), 0);
    EXPECT_EQ(text.summary, "6 reminders while Nimbus Desk was closed");
    EXPECT_NE(text.body.find("Stand-up: Started at 09:30 (38 times since 20:30 on 01/03/2026)"),
              std::string::npos)
        << text.body;

    // Nothing again, across another restart, while the series catch up; then the day goes on.
    f.close();
    f.start();
    const auto later = p.runUntil(at(3, 10, 30, 5));
    ASSERT_EQ(later.size(), 1u);
    EXPECT_EQ(later.begin()->first, key("5", ReminderKind::Starts, at(3, 10, 30)));
    EXPECT_EQ(p.digestKeys.count(later.begin()->first), 0u);
}

TEST(RemindersNeverMissed, ASleepOfNineHoursIsOneDigestAndWhatIsDueOnWakingComesAsUsual)
{
    ReminderFixture f;
    f.topic("1", "Dentist", kTopicEvent, "20260302", "10:15:00").durno = 1;
    f.topic("2", "Tax return", kTopicTask, "20260302", "12:00:00");
    f.leads.setLead("2", 15);
    f.series("3", "Stand-up", kTopicEvent, "20260302", "07:30:00", 1, kUnitHours);
    f.topic("4", "Train", kTopicEvent, "20260302", "16:45:00").durno = 1;
    Passes p{f};
    p.pass();
    EXPECT_EQ(p.runUntil(at(2, 7, 30)).size(), 1u); // the 07:30 stand-up

    // The computer sleeps: the next pass comes at 16:45.
    f.clock.set(at(2, 16, 45));
    const auto shown = p.pass();
    ASSERT_EQ(p.groups.size(), 2u);
    EXPECT_TRUE(p.groups[0].digest);
    EXPECT_FALSE(p.groups[0].whileClosed);
    EXPECT_EQ(groupText(p.groups[0], f.clock.now(), 0).summary, "3 reminders you missed");
    EXPECT_EQ(shown.at("1").key, key("1", ReminderKind::Starts, at(2, 10, 15)));
    EXPECT_EQ(shown.at("2").key, key("2", ReminderKind::Overdue, at(2, 12, 0)));
    EXPECT_EQ(shown.at("3").key, key("3", ReminderKind::Starts, at(2, 16, 30)));
    EXPECT_EQ(shown.at("3").occurrences, 9);
    // What falls due as the computer wakes is not missed.
    EXPECT_FALSE(p.groups[1].digest);
    ASSERT_EQ(p.groups[1].items.size(), 1u);
    EXPECT_EQ(p.groups[1].items[0].key, key("4", ReminderKind::Starts, at(2, 16, 45)));

    const auto later = p.runUntil(at(2, 17, 30, 5));
    ASSERT_EQ(later.size(), 1u);
    EXPECT_EQ(later.begin()->first, key("3", ReminderKind::Starts, at(2, 17, 30)));
}

TEST(RemindersNeverMissed, ARebuildBetweenTwoPassesLosesNothing)
{
    ReminderFixture f;
    f.topic("1", "Review", kTopicEvent, "20260302", "10:15:03").durno = 1;
    f.series("2", "Stand-up", kTopicEvent, "20260302", "10:15:04", 1, kUnitHours);
    Passes p{f};
    f.clock.set(at(2, 10, 0));
    p.pass();
    EXPECT_TRUE(p.runUntil(at(2, 10, 15)).empty());

    // A calendar sync or an undo rebuilds the tree twice: the review finishes and the
    // stand-up moves on before the reminder pass has seen them.
    f.clock.set(at(2, 10, 15, 5));
    RunDeadlineTick(f.store, f.clock, nullptr);
    RunDeadlineTick(f.store, f.clock, nullptr);
    ASSERT_EQ(f.store.Find("1")->status, kStatusCompleted);
    ASSERT_EQ(f.store.Find("2")->dlTime, "11:15:04");
    const auto shown = p.runUntil(at(2, 10, 15, 10));
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown.count(key("1", ReminderKind::Starts, at(2, 10, 15, 3))), 1u);
    EXPECT_EQ(shown.count(key("2", ReminderKind::Starts, at(2, 10, 15, 4))), 1u);
    EXPECT_EQ(p.groups.size(), 1u);
    EXPECT_FALSE(p.groups[0].digest);

    EXPECT_EQ(p.runUntil(at(2, 11, 15, 10)).size(), 1u); // the next stand-up, once
}

TEST(RemindersNeverMissed, TheDaysTheClocksChangeRemindEachTriggerOnce)
{
    struct Day {
        const char *zone;
        int year, month, day;
    };
    for (const Day d :
         {Day{"Europe/Berlin", 2026, 3, 29}, Day{"Europe/Berlin", 2026, 10, 25},
          Day{"America/New_York", 2026, 3, 8}, Day{"America/New_York", 2026, 11, 1}}) {
        SCOPED_TRACE(std::string(d.zone) + " " + std::to_string(d.month));
        test::ScopedZone zone(d.zone);
        // Real seconds go by; the clock shows the local time, as SystemClock does.
        std::tm start{};
        start.tm_year = d.year - 1900;
        start.tm_mon = d.month - 1;
        start.tm_mday = d.day - 1;
        start.tm_hour = 23;
        start.tm_isdst = -1;
        std::time_t real = std::mktime(&start);
        auto local = [&real] {
            std::tm t{};
            localtime_r(&real, &t);
            return DateTime::fromCivil(t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour,
                                       t.tm_min, t.tm_sec);
        };
        ReminderFixture f;
        f.clock.set(local());
        char date[9];
        std::snprintf(date, sizeof date, "%04d%02d%02d", d.year, d.month, d.day);
        f.series("1", "Stand-up", kTopicEvent, date, "00:30:00", 1, kUnitHours);
        f.topic("2", "Night shift", kTopicEvent, date, "02:30:00").durno = 1;
        f.topic("3", "Report", kTopicTask, date, "02:45:00");
        f.leads.setLead("3", 15);
        Passes p{f};
        p.pass();
        std::map<std::string, ReminderItem> shown;
        const DateTime day = DateTime::fromCivil(d.year, d.month, d.day);
        while (f.clock.now() < day.addDays(1)) {
            real += 10;
            f.clock.set(local());
            for (const auto &[uni, item] : p.pass()) {
                shown.emplace(item.key, item);
                EXPECT_FALSE(p.groups.front().digest) << item.key;
            }
        }
        // Every hour of the day's series once, the 02:30 that does not exist or comes twice
        // included; the event and the task's last reminder once.
        std::set<std::string> standUps;
        for (int hour = 0; hour < 24; ++hour)
            standUps.insert(
                key("1", ReminderKind::Starts, day.addMsecs((hour * 60 + 30) * 60'000)));
        std::set<std::string> seen;
        for (const auto &[k, item] : shown)
            if (item.uni == "1")
                seen.insert(k);
        EXPECT_EQ(seen, standUps);
        EXPECT_EQ(shown.count(key("2", ReminderKind::Starts, day.addMsecs(150 * 60'000))), 1u);
        EXPECT_EQ(shown.count(key("3", ReminderKind::Overdue, day.addMsecs(165 * 60'000))), 1u);
    }
}

TEST(RemindersNeverMissed, AMidnightThatCameWithTheTopicStaysMidnight)
{
    ReminderFixture f;
    f.clock.set(at(2, 20, 0));
    // From another calendar: a launch at local midnight, a nightly job from the next night
    // on, and an entry of a whole day (no time at all).
    f.topic("1", "Launch", kTopicEvent, "20260303", "00:00:00").durno = 1;
    f.series("2", "Nightly job", kTopicEvent, "20260303", "00:00:00", 1, kUnitDays, 1, kUnitHours);
    f.topic("3", "Holiday", kTopicEvent, "20260303").durno = 1;
    Passes p{f};
    p.pass();
    p.runUntil(at(2, 20, 0, 10));
    // Saved and read back, the store says "no time" for all three; the program restarts.
    for (const char *uni : {"1", "2", "3"})
        f.store.Find(uni)->dlTime.clear();
    f.close();
    f.start();

    const auto night = p.runUntil(at(3, 0, 0, 5));
    EXPECT_EQ(night.count(key("1", ReminderKind::Starts, at(3, 0, 0))), 1u);
    EXPECT_EQ(night.count(key("2", ReminderKind::Starts, at(3, 0, 0))), 1u);
    EXPECT_EQ(night.size(), 2u);
    EXPECT_TRUE(night.at(key("1", ReminderKind::Starts, at(3, 0, 0))).dueHasTime);
    const auto morning = p.runUntil(at(4, 0, 0, 5));
    EXPECT_EQ(morning.count(key("3", ReminderKind::Starts, at(3, 8, 0))), 1u);
    // The series rolled on keeps its midnight.
    EXPECT_EQ(morning.count(key("2", ReminderKind::Starts, at(4, 0, 0))), 1u);
    EXPECT_EQ(morning.size(), 2u);

    // Given another time, a topic is no longer at midnight, and its line goes at closing.
    f.store.Find("2")->dlTime = "06:00:00";
    f.midnights->forgetStale(f.store);
    EXPECT_TRUE(f.midnights->modified);
    f.store.Find("2")->dlTime.clear();
    EXPECT_FALSE(f.midnights->isMidnight(*f.store.Find("2")));
    EXPECT_TRUE(f.midnights->isMidnight(*f.store.Find("1")));
}

TEST(RemindersNeverMissed, TopicsThatArriveWithATriggerInThePastAreRemindedOnce)
{
    ReminderFixture f;
    Passes p{f};
    f.clock.set(at(2, 9, 0));
    p.pass();
    p.runUntil(at(2, 10, 0));
    // Between two passes a packet brings a task overdue since 09:55, a sync brings a call
    // that began at 09:57 (finished at once by the rebuild that follows) and nimbus-cli adds
    // a task that was due two days ago.
    f.topic("1", "From Anna", kTopicTask, "20260302", "09:55:00");
    f.topic("2", "Synced call", kTopicEvent, "20260302", "09:57:00").durno = 1;
    f.topic("3", "Old", kTopicTask, "20260228", "09:00:00");
    RunDeadlineTick(f.store, f.clock, nullptr);
    const auto shown = p.runUntil(at(2, 10, 0, 10));
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown.count(key("1", ReminderKind::Overdue, at(2, 9, 55))), 1u);
    EXPECT_EQ(shown.count(key("2", ReminderKind::Starts, at(2, 9, 57))), 1u);
    EXPECT_FALSE(p.groups[0].digest);
    // Never again, across a restart either.
    f.close();
    f.start();
    EXPECT_TRUE(p.runUntil(at(2, 11, 0)).empty());

    // Reminders switched off and on again owe nothing from meanwhile, arrived or not.
    f.preferences.enabled = false;
    p.runUntil(at(2, 12, 0));
    f.topic("4", "Late", kTopicTask, "20260302", "11:30:00");
    f.preferences.enabled = true;
    EXPECT_TRUE(p.runUntil(at(2, 12, 0, 30)).empty());
}

TEST(RemindersNeverMissed, MarkCompletedActsOnTheOccurrenceItNamed)
{
    ReminderFixture f;
    TNimbusNode &pills = f.series("1", "Pills", kTopicTask, "20260302", "09:00:00", 1, kUnitDays);
    Passes p{f};
    p.pass();
    const auto shown = p.runUntil(at(2, 9, 0, 5));
    const ReminderItem overdue = shown.at(key("1", ReminderKind::Overdue, at(2, 9, 0)));
    EXPECT_EQ(checkCompletion(&pills, overdue.occurrence), CompletionCheck::Complete);
    // Completed from the tree meanwhile, the series moves on: the old reminder leaves the
    // next occurrence alone.
    pills.status = kStatusCompleted;
    EXPECT_EQ(checkCompletion(&pills, overdue.occurrence), CompletionCheck::AlreadyDone);
    schedule::RollRecurrence(pills, f.clock.now());
    EXPECT_EQ(checkCompletion(&pills, overdue.occurrence), CompletionCheck::MovedOn);
    EXPECT_EQ(checkCompletion(nullptr, overdue.occurrence), CompletionCheck::Gone);
}
