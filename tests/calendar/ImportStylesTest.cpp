// Files as common calendar programs and web calendars write them: the topics show the dates
// and times the source program shows, in the user's own zone.
#include <gtest/gtest.h>

#include <regex>

#include "calendar/CalendarTestSupport.h"
#include "calendar/IcsReader.h"
#include "store/TopicCodes.h"

namespace nimbus::calendar {
namespace {

using test::ScopedZone;

std::string withCrLf(const std::string &lf) { return std::regex_replace(lf, std::regex("\n"), "\r\n"); }

const CalendarTopic &byTitle(const ReadResult &r, const std::string &title)
{
    for (const CalendarTopic &t : r.topics)
        if (t.node.text == title)
            return t;
    ADD_FAILURE() << "no topic " << title;
    static CalendarTopic none;
    return none;
}

bool hasNote(const CalendarTopic &t, const std::string &start)
{
    for (const std::string &n : t.notes)
        if (n.rfind(start, 0) == 0)
            return true;
    return false;
}

// A web calendar's export: UTC times, weekly repeats on given days until a date.
const char *const kWebCalendar = R"(BEGIN:VCALENDAR
PRODID:-//Web Calendar//Calendar 70.9054//EN
VERSION:2.0
CALSCALE:GREGORIAN
METHOD:PUBLISH
BEGIN:VEVENT
DTSTART:20240315T140000Z
DTEND:20240315T153000Z
RRULE:FREQ=WEEKLY;UNTIL=20240630T215959Z;BYDAY=MO,WE
DTSTAMP:20240301T101010Z
UID:7kukuqrfedlm2f9t2iqgtfbc4d@example.com
ATTENDEE;CUTYPE=INDIVIDUAL;ROLE=REQ-PARTICIPANT;PARTSTAT=ACCEPTED;CN=Ann Oth
 er;X-NUM-GUESTS=0:mailto:ann@example.com
CREATED:20240301T100000Z
DESCRIPTION:Weekly sync\nSecond line
LOCATION:Room 4
STATUS:CONFIRMED
SUMMARY:Team sync
BEGIN:VALARM
ACTION:DISPLAY
DESCRIPTION:This is an event reminder
TRIGGER:-P1D
END:VALARM
BEGIN:VALARM
ACTION:EMAIL
DESCRIPTION:This is an event reminder
SUMMARY:Alarm notification
ATTENDEE:mailto:ann@example.com
TRIGGER:-PT30M
END:VALARM
END:VEVENT
BEGIN:VEVENT
DTSTART;VALUE=DATE:20240320
DTEND;VALUE=DATE:20240322
DTSTAMP:20240301T101010Z
UID:allday-1@example.com
SUMMARY:Conference
END:VEVENT
END:VCALENDAR
)";

// A desktop mail program's export: its own zone names defined in the file, a monthly repeat
// with a count, a task due in a named zone, an attachment.
const char *const kMailProgram = R"(BEGIN:VCALENDAR
PRODID:-//Mail Program//EN
VERSION:2.0
BEGIN:VTIMEZONE
TZID:W. Europe Standard Time
BEGIN:STANDARD
DTSTART:16010101T030000
TZOFFSETFROM:+0200
TZOFFSETTO:+0100
RRULE:FREQ=YEARLY;BYDAY=-1SU;BYMONTH=10
END:STANDARD
BEGIN:DAYLIGHT
DTSTART:16010101T020000
TZOFFSETFROM:+0100
TZOFFSETTO:+0200
RRULE:FREQ=YEARLY;BYDAY=-1SU;BYMONTH=3
END:DAYLIGHT
END:VTIMEZONE
BEGIN:VEVENT
UID:040000008200E00074C5B7101A82E0080000000010
SUMMARY:Überraschung für Jürgen – 日本の会議 with a very long title that
  folds over several
	 lines of the file
DTSTART;TZID=W. Europe Standard Time:20240315T090000
DTEND;TZID=W. Europe Standard Time:20240315T093000
RRULE:FREQ=MONTHLY;INTERVAL=2;COUNT=10
ATTACH:https://example.com/agenda.pdf
DTSTAMP:20240301T101010Z
END:VEVENT
BEGIN:VTODO
UID:todo-1@example.com
DTSTAMP:20240301T101010Z
SUMMARY:Send report
DUE;TZID=Europe/Berlin:20240710T170000
STATUS:IN-PROCESS
PERCENT-COMPLETE:40
PRIORITY:1
END:VTODO
BEGIN:VTODO
UID:todo-2@example.com
DTSTAMP:20240301T101010Z
SUMMARY:Buy milk
DUE:20240402T083000
STATUS:COMPLETED
COMPLETED:20240402T064500Z
END:VTODO
BEGIN:VJOURNAL
UID:journal-1@example.com
DTSTAMP:20240301T101010Z
DTSTART;VALUE=DATE:20240101
SUMMARY:Notes of the year
END:VJOURNAL
END:VCALENDAR
)";

class ImportStyles : public ::testing::TestWithParam<bool> {
protected:
    ReadResult read(const char *lf) { return readCalendar(GetParam() ? withCrLf(lf) : std::string(lf)); }
};

TEST_P(ImportStyles, WebCalendarUtcTimesBecomeLocalAndAllDayStaysAllDay)
{
    ScopedZone zone("Europe/Berlin");
    const ReadResult r = read(kWebCalendar);
    ASSERT_TRUE(r.ok) << r.error;
    ASSERT_EQ(r.topics.size(), 2u);
    const TNimbusNode &sync = byTitle(r, "Team sync").node;
    EXPECT_EQ(sync.ttype, kTopicEvent);
    EXPECT_EQ(sync.dlDate, "20240315");
    EXPECT_EQ(sync.dlTime, "15:00:00");  // 14:00 UTC is 15:00 in Berlin in March
    EXPECT_EQ(sync.durno, 90);
    EXPECT_EQ(sync.durtype, kUnitMinutes);
    EXPECT_TRUE(sync.recur);
    EXPECT_EQ(sync.rtype, kUnitWeeks);
    EXPECT_EQ(sync.rno, 1);
    EXPECT_EQ(sync.rsDate, "20240315");
    EXPECT_EQ(sync.flno, 1);
    EXPECT_EQ(sync.cre, "20240301-110000");
    const CalendarTopic &syncTopic = byTitle(r, "Team sync");
    EXPECT_EQ(syncTopic.detailsText, "Weekly sync\nSecond line");
    // The weekdays and the end are part of the topic's rule, not page text.
    EXPECT_NE(sync.richRule, nullptr);
    EXPECT_FALSE(hasNote(syncTopic, "Repeats: FREQ=WEEKLY;UNTIL=20240630T215959Z;BYDAY=MO,WE"));
    EXPECT_TRUE(hasNote(syncTopic, "Attendee: Ann Other mailto:ann@example.com"));  // unfolded
    EXPECT_TRUE(hasNote(syncTopic, "Location: Room 4"));
    EXPECT_TRUE(hasNote(syncTopic, "Reminder: -PT30M"));  // the second alarm is kept as text

    const TNimbusNode &conference = byTitle(r, "Conference").node;
    EXPECT_EQ(conference.dlDate, "20240320");
    EXPECT_EQ(conference.dlTime, "");
    EXPECT_EQ(conference.durno, 2);
    EXPECT_EQ(conference.durtype, kUnitDays);
}

TEST_P(ImportStyles, MailProgramZonesFloatingTimesAndNonAsciiText)
{
    ScopedZone zone("America/New_York");
    const ReadResult r = read(kMailProgram);
    ASSERT_TRUE(r.ok) << r.error;
    ASSERT_EQ(r.topics.size(), 4u);
    const CalendarTopic &meeting = r.topics[0];
    EXPECT_EQ(meeting.node.text, "Überraschung für Jürgen – 日本の会議 with a very long title that folds over several lines of the file");
    // 09:00 in Berlin (UTC+1 on 15 March) is 04:00 in New York (UTC-4 after 10 March).
    EXPECT_EQ(meeting.node.dlDate, "20240315");
    EXPECT_EQ(meeting.node.dlTime, "04:00:00");
    EXPECT_EQ(meeting.node.durno, 30);
    EXPECT_EQ(meeting.node.rtype, kUnitMonths);
    EXPECT_EQ(meeting.node.rno, 2);
    EXPECT_NE(meeting.node.richRule, nullptr); // the count is part of the rule
    EXPECT_FALSE(hasNote(meeting, "Repeats: FREQ=MONTHLY;COUNT=10;INTERVAL=2"));
    EXPECT_TRUE(hasNote(meeting, "Attachment: https://example.com/agenda.pdf"));

    const TNimbusNode &report = byTitle(r, "Send report").node;
    EXPECT_EQ(report.ttype, kTopicTask);
    EXPECT_EQ(report.dlDate, "20240710");
    EXPECT_EQ(report.dlTime, "11:00:00");  // built-in zone: Berlin summer time is 6 h ahead
    EXPECT_EQ(report.status, kStatusInProgress);
    EXPECT_EQ(report.percent, 40);
    EXPECT_EQ(report.pri, 1);

    const TNimbusNode &milk = byTitle(r, "Buy milk").node;
    EXPECT_EQ(milk.dlTime, "08:30:00");  // floating: the same clock time everywhere
    EXPECT_EQ(milk.status, kStatusCompleted);
    EXPECT_EQ(milk.fdate, "20240402");
    EXPECT_EQ(milk.fTime, "02:45:00");

    const TNimbusNode &notes = byTitle(r, "Notes of the year").node;
    EXPECT_EQ(notes.ttype, kTopicInformation);
    EXPECT_EQ(notes.dlDate, "20240101");
}

// A meeting with a hundred thousand attendees becomes a topic whose page names the first fifty
// and how many more there were.
TEST(ImportLimits, AHundredThousandAttendeesGiveAPageAPersonCanRead)
{
    std::string ics =
        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//EN\r\nBEGIN:VEVENT\r\nUID:crowd@x\r\n"
        "DTSTAMP:20240301T110000Z\r\nDTSTART:20240315T140000Z\r\nSUMMARY:All hands\r\n";
    for (int i = 0; i < 100'000; ++i)
        ics += "ATTENDEE;CN=P" + std::to_string(i) + ":mailto:p" + std::to_string(i) +
               "@example.com\r\n";
    ics += "LOCATION:Room 4\\, 2nd floor\\; east wing\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
    const ReadResult r = readCalendar(ics);
    ASSERT_TRUE(r.ok) << r.error;
    ASSERT_EQ(r.topics.size(), 1u);
    const CalendarTopic &crowd = r.topics.front();
    EXPECT_EQ(crowd.notes.size(), 52u);
    // Text values read as people write them, not in the file's escaped form.
    EXPECT_TRUE(hasNote(crowd, "Location: Room 4, 2nd floor; east wing"));
    EXPECT_TRUE(hasNote(crowd, "Attendee: P49 mailto:p49@example.com"));
    EXPECT_TRUE(hasNote(crowd, "Attendee: and 99,950 more"));
}

INSTANTIATE_TEST_SUITE_P(LineEnds, ImportStyles, ::testing::Bool(),
                         [](const auto &info) { return info.param ? "CrLf" : "Lf"; });

}  // namespace
}  // namespace nimbus::calendar
