// What an entry sent to the server looks like: one-off times in UTC, repeating ones in the
// local zone with only the rules they need, and no zone at all when nothing refers to it.
#include <gtest/gtest.h>

#include "caldav/CompactTimezone.h"
#include "caldav/ServerEntryMerge.h"
#include "calendar/CalendarTestSupport.h"
#include "calendar/IcsReader.h"
#include "calendar/IcsWriter.h"
#include "store/TopicCodes.h"

namespace nimbus::caldav {
namespace {

calendar::CalendarTopic topic(const std::string &uni, const std::string &date,
                              const std::string &time, bool repeats)
{
    calendar::CalendarTopic t;
    t.node.uni = uni;
    t.node.text = "Topic " + uni;
    t.node.ttype = kTopicTask;
    t.node.dl = true;
    t.node.dlDate = date;
    t.node.dlTime = time;
    t.node.recur = repeats;
    t.node.rno = repeats ? 1 : 0;
    t.node.rtype = kUnitWeeks;
    t.uid = "uid-" + uni;
    return t;
}

std::string body(const std::vector<calendar::CalendarTopic> &topics)
{
    return withCompactTimezone(calendar::writeCalendar(topics, {"20261201-120000", true}));
}

TEST(EntryBody, OnlyRepeatingTimesCarryTheZoneAndEveryTimeReadsBackTheSame)
{
    test::ScopedZone zone("Europe/Berlin");
    std::vector<calendar::CalendarTopic> one;
    one.push_back(topic("10", "20270215", "10:30:00", false));
    const std::string oneOff = body(one);
    EXPECT_NE(oneOff.find("DUE:20270215T093000Z\r\n"), std::string::npos) << oneOff;
    EXPECT_EQ(oneOff.find("VTIMEZONE"), std::string::npos) << oneOff;

    std::vector<calendar::CalendarTopic> mixed;
    mixed.push_back(topic("11", "20270215", "10:30:00", false));
    mixed.push_back(topic("12", "20300706", "08:00:00", true));
    mixed.push_back(topic("13", "20270301", "", false));
    const std::string both = body(mixed);
    EXPECT_NE(both.find("BEGIN:VTIMEZONE"), std::string::npos);
    EXPECT_EQ(both.find("DTSTART:1"), std::string::npos)
        << "rules from before the year ahead of the first local time";
    EXPECT_NE(both.find("DUE;VALUE=DATE:20270301"), std::string::npos);
    const calendar::ReadResult back = calendar::readCalendar(both);
    ASSERT_TRUE(back.ok) << back.error;
    ASSERT_EQ(back.topics.size(), mixed.size());
    for (std::size_t i = 0; i < mixed.size(); ++i) {
        EXPECT_EQ(back.topics[i].node.dlDate, mixed[i].node.dlDate);
        EXPECT_EQ(back.topics[i].node.dlTime, mixed[i].node.dlTime);
    }
}

TEST(EntryBody, AZoneReferredToOnAFoldedLineIsKeptWhole)
{
    const std::string zone =
        "BEGIN:VTIMEZONE\r\nTZID:Test/Zone\r\nBEGIN:STANDARD\r\nTZOFFSETFROM:+0100\r\n"
        "TZOFFSETTO:+0100\r\nDTSTART:19000101T000000\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n";
    // The value's year is on the next line: the zone can be neither cut by it nor dropped.
    const std::string folded = "BEGIN:VCALENDAR\r\n" + zone +
                               "BEGIN:VTODO\r\nUID:x\r\nDUE;TZID=Test/Zone:\r\n "
                               "20270215T103000\r\nEND:VTODO\r\nEND:VCALENDAR\r\n";
    const std::string compact = withCompactTimezone(folded);
    EXPECT_NE(compact.find("TZID:Test/Zone"), std::string::npos) << compact;
    const std::string unused =
        "BEGIN:VCALENDAR\r\n" + zone + "BEGIN:VTODO\r\nUID:y\r\nEND:VTODO\r\nEND:VCALENDAR\r\n";
    EXPECT_EQ(withCompactTimezone(unused),
              "BEGIN:VCALENDAR\r\nBEGIN:VTODO\r\nUID:y\r\nEND:VTODO\r\nEND:VCALENDAR\r\n");
}

// Some servers keep entries of several UIDs in one resource (Radicale refuses them, so this
// is not played end to end): ours replaces only its own.
TEST(EntryBody, AChangeSentOverAResourceOfSeveralEntriesReplacesOnlyItsOwn)
{
    test::ScopedZone zone("Europe/Berlin");
    std::vector<calendar::CalendarTopic> one;
    one.push_back(topic("10", "20270215", "10:30:00", false));
    const std::string ours = body(one);
    const std::string theirs = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//Mail//EN\r\n"
                               "BEGIN:VTODO\r\nUID:other@example.org\r\nDTSTAMP:"
                               "20261201T080000Z\r\nSUMMARY:Book flights\r\nEND:VTODO\r\n"
                               "BEGIN:VTODO\r\nUID:uid-10\r\nDTSTAMP:20261201T080000Z\r\nSUMMARY:"
                               "Old title\r\nEND:VTODO\r\n"
                               "END:VCALENDAR\r\n";
    const MergedEntry merged = keepServerParts(ours, theirs);
    ASSERT_TRUE(merged.ok) << merged.why;
    const calendar::ReadResult back = calendar::readCalendar(merged.text);
    ASSERT_EQ(back.topics.size(), 2u) << merged.text;
    EXPECT_EQ(back.topics[0].node.text, "Topic 10");
    EXPECT_EQ(back.topics[1].node.text, "Book flights");
    EXPECT_EQ(merged.text.find("Old title"), std::string::npos) << merged.text;

    // A resource that no longer holds our UID, or is no calendar, is not replaced.
    const std::string replaced = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VTODO\r\nUID:other@"
                                 "example.org\r\nEND:VTODO\r\nEND:VCALENDAR\r\n";
    EXPECT_FALSE(keepServerParts(ours, replaced).ok);
    EXPECT_FALSE(keepServerParts(ours, "<html>Not found</html>").ok);
}

// Where pages travel, the page makes the description: a change sent never keeps the server's
// older text or its HTML beside ours (a stale X-ALT-DESC would show the old notes in programs
// that prefer it); where they do not, the server's description stays as it was.
TEST(EntryBody, TheServersDescriptionIsKeptOnlyWherePagesDoNotTravel)
{
    const std::string theirs =
        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Phone//EN\r\nBEGIN:VTODO\r\n"
        "UID:notes-1\r\nDTSTAMP:20261201T090000Z\r\nSUMMARY:Call the bank\r\n"
        "DESCRIPTION:Old notes\r\nX-ALT-DESC;FMTTYPE=text/html:<p>Old notes</p>\r\n"
        "LOCATION:Branch office\r\nEND:VTODO\r\nEND:VCALENDAR\r\n";
    auto ours = [](const std::string &description) {
        return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Nimbus//"
               "EN\r\nBEGIN:VTODO\r\nUID:notes-1\r\n"
               "DTSTAMP:20261202T090000Z\r\nSUMMARY:Call the bank\r\n" +
               description + "END:VTODO\r\nEND:VCALENDAR\r\n";
    };
    const caldav::MergedEntry rewritten =
        caldav::keepServerParts(ours("DESCRIPTION:New notes\r\n"), theirs, true);
    ASSERT_TRUE(rewritten.ok) << rewritten.why;
    EXPECT_NE(rewritten.text.find("DESCRIPTION:New notes"), std::string::npos) << rewritten.text;
    EXPECT_EQ(rewritten.text.find("Old notes"), std::string::npos) << rewritten.text;
    EXPECT_NE(rewritten.text.find("LOCATION:Branch office"), std::string::npos) << rewritten.text;
    const caldav::MergedEntry emptied = caldav::keepServerParts(ours(""), theirs, true);
    EXPECT_EQ(emptied.text.find("DESCRIPTION"), std::string::npos) << emptied.text;
    EXPECT_EQ(emptied.text.find("X-ALT-DESC"), std::string::npos) << emptied.text;
    const caldav::MergedEntry untouched = caldav::keepServerParts(ours(""), theirs, false);
    EXPECT_NE(untouched.text.find("DESCRIPTION:Old notes"), std::string::npos) << untouched.text;
}

} // namespace
} // namespace nimbus::caldav
