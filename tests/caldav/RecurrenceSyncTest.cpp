// Whole repeat rules through every real server the tests start (Radicale, Xandikos and
// DAViCal, each on 127.0.0.1) to a client no one here
// wrote and back: rules made here reach python3-caldav, whose python3-dateutil expansion gives
// the same dates as ours; rules made there arrive as the topic's series with the same dates;
// a rule changed on either side reaches the other, and rolling a series here moves nothing
// on the server.
#include <gtest/gtest.h>

#include "CalDavTestSupport.h"
#include "CalendarOnServer.h"
#include "DavicalServer.h"
#include "Phone.h"
#include "RadicaleServer.h"
#include "XandikosServer.h"
#include "recurrence/RecurrenceFile.h"
#include "recurrence/RuleText.h"
#include "recurrence/TopicRecurrence.h"
#include "store/DateTime.h"

namespace nimbus::test {
namespace {

const std::int64_t kFrom = DateTime::fromCivil(2027, 1, 1).dayNumber();
const std::int64_t kTo = DateTime::fromCivil(2027, 12, 31).dayNumber();

std::vector<std::string> ourDates(const recurrence::Series &series)
{
    std::vector<std::string> out;
    for (const std::int64_t day : series.between(kFrom, kTo))
        out.push_back(recurrence::formatDateText(day, std::nullopt));
    return out;
}

recurrence::Series seriesOf(const std::string &text)
{
    recurrence::Series series;
    std::string error;
    EXPECT_TRUE(recurrence::parseSeries(text, series, error)) << text << ": " << error;
    return series;
}

// The series kept for the topic of that title in the folder's Recurrence.dat.
std::optional<recurrence::Series> keptSeries(const DataFolder &folder, const std::string &title)
{
    const auto store = folder.load();
    const TNimbusNode *node = findTitle(*store, title);
    recurrence::RecurrenceFile file(folder.path());
    if (node == nullptr || !file.Load(NullStoreLog::instance()) || file.Find(node->uni) == nullptr)
        return std::nullopt;
    return *file.Find(node->uni);
}

// Gives the topic of that title (made when missing) the series, on the node and in
// Recurrence.dat, as nimbus-cli and the options dialog do.
void giveSeries(DataFolder &folder, const std::string &title, int ttype, const std::string &text)
{
    const recurrence::Series series = seriesOf(text);
    std::string uni;
    folder.edit([&](TNimbusStructure &store) {
        TNimbusNode *node = findTitle(store, title);
        if (node == nullptr)
            node = store.Find(addTopic(store, kSyncedTopic, title, [&](TNimbusNode &n) {
                n.ttype = ttype;
                n.durno = 1;
                n.durtype = kUnitHours;
            }));
        recurrence::applySeries(*node, series);
        uni = node->uni;
    });
    recurrence::RecurrenceFile file(folder.path());
    ASSERT_TRUE(file.Load(NullStoreLog::instance()));
    file.Set(uni, series);
    ASSERT_TRUE(file.Save(NullStoreLog::instance()));
}

template <class Server> class RichRepeatSync : public CalendarOnServer<Server> {
protected:
    using CalendarOnServer<Server>::server_;
    using CalendarOnServer<Server>::calendar_;
    using CalendarOnServer<Server>::sync;
    // A sync that finds nothing to send.
    void expectQuiet(DataFolder &folder)
    {
        InterposingTransport watched(server_->account());
        const caldav::SyncReport report = folder.sync(watched, calendar_);
        EXPECT_TRUE(report.ok) << report.summary();
        EXPECT_EQ(watched.countMethod("PUT"), 0) << "a topic was sent again unchanged";
        EXPECT_EQ(report.counts.received, 0);
    }
    std::map<std::string, std::string> uidsBySummary(Phone &phone)
    {
        std::map<std::string, std::string> uids;
        for (const auto &[uid, entry] : phone.entries())
            uids[entry.summary] = uid;
        return uids;
    }
    // The entry's dates in 2027 as the phone expands them; its start goes to start.
    std::vector<std::string> phoneDates(Phone &phone, const std::string &uid,
                                        std::string *start = nullptr)
    {
        phone.run({"expand", uid, "20270101", "20271231"});
        std::vector<std::string> lines = phone.lines();
        EXPECT_FALSE(lines.empty());
        if (lines.empty())
            return lines;
        if (start != nullptr)
            *start = lines.front();
        lines.erase(lines.begin());
        return lines;
    }
    Phone phone() { return Phone(calendar_, server_->account()); }
};

using Servers = ::testing::Types<RadicaleServer, XandikosServer, DavicalServer>;
TYPED_TEST_SUITE(RichRepeatSync, Servers);

TYPED_TEST(RichRepeatSync, RulesMadeHereExpandThereAsHereAndFollowChangesButNotRolls)
{
    DataFolder here;
    const std::map<std::string, std::string> made = {
        {"Gym", "START=20270104T090000;FREQ=WEEKLY;BYDAY=MO,WE,FR;COUNT=12;EXDATE=20270111;"
                "RDATE=20270116"},
        {"Board", "START=20270112;FREQ=MONTHLY;BYDAY=2TU;UNTIL=20270630T235959"},
        {"Drinks", "START=20270129T180000;FREQ=MONTHLY;BYDAY=-1FR"},
    };
    for (const auto &[title, text] : made)
        giveSeries(here, title, title == "Board" ? kTopicTask : kTopicEvent, text);
    this->sync(here);
    Phone phone = this->phone();
    std::map<std::string, std::string> uids = this->uidsBySummary(phone);
    ASSERT_EQ(uids.size(), 3u);
    std::string start;
    for (const auto &[title, text] : made)
        EXPECT_EQ(this->phoneDates(phone, uids[title], title == "Gym" ? &start : nullptr),
                  ourDates(seriesOf(text)))
            << title;
    EXPECT_EQ(start, "20270104T080000Z");
    this->expectQuiet(here);

    // A date skipped here reaches the server; the rule there is not the server's to keep.
    const std::string gym = uids["Gym"];
    const std::string skipped = "START=20270104T090000;FREQ=WEEKLY;BYDAY=MO,WE,FR;COUNT=12;"
                                "EXDATE=20270111,20270113;RDATE=20270116";
    giveSeries(here, "Gym", kTopicEvent, skipped);
    this->sync(here);
    EXPECT_EQ(this->phoneDates(phone, gym), ourDates(seriesOf(skipped)));

    // Rolled on to a later date here, as the deadline pass does: nothing to send, and the first
    // date stays.
    here.edit([](TNimbusStructure &store) {
        TNimbusNode *gymTopic = findTitle(store, "Gym");
        gymTopic->dlDate = gymTopic->rsDate = "20270120";
    });
    this->expectQuiet(here);
    std::string rolledStart;
    EXPECT_EQ(this->phoneDates(phone, gym, &rolledStart), ourDates(seriesOf(skipped)));
    EXPECT_EQ(rolledStart, start);
}

TYPED_TEST(RichRepeatSync, RulesMadeThereArriveAsSeriesWithTheSameDates)
{
    DataFolder here;
    Phone phone = this->phone();
    const std::string yoga = "phone-yoga@example.org";
    phone.run({"add-series", yoga, "Yoga", "20270105T073000", "FREQ=WEEKLY;BYDAY=TU,TH;COUNT=10",
               "20270112T073000", "20270116T073000"});
    this->sync(here);
    std::optional<recurrence::Series> kept = keptSeries(here, "Yoga");
    ASSERT_TRUE(kept.has_value()) << "the rule did not reach Recurrence.dat";
    EXPECT_EQ(recurrence::formatRule(kept->rule), "FREQ=WEEKLY;BYDAY=TU,TH;COUNT=10");
    EXPECT_EQ(ourDates(*kept), this->phoneDates(phone, yoga));
    this->expectQuiet(here);

    // The rule changed there replaces the series here (one its first date still falls on: a
    // series whose start the rule skips is left undefined by the standard).
    phone.run({"set-rule", yoga, "FREQ=WEEKLY;INTERVAL=2;BYDAY=TU,FR;UNTIL=20270401T000000Z"});
    this->sync(here);
    kept = keptSeries(here, "Yoga");
    ASSERT_TRUE(kept.has_value());
    EXPECT_EQ(kept->rule.interval, 2);
    EXPECT_EQ(ourDates(*kept), this->phoneDates(phone, yoga));
    this->expectQuiet(here);
}

} // namespace
} // namespace nimbus::test
