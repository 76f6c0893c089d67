// Rich recurrences through iCalendar files: every generated series written as a task or an
// event and read back gives the same occurrences (in two zones with daylight saving), a rule
// from another program's file is kept whole, and an import records it in the recurrence file.
#include <gtest/gtest.h>

#include "SeriesGenerator.h"
#include "calendar/CalendarImport.h"
#include "calendar/CalendarLinks.h"
#include "calendar/IcsReader.h"
#include "calendar/IcsWriter.h"
#include "recurrence/RecurrenceFile.h"
#include "recurrence/RuleText.h"
#include "recurrence/TopicRecurrence.h"
#include "store/Clock.h"
#include "store/TNimbusStructure.h"
#include "support/ScopedZone.h"
#include "support/TempFolder.h"

namespace nimbus::recurrence {
namespace {

calendar::CalendarTopic topicWith(const Series &series, int i)
{
    calendar::CalendarTopic topic;
    TNimbusNode &n = topic.node;
    n.uni = std::to_string(100 + i);
    n.text = "Series " + std::to_string(i);
    n.lev = 1;
    n.ttype = i % 2 ? kTopicEvent : kTopicTask;
    n.status = kStatusNotStarted;
    n.durno = 1;
    n.durtype = kUnitHours;
    n.dlDate = "20000101";
    applySeries(n, series);
    topic.uid = "series-" + std::to_string(i) + "@example.org";
    return topic;
}

TEST(IcsRoundTrip, EveryGeneratedSeriesComesBackWithTheSameOccurrences)
{
    for (const char *zone : {"Europe/Berlin", "America/New_York"}) {
        test::ScopedZone scoped(zone);
        Generator generator(37);
        std::vector<calendar::CalendarTopic> topics;
        std::vector<Series> written;
        for (int i = 0; i < 150; ++i) {
            Series s = generator.next();
            generator.skipSomeOccurrences(s, s.between(s.startDay, s.startDay + 400, 50));
            topics.push_back(topicWith(s, i));
            written.push_back(s);
        }
        calendar::WriteOptions options;
        options.stampNow = "20260101-120000";
        const std::string bytes = calendar::writeCalendar(topics, options);
        EXPECT_TRUE(calendar::validateCalendar(bytes).empty());
        const calendar::ReadResult read = calendar::readCalendar(bytes);
        ASSERT_TRUE(read.ok) << read.error;
        ASSERT_EQ(read.topics.size(), written.size());
        for (std::size_t i = 0; i < written.size(); ++i) {
            const Series &before = written[i];
            const TNimbusNode &back = read.topics[i].node;
            // The current occurrence comes back too, not only the rule's first date.
            EXPECT_EQ(back.dlDate, topics[i].node.dlDate) << zone << " " << formatSeries(before);
            const Series *after = seriesOf(back);
            if (before.rule.byDay.empty() && before.rule.byMonthDay.empty() &&
                before.rule.byMonth.empty() && before.rule.count == 0 && !before.rule.until &&
                before.exceptions.empty() && before.additions.empty()) {
                // "Every N units" from its first date is a plain rule, as before.
                EXPECT_EQ(after, nullptr);
                continue;
            }
            ASSERT_NE(after, nullptr) << zone << " " << formatSeries(before);
            const std::int64_t last = before.startDay + 3 * 365;
            EXPECT_EQ(after->between(before.startDay - 1, last),
                      before.between(before.startDay - 1, last))
                << zone << " " << formatSeries(before) << " came back as " << formatSeries(*after);
            // Midnight is "no time" in the store, as everywhere else.
            EXPECT_EQ(after->time.value_or(0), before.time.value_or(0));
        }
    }
}

TEST(IcsRoundTrip, AnotherProgramsRuleIsKeptWholeAndRecordedOnImport)
{
    test::ScopedZone zone("Europe/Berlin");
    // The second Tuesday at six in the evening, ten times, but not in March; once extra. The
    // same rule in New York falls on Wednesdays here, so it stays a plain rule with a note.
    const std::string file = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other//EN\r\n"
                             "BEGIN:VEVENT\r\nUID:club@example.org\r\nDTSTAMP:20260101T000000Z\r\n"
                             "SUMMARY:Club\r\nDTSTART;TZID=Europe/Berlin:20260113T180000\r\n"
                             "DURATION:PT2H\r\nRRULE:FREQ=MONTHLY;BYDAY=2TU;COUNT=10\r\n"
                             "EXDATE:20260310T170000Z\r\n"
                             "RDATE;TZID=Europe/Berlin:20260320T180000\r\n"
                             "END:VEVENT\r\n"
                             "BEGIN:VEVENT\r\nUID:far@example.org\r\nDTSTAMP:20260101T000000Z\r\n"
                             "SUMMARY:Far club\r\nDTSTART;TZID=America/New_York:20260113T180000\r\n"
                             "RRULE:FREQ=MONTHLY;BYDAY=2TU;COUNT=10\r\n"
                             "END:VEVENT\r\nEND:VCALENDAR\r\n";
    const calendar::ReadResult read = calendar::readCalendar(file);
    ASSERT_TRUE(read.ok) << read.error;
    ASSERT_EQ(read.topics.size(), 2u);
    const TNimbusNode &n = read.topics[0].node;
    const Series *series = seriesOf(n);
    ASSERT_NE(series, nullptr);
    EXPECT_EQ(n.rtype, kUnitMonths);
    EXPECT_EQ(series->time, 18 * 3'600'000);
    std::string days;
    for (const std::int64_t d : series->between(series->startDay, series->startDay + 400))
        days += formatDateText(d, std::nullopt) + " ";
    EXPECT_EQ(days, "20260113 20260210 20260320 20260414 20260512 20260609 20260714 20260811 "
                    "20260908 20261013 ");
    for (const std::string &note : read.topics[0].notes)
        EXPECT_EQ(note.find("Repeats"), std::string::npos) << note;
    EXPECT_EQ(seriesOf(read.topics[1].node), nullptr);
    ASSERT_FALSE(read.topics[1].notes.empty());
    EXPECT_NE(read.topics[1].notes[0].find("BYDAY=2TU"), std::string::npos);

    test::TempFolder folder;
    TNimbusStructure store;
    store.SetUniqueFileName(folder / "StructUnique.dat");
    store.SetUnique(100);
    auto section = std::make_unique<TNimbusNode>("1");
    section->type = kSectionTopics;
    ASSERT_GE(store.Append(std::move(section)), 0);
    calendar::CalendarLinks links;
    links.Load(folder.path());
    RecurrenceFile recurrence(folder.path());
    FixedClock clock(DateTime::fromCivil(2026, 1, 1));
    calendar::ImportTarget target;
    target.store = &store;
    target.placeIndex = 0;
    target.links = &links;
    target.clock = &clock;
    target.recurrence = &recurrence;
    const calendar::ImportOutcome outcome = calendar::applyImport(read, target);
    ASSERT_TRUE(outcome.ok) << outcome.error;
    ASSERT_EQ(recurrence.All().size(), 1u);
    const auto &[id, kept] = *recurrence.All().begin();
    EXPECT_NE(seriesOf(*store.Find(id)), nullptr);
    EXPECT_EQ(kept, *series);
}

} // namespace
} // namespace nimbus::recurrence
