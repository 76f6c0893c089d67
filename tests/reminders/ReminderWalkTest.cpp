// One walk for a pass and the tray: a pass that also finds the tray's counts and next
// reminders must give exactly what the pass, the next reminders and the counts give one after
// the other, through days of passes with schedules rolling, snoozes and a restart; and the
// completion mark in numbers that the passes use must read as the mark's texts do.
#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "ReminderFixture.h"
#include "fileio/FolderOps.h"
#include "reminders/TrayCounts.h"
#include "store/DateFormat.h"
#include "store/Scheduler.h"

using namespace nimbus;
using namespace nimbus::reminders;
using nimbus::test::at;
using nimbus::test::ReminderFixture;

namespace {

// Tasks, events and series of every unit around the fixture's start, some urgent, some with a
// lead time, a task that completes itself, one due at a real midnight.
void fill(ReminderFixture &f, std::uint32_t seed)
{
    std::mt19937 random(seed);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    const int leads[] = {0, 5, 15, 30, 60, 1440};
    for (int i = 0; i < 120; ++i) {
        const std::string uni = std::to_string(i + 1);
        const std::string date = dates::dateKey(at(2, 0, 0).addDays(pick(7) - 3));
        const std::string time = pick(3) == 0 ? std::string()
                                              : dates::timeText(DateTime::fromMsecs(
                                                    static_cast<std::int64_t>(pick(96)) * 900'000));
        const int ttype = pick(2) ? kTopicTask : kTopicEvent;
        TNimbusNode *node = nullptr;
        if (pick(3) == 0) {
            const int units[] = {kUnitMinutes, kUnitHours, kUnitDays, kUnitWeeks, kUnitMonths};
            const int unit = units[pick(5)];
            const int every = unit == kUnitMinutes ? 30 + pick(60) : 1 + pick(3);
            node = &f.series(uni, "Series " + uni, ttype, date, time, every, unit, 1 + pick(3),
                             pick(2) ? kUnitMinutes : kUnitHours);
            node->autoComplete = ttype == kTopicTask && pick(2);
        } else {
            node = &f.topic(uni, "Topic " + uni, ttype, date, time);
            if (pick(5) == 0)
                node->status = kStatusCompleted;
        }
        node->urgent = pick(6) == 0;
        if (pick(4) == 0) {
            node->flno = 1 + pick(2);
            node->fltyp = kUnitDays;
        }
        if (const int lead = leads[pick(6)]; lead > 0)
            f.leads.setLead(uni, lead);
    }
    f.topic("900", "At midnight", kTopicTask, "20260303", "00:00:00");
}

std::string describe(const std::vector<ReminderGroup> &groups)
{
    std::ostringstream out;
    for (const ReminderGroup &group : groups) {
        out << (group.digest ? "digest" : "group") << (group.whileClosed ? " closed" : "") << ':';
        for (const ReminderItem &item : group.items)
            out << ' ' << item.key << '/' << item.occurrences << '/' << item.firstDueAt.msecs()
                << (item.resent ? "/resent" : "");
        out << '\n';
    }
    return out.str();
}

std::string describe(const TrayCounts &counts, const std::vector<UpcomingReminder> &next)
{
    std::ostringstream out;
    out << counts.overdue << ' ' << counts.urgent << ' ' << counts.dueToday << ':';
    for (const TNimbusNode *node : counts.attention)
        out << ' ' << node->uni;
    out << " |";
    for (const UpcomingReminder &r : next)
        out << ' ' << r.uni << '/' << static_cast<int>(r.kind) << '/' << r.at.msecs()
            << (r.snoozed ? "/snoozed" : "");
    return out.str();
}

} // namespace

TEST(ReminderWalk, PassWithTrayLookGivesWhatTheSeparateWalksGive)
{
    ReminderFixture separate;
    ReminderFixture joined;
    fill(separate, 7);
    fill(joined, 7);
    std::size_t shown = 0, upcomingSeen = 0, snoozedSeen = 0;
    for (int pass = 0; pass < 2 * 24 * 6; ++pass) {
        // The program closed for half a day: the digest comes with the first pass after.
        if (pass == 100) {
            for (ReminderFixture *f : {&separate, &joined}) {
                f->close();
                f->clock.advanceSeconds(12 * 3600);
                f->start();
            }
        }
        separate.clock.advanceSeconds(600);
        joined.clock.advanceSeconds(600);
        const DateTime now = separate.clock.now();

        const std::vector<ReminderGroup> groups = separate.engine->poll(separate.store, now);
        const std::string looked = describe(countForTray(separate.store),
                                            separate.engine->upcoming(separate.store, now, 5));
        TrayLook tray;
        const std::vector<ReminderGroup> joinedGroups =
            joined.engine->poll(joined.store, now, tray, 5);
        ASSERT_EQ(describe(groups), describe(joinedGroups)) << "pass " << pass;
        ASSERT_EQ(looked, describe(tray.counts, tray.upcoming)) << "pass " << pass;
        // The tray's walk alone, after the pass, says the same as the two walks it replaces.
        ASSERT_EQ(looked, describe(joined.engine->look(joined.store, now, 5).counts,
                                   joined.engine->look(joined.store, now, 5).upcoming));

        // Every third group is snoozed for twenty minutes: it is to come at the next pass and
        // comes back at the one after.
        for (std::size_t g = 0; g < groups.size(); ++g) {
            shown += groups[g].items.size();
            if ((shown + g) % 3 != 0)
                continue;
            std::vector<std::string> keys;
            for (const ReminderItem &item : groups[g].items)
                keys.push_back(item.key);
            separate.engine->snooze(keys, now.addSeconds(1200));
            joined.engine->snooze(keys, now.addSeconds(1200));
        }
        for (const UpcomingReminder &r : tray.upcoming) {
            ++upcomingSeen;
            snoozedSeen += r.snoozed;
        }
        RunDeadlineTick(separate.store, separate.clock, nullptr);
        RunDeadlineTick(joined.store, joined.clock, nullptr);
    }
    // The run met every case it is there for.
    EXPECT_GT(shown, 50u);
    EXPECT_GT(upcomingSeen, 100u);
    EXPECT_GT(snoozedSeen, 0u);
    separate.close();
    joined.close();
    std::string a, b;
    ASSERT_TRUE(fileio::readWholeFile(separate.folder.path() + "Reminders.dat", a));
    ASSERT_TRUE(fileio::readWholeFile(joined.folder.path() + "Reminders.dat", b));
    EXPECT_EQ(a, b);
}

TEST(ReminderWalk, CompletionMarkInNumbersReadsAsItsTexts)
{
    std::mt19937 random(11);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    const int units[] = {kUnitMinutes, kUnitHours, kUnitDays, kUnitWeeks, kUnitMonths, kUnitYears};
    for (int i = 0; i < 5000; ++i) {
        TNimbusNode node("1");
        node.ttype = pick(3) ? kTopicEvent : kTopicTask;
        node.durtype = units[pick(6)];
        node.durno = pick(4) == 0 ? 0 : pick(2000);
        node.recur = pick(2);
        node.rtype = units[pick(6)];
        node.rno = 1 + pick(3);
        // Days at the ends of months and years; times at midnight, none, and on the second.
        const DateTime day =
            DateTime::fromCivil(2024 + pick(3), 1 + pick(12), 1).addDays(pick(31) - 1);
        const bool hasTime = pick(4) != 0;
        const std::int64_t time =
            pick(5) == 0 ? 0 : static_cast<std::int64_t>(pick(86400)) * 1000 + pick(2) * 250;
        const DateTime start = day.addMsecs(time);
        const schedule::DateAndTime text = schedule::CompletionMark(
            node, dates::dateKey(start), hasTime ? dates::timeText(start) : std::string());
        const schedule::MarkValue value =
            schedule::CompletionMarkValue(node, start.dayNumber(), start.msecsOfDay(), hasTime);
        DateTime markDay;
        ASSERT_TRUE(dates::parseDateKey(text.date, markDay));
        ASSERT_EQ(markDay.dayNumber(), value.day) << text.date << ' ' << i;
        ASSERT_EQ(schedule::timeOfDay(text.time), value.time) << text.time << ' ' << i;
    }
}
