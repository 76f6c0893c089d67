// Reminder passes over simulated time: every trigger fires once, within one pass of its
// instant; reminders that fall due together come as one group; snoozes and restarts; the
// digest of what fell due while the program was closed; quiet hours; reminders switched off.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "ReminderFixture.h"
#include "reminders/ReminderText.h"
#include "store/DateFormat.h"

using namespace nimbus;
using namespace nimbus::reminders;
using nimbus::test::at;
using nimbus::test::ReminderFixture;

namespace {

constexpr int kPassSeconds = 10;

struct Fired {
    DateTime when; // the pass that showed it
    ReminderItem item;
    std::size_t groupSize;
    bool digest;
};

// Runs passes every ten seconds until `until`, collecting every reminder by its key.
void runUntil(ReminderFixture &f, DateTime until, std::multimap<std::string, Fired> &fired)
{
    while (f.clock.now() < until) {
        f.clock.advanceSeconds(kPassSeconds);
        for (const ReminderGroup &group : f.pass())
            for (const ReminderItem &item : group.items)
                fired.emplace(item.key, Fired{f.clock.now(), item, group.items.size(), group.digest});
    }
}

std::string key(const std::string &uni, ReminderKind kind, DateTime when)
{
    return triggerKey(uni, kind, when);
}

} // namespace

TEST(ReminderPasses, EveryTriggerFiresOnceWithinOnePassOfItsInstant)
{
    ReminderFixture f;
    // An event at 10:15 with a reminder 15 minutes before.
    f.topic("1", "Dentist", kTopicEvent, "20260302", "10:15:00");
    f.leads.setLead("1", 15);
    // A task due at 14:00 today; one due tomorrow, urgent from a day before.
    f.topic("2", "Tax return", kTopicTask, "20260302", "14:00:00");
    f.topic("3", "Renew passport", kTopicTask, "20260303").flno = 1;
    // A one-minute stand-up every hour at half past, rolled on by the deadline pass.
    TNimbusNode &standUp = f.topic("4", "Stand-up", kTopicEvent, "20260302", "07:30:00");
    standUp.dl = false;
    standUp.recur = true;
    standUp.rno = 1;
    standUp.rtype = kUnitHours;
    standUp.durno = 1;
    standUp.durtype = kUnitMinutes;
    standUp.rsDate = standUp.dlDate;
    standUp.rsTime = standUp.dlTime;
    // A task that completes itself is never overdue; a finished task is never reminded.
    TNimbusNode &automatic = f.topic("5", "Backup", kTopicTask, "20260302", "12:00:00");
    automatic.autoComplete = true;
    f.topic("6", "Done already", kTopicTask, "20260302").status = kStatusCompleted;

    std::multimap<std::string, Fired> fired;
    runUntil(f, at(3, 10, 0), fired);

    std::set<std::string> expected = {
        key("1", ReminderKind::Upcoming, at(2, 10, 0)),
        key("1", ReminderKind::Starts, at(2, 10, 15)),
        key("2", ReminderKind::DueToday, at(2, 8, 0)),
        key("2", ReminderKind::Overdue, at(2, 14, 0)),
        key("3", ReminderKind::TurnedUrgent, at(2, 8, 0)),
        key("3", ReminderKind::DueToday, at(3, 8, 0)),
        key("5", ReminderKind::DueToday, at(2, 8, 0)),
    };
    for (int hour = 7; hour < 24 + 10; ++hour)
        expected.insert(key("4", ReminderKind::Starts, at(2 + hour / 24, hour % 24, 30)));

    std::set<std::string> seen;
    for (const auto &[k, fire] : fired) {
        EXPECT_TRUE(seen.insert(k).second) << k << " fired twice";
        EXPECT_TRUE(expected.count(k)) << k << " was not expected";
        // Shown by the first pass at or after its instant.
        EXPECT_GE(fire.when, fire.item.at) << k;
        EXPECT_LT(fire.when, fire.item.at.addSeconds(kPassSeconds)) << k;
        EXPECT_FALSE(fire.digest) << k;
    }
    EXPECT_EQ(seen, expected);
    // The three that fell due at 08:00 came as one group.
    EXPECT_EQ(fired.find(key("2", ReminderKind::DueToday, at(2, 8, 0)))->second.groupSize, 3u);
    EXPECT_EQ(fired.find(key("1", ReminderKind::Starts, at(2, 10, 15)))->second.groupSize, 1u);
}

TEST(ReminderPasses, SnoozeComesBackOnceAndSurvivesARestart)
{
    ReminderFixture f;
    f.topic("1", "Dentist", kTopicEvent, "20260302", "10:15:00");
    f.pass(); // the first run begins here
    std::multimap<std::string, Fired> fired;
    runUntil(f, at(2, 10, 15, 5), fired);
    ASSERT_EQ(fired.size(), 1u);
    const std::string k = fired.begin()->first;

    // Snoozed for ten minutes, then the program is closed and started again.
    f.engine->snooze({k}, snoozeUntil(SnoozeChoice::TenMinutes, f.clock.now(), f.preferences.morning));
    f.engine->dismiss({k}); // the notification closes after its action
    f.close();
    f.start();
    fired.clear();
    runUntil(f, at(2, 10, 25), fired);
    EXPECT_TRUE(fired.empty()) << "shown again before the snooze ended";
    runUntil(f, at(2, 10, 25, 10), fired);
    ASSERT_EQ(fired.size(), 1u);
    EXPECT_EQ(fired.begin()->first, k);
    EXPECT_TRUE(fired.begin()->second.item.resent);
    EXPECT_FALSE(fired.begin()->second.digest);

    // Shown again once; another restart and a day of passes bring nothing more.
    f.close();
    f.start();
    fired.clear();
    runUntil(f, at(3, 10, 30), fired);
    EXPECT_TRUE(fired.empty());

    // Tomorrow morning is the next day at the morning hour, whatever the hour now.
    EXPECT_EQ(snoozeUntil(SnoozeChoice::TomorrowMorning, at(3, 23, 50), 8 * 60), at(4, 8, 0));
    EXPECT_EQ(snoozeUntil(SnoozeChoice::OneHour, at(3, 23, 50), 8 * 60), at(4, 0, 50));
}

TEST(ReminderPasses, WhatFellDueWhileClosedComesOnceAsADigest)
{
    ReminderFixture f;
    f.topic("1", "Workshop", kTopicEvent, "20260302", "10:15:00");
    f.topic("2", "Tax return", kTopicTask, "20260302", "14:00:00");
    f.topic("3", "Later", kTopicTask, "20260302", "18:00:00");
    std::multimap<std::string, Fired> fired;
    runUntil(f, at(2, 9, 0), fired);
    ASSERT_EQ(fired.size(), 2u); // both tasks are due today, from 08:00
    f.close();

    // Closed from 09:00 to 16:00.
    f.clock.set(at(2, 16, 0));
    f.start();
    RunDeadlineTick(f.store, f.clock, nullptr); // the tree is built before the first pass
    fired.clear();
    runUntil(f, at(2, 16, 0, 10), fired);
    // The event started and the task became overdue meanwhile: one digest, one line each.
    ASSERT_EQ(fired.size(), 2u);
    for (const auto &[k, fire] : fired) {
        EXPECT_TRUE(fire.digest) << k;
        EXPECT_EQ(fire.groupSize, 2u);
    }
    EXPECT_EQ(fired.count(key("1", ReminderKind::Starts, at(2, 10, 15))), 1u);
    EXPECT_EQ(fired.count(key("2", ReminderKind::Overdue, at(2, 14, 0))), 1u);

    // After the digest the day goes on as usual.
    fired.clear();
    runUntil(f, at(2, 18, 0, 10), fired);
    ASSERT_EQ(fired.size(), 1u);
    EXPECT_EQ(fired.begin()->first, key("3", ReminderKind::Overdue, at(2, 18, 0)));
    EXPECT_FALSE(fired.begin()->second.digest);
}

TEST(ReminderPasses, QuietHoursHoldRemindersBackAndReleaseThemAfter)
{
    ReminderFixture f;
    f.preferences.quietHours = true;
    f.preferences.quietFrom = 22 * 60;
    f.preferences.quietTo = 7 * 60;
    f.clock.set(at(2, 21, 0));
    f.topic("1", "Night launch", kTopicEvent, "20260302", "23:00:00");
    f.topic("2", "Early call", kTopicTask, "20260303", "06:30:00");
    f.topic("3", "Evening task", kTopicTask, "20260302", "21:30:00");
    std::multimap<std::string, Fired> fired;
    runUntil(f, at(3, 6, 59, 50), fired);
    // Only what fell due before the quiet hours began.
    ASSERT_EQ(fired.size(), 1u);
    EXPECT_EQ(fired.begin()->first, key("3", ReminderKind::Overdue, at(2, 21, 30)));

    fired.clear();
    runUntil(f, at(3, 7, 0), fired);
    // Released together by the first pass after the quiet hours, not as a digest: the
    // program was running.
    ASSERT_EQ(fired.size(), 2u);
    for (const auto &[k, fire] : fired) {
        EXPECT_EQ(fire.when, at(3, 7, 0)) << k;
        EXPECT_FALSE(fire.digest);
        EXPECT_EQ(fire.groupSize, 2u);
    }
    EXPECT_EQ(fired.count(key("1", ReminderKind::Starts, at(2, 23, 0))), 1u);
    // The early call's day began at midnight and it is overdue since 06:30: that is said.
    EXPECT_EQ(fired.count(key("2", ReminderKind::Overdue, at(3, 6, 30))), 1u);
    EXPECT_EQ(f.preferences.quietEnds(at(2, 23, 0)), at(3, 7, 0));
}

TEST(ReminderPasses, SwitchedOffShowsNothingAndOnAgainDoesNotBringBackThePast)
{
    ReminderFixture f;
    f.topic("1", "Dentist", kTopicEvent, "20260302", "10:15:00");
    f.topic("2", "Call", kTopicEvent, "20260302", "12:00:00");
    f.preferences.enabled = false;
    std::multimap<std::string, Fired> fired;
    runUntil(f, at(2, 11, 0), fired);
    EXPECT_TRUE(fired.empty());
    f.preferences.enabled = true;
    runUntil(f, at(2, 12, 0, 5), fired);
    ASSERT_EQ(fired.size(), 1u);
    EXPECT_EQ(fired.begin()->first, key("2", ReminderKind::Starts, at(2, 12, 0)));
}

TEST(ReminderPasses, NextRemindersAreTheSoonestWithSnoozesAmongThem)
{
    ReminderFixture f;
    f.topic("1", "Dentist", kTopicEvent, "20260302", "10:15:00");
    f.leads.setLead("1", 60);
    f.topic("2", "Tax return", kTopicTask, "20260305", "14:00:00");
    f.topic("3", "Old", kTopicTask, "20260301", "09:00:00");
    f.pass();
    f.engine->snooze({key("3", ReminderKind::Overdue, at(1, 9, 0))}, at(2, 9, 30));
    const auto next = f.engine->upcoming(f.store, f.clock.now(), 3);
    ASSERT_EQ(next.size(), 3u);
    EXPECT_EQ(next[0].at, at(2, 9, 15)); // an hour before the dentist
    EXPECT_EQ(next[0].kind, ReminderKind::Upcoming);
    EXPECT_EQ(next[1].uni, "3");
    EXPECT_TRUE(next[1].snoozed);
    EXPECT_EQ(next[1].at, at(2, 9, 30));
    EXPECT_EQ(next[2].at, at(2, 10, 15));
    EXPECT_EQ(upcomingLine(next[2], f.clock.now(), 0), "10:15  Dentist (starts)");
    EXPECT_EQ(upcomingLine(next[1], at(1, 9, 0), 0), "02/03/2026 09:30  Old (snoozed)");
    EXPECT_TRUE(f.engine->upcoming(f.store, f.clock.now(), 0).empty());
}
