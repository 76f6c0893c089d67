// Files that are damaged or made to hurt: a clear message for the whole file, or the bad
// entries skipped and listed with the reason while the good ones come in.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include "calendar/CalendarTestSupport.h"
#include "calendar/IcsReader.h"
#include "support/TempFolder.h"

namespace nimbus::calendar {
namespace {

std::string event(const std::string &uid, const std::string &start, const std::string &extra = "")
{
    return "BEGIN:VEVENT\r\nUID:" + uid + "\r\nDTSTAMP:20240101T000000Z\r\nSUMMARY:" + uid +
           "\r\nDTSTART:" + start + "\r\n" + extra + "END:VEVENT\r\n";
}
std::string calendar(const std::string &body)
{
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//t//t//EN\r\n" + body + "END:VCALENDAR\r\n";
}

TEST(HostileInput, WholeFileRefusedWithAMessage)
{
    test::ScopedZone zone("Europe/Berlin");
    test::TempFolder folder;
    // 200 MB: refused from its size, before a byte is read (a sparse file, so the test is quick).
    const std::string huge = folder / "huge.ics";
    const int fd = ::open(huge.c_str(), O_CREAT | O_WRONLY, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::ftruncate(fd, 200LL * 1024 * 1024), 0);
    ::close(fd);
    ReadResult r = readCalendarFile(huge);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.error.find("larger than 128 MB"), std::string::npos);

    r = readCalendar(calendar(event("a", "20240101T100000") + std::string("X-JUNK:\0\0\r\n", 12)));
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.error.find("NUL"), std::string::npos);
    EXPECT_TRUE(r.topics.empty());

    std::string deep;
    for (int i = 0; i < 100000; ++i)
        deep += "BEGIN:VTODO\r\n";
    r = readCalendar(calendar(deep));
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.error.find("nested too deeply"), std::string::npos);

    std::string flood;
    for (int i = 0; i <= kMaxComponents; ++i)
        flood += "BEGIN:X\r\nEND:X\r\n";
    r = readCalendar(calendar(flood));
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.error.find("too many"), std::string::npos);

    for (const std::string &notCalendar : {std::string(), std::string("hello\nworld\n"), event("x", "20240101")}) {
        r = readCalendar(notCalendar);
        EXPECT_FALSE(r.ok);
        EXPECT_NE(r.error.find("no calendar"), std::string::npos);
        EXPECT_TRUE(r.topics.empty());
    }
    EXPECT_FALSE(readCalendarFile(folder / "missing.ics").ok);
    EXPECT_FALSE(readCalendarFile(folder.path()).ok);
}

TEST(HostileInput, BadEntriesAreSkippedWithTheirReasonAndGoodOnesKept)
{
    test::ScopedZone zone("Europe/Berlin");
    const std::string body =
        event("good-1", "20240101T100000") +
        event("feb-30", "20240230T100000") +                       // no such day
        event("month-13", "20241301T100000") +                     // not readable at all
        event("hour-25", "20240101T250000") +
        event("year-0", "00000101") +
        event("good-1", "20240102T100000") +                       // repeated UID
        "BEGIN:VFREEBUSY\r\nUID:fb\r\nEND:VFREEBUSY\r\n"              // not a topic
        "BEGIN:X-UNKNOWN\r\nUID:xu\r\nEND:X-UNKNOWN\r\n" +
        "BEGIN:VTODO\r\nSUMMARY:no uid\r\nEND:VTODO\r\n" +
        // Endless repeats are never expanded, only described; one libical cannot read is skipped.
        event("endless", "20240101T100000", "RRULE:FREQ=SECONDLY\r\n") +
        event("absurd", "20240101T100000", "RRULE:FREQ=YEARLY;BYDAY=9999MO;BYSETPOS=-400;INTERVAL=0\r\n") +
        event("good-2", "20240103", "RRULE:FREQ=DAILY;COUNT=2147483647\r\n");
    const ReadResult r = readCalendar(calendar(body));
    ASSERT_TRUE(r.ok) << r.error;
    std::vector<std::string> kept;
    for (const CalendarTopic &t : r.topics)
        kept.push_back(t.uid);
    EXPECT_EQ(kept, (std::vector<std::string>{"good-1", "endless", "good-2"}));
    ASSERT_EQ(r.skipped.size(), 9u);
    for (const SkippedComponent &s : r.skipped)
        EXPECT_FALSE(s.why.empty()) << s.what;
    EXPECT_EQ(r.skipped[0].what, "VEVENT \"feb-30\"");
    EXPECT_FALSE(r.topics[1].node.recur);  // seconds are no unit of ours: kept as text only
    EXPECT_FALSE(r.topics[1].notes.empty());
}

}  // namespace
}  // namespace nimbus::calendar

namespace nimbus::calendar {
namespace {

// libical's notes about values it could not read become warnings; reading the entry's title
// for them once restarted the walk over those notes for ever (found by fuzzing).
TEST(HostileInput, UnreadableValuesBecomeOneWarningEach)
{
    const ReadResult r = readCalendar(calendar(event("warned", "20240101T100000",
                                                     "CREATED:yesterday\r\n")));
    ASSERT_TRUE(r.ok);
    ASSERT_EQ(r.topics.size(), 1u);
    ASSERT_EQ(r.warnings.size(), 1u);
    EXPECT_EQ(r.warnings[0].rfind("VEVENT \"warned\": ", 0), 0u);
}

}  // namespace
}  // namespace nimbus::calendar
