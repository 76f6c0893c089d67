// The writer that writes entries as text says exactly what the libical-built entries said: on a
// varied generated store (every topic type, status, kind of date, repeat, length, stamp and
// awkward text), in several zones and with one-off times in UTC or not, both files hold the same
// content lines once unfolded. Its folding is checked on its own, and python3-icalendar, a
// reader no one here wrote, reads the same components from both files.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>

#include "calendar/CalendarTestSupport.h"
#include "calendar/ContentLines.h"
#include "calendar/IcsReader.h"
#include "calendar/IcsWriter.h"
#include "calendar/LibicalReferenceWriter.h"
#include "calendar/TopicUid.h"
#include "recurrence/RuleText.h"
#include "recurrence/TopicRecurrence.h"
#include "store/TopicCodes.h"
#include "support/ChildProcess.h"
#include "support/TempFolder.h"

namespace nimbus::calendar {
namespace {

// The content lines of a file: every CR LF followed by a space taken out, then split at CR LF.
// (libical sometimes folded inside the line end itself, "\r" CR LF SPACE "\n", which this
// unfolding mends as readers do.)
std::vector<std::string> unfolded(const std::string &bytes)
{
    std::string joined;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes.compare(i, 3, "\r\n ") == 0)
            i += 2;
        else
            joined += bytes[i];
    }
    std::vector<std::string> lines;
    std::size_t at = 0;
    for (std::size_t end; (end = joined.find("\r\n", at)) != std::string::npos; at = end + 2)
        lines.push_back(joined.substr(at, end - at));
    lines.push_back(joined.substr(at));
    return lines;
}

// Topics that reach every branch of the writer, drawn from a fixed seed.
std::vector<CalendarTopic> variedTopics(std::size_t count)
{
    std::mt19937 random(20240610);
    auto pick = [&random](const auto &choices) {
        return choices[std::uniform_int_distribution<std::size_t>(0,
                                                                  std::size(choices) - 1)(random)];
    };
    auto chance = [&random](int percent) {
        return std::uniform_int_distribution<int>(0, 99)(random) < percent;
    };
    const std::vector<std::string> texts = {
        "Plain title",
        "Commas, semicolons; back\\slash and \"quotes\"",
        "Two\nlines\r\nand a\ttab, a \b and \f",
        std::string("Cut here\0hidden", 15),
        "Umlaute äöü and ß and 日本語 and emoji 🎉 " + std::string(40, 'x') +
            " ÄÖÜ日本語日本語日本語",
        std::string(200, 'a') + "ä" + std::string(73, 'b') + "€€€€€€€€€€€€€€€€€€€€€€€€€€€€€€",
        "Broken \xC3 UTF-8 \xFF\xFE and " + std::string(90, '\x80'),
        "",
    };
    const std::vector<std::string> dates = {"20240610", "20240610", "20240331", "20241027",
                                            "00010101", "20240230", "2024061",  ""};
    const std::vector<std::string> times = {"",         "09:30:00", "00:00:00", "02:30:00",
                                            "23:59:59", "24:00:00", "9:30"};
    const std::vector<std::string> stamps = {"", "20240301-081500", "20240331-023000", "garbage",
                                             "20240301 081500"};
    const std::vector<int> counts = {0, 1, 2, 7, 90, 1500, 40000, 70000, -3};
    const std::vector<std::string> rules = {
        "FREQ=WEEKLY;BYDAY=MO,WE,FR", "FREQ=MONTHLY;BYDAY=-1FR;COUNT=12",
        "FREQ=YEARLY;BYMONTH=3;BYMONTHDAY=31", "FREQ=DAILY;INTERVAL=3",
        "FREQ=MONTHLY;BYMONTHDAY=1,15;BYSETPOS=1"};
    std::vector<CalendarTopic> topics;
    for (std::size_t i = 0; i < count; ++i) {
        CalendarTopic &t = topics.emplace_back();
        TNimbusNode &n = t.node;
        n.uni = std::to_string(i + 1) + (i % 37 == 0 ? ",odd;id" : "");
        t.uid = topicUid("0123456789abcdef", n.uni);
        if (chance(50))
            t.parentUid = topicUid("0123456789abcdef", std::to_string(i));
        n.ttype = pick(std::vector<int>{kTopicGeneral, kTopicEvent, kTopicTask, kTopicInformation,
                                        kTopicIdea, kTopicFinancial, kTopicTask, kTopicEvent});
        n.status = std::uniform_int_distribution<int>(0, 6)(random);
        n.text = pick(texts);
        n.fav = chance(20);
        n.urgent = chance(20);
        n.lock = chance(10);
        n.autoComplete = chance(20);
        n.calpr = chance(80);
        n.pri = std::uniform_int_distribution<int>(-1, 11)(random);
        n.percent = pick(std::vector<int>{0, 0, 40, 100, -5, 120});
        n.dl = chance(60);
        n.recur = chance(30);
        n.dlDate = pick(dates);
        n.dlTime = pick(times);
        n.rno = pick(counts);
        n.rtype = std::uniform_int_distribution<int>(-1, 7)(random);
        n.rsDate = chance(50) ? n.dlDate : pick(dates);
        n.rsTime = chance(50) ? n.dlTime : pick(times);
        n.durno = pick(counts);
        n.durtype = std::uniform_int_distribution<int>(-1, 7)(random);
        n.flno = pick(counts);
        n.fltyp = std::uniform_int_distribution<int>(-1, 7)(random);
        if (chance(40)) {
            n.fdate = pick(dates);
            n.fTime = pick(times);
        }
        n.cre = pick(stamps);
        // A few far dates, the last years libical holds valid and after: libical works out a
        // zone's changes again for every time after 2037, so many would make the test slow.
        if (i % 41 == 0) {
            n.dlDate = i % 2 ? "30011231" : "30000101";
            n.fdate = i % 3 ? "" : "99991231";
            n.cre = "99991231-235959";
        }
        n.sta = pick(stamps);
        if (chance(10)) {
            n.from = "Colleague, with; marks\\";
            n.sent = pick(stamps);
        }
        if (n.recur && chance(40)) {
            recurrence::Series series;
            std::string error;
            if (recurrence::parseRule(pick(rules), series.rule, error)) {
                series.startDay = 19884 + std::uniform_int_distribution<int>(0, 400)(random);
                if (chance(60))
                    series.time = std::int64_t{9 * 3600 + 30 * 60} * 1000;
                if (chance(40))
                    series.rule.until = (series.startDay + 300) * std::int64_t{86400000} +
                                        (chance(50) ? 0 : 3600000);
                if (chance(40))
                    series.exceptions = {series.startDay + 7, series.startDay + 14};
                if (chance(30))
                    series.additions = {series.startDay + 3};
                n.richRule = std::make_shared<recurrence::SeriesRule>(series);
            }
        }
        if (chance(30))
            t.detailsText = pick(texts) + "\n\n" + pick(texts);
        if (chance(15))
            t.detailsHtml = "<p style=\"a;b\">Details, " + pick(texts) + "</p>";
        for (int k = std::uniform_int_distribution<int>(0, 3)(random); k > 0; --k) {
            ChecklistItem item;
            item.text = pick(texts);
            item.checked = chance(50);
            item.finished = pick(stamps);
            t.checklist.push_back(item);
        }
    }
    return topics;
}

TEST(DirectWriter, SaysWhatTheLibicalEntriesSaidInEveryZone)
{
    const std::vector<CalendarTopic> topics = variedTopics(600);
    for (const char *zoneName : {"Europe/Berlin", "America/New_York", "UTC", "Nowhere/Atlantis"}) {
        test::ScopedZone zone(zoneName);
        for (const bool utc : {false, true}) {
            SCOPED_TRACE(std::string(zoneName) +
                         (utc ? ", one-off times in UTC" : ", local times"));
            const WriteOptions options{"20240310-120000", utc};
            const std::string direct = writeCalendar(topics, options);
            const std::vector<std::string> got = unfolded(direct);
            const std::vector<std::string> expected = unfolded(referenceCalendar(topics, options));
            std::size_t differing = 0;
            for (std::size_t i = 0; i < std::min(got.size(), expected.size()) && differing < 3; ++i)
                if (got[i] != expected[i]) {
                    ++differing;
                    std::string context;
                    for (std::size_t k = i > 12 ? i - 12 : 0; k < i; ++k)
                        context += expected[k] + "\n";
                    ADD_FAILURE() << "line " << i << " after\n"
                                  << context << " got: " << got[i] << "\nwant: " << expected[i];
                }
            ASSERT_EQ(got.size(), expected.size());
            // What the importer reads is what it read before.
            const ReadResult back = readCalendar(direct);
            ASSERT_TRUE(back.ok) << back.error;
        }
    }
}

TEST(DirectWriter, FoldsAt75OctetsWithoutCuttingACharacter)
{
    std::string out;
    const std::string value = std::string(70, 'a') + "äöü" + std::string(60, 'b') +
                              "日本語日本語日本語日本語日本語日本語" + std::string(200, '\x80');
    ContentLines lines(out);
    lines.name("DESCRIPTION").text(value);
    lines.name("SUMMARY").text(std::string(63, 's')); // exactly 75 octets: not folded
    std::size_t at = 0;
    std::string joined;
    bool first = true;
    while (at < out.size()) {
        const std::size_t end = out.find("\r\n", at);
        ASSERT_NE(end, std::string::npos) << "every line ends with CR LF";
        const std::string line = out.substr(at, end - at);
        EXPECT_LE(line.size(), 75u);
        if (!first && line[0] == ' ') {
            const unsigned char lead = static_cast<unsigned char>(line[1]);
            if (line.find_first_not_of('\x80', 1) != std::string::npos) {
                EXPECT_NE(lead & 0xC0, 0x80)
                    << "a continued line begins with a character's first octet";
            }
            joined += line.substr(1);
        } else {
            joined += (joined.empty() ? "" : "\n") + line;
        }
        first = false;
        at = end + 2;
    }
    EXPECT_EQ(joined, "DESCRIPTION:" + value + "\nSUMMARY:" + std::string(63, 's'));
    EXPECT_TRUE(out.ends_with("\r\nSUMMARY:" + std::string(63, 's') + "\r\n"));
}

// python3-icalendar reads a file into components; the script prints every component's name
// and its properties (name, parameters, value) in order, one per line, and writes the file
// again as python3-icalendar writes it. (It cannot read the zone libical describes: dateutil
// refuses a VTIMEZONE rule with a UTC UNTIL, which the standard asks for, so the zone is
// left out of what it reads; the TZID of each time stays and names a zone our reader knows.)
struct PythonReading {
    std::string listing;
    std::string rewritten;
};

PythonReading readByPython(const std::string &folder, std::string bytes, const std::string &name)
{
    const std::size_t zone = bytes.find("BEGIN:VTIMEZONE\r\n");
    if (zone != std::string::npos) {
        const std::string end = "END:VTIMEZONE\r\n";
        bytes.erase(zone, bytes.find(end, zone) + end.size() - zone);
    }
    const std::string input = folder + "/" + name + ".ics";
    std::ofstream(input, std::ios::binary) << bytes;
    const std::string script = R"(
import sys, icalendar
cal = icalendar.Calendar.from_ical(open(sys.argv[1], 'rb').read())
with open(sys.argv[1] + '.txt', 'w', encoding='utf-8') as out:
    for c in cal.walk():
        out.write('BEGIN ' + c.name + '\n')
        for key, value in c.property_items(recursive=False)[1:-1]:
            params = ';'.join(k + '=' + str(v) for k, v in sorted(value.params.items())) if hasattr(value, 'params') else ''
            out.write(key + ';' + params + ':' + value.to_ical().decode('utf-8') + '\n')
open(sys.argv[1] + '.again', 'wb').write(cal.to_ical())
)";
    test::ChildProcess python("/usr/bin/python3", {"-c", script, input}, {});
    EXPECT_TRUE(python.waitForExit(std::chrono::seconds(60)));
    EXPECT_EQ(python.exitCode(), 0) << name;
    auto read = [](const std::string &path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    };
    return {read(input + ".txt"), read(input + ".again")};
}

TEST(DirectWriter, Python3IcalendarReadsTheSameComponentsAndWritesBackTheSameTopics)
{
    if (!std::filesystem::exists("/usr/bin/python3"))
        GTEST_SKIP() << "no /usr/bin/python3";
    test::TempFolder folder;
    // Titles python reads as text (it refuses invalid UTF-8), dates of this millennium.
    std::vector<CalendarTopic> topics = variedTopics(250);
    for (CalendarTopic &t : topics) {
        for (std::string *text : {&t.node.text, &t.detailsText, &t.detailsHtml})
            if (text->find_first_of(std::string("\x80\xFF\xFE\xC3\b\f\0", 7)) != std::string::npos)
                *text = "Ünïcödé, folded " + std::string(100, 'y') + " 日本語日本語日本語日本語";
        if (t.node.dlDate < "2000" || t.node.dlDate > "2999")
            t.node.dlDate = "20240612";
        if (t.node.fdate < "2000" || t.node.fdate > "2999")
            t.node.fdate = "20240612";
        if (t.node.cre.size() != 15 || t.node.cre < "2000" || t.node.cre > "2999")
            t.node.cre = "20240301-081500";
        t.checklist.clear();
    }
    for (const char *zoneName : {"Europe/Berlin", "UTC"}) {
        SCOPED_TRACE(zoneName);
        test::ScopedZone zone(zoneName);
        const WriteOptions options{"20240310-120000", false};
        const std::string bytes = writeCalendar(topics, options);
        const PythonReading direct = readByPython(folder.path(), bytes, "direct");
        const PythonReading reference =
            readByPython(folder.path(), referenceCalendar(topics, options), "reference");
        EXPECT_GT(direct.listing.size(), 10000u);
        EXPECT_EQ(direct.listing, reference.listing);

        // The file python3-icalendar wrote again imports as the same topics.
        const ReadResult ours = readCalendar(bytes);
        const ReadResult again = readCalendar(direct.rewritten);
        ASSERT_TRUE(ours.ok && again.ok) << again.error;
        ASSERT_EQ(again.topics.size(), ours.topics.size());
        for (std::size_t i = 0; i < ours.topics.size(); ++i) {
            test::expectSameTopic(ours.topics[i].node, again.topics[i].node);
            EXPECT_EQ(ours.topics[i].detailsText, again.topics[i].detailsText);
            EXPECT_EQ(ours.topics[i].detailsHtml, again.topics[i].detailsHtml);
        }
    }
}

} // namespace
} // namespace nimbus::calendar
