// What an entry sent to the server looks like: one-off times in UTC, repeating ones in the
// local zone with only the rules they need, and no zone at all when nothing refers to it.
#include <gtest/gtest.h>

#include "caldav/CompactTimezone.h"
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

} // namespace
} // namespace nimbus::caldav
