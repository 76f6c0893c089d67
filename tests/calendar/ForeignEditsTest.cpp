// Entries this program wrote, then edited by another calendar program that knows nothing of
// our X-NIMBUS- fields and leaves them as they were: what the other program changed wins,
// what it left alone keeps the exact value only our fields can say.
#include <gtest/gtest.h>

#include <regex>

#include "calendar/CalendarTestSupport.h"
#include "calendar/IcsReader.h"
#include "calendar/IcsWriter.h"
#include "calendar/TopicUid.h"
#include "store/TopicCodes.h"

namespace nimbus::calendar {
namespace {

CalendarTopic waitingTask()
{
    CalendarTopic t;
    t.node.uni = "41";
    t.node.ttype = kTopicTask;
    t.node.text = "Sign the lease";
    t.node.status = kStatusWaiting;
    t.node.percent = 30;
    t.node.durtype = kUnitDays;
    t.node.cre = "20261101-081500";
    t.node.dl = true;
    t.node.dlDate = "20261215";
    t.node.dlTime = "10:00:00";
    t.uid = topicUid("0123456789abcdef", t.node.uni);
    return t;
}

std::string written(CalendarTopic t)
{
    std::vector<CalendarTopic> one;
    one.push_back(std::move(t));
    return writeCalendar(one, {"20261201-090000", true});
}

TNimbusNode readBack(const std::string &bytes)
{
    ReadResult r = readCalendar(bytes);
    EXPECT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.topics.size(), 1u);
    TNimbusNode node{""};
    if (!r.topics.empty())
        node.AssignNode(r.topics.front().node);
    return node;
}

// A phone completing the task: its STATUS, PERCENT-COMPLETE and COMPLETED, every other line
// (our X- fields among them) kept as it was.
std::string completedOnAPhone(const std::string &bytes)
{
    std::string out =
        std::regex_replace(bytes, std::regex("\r\n(STATUS|PERCENT-COMPLETE):[A-Z0-9-]+"), "");
    return std::regex_replace(
        out, std::regex("END:VTODO"),
        "STATUS:COMPLETED\r\nPERCENT-COMPLETE:100\r\nCOMPLETED:20261203T151500Z\r\nEND:VTODO");
}

TEST(ForeignEdits, AStatusChangedByAnotherProgramWinsOverTheFieldWeWroteBesideIt)
{
    test::ScopedZone zone("Europe/Berlin");
    const std::string ours = written(waitingTask());
    ASSERT_NE(ours.find("X-NIMBUS-STATUS"), std::string::npos) << "waiting has no standard status";

    // Untouched, the field keeps what the standard status cannot say.
    EXPECT_EQ(readBack(ours).status, kStatusWaiting);

    const TNimbusNode done = readBack(completedOnAPhone(ours));
    EXPECT_EQ(done.status, kStatusCompleted);
    EXPECT_EQ(done.percent, 100);
    EXPECT_EQ(done.fdate, "20261203");

    // A title the other program changed, where ours needed the field to say it exactly.
    CalendarTopic tabbed = waitingTask();
    tabbed.node.text = "Sign\tthe lease";
    const std::string withTab = written(std::move(tabbed));
    ASSERT_NE(withTab.find("X-NIMBUS-TEXT"), std::string::npos);
    EXPECT_EQ(readBack(withTab).text, "Sign\tthe lease");
    const std::string renamed =
        std::regex_replace(withTab, std::regex("SUMMARY:[^\r]*\r\n"), "SUMMARY:Lease signed\r\n");
    EXPECT_EQ(readBack(renamed).text, "Lease signed");
}

TEST(ForeignEdits, FieldsWrittenBeforeTheyCarriedTheStandardValueStillApply)
{
    test::ScopedZone zone("Europe/Berlin");
    // An entry from an older version: the field without its parameter.
    const std::string older =
        std::regex_replace(written(waitingTask()), std::regex(";X-NIMBUS-STD=[0-9a-f]+"), "");
    ASSERT_EQ(older.find("X-NIMBUS-STD"), std::string::npos);
    EXPECT_EQ(readBack(older).status, kStatusWaiting);
}

} // namespace
} // namespace nimbus::calendar
