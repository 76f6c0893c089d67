// A calendar of many entries is read a batch at a time. What one entry says about another must
// still reach it across batches: a zone defined after the entries that use it, a changed
// instance before its series, a checklist item far from its topic. And a file cut short keeps
// the entries it holds whole.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "calendar/CalendarTestSupport.h"
#include "calendar/IcsReader.h"
#include "calendar/NimbusFields.h"
#include "support/ChildProcess.h"
#include "support/TempFolder.h"

namespace nimbus::calendar {
namespace {

std::string header()
{
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//t//t//EN\r\n";
}

std::string plainEvent(int i)
{
    return "BEGIN:VEVENT\r\nUID:e" + std::to_string(i) +
           "\r\nDTSTAMP:20240101T000000Z\r\nSUMMARY:Event " + std::to_string(i) +
           "\r\nDTSTART:20240315T100000\r\nEND:VEVENT\r\n";
}

// A zone no system knows: only the file says what it is (UTC+05:30, no summer time).
const char *const kOwnZone = "BEGIN:VTIMEZONE\r\nTZID:Harbour Time\r\nBEGIN:STANDARD\r\n"
                             "DTSTART:19700101T000000\r\nTZOFFSETFROM:+0530\r\nTZOFFSETTO:+0530\r\n"
                             "END:STANDARD\r\nEND:VTIMEZONE\r\n";

const CalendarTopic *byUid(const ReadResult &r, const std::string &uid)
{
    for (const CalendarTopic &t : r.topics)
        if (t.uid == uid)
            return &t;
    return nullptr;
}

TEST(LargeCalendar, EntriesFarApartStillFindEachOther)
{
    test::ScopedZone zone("Europe/Berlin");
    constexpr int kEntries = 1300; // three batches
    std::string ics = header();
    for (int i = 0; i < kEntries; ++i) {
        if (i == 10) // a changed instance long before its series
            ics +=
                "BEGIN:VEVENT\r\nUID:series\r\nDTSTAMP:20240101T000000Z\r\nSUMMARY:Moved once\r\n"
                "RECURRENCE-ID:20240318T090000\r\nDTSTART:20240319T090000\r\nEND:VEVENT\r\n";
        else if (i == 1200)
            ics += "BEGIN:VEVENT\r\nUID:series\r\nDTSTAMP:20240101T000000Z\r\nSUMMARY:Weekly\r\n"
                   "DTSTART:20240311T090000\r\nRRULE:FREQ=WEEKLY\r\nEND:VEVENT\r\n";
        else if (i == 1100) // a checklist item of the topic at 5
            ics +=
                "BEGIN:VTODO\r\nUID:item\r\nDTSTAMP:20240101T000000Z\r\nSUMMARY:Bring slides\r\n" +
                std::string(kChecklistProperty) +
                ":1\r\nRELATED-TO:e5\r\nSTATUS:COMPLETED\r\nEND:VTODO\r\n";
        else if (i % 400 == 7) // in the zone the file defines at its end
            ics += "BEGIN:VEVENT\r\nUID:e" + std::to_string(i) +
                   "\r\nDTSTAMP:20240101T000000Z\r\n"
                   "SUMMARY:Abroad\r\nDTSTART;TZID=Harbour Time:20240315T090000\r\nEND:VEVENT\r\n";
        else
            ics += plainEvent(i);
    }
    ics += std::string(kOwnZone) + "END:VCALENDAR\r\n";

    const ReadResult r = readCalendar(ics);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.topics.size(), static_cast<std::size_t>(kEntries - 2)); // the instance, the item
    EXPECT_EQ(r.topics.front().uid, "e0");
    EXPECT_EQ(r.topics.back().uid, "e1299");

    // 09:00 at UTC+05:30 is 03:30 UTC, 04:30 in Berlin in March, in every batch.
    for (const char *uid : {"e7", "e407", "e807", "e1207"}) {
        const CalendarTopic *abroad = byUid(r, uid);
        ASSERT_NE(abroad, nullptr) << uid;
        EXPECT_EQ(abroad->node.dlTime, "04:30:00") << uid;
    }
    EXPECT_TRUE(r.warnings.empty()) << r.warnings.front();

    const CalendarTopic *series = byUid(r, "series");
    ASSERT_NE(series, nullptr);
    EXPECT_EQ(series->node.text, "Weekly"); // the series, not its changed instance
    ASSERT_EQ(r.skipped.size(), 1u);
    EXPECT_NE(r.skipped[0].why.find("changed instance"), std::string::npos);

    const CalendarTopic *withItem = byUid(r, "e5");
    ASSERT_NE(withItem, nullptr);
    ASSERT_EQ(withItem->checklist.size(), 1u);
    EXPECT_EQ(withItem->checklist[0].text, "Bring slides");
    EXPECT_TRUE(withItem->checklist[0].checked);
}

TEST(LargeCalendar, AFileCutShortKeepsItsWholeEntriesAndSaysSo)
{
    test::ScopedZone zone("Europe/Berlin");
    std::string ics = header() + plainEvent(1) + plainEvent(2);
    ics += "BEGIN:VEVENT\r\nUID:e3\r\nSUMMARY:Half writ"; // the rest never came
    const ReadResult r = readCalendar(ics);
    ASSERT_TRUE(r.ok) << r.error;
    ASSERT_EQ(r.topics.size(), 2u);
    EXPECT_EQ(r.topics[1].uid, "e2");
    ASSERT_EQ(r.warnings.size(), 1u);
    EXPECT_NE(r.warnings[0].find("cut short"), std::string::npos);

    // A component outside any calendar is named and skipped; the calendar after it is read.
    const ReadResult mixed =
        readCalendar(plainEvent(7) + header() + plainEvent(8) + "END:VCALENDAR\r\n");
    ASSERT_TRUE(mixed.ok) << mixed.error;
    ASSERT_EQ(mixed.topics.size(), 1u);
    EXPECT_EQ(mixed.topics[0].uid, "e8");
    ASSERT_EQ(mixed.skipped.size(), 1u);
    EXPECT_EQ(mixed.skipped[0].what, "VEVENT \"Event 7\"");
}

// python3-icalendar, which reads a file whole, sees the same events in the same order with the
// same titles and times as the batches do: nothing dropped, doubled or moved at a batch's edge,
// whatever the folding, the zones or the text.
TEST(LargeCalendar, Python3IcalendarSeesTheSameEvents)
{
    if (!std::filesystem::exists("/usr/bin/python3"))
        GTEST_SKIP() << "no /usr/bin/python3";
    test::ScopedZone zone("Europe/Berlin");
    std::string ics = header();
    for (int i = 0; i < 1234; ++i) {
        const std::string n = std::to_string(i);
        const std::string day = std::to_string(10 + i % 18);
        const std::string start =
            i % 3 == 0   ? "DTSTART:202406" + day + "T08" + std::to_string(10 + i % 50) + "00Z"
            : i % 3 == 1 ? "DTSTART;VALUE=DATE:202407" + day
                         : "DTSTART:202409" + day + "T1730" + std::to_string(10 + i % 50);
        // Long titles fold over several lines, never inside a character: python3-icalendar
        // unfolds line by line and would read such a split as two broken characters.
        std::string title =
            "Entry " + n +
            (i % 7 == 0 ? " Überraschung für Jürgen " + std::string(i % 60, 'x') + " 日本の会議"
                        : "");
        std::string folded;
        std::size_t lineStart = 0;
        for (std::size_t at = 0; at < title.size(); ++at) {
            const bool continuation = (static_cast<unsigned char>(title[at]) & 0xC0) == 0x80;
            if (at - lineStart >= 40 && !continuation) {
                folded += "\r\n ";
                lineStart = at;
            }
            folded += title[at];
        }
        ics += "BEGIN:VEVENT\r\nUID:u" + n +
               "@example.org\r\nDTSTAMP:20240101T000000Z\r\nSUMMARY:" + folded + "\r\n" + start +
               "\r\n" +
               (i % 11 == 0 ? "BEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:-PT15M\r\nEND:VALARM\r\n"
                            : "") +
               "END:VEVENT\r\n";
    }
    ics += "END:VCALENDAR\r\n";

    test::TempFolder folder;
    const std::string input = folder / "many.ics";
    test::writeFile(input, ics);
    const std::string script = R"(
import sys, icalendar, datetime, zoneinfo
berlin = zoneinfo.ZoneInfo('Europe/Berlin')
cal = icalendar.Calendar.from_ical(open(sys.argv[1], 'rb').read())
with open(sys.argv[1] + '.txt', 'w', encoding='utf-8') as out:
    for c in cal.walk('VEVENT'):
        start = c.decoded('DTSTART')
        if isinstance(start, datetime.datetime):
            if start.tzinfo is not None:
                start = start.astimezone(berlin)
            when = start.strftime('%Y%m%d|%H:%M:%S')
        else:
            when = start.strftime('%Y%m%d|')
        out.write(str(c['UID']) + '|' + str(c['SUMMARY']) + '|' + when + '\n')
)";
    test::ChildProcess python("/usr/bin/python3", {"-c", script, input}, {});
    ASSERT_TRUE(python.waitForExit(std::chrono::seconds(60)));
    ASSERT_EQ(python.exitCode(), 0);
    std::ifstream listing(input + ".txt", std::ios::binary);
    const std::string theirs((std::istreambuf_iterator<char>(listing)),
                             std::istreambuf_iterator<char>());

    const ReadResult r = readCalendarFile(input);
    ASSERT_TRUE(r.ok) << r.error;
    std::string ours;
    for (const CalendarTopic &t : r.topics)
        ours += t.uid + "|" + t.node.text + "|" + t.node.dlDate + "|" + t.node.dlTime.str() + "\n";
    EXPECT_EQ(r.topics.size(), 1234u);
    EXPECT_EQ(ours, theirs);
}

// A file beyond what one entry may be, as a whole store's export is, comes in from disk.
TEST(LargeCalendar, AFileLargerThanOneEntryMayBeIsRead)
{
    test::ScopedZone zone("Europe/Berlin");
    std::string ics = header();
    const std::string padding = "DESCRIPTION:" + std::string(2000, 'x') + "\r\n";
    int count = 0;
    while (static_cast<std::int64_t>(ics.size()) <= kMaxCalendarBytes) {
        std::string entry = plainEvent(count++);
        entry.insert(entry.find("END:VEVENT"), padding);
        ics += entry;
    }
    ics += "END:VCALENDAR\r\n";
    EXPECT_FALSE(readCalendar(ics).ok) << "one entry or answer stays within its limit";

    test::TempFolder folder;
    const std::string path = folder / "everything.ics";
    test::writeFile(path, ics);
    const ReadResult r = readCalendarFile(path);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.topics.size(), static_cast<std::size_t>(count));
}

} // namespace
} // namespace nimbus::calendar
