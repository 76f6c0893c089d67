// What reminders say, and what the tray counts.
#include <gtest/gtest.h>

#include "ReminderFixture.h"
#include "fileio/UiText.h"
#include "reminders/ReminderText.h"
#include "reminders/TrayCounts.h"

using namespace nimbus;
using namespace nimbus::reminders;
using nimbus::test::at;

namespace {

ReminderItem item(const std::string &title, ReminderKind kind, DateTime dueAt, bool hasTime, bool task)
{
    ReminderItem i;
    i.title = title;
    i.kind = kind;
    i.dueAt = dueAt;
    i.at = dueAt;
    i.dueHasTime = hasTime;
    i.isTask = task;
    return i;
}

} // namespace

TEST(ReminderText, OneReminderNamesTheTopicAndItsTime)
{
    const DateTime now = at(2, 10, 0);
    ReminderGroup one;
    one.items.push_back(item("Dentist", ReminderKind::Upcoming, at(2, 10, 15), true, false));
    const ReminderText text = groupText(one, now, 0);
    EXPECT_EQ(text.summary, "Dentist");
    EXPECT_EQ(text.body, "Starts in 15 minutes, at 10:15");

    EXPECT_EQ(reminderLine(item("x", ReminderKind::Starts, at(2, 10, 0), true, false), now, 0),
              "Starts now, at 10:00");
    EXPECT_EQ(reminderLine(item("x", ReminderKind::Starts, at(1, 9, 0), true, false), now, 1),
              "Started at 09:00 on 03/01/2026");
    EXPECT_EQ(reminderLine(item("x", ReminderKind::DueToday, at(2, 8, 0), false, true), now, 0),
              "Due today");
    EXPECT_EQ(reminderLine(item("x", ReminderKind::DueToday, at(2, 14, 0), true, true), now, 0),
              "Due today, at 14:00");
    EXPECT_EQ(reminderLine(item("x", ReminderKind::Overdue, at(1, 8, 0), false, true), now, 2),
              "Overdue: was due on 2026/03/01");
    EXPECT_EQ(reminderLine(item("x", ReminderKind::TurnedUrgent, at(4, 9, 30), true, true), now, 0),
              "Now urgent: due at 09:30 on 04/03/2026");
    EXPECT_EQ(spanText(90 * 60000), "in 1 hour 30 minutes");
    EXPECT_EQ(spanText(24 * 60 * 60000), "in 1 day");
    EXPECT_EQ(spanText(1), "in 1 minute");
}

TEST(ReminderText, RemindersThatCameTogetherAreCounted)
{
    const DateTime now = at(2, 8, 0);
    ReminderGroup group;
    for (const char *title : {"Tax return", "Passport", "Car"})
        group.items.push_back(item(title, ReminderKind::DueToday, at(2, 8, 0), false, true));
    ReminderText text = groupText(group, now, 0);
    EXPECT_EQ(text.summary, "3 topics are due today");
    EXPECT_EQ(text.body, "Tax return: Due today\nPassport: Due today\nCar: Due today");

    group.items[1].kind = ReminderKind::Overdue;
    EXPECT_EQ(groupText(group, now, 0).summary, "3 reminders");
    group.digest = true;
    EXPECT_EQ(groupText(group, now, 0).summary, "3 reminders you missed");
    group.whileClosed = true;
    EXPECT_EQ(groupText(group, now, 0).summary, "3 reminders while Nimbus Desk was closed");
    // A series missed many times is one line that says how many times since when.
    group.items[0].occurrences = 9;
    group.items[0].dueHasTime = true;
    group.items[0].kind = ReminderKind::Starts;
    group.items[0].isTask = false;
    group.items[0].dueAt = at(2, 7, 30);
    group.items[0].firstDueAt = at(1, 23, 30);
    const std::string body = groupText(group, now, 0).body;
    EXPECT_EQ(body.substr(0, body.find('\n')),
              "Tax return: Started at 07:30 (9 times since 23:30 on 01/03/2026)");
    group.items.resize(1);
    EXPECT_EQ(groupText(group, now, 0).summary, "1 reminder while Nimbus Desk was closed");
}

TEST(TrayCounts, OverdueAndUrgentTopicsCountOnceEach)
{
    nimbus::test::ReminderFixture f;
    f.clock.set(at(2, 12, 0));
    f.topic("1", "Late and urgent", kTopicTask, "20260301").urgent = true;
    f.topic("2", "Late today", kTopicTask, "20260302", "09:00:00");
    f.topic("3", "Today", kTopicTask, "20260302");
    f.topic("4", "Urgent event", kTopicEvent, "20260310").urgent = true;
    f.topic("5", "Finished", kTopicTask, "20260301").status = kStatusCompleted;
    f.topic("6", "Next week", kTopicTask, "20260309");
    RunDeadlineTick(f.store, f.clock, nullptr);

    const TrayCounts counts = countForTray(f.store);
    EXPECT_EQ(counts.overdue, 2);
    EXPECT_EQ(counts.urgent, 2);
    EXPECT_EQ(counts.dueToday, 1);
    ASSERT_EQ(counts.attention.size(), 3u);
    EXPECT_EQ(trayToolTip(counts),
              "Nimbus Desk: 2 overdue, 2 urgent, 1 due today\nLate and urgent (-1 day)\n"
              "Late today (-3 hours)\nUrgent event (8 days)");
    EXPECT_EQ(trayToolTip(counts, 1).substr(trayToolTip(counts, 1).size() - 4), "\n...");
    EXPECT_EQ(badgeText(0), "");
    EXPECT_EQ(badgeText(7), "7");
    EXPECT_EQ(badgeText(120), "99+");
}

// Shown in the user's language: each sentence is translated whole, with its values where the
// translation puts them, and counts take the translation's form.
TEST(ReminderText, TranslatedSentencesKeepTheirValues)
{
    text::setTranslator([](const char *, const char *source) {
        const std::string s(source);
        if (s == "Due %1, %2")
            return std::string("%2 fällig, %1");
        if (s == "at %1")
            return std::string("um %1");
        if (s == "%1 on %2")
            return std::string("%1 am %2");
        if (s == "%1: %2")
            return std::string("%1 : %2");
        return s;
    });
    text::setCountTranslator([](const char *, const char *source, const char *, int n) {
        const std::string s(source);
        if (s == "in %n minute(s)")
            return "in " + std::to_string(n) + (n == 1 ? " Minute" : " Minuten");
        if (s == "(%n time(s) since %1)")
            return std::to_string(n) + "-mal seit %1";
        return s;
    });
    const DateTime now = at(2, 10, 0);
    EXPECT_EQ(reminderLine(item("x", ReminderKind::Upcoming, at(2, 10, 15), true, true), now, 0),
              "um 10:15 fällig, in 15 Minuten");
    ReminderGroup digest;
    digest.digest = true;
    ReminderItem missed = item("Stand-up", ReminderKind::Overdue, at(2, 9, 0), true, true);
    missed.occurrences = 3;
    missed.firstDueAt = at(1, 9, 0);
    digest.items.push_back(missed);
    EXPECT_EQ(groupText(digest, now, 0).body,
              "Stand-up : Overdue: was due um 09:00 3-mal seit 09:00 am 01/03/2026");
    text::setTranslator(nullptr);
    text::setCountTranslator(nullptr);
    EXPECT_EQ(groupText(digest, now, 0).body,
              "Stand-up: Overdue: was due at 09:00 (3 times since 09:00 on 01/03/2026)");
}
