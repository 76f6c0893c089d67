// A topic with a rich rule in the store: the recurrence file on disk, attaching its rules,
// and the schedule rolling such topics by the whole rule while plain rules roll as before.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "recurrence/RecurrenceFile.h"
#include "recurrence/RuleText.h"
#include "recurrence/TopicRecurrence.h"
#include "reminders/TopicOccurrences.h"
#include "store/Clock.h"
#include "store/DeadlineTick.h"
#include "store/RecordingLog.h"
#include "store/Scheduler.h"
#include "store/TNimbusNode.h"
#include "store/TNimbusStructure.h"
#include "support/TempFolder.h"

namespace nimbus::recurrence {
namespace {

Series series(const std::string &text)
{
    Series s;
    std::string error;
    EXPECT_TRUE(parseSeries(text, s, error)) << text << ": " << error;
    return s;
}

std::string readAll(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

TNimbusNode repeatingTask(const std::string &date)
{
    TNimbusNode node("7");
    node.lev = 1;
    node.type = kSectionTopics;
    node.ttype = kTopicTask;
    node.status = kStatusNotStarted;
    node.recur = true;
    node.rno = 1;
    node.rtype = kUnitWeeks;
    node.dlDate = date;
    return node;
}

DateTime noonOn(int y, int m, int d)
{
    return DateTime::fromCivil(y, m, d, 12);
}

TEST(RecurrenceFile, KeepsRulesAndUnreadableLinesAcrossASave)
{
    test::TempFolder folder;
    test::RecordingLog log;
    {
        std::ofstream out(folder / "Recurrence.dat", std::ios::binary);
        out << "12\tSTART=20260105T090000;FREQ=WEEKLY;BYDAY=MO,WE,FR;EXDATE=20260112\r\n"
            << "13\tSTART=20260105;FREQ=SECONDLY\r\n" // a rule this program does not know
            << "no tab here\r\n"
            << "14\tSTART=20260113;FREQ=MONTHLY;BYDAY=2TU;COUNT=10"; // cut before its line end
    }
    RecurrenceFile file(folder.path());
    ASSERT_TRUE(file.Load(log));
    ASSERT_NE(file.Find("12"), nullptr);
    EXPECT_EQ(file.Find("12")->exceptions.size(), 1u);
    ASSERT_NE(file.Find("14"), nullptr);
    EXPECT_EQ(file.Find("13"), nullptr);
    EXPECT_TRUE(log.mentions("FREQ=SECONDLY"));
    EXPECT_TRUE(log.mentions("no tab here"));

    file.Set("15", series("START=20260101;FREQ=DAILY"));
    file.Remove("12");
    ASSERT_TRUE(file.Save(log));
    EXPECT_EQ(
        readAll(folder / "Recurrence.dat"),
        "14\tSTART=20260113;FREQ=MONTHLY;BYDAY=2TU;COUNT=10\r\n15\tSTART=20260101;FREQ=DAILY\r\n"
        "13\tSTART=20260105;FREQ=SECONDLY\r\nno tab here\r\n");
    // No temporary file is left beside it.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(RecurrenceFile, AFileThatCannotBeReadIsNeverWrittenOver)
{
    test::TempFolder folder;
    test::RecordingLog log;
    std::filesystem::create_directory(folder / "Recurrence.dat"); // not a file
    RecurrenceFile file(folder.path());
    EXPECT_FALSE(file.Load(log));
    file.Set("1", series("START=20260101;FREQ=DAILY"));
    EXPECT_FALSE(file.Save(log));
    EXPECT_TRUE(std::filesystem::is_directory(folder / "Recurrence.dat"));
    EXPECT_TRUE(log.mentions("not written"));

    // A missing file is simply empty.
    RecurrenceFile fresh(folder / "sub/");
    EXPECT_TRUE(fresh.Load(log));
    EXPECT_TRUE(fresh.All().empty());
}

TEST(TopicRecurrence, CompletingARichRuleMovesToItsNextOccurrence)
{
    // Mondays, Wednesdays and Fridays from Monday 5 January 2026, skipping Friday the 9th.
    TNimbusNode node = repeatingTask("20260105");
    applySeries(node, series("START=20260105;FREQ=WEEKLY;BYDAY=MO,WE,FR;EXDATE=20260109;COUNT=5"));
    EXPECT_EQ(node.rtype, kUnitWeeks); // the nearest plain rule for older copies
    EXPECT_EQ(node.rno, 1);

    std::vector<std::string> dues;
    for (int i = 0; i < 6; ++i) {
        schedule::MarkCompleted(node, noonOn(2026, 1, 5));
        dues.push_back(node.dlDate + (node.status == kStatusCompleted ? " done" : ""));
    }
    // Five occurrences in all (one skipped): the last completion ends the series.
    EXPECT_EQ(dues, (std::vector<std::string>{"20260107", "20260112", "20260114", "20260114 done",
                                              "20260114 done", "20260114 done"}));
    EXPECT_FALSE(schedule::RollsForward(node));

    // A plain rule set since (the options dialog, a colleague's packet) takes over at once.
    TNimbusNode changed = repeatingTask("20260105");
    applySeries(changed, series("START=20260105;FREQ=WEEKLY;BYDAY=MO,WE,FR"));
    changed.rno = 2;
    schedule::MarkCompleted(changed, noonOn(2026, 1, 5));
    EXPECT_EQ(changed.dlDate, "20260119");
    EXPECT_EQ(seriesOf(changed), nullptr);

    // Plain rules roll exactly as before.
    TNimbusNode plain = repeatingTask("20260105");
    schedule::MarkCompleted(plain, noonOn(2026, 1, 5));
    EXPECT_EQ(plain.dlDate, "20260112");
}

TEST(TopicRecurrence, DeadlinePassCatchesAnEventUpOccurrenceByOccurrenceAndKeepsItsFirstDate)
{
    TNimbusStructure store;
    auto event = std::make_unique<TNimbusNode>("9");
    event->lev = 1;
    event->type = kSectionTopics;
    event->ttype = kTopicEvent;
    event->status = kStatusWaiting;
    event->recur = true;
    event->rno = 1;
    event->rtype = kUnitMonths;
    event->durno = 1;
    event->durtype = kUnitHours;
    event->dlDate = "20260113";
    event->dlTime = "09:00:00";
    ASSERT_GE(store.Append(std::move(event)), 0);

    test::TempFolder folder;
    test::RecordingLog log;
    RecurrenceFile file(folder.path());
    // The second Tuesday of each month at nine.
    file.Set("9", series("START=20260113T090000;FREQ=MONTHLY;BYDAY=2TU"));
    ASSERT_EQ(attachSeries(store, file), 1);

    // Left closed until 20 March: each pass completes one occurrence and shows the next.
    FixedClock clock(noonOn(2026, 3, 20));
    for (int i = 0; i < 5; ++i)
        RunDeadlineTick(store, clock, nullptr);
    const TNimbusNode &shown = *store.Find("9");
    EXPECT_EQ(shown.dlDate, "20260414");
    EXPECT_EQ(shown.dlTime, "09:00:00");
    EXPECT_EQ(shown.status, kStatusNotStarted);
    EXPECT_TRUE(store.modified);
    EXPECT_EQ(seriesOf(shown)->startDay, DateTime::fromCivil(2026, 1, 13).dayNumber());

    // An older copy changed the plain rule to every two weeks: its change wins on the next load.
    store.Find("9")->rtype = kUnitWeeks;
    EXPECT_EQ(attachSeries(store, file), 0);
    EXPECT_EQ(store.Find("9")->richRule, nullptr);
}

TEST(TopicRecurrence, RemindersStepThroughTheWholeRule)
{
    TNimbusNode node = repeatingTask("20260107");
    node.dlTime = "09:30:00";
    applySeries(node, series("START=20260105T093000;FREQ=WEEKLY;BYDAY=MO,WE,FR;EXDATE=20260109"));
    reminders::Occurrence from;
    from.start = DateTime::fromCivil(2026, 1, 7, 9, 30);
    from.hasTime = true;
    reminders::Occurrence out;
    ASSERT_TRUE(reminders::shiftOccurrence(node, from, 1, out));
    EXPECT_EQ(out.start, DateTime::fromCivil(2026, 1, 12, 9, 30)); // Friday the 9th is skipped
    ASSERT_TRUE(reminders::shiftOccurrence(node, from, -1, out));
    EXPECT_EQ(out.start, DateTime::fromCivil(2026, 1, 5, 9, 30));
    EXPECT_FALSE(reminders::shiftOccurrence(node, from, -2, out)); // nothing before the first date
    EXPECT_EQ(reminders::shortestPeriod(node), DateTime::kMsecsPerDay);
}

} // namespace
} // namespace nimbus::recurrence
