// Topics written to a calendar file and read back are the same topics, and the file passes
// libical's own validation.
#include <gtest/gtest.h>

#include "calendar/IcsReader.h"
#include "calendar/IcsWriter.h"
#include "calendar/TopicUid.h"
#include "calendar/CalendarTestSupport.h"
#include "store/TopicCodes.h"

namespace nimbus::calendar {
namespace {

using test::ScopedZone;

class RoundTrip : public ::testing::Test {
protected:
    CalendarTopic &add(int ttype, const std::string &title)
    {
        CalendarTopic &t = topics.emplace_back();
        t.node.uni = std::to_string(topics.size() + 100);
        t.node.ttype = ttype;
        t.node.text = title;
        t.node.durtype = kUnitDays;
        t.node.cre = "20240301-081500";
        t.uid = topicUid("0123456789abcdef", t.node.uni);
        return t;
    }
    void dated(CalendarTopic &t, const std::string &date, const std::string &time)
    {
        t.node.dl = true;
        t.node.dlDate = date;
        t.node.dlTime = time;
    }
    // Writes, validates, reads back and compares every topic: with local times, and with the
    // times of entries that do not repeat in UTC (as calendar sync sends them).
    void roundTrip()
    {
        for (const bool utc : {false, true}) {
            SCOPED_TRACE(utc ? "one-off times in UTC" : "local times");
            roundTrip(utc);
        }
    }
    void roundTrip(bool oneOffTimesInUtc)
    {
        const std::string bytes = writeCalendar(topics, {"20240310-120000", oneOffTimesInUtc});
        EXPECT_TRUE(validateCalendar(bytes).empty()) << bytes.substr(0, 4000);
        const ReadResult back = readCalendar(bytes);
        ASSERT_TRUE(back.ok) << back.error;
        EXPECT_TRUE(back.skipped.empty());
        ASSERT_EQ(back.topics.size(), topics.size());
        for (std::size_t i = 0; i < topics.size(); ++i) {
            test::expectSameTopic(topics[i].node, back.topics[i].node);
            EXPECT_EQ(back.topics[i].uid, topics[i].uid);
            EXPECT_EQ(back.topics[i].parentUid, topics[i].parentUid);
            EXPECT_EQ(back.topics[i].detailsText, topics[i].detailsText);
            EXPECT_EQ(back.topics[i].detailsHtml, topics[i].detailsHtml);
            ASSERT_EQ(back.topics[i].checklist.size(), topics[i].checklist.size());
            for (std::size_t k = 0; k < topics[i].checklist.size(); ++k) {
                EXPECT_EQ(back.topics[i].checklist[k].text, topics[i].checklist[k].text);
                EXPECT_EQ(back.topics[i].checklist[k].checked, topics[i].checklist[k].checked);
                EXPECT_EQ(back.topics[i].checklist[k].finished, topics[i].checklist[k].finished);
            }
        }
    }
    std::vector<CalendarTopic> topics;
};

TEST_F(RoundTrip, EveryTypeAndStatusWithAndWithoutDates)
{
    ScopedZone zone("Europe/Berlin");
    for (int ttype : {kTopicGeneral, kTopicEvent, kTopicTask, kTopicInformation, kTopicIdea, kTopicFinancial}) {
        for (int status = 0; status <= 5; ++status) {
            CalendarTopic &t = add(ttype, "Type " + std::to_string(ttype) + " status " + std::to_string(status));
            t.node.status = status;
            if (status % 2 == 1)
                dated(t, "20240415", status == 1 ? "" : "09:30:00");
            if (status == 3) {
                t.node.fdate = "20240416";
                t.node.fTime = "17:45:10";
            }
        }
    }
    dated(add(kTopicTask, "In the hour the clocks skip"), "20240331", "02:30:00");
    roundTrip();
}

TEST_F(RoundTrip, EveryRecurrenceAndDurationUnit)
{
    ScopedZone zone("America/New_York");
    for (int unit = kUnitMinutes; unit <= kUnitYears; ++unit) {
        CalendarTopic &task = add(kTopicTask, "Every " + std::to_string(unit));
        task.node.recur = true;
        task.node.rno = unit + 2;
        task.node.rtype = unit;
        task.node.dlDate = task.node.rsDate = "20240131";
        task.node.dlTime = task.node.rsTime = unit < kUnitDays ? "23:00:00" : "";
        task.node.autoComplete = unit % 2 == 0;

        CalendarTopic &event = add(kTopicEvent, "Lasting " + std::to_string(unit));
        event.node.status = kStatusNotStarted;
        dated(event, "20241103", unit < kUnitDays ? "01:30:00" : "");  // the night clocks go back
        event.node.durno = unit + 1;
        event.node.durtype = unit;
    }
    CalendarTopic &zero = add(kTopicEvent, "No length");
    dated(zero, "20240601", "");
    zero.node.durno = 0;
    CalendarTopic &leftover = add(kTopicTask, "Repeat switched off");
    leftover.node.dlDate = "20240601";  // the date stays when the deadline is switched off
    leftover.node.rno = 3;
    leftover.node.rtype = kUnitWeeks;
    CalendarTopic &moved = add(kTopicEvent, "Next date apart");
    moved.node.recur = true;
    moved.node.rno = 1;
    moved.node.rtype = kUnitMonths;
    moved.node.dlDate = "20240105";
    moved.node.rsDate = "20240205";
    roundTrip();
}

TEST_F(RoundTrip, UrgencyPriorityProgressAndFlags)
{
    ScopedZone zone("Asia/Kolkata");
    for (int days = 0; days <= 3; ++days) {
        for (int ttype : {kTopicTask, kTopicEvent, kTopicIdea}) {
            CalendarTopic &t = add(ttype, "Urgent " + std::to_string(days));
            dated(t, "20240720", days == 2 ? "" : "14:00:00");
            t.node.flno = days;
            t.node.fltyp = days == 0 ? kUnitNone : (days == 3 ? kUnitWeeks : kUnitDays);
            t.node.urgent = days == 1;
        }
    }
    for (int pri : {0, 1, 5, 9, 12}) {
        CalendarTopic &t = add(kTopicTask, "Priority " + std::to_string(pri));
        t.node.pri = pri;
        t.node.percent = pri * 10 % 110;
        t.node.calpr = pri != 5;
        t.node.lock = pri == 1;
        t.node.fav = pri == 9;
        t.node.status = kStatusInProgress;
        t.node.sta = "20240102-030405";
        t.node.from = "Ann Other";
        t.node.sent = "20240103-040506";
        if (pri == 0)
            t.node.cre.clear();
    }
    CalendarTopic &completed = add(kTopicTask, "Done on a day");
    completed.node.status = kStatusCompleted;
    completed.node.fdate = "20240330";  // no time
    roundTrip();
}

TEST_F(RoundTrip, TreePagesAndChecklists)
{
    ScopedZone zone("UTC");
    CalendarTopic &parent = add(kTopicTask, "Move house; pack, label = sort");
    parent.detailsText = "Line one, with commas; and semicolons\nLine two: Größe 10 € \\ backslash";
    parent.detailsHtml = "<html><body><p><b>Line one</b>, with commas; and semicolons</p></body></html>";
    parent.checklist.push_back({false, "Boxes", "", {}});
    parent.checklist.push_back({true, "Tape", "20240302-101112", {}});
    const std::string parentUid = parent.uid;
    CalendarTopic &child = add(kTopicEvent, "Van booked");
    child.parentUid = parentUid;
    dated(child, "20240322", "07:00:00");
    child.node.durno = 5;
    child.node.durtype = kUnitHours;
    const std::string childUid = child.uid;
    CalendarTopic &grandchild = add(kTopicInformation, "日本語のメモ " + std::string(200, 'x'));
    grandchild.parentUid = childUid;
    grandchild.detailsText = std::string(500, 'y');
    roundTrip();
}

}  // namespace
}  // namespace nimbus::calendar
