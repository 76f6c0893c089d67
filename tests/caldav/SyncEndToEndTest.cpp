// Two data folders kept in step through one calendar on a real Radicale server on 127.0.0.1:
// creations, edits, completions, repeats, moves and removals both ways, entries written
// straight to the server, conflicts, a lost state file, a sync killed half-way, a wrong
// password and a stopped server. One server serves the whole suite; each test has its own
// calendar.
#include <fcntl.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <set>
#include <thread>

#include <gtest/gtest.h>

#include "caldav/CalDavClient.h"
#include "caldav/CalDavDiscovery.h"
#include "caldav/SyncState.h"
#include "calendar/IcsReader.h"
#include "calendar/IcsWriter.h"
#include "CalDavTestSupport.h"
#include "CalendarOnServer.h"
#include "RadicaleServer.h"
#include "../calendar/CalendarTestSupport.h"

namespace nimbus::test {
namespace {

// Another program's entry.
const char *const kPhoneEntry = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//Phone//EN\r\nBEGIN:VTODO\r\n"
                                "UID:phone-7@example.org\r\nDTSTAMP:20261201T080000Z\r\nSUMMARY:Pick up parcel\r\n"
                                "DUE;VALUE=DATE:20261211\r\nEND:VTODO\r\nEND:VCALENDAR\r\n";

class CalDavSync : public CalendarOnServer<RadicaleServer> {
protected:
    // Every entry the server holds: path -> calendar data.
    std::map<std::string, std::string> serverEntries()
    {
        caldav::CurlTransport transport(server_->account());
        caldav::CalDavClient client(transport);
        const caldav::Listing listing = client.listAll(calendar_, false);
        EXPECT_TRUE(listing.ok) << listing.error;
        std::vector<std::string> paths;
        for (const auto &[path, etag] : listing.items)
            paths.push_back(path);
        std::map<std::string, caldav::FetchedItem> items;
        std::string error;
        EXPECT_TRUE(client.fetch(calendar_, paths, items, error)) << error;
        std::map<std::string, std::string> out;
        for (auto &[path, item] : items)
            out[path] = item.data;
        return out;
    }
    std::map<std::string, std::string> serverUidsByPath()
    {
        std::map<std::string, std::string> uids;
        for (const auto &[path, data] : serverEntries()) {
            const calendar::ReadResult read = calendar::readCalendar(data);
            uids[path] = read.topics.empty() ? "" : read.topics.front().uid;
        }
        return uids;
    }

};

TEST_F(CalDavSync, TopicsMadeAndChangedInOneFolderAppearInTheOther)
{
    DataFolder a, b;
    std::string plan, meeting, weekly, child, done;
    a.edit([&](TNimbusStructure &s) {
        plan = addTopic(s, kSyncedTopic, "Plan the garden", [](TNimbusNode &n) {
            n.dl = true, n.dlDate = "20261220", n.dlTime = "14:30:00", n.pri = 2, n.urgent = true;
        });
        child = addTopic(s, plan, "Buy seeds", [](TNimbusNode &n) { n.status = kStatusInProgress, n.percent = 40; });
        meeting = addTopic(s, kSyncedTopic, "Club meeting", [](TNimbusNode &n) {
            n.ttype = kTopicEvent, n.dl = true, n.dlDate = "20261218", n.dlTime = "19:00:00", n.durno = 2, n.durtype = kUnitHours;
        });
        weekly = addTopic(s, kSyncedTopic, "Water the plants", [](TNimbusNode &n) {
            n.recur = true, n.dlDate = n.rsDate = "20261209", n.rno = 1, n.rtype = kUnitWeeks, n.flno = 1, n.fltyp = kUnitDays;
        });
        done = addTopic(s, kSyncedTopic, "Renew insurance", [](TNimbusNode &n) {
            n.status = kStatusCompleted, n.percent = 100, n.fdate = "20261201", n.fTime = "10:00:00", n.lock = true, n.fav = true;
        });
        addTopic(s, "3", "Stays local");
    });
    const caldav::SyncReport first = sync(a);
    EXPECT_EQ(first.counts.sent, 5);
    EXPECT_EQ(serverEntries().size(), 5u);

    sync(b);
    {
        auto sa = a.load(), sb = b.load();
        EXPECT_EQ(outline(*sb), outline(*sa));
        for (const char *title : {"Plan the garden", "Buy seeds", "Club meeting", "Water the plants", "Renew insurance"}) {
            ASSERT_NE(findTitle(*sb, title), nullptr) << title;
            expectSameTopic(*findTitle(*sa, title), *findTitle(*sb, title));
        }
        EXPECT_EQ(findTitle(*sb, "Stays local"), nullptr);
    }
    // Nothing changed: nothing travels either way.
    const caldav::SyncReport quiet = sync(a);
    EXPECT_EQ(quiet.counts.sent + quiet.counts.received + quiet.counts.deletedOnServer + quiet.counts.removedHere, 0);

    // In b: rename, complete, move the child to the top, remove the event, add one.
    b.edit([&](TNimbusStructure &s) {
        findTitle(s, "Plan the garden")->text = "Plan the vegetable garden";
        TNimbusNode *w = findTitle(s, "Water the plants");
        w->status = kStatusCompleted, w->fdate = "20261209";
        s.Delete(s.IndexOf(findTitle(s, "Club meeting")->uni));
        // "Buy seeds" goes from under "Plan ..." to the end of the synced topic's sub-topics.
        auto seeds = s.Extract(s.IndexOf(findTitle(s, "Buy seeds")->uni));
        seeds->lev = 2;
        s.Insert(s.IndexOf("3"), std::move(seeds));
        addTopic(s, kSyncedTopic, "Call the plumber");
    });
    const caldav::SyncReport fromB = sync(b);
    EXPECT_EQ(fromB.counts.sent, 4);
    EXPECT_EQ(fromB.counts.deletedOnServer, 1);
    const caldav::SyncReport intoA = sync(a);
    EXPECT_EQ(intoA.counts.received, 4);
    EXPECT_EQ(intoA.counts.removedHere, 1);
    auto sa = a.load(), sb = b.load();
    EXPECT_EQ(outline(*sa), outline(*sb));
    EXPECT_EQ(outline(*sa), (std::vector<std::string>{"Buy seeds", "Call the plumber", "Plan the vegetable garden",
                                                      "Renew insurance", "Water the plants"}));
    for (const char *title : {"Plan the vegetable garden", "Buy seeds", "Water the plants", "Renew insurance"})
        expectSameTopic(*findTitle(*sa, title), *findTitle(*sb, title));
    EXPECT_EQ(findTitle(*sa, "Water the plants")->status, kStatusCompleted);
    EXPECT_NE(findTitle(*sa, "Stays local"), nullptr);
    EXPECT_EQ(serverEntries().size(), 5u);
}

TEST_F(CalDavSync, EntriesWrittenStraightToTheServerArriveChangeAndGo)
{
    DataFolder a;
    sync(a);
    caldav::CurlTransport transport(server_->account());
    caldav::CalDavClient client(transport);
    const std::string url = calendar_ + "phone-made.ics";
    auto ics = [](const std::string &summary) {
        return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//Phone//EN\r\nBEGIN:VTODO\r\nUID:phone-1@example.org\r\n"
               "DTSTAMP:20261201T080000Z\r\nSUMMARY:" + summary + "\r\nDUE;VALUE=DATE:20261224\r\nPRIORITY:1\r\n"
               "LOCATION:Kitchen\r\nEND:VTODO\r\nEND:VCALENDAR\r\n";
    };
    ASSERT_TRUE(client.put(url, ics("Bake cookies"), "").ok());
    EXPECT_EQ(sync(a).counts.received, 1);
    {
        auto s = a.load();
        TNimbusNode *n = findTitle(*s, "Bake cookies");
        ASSERT_NE(n, nullptr);
        EXPECT_EQ(n->dlDate, "20261224");
        EXPECT_EQ(n->pri, 1);
        EXPECT_EQ(n->ttype, kTopicTask);
        EXPECT_EQ(n->lev, 2);
    }
    int status = 0;
    std::string error;
    const caldav::FetchedItem now = client.get(url, status, error);
    ASSERT_TRUE(client.put(url, ics("Bake ginger cookies"), now.etag).ok());
    EXPECT_EQ(sync(a).counts.received, 1);
    EXPECT_NE(findTitle(*a.load(), "Bake ginger cookies"), nullptr);
    // Nothing comes back from a topic that only the server changed.
    EXPECT_EQ(sync(a).counts.sent, 0);
    // A change made here keeps what the entry holds that a topic cannot (its place).
    a.edit([](TNimbusStructure &s) { findTitle(s, "Bake ginger cookies")->pri = 4; });
    EXPECT_EQ(sync(a).counts.sent, 1);
    const std::string stored = client.get(url, status, error).data;
    EXPECT_NE(stored.find("LOCATION:Kitchen"), std::string::npos) << stored;
    EXPECT_NE(stored.find("PRIORITY:4"), std::string::npos) << stored;

    ASSERT_TRUE(client.remove(url, "").ok());
    EXPECT_EQ(sync(a).counts.removedHere, 1);
    EXPECT_EQ(outline(*a.load()), std::vector<std::string>{});
}

TEST_F(CalDavSync, ChangesOnBothSidesKeepTheLocalTopicAndShowTheServersBesideIt)
{
    DataFolder a, b;
    a.edit([](TNimbusStructure &s) {
        addTopic(s, kSyncedTopic, "Book flights");
        addTopic(s, kSyncedTopic, "Pack bags");
    });
    sync(a);
    sync(b);
    a.edit([](TNimbusStructure &s) { findTitle(s, "Book flights")->text = "Book flights to Rome"; });
    b.edit([](TNimbusStructure &s) { findTitle(s, "Book flights")->text = "Book flights to Oslo"; });
    // A deletion on one side of a topic changed on the other keeps the changed one.
    a.edit([](TNimbusStructure &s) { s.Delete(s.IndexOf(findTitle(s, "Pack bags")->uni)); });
    b.edit([](TNimbusStructure &s) { findTitle(s, "Pack bags")->pri = 3; });
    sync(a);
    const caldav::SyncReport report = sync(b);
    EXPECT_EQ(report.counts.conflicts, 1);
    EXPECT_TRUE(b.log.has("Conflict: Book flights to Rome"));
    auto sb = b.load();
    EXPECT_EQ(outline(*sb), (std::vector<std::string>{"Book flights to Oslo", "Conflict: Book flights to Rome", "Pack bags"}));
    // The conflict topic sits right beside the local one.
    EXPECT_EQ(sb->IndexOf(findTitle(*sb, "Conflict: Book flights to Rome")->uni),
              sb->IndexOf(findTitle(*sb, "Book flights to Oslo")->uni) + 1);
    // The local version went to the server and reaches a; the conflict copy stays in b.
    sync(b);
    sync(a);
    auto sa = a.load();
    EXPECT_EQ(outline(*sa), (std::vector<std::string>{"Book flights to Oslo", "Pack bags"}));
    EXPECT_EQ(findTitle(*sa, "Pack bags")->pri, 3);
    EXPECT_EQ(serverEntries().size(), 2u);
}

// The server changes an entry between the snapshot and the write (the test's own PUT and
// PUT right before the engine's conditional PUT and DELETE): the engine's write is refused with
// 412, the server's change is neither overwritten nor lost (it comes back as the conflict
// topic, and the deleted topic comes back), and the local change is kept and sent.
TEST_F(CalDavSync, AServerChangeBetweenTheSnapshotAndTheWriteIsNeitherOverwrittenNorLost)
{
    DataFolder a;
    a.edit([](TNimbusStructure &s) {
        addTopic(s, kSyncedTopic, "Book flights");
        addTopic(s, kSyncedTopic, "Pack bags");
    });
    sync(a);
    a.edit([](TNimbusStructure &s) {
        findTitle(s, "Book flights")->text = "Book flights to Oslo";
        s.Delete(s.IndexOf(findTitle(s, "Pack bags")->uni));
    });
    InterposingTransport transport(server_->account());
    caldav::CurlTransport other(server_->account());
    caldav::CalDavClient otherClient(other);
    int raced = 0;
    std::set<std::string> racedUrls;
    transport.before = [&](const caldav::HttpRequest &r) {
        // Once per entry: the engine's second attempt, with the new ETag, goes through.
        if ((r.method != "PUT" && r.method != "DELETE") || headerOf(r, "If-Match").empty() || !racedUrls.insert(r.url).second)
            return;
        // Another program's change of the very entry, an instant before ours arrives.
        int status = 0;
        std::string error;
        const caldav::FetchedItem current = otherClient.get(r.url, status, error);
        std::string changed = current.data;
        const bool flights = changed.find("SUMMARY:Book flights") != std::string::npos;
        const std::string from = flights ? "SUMMARY:Book flights" : "SUMMARY:Pack bags";
        changed.replace(changed.find(from), from.size(), flights ? "SUMMARY:Book flights to Rome" : "SUMMARY:Pack bags twice");
        ASSERT_TRUE(otherClient.put(r.url, changed, current.etag).ok());
        ++raced;
    };
    const caldav::SyncReport report = a.sync(transport, calendar_);
    EXPECT_TRUE(report.ok) << report.summary();
    EXPECT_EQ(raced, 2);
    EXPECT_EQ(report.counts.conflicts, 1);
    EXPECT_TRUE(a.log.has("Conflict: Book flights to Rome"));
    // Here: the local change, the server's beside it, and the topic deleted here back with
    // the server's change.
    EXPECT_EQ(outline(*a.load()), (std::vector<std::string>{"Book flights to Oslo", "Conflict: Book flights to Rome",
                                                            "Pack bags twice"}));
    // There: the local change went out once the server's version was safe here; the conflict
    // copy stays here.
    sync(a);
    std::multiset<std::string> titles;
    for (const auto &[path, data] : serverEntries())
        titles.insert(calendar::readCalendar(data).topics.front().node.text);
    EXPECT_EQ(titles, (std::multiset<std::string>{"Book flights to Oslo", "Pack bags twice"}));
}

// The first sync of many topics to an empty calendar goes as one PUT of the whole calendar,
// conditional on the calendar's ETag; the calendar keeps its name and colour, the entries are
// bound by UID afterwards, and the next syncs send nothing. A second folder gets every topic
// back exactly.
TEST_F(CalDavSync, TheFirstSyncOfManyTopicsSendsTheWholeCalendarInOneConditionalRequest)
{
    caldav::CurlTransport plain(server_->account());
    caldav::CalDavClient client(plain);
    std::string error;
    ASSERT_TRUE(client.setProperties(calendar_, "<a:calendar-color>#3a87adff</a:calendar-color>", error)) << error;
    DataFolder a, b;
    a.edit([](TNimbusStructure &s) {
        for (int i = 0; i < 12; ++i) {
            const std::string parent = addTopic(s, kSyncedTopic, "Trip " + std::to_string(i), [i](TNimbusNode &n) {
                n.ttype = i % 2 ? kTopicEvent : kTopicTask;
                n.dl = true, n.dlDate = "202701" + std::to_string(10 + i), n.dlTime = "09:15:00";
                n.durno = 2, n.durtype = kUnitHours;
            });
            addTopic(s, parent, "Pack for trip " + std::to_string(i), [](TNimbusNode &n) { n.pri = 4; });
        }
        // The server refuses this one: it must not turn the whole upload down.
        addTopic(s, kSyncedTopic, "Some day", [](TNimbusNode &n) { n.ttype = kTopicEvent; });
    });
    InterposingTransport transport(server_->account());
    const caldav::SyncReport first = a.sync(transport, calendar_, true, 10);
    ASSERT_TRUE(first.ok) << first.summary();
    EXPECT_EQ(first.counts.sent, 24);
    EXPECT_EQ(first.counts.refused, 1);
    EXPECT_EQ(first.counts.conflicts, 0);
    EXPECT_EQ(transport.countMethod("PUT"), 2);
    EXPECT_EQ(transport.count("PUT " + calendar_), 1);
    EXPECT_TRUE(a.log.has("the whole calendar was sent at once"));
    EXPECT_EQ(serverEntries().size(), 24u);
    const caldav::CollectionState after = client.collectionState(calendar_);
    EXPECT_EQ(after.collection.displayName, std::string("cal-") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    EXPECT_EQ(after.collection.color, "#3a87adff");
    EXPECT_EQ(after.collection.components, (std::vector<std::string>{"VTODO", "VEVENT", "VJOURNAL"}));
    caldav::SyncState state;
    state.Load(a.path(), calendar_);
    EXPECT_EQ(state.entries.size(), 24u);

    transport.sent.clear();
    const caldav::SyncReport again = a.sync(transport, calendar_, true, 10);
    EXPECT_EQ(again.counts.sent + again.counts.received + again.counts.conflicts, 0);
    EXPECT_EQ(transport.countMethod("PUT"), 0);
    sync(b);
    auto sa = a.load(), sb = b.load();
    std::vector<std::string> sent = outline(*sa);
    std::erase(sent, "Some day");
    EXPECT_EQ(outline(*sb), sent);
    for (int i = 0; i < 12; ++i)
        expectSameTopic(*findTitle(*sa, "Trip " + std::to_string(i)), *findTitle(*sb, "Trip " + std::to_string(i)));
}

// The whole-calendar upload never replaces what it did not see: another program's entry that
// arrives between the look at the empty calendar and the upload makes the server refuse it
// (412), and a calendar with a property the upload would drop is not replaced at all. Both
// times the entries go one by one and everything on the server stays.
TEST_F(CalDavSync, AWholeUploadOvertakenOrUnsafeFallsBackToSingleEntriesAndLosesNothing)
{
    const auto manyTopics = [](TNimbusStructure &s) {
        for (int i = 0; i < 10; ++i)
            addTopic(s, kSyncedTopic, "Chore " + std::to_string(i));
    };
    DataFolder a;
    a.edit(manyTopics);
    InterposingTransport transport(server_->account());
    caldav::CurlTransport other(server_->account());
    caldav::CalDavClient otherClient(other);
    bool overtaken = false;
    transport.before = [&](const caldav::HttpRequest &r) {
        if (r.method == "PUT" && r.url == calendar_ && !overtaken) {
            overtaken = true;
            ASSERT_TRUE(otherClient.put(calendar_ + "phone.ics", kPhoneEntry, "").ok());
        }
    };
    const caldav::SyncReport first = a.sync(transport, calendar_, true, 5);
    ASSERT_TRUE(first.ok) << first.summary();
    EXPECT_TRUE(overtaken);
    EXPECT_TRUE(a.log.has("did not take the whole calendar at once (412)"));
    EXPECT_EQ(transport.countMethod("PUT"), 11);
    const auto entries = serverEntries();
    ASSERT_EQ(entries.size(), 11u);
    int foreign = 0;
    for (const auto &[path, data] : entries)
        foreign += data.find("UID:phone-7@example.org") != std::string::npos && data.find("SUMMARY:Pick up parcel") != std::string::npos;
    EXPECT_EQ(foreign, 1);
    sync(a);
    EXPECT_NE(findTitle(*a.load(), "Pick up parcel"), nullptr);

    // A property of the calendar that an upload would not carry: no upload.
    const std::string custom = server_->makeCalendar("cal-custom-property");
    std::string error;
    ASSERT_TRUE(otherClient.setProperties(custom, "<x:note xmlns:x=\"urn:example:test\">keep me</x:note>", error)) << error;
    DataFolder b;
    b.edit(manyTopics);
    transport.before = nullptr;
    transport.sent.clear();
    const caldav::SyncReport second = b.sync(transport, custom, true, 5);
    ASSERT_TRUE(second.ok) << second.summary();
    EXPECT_EQ(transport.count("PUT " + custom), 0);
    EXPECT_EQ(transport.countMethod("PUT"), 10);
    EXPECT_TRUE(b.log.has("urn:example:test note"));
    std::vector<std::string> names;
    ASSERT_TRUE(otherClient.propertyNames(custom, names, error));
    EXPECT_NE(std::find(names.begin(), names.end(), "urn:example:test note"), names.end());
}

// With nothing changed on either side since a sync that left the server as it was, a sync
// asks for the calendar's ctag only; a change on either side still travels.
TEST_F(CalDavSync, AQuietSyncAsksOnlyForTheCtag)
{
    DataFolder a;
    a.edit([](TNimbusStructure &s) { addTopic(s, kSyncedTopic, "Water the plants"); });
    InterposingTransport transport(server_->account());
    a.sync(transport, calendar_);  // sends: the ctag it read is not kept
    a.sync(transport, calendar_);  // lists, changes nothing: the ctag is kept
    transport.sent.clear();
    const caldav::SyncReport quiet = a.sync(transport, calendar_);
    EXPECT_TRUE(quiet.ok);
    EXPECT_EQ(transport.sent, (std::vector<std::string>{"PROPFIND " + calendar_}));

    caldav::CurlTransport other(server_->account());
    ASSERT_TRUE(caldav::CalDavClient(other).put(calendar_ + "phone.ics", kPhoneEntry, "").ok());
    EXPECT_EQ(a.sync(transport, calendar_).counts.received, 1);
    a.sync(transport, calendar_);
    a.edit([](TNimbusStructure &s) { findTitle(s, "Water the plants")->pri = 2; });
    transport.sent.clear();
    EXPECT_EQ(a.sync(transport, calendar_).counts.sent, 1);
    EXPECT_GT(transport.sent.size(), 1u);
}

// The calendar's date counts whole seconds: a date is trusted once its second is past.
void letTheCalendarsSecondPass() { std::this_thread::sleep_for(std::chrono::milliseconds(2100)); }

std::string phoneEntry(const std::string &uid)
{
    std::string entry = kPhoneEntry;
    entry.replace(entry.find("phone-7@"), 7, uid);
    return entry;
}

TEST_F(CalDavSync, TheCalendarsDateStandsInForTheCtagOnlyWhileItCanBeTrusted)
{
    DataFolder a;
    a.edit([](TNimbusStructure &s) { addTopic(s, kSyncedTopic, "Water the plants"); });
    InterposingTransport transport(server_->account());
    std::vector<std::string> bodies;
    transport.before = [&](const caldav::HttpRequest &r) { bodies.push_back(r.body); };
    letTheCalendarsSecondPass();
    a.sync(transport, calendar_);  // reads the calendar's marks, then sends
    a.sync(transport, calendar_);  // the ctag moved and the date with it; lists, changes nothing
    letTheCalendarsSecondPass();
    a.sync(transport, calendar_);  // the same ctag: keeps the date, now settled
    transport.sent.clear();
    bodies.clear();
    EXPECT_TRUE(a.sync(transport, calendar_).ok);
    ASSERT_EQ(transport.sent, (std::vector<std::string>{"PROPFIND " + calendar_}));
    EXPECT_NE(bodies[0].find("getlastmodified"), std::string::npos);
    EXPECT_EQ(bodies[0].find("getctag"), std::string::npos);

    // Changes on the server are seen at once, even two within one second of the calendar's
    // date: the date read right after the first is not settled and is not kept.
    caldav::CurlTransport other(server_->account());
    caldav::CalDavClient otherClient(other);
    ASSERT_TRUE(otherClient.put(calendar_ + "phone-1.ics", phoneEntry("phone-1"), "").ok());
    EXPECT_EQ(a.sync(transport, calendar_).counts.received, 1);
    ASSERT_TRUE(otherClient.put(calendar_ + "phone-2.ics", phoneEntry("phone-2"), "").ok());
    EXPECT_EQ(a.sync(transport, calendar_).counts.received, 1);
    EXPECT_EQ(outline(*a.load()).size(), 3u);
}

TEST_F(CalDavSync, AServerWhoseCalendarDateStandsStillIsAskedForTheCtag)
{
    DataFolder a;
    a.edit([](TNimbusStructure &s) { addTopic(s, kSyncedTopic, "Water the plants"); });
    InterposingTransport transport(server_->account());
    // A server whose calendars keep the date they were made on.
    transport.after = [](const caldav::HttpRequest &, caldav::HttpResponse &r) {
        const std::size_t open = r.body.find("getlastmodified>");
        const std::size_t close = open == std::string::npos ? open : r.body.find("</", open);
        if (close != std::string::npos)
            r.body.replace(open + 16, close - open - 16, "Mon, 01 Jan 2024 00:00:00 GMT");
    };
    a.sync(transport, calendar_);
    a.sync(transport, calendar_);  // the ctag moved, the date did not
    caldav::SyncState state;
    state.Load(a.path(), calendar_);
    EXPECT_EQ(state.lastModifiedFollows, "no");
    a.sync(transport, calendar_);
    caldav::CurlTransport other(server_->account());
    ASSERT_TRUE(caldav::CalDavClient(other).put(calendar_ + "phone.ics", kPhoneEntry, "").ok());
    EXPECT_EQ(a.sync(transport, calendar_).counts.received, 1);
}

TEST_F(CalDavSync, AnEntryTheServerRefusesStaysHereAndTheRestSyncs)
{
    // Radicale refuses an event without a start (a dateless event topic).
    DataFolder a, b;
    a.edit([](TNimbusStructure &s) {
        addTopic(s, kSyncedTopic, "Team outing", [](TNimbusNode &n) { n.ttype = kTopicEvent; });
        addTopic(s, kSyncedTopic, "Book the boat");
    });
    InterposingTransport transport(server_->account());
    const caldav::SyncReport first = a.sync(transport, calendar_);
    EXPECT_TRUE(first.ok) << first.summary();
    EXPECT_EQ(first.counts.sent, 1);
    EXPECT_EQ(first.counts.refused, 1);
    EXPECT_TRUE(a.log.has("the server refused \"Team outing\""));
    EXPECT_EQ(serverEntries().size(), 1u);

    // Not sent again while it stays as it is, and no change here for the quiet check.
    transport.sent.clear();
    EXPECT_TRUE(a.sync(transport, calendar_).ok);
    EXPECT_EQ(transport.countMethod("PUT"), 0);
    transport.sent.clear();
    EXPECT_TRUE(a.sync(transport, calendar_).ok);
    EXPECT_EQ(transport.sent, (std::vector<std::string>{"PROPFIND " + calendar_}));

    // With a date it is an entry like any other.
    a.edit([](TNimbusStructure &s) {
        TNimbusNode *outing = findTitle(s, "Team outing");
        outing->dl = true;
        outing->dlDate = "20270610";
    });
    const caldav::SyncReport dated = a.sync(transport, calendar_);
    EXPECT_EQ(dated.counts.sent, 1);
    EXPECT_EQ(dated.counts.refused, 0);
    caldav::SyncState state;
    state.Load(a.path(), calendar_);
    EXPECT_TRUE(state.refused.empty());
    sync(b);
    EXPECT_EQ(outline(*b.load()), (std::vector<std::string>{"Book the boat", "Team outing"}));
}

TEST_F(CalDavSync, ETagComparisonWithoutSyncTokens)
{
    DataFolder a, b;
    a.edit([](TNimbusStructure &s) {
        const std::string parent = addTopic(s, kSyncedTopic, "Move house");
        addTopic(s, parent, "Order boxes");
        addTopic(s, kSyncedTopic, "Cancel newspaper");
    });
    sync(a, false);
    sync(b, false);
    EXPECT_EQ(outline(*b.load()), (std::vector<std::string>{"Cancel newspaper", "Move house", "Move house/Order boxes"}));
    b.edit([](TNimbusStructure &s) {
        findTitle(s, "Order boxes")->status = kStatusCompleted;
        s.Delete(s.IndexOf(findTitle(s, "Cancel newspaper")->uni));
    });
    sync(b, false);
    const caldav::SyncReport report = sync(a, false);
    EXPECT_EQ(report.counts.received, 1);
    EXPECT_EQ(report.counts.removedHere, 1);
    auto sa = a.load();
    EXPECT_EQ(outline(*sa), (std::vector<std::string>{"Move house", "Move house/Order boxes"}));
    EXPECT_EQ(findTitle(*sa, "Order boxes")->status, kStatusCompleted);
    caldav::SyncState state;
    state.Load(a.path(), calendar_);
    EXPECT_TRUE(state.syncToken.empty());
}

TEST_F(CalDavSync, ALostStateFileDuplicatesNothing)
{
    DataFolder a, b;
    a.edit([](TNimbusStructure &s) {
        for (int i = 0; i < 6; ++i)
            addTopic(s, kSyncedTopic, "Topic " + std::to_string(i));
    });
    sync(a);
    sync(b);
    std::filesystem::remove(a.path() + caldav::SyncState::kFileName);
    std::filesystem::remove(b.path() + caldav::SyncState::kFileName);
    const caldav::SyncReport again = sync(a);
    EXPECT_EQ(again.counts.sent + again.counts.received + again.counts.conflicts, 0);
    // b's topics came from the server under a's UIDs, which b finds in its calendar links.
    const caldav::SyncReport againB = sync(b);
    EXPECT_EQ(againB.counts.sent + againB.counts.received + againB.counts.conflicts, 0);
    EXPECT_EQ(outline(*a.load()).size(), 6u);
    EXPECT_EQ(outline(*b.load()).size(), 6u);
    EXPECT_EQ(serverEntries().size(), 6u);
}

TEST_F(CalDavSync, ASyncKilledHalfWayIsFinishedByTheNextWithoutLossOrDuplicates)
{
    DataFolder a, b;
    a.edit([](TNimbusStructure &s) {
        for (int i = 0; i < 40; ++i)
            addTopic(s, kSyncedTopic, "Item " + std::to_string(i));
    });
    const std::string progress = a.path() + "progress.txt";
    {
        ChildProcess child(NIMBUS_SYNC_CHILD,
                           {a.path(), calendar_, kSyncedTopic, RadicaleServer::kUser, RadicaleServer::kPassword, progress}, {});
        ASSERT_TRUE(child.started());
        auto lines = [&] {
            std::ifstream in(progress);
            return static_cast<int>(std::count(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>(), '\n'));
        };
        ASSERT_TRUE(waitFor([&] { return lines() >= 10; }, std::chrono::seconds(60)));
        child.signal(SIGKILL);
        child.waitForExit(std::chrono::seconds(10));
        EXPECT_FALSE(child.exitedNormally());
    }
    const std::size_t sentBeforeKill = serverEntries().size();
    EXPECT_GE(sentBeforeKill, 10u);
    const caldav::SyncReport report = sync(a);
    EXPECT_EQ(report.counts.conflicts, 0);
    EXPECT_EQ(serverEntries().size(), 40u);
    EXPECT_EQ(outline(*a.load()).size(), 40u);
    sync(b);
    EXPECT_EQ(outline(*b.load()), outline(*a.load()));
}

TEST_F(CalDavSync, AWrongPasswordOrAStoppedServerSaysSoAndChangesNothing)
{
    DataFolder a;
    a.edit([](TNimbusStructure &s) { addTopic(s, kSyncedTopic, "Anything"); });
    const std::string before = readFile(a.path() + "Structure.dat");
    const caldav::SyncReport refused = a.sync(server_->account("wrong"), calendar_);
    EXPECT_FALSE(refused.ok);
    EXPECT_TRUE(refused.authFailed);
    EXPECT_NE(refused.error.find("user name or password"), std::string::npos) << refused.error;
    const caldav::SyncReport unreachable =
        a.sync(server_->account(), "http://127.0.0.1:" + std::to_string(freeLoopbackPort()) + "/alice/cal/");
    EXPECT_FALSE(unreachable.ok);
    EXPECT_NE(unreachable.error.find("could not be reached"), std::string::npos) << unreachable.error;
    EXPECT_EQ(readFile(a.path() + "Structure.dat"), before);
    EXPECT_TRUE(serverEntries().empty());
    // Addresses that would send the password in the clear are refused before any request.
    const caldav::SyncReport plain = a.sync(server_->account(), "http://calendar.example.org/alice/cal/");
    EXPECT_NE(plain.error.find("https://"), std::string::npos) << plain.error;
}

TEST_F(CalDavSync, WhatTheServerStoresIsValidAndKeepsItsUids)
{
    DataFolder a;
    a.edit([](TNimbusStructure &s) {
        addTopic(s, kSyncedTopic, "Dentist", [](TNimbusNode &n) {
            n.ttype = kTopicEvent, n.dl = true, n.dlDate = "20261215", n.dlTime = "08:15:00", n.durno = 1, n.durtype = kUnitHours;
        });
        addTopic(s, kSyncedTopic, "Idea: a pond", [](TNimbusNode &n) { n.ttype = kTopicIdea, n.status = kStatusNone; });
        addTopic(s, kSyncedTopic, "Monthly report", [](TNimbusNode &n) {
            n.recur = true, n.dlDate = n.rsDate = "20261231", n.rno = 1, n.rtype = kUnitMonths, n.autoComplete = true;
        });
    });
    sync(a);
    const auto uidsBefore = serverUidsByPath();
    a.edit([](TNimbusStructure &s) { findTitle(s, "Dentist")->dlTime = "09:00:00"; });
    sync(a);
    EXPECT_EQ(serverUidsByPath(), uidsBefore);
    std::set<std::string> uids;
    for (const auto &[path, data] : serverEntries()) {
        EXPECT_EQ(calendar::validateCalendar(data), std::vector<std::string>{}) << path;
        const calendar::ReadResult read = calendar::readCalendar(data);
        ASSERT_TRUE(read.ok) << path;
        ASSERT_EQ(read.topics.size(), 1u) << path;
        EXPECT_TRUE(uids.insert(read.topics.front().uid).second);
    }
    EXPECT_EQ(uids.size(), 3u);
}

// A phone's repeating meeting in a zone of its own (a Windows name with its VTIMEZONE), one
// instance moved and written before the master, and all that a topic cannot hold.
const char *const kPhoneSeries =
    "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//Phone//EN\r\n"
    "BEGIN:VTIMEZONE\r\nTZID:W. Europe Standard Time\r\n"
    "BEGIN:STANDARD\r\nDTSTART:16010101T030000\r\nTZOFFSETFROM:+0200\r\nTZOFFSETTO:+0100\r\n"
    "RRULE:FREQ=YEARLY;BYDAY=-1SU;BYMONTH=10\r\nEND:STANDARD\r\n"
    "BEGIN:DAYLIGHT\r\nDTSTART:16010101T020000\r\nTZOFFSETFROM:+0100\r\nTZOFFSETTO:+0200\r\n"
    "RRULE:FREQ=YEARLY;BYDAY=-1SU;BYMONTH=3\r\nEND:DAYLIGHT\r\nEND:VTIMEZONE\r\n"
    "BEGIN:VEVENT\r\nUID:series-1@example.org\r\nDTSTAMP:20261201T080000Z\r\n"
    "RECURRENCE-ID;TZID=W. Europe Standard Time:20261216T090000\r\n"
    "DTSTART;TZID=W. Europe Standard Time:20261217T110000\r\n"
    "DTEND;TZID=W. Europe Standard Time:20261217T120000\r\nSUMMARY:Team sync "
    "(moved)\r\nEND:VEVENT\r\n"
    "BEGIN:VEVENT\r\nUID:series-1@example.org\r\nDTSTAMP:20261201T080000Z\r\nSUMMARY:Team sync\r\n"
    "DTSTART;TZID=W. Europe Standard Time:20261214T090000\r\n"
    "DTEND;TZID=W. Europe Standard Time:20261214T100000\r\n"
    "RRULE:FREQ=WEEKLY;BYDAY=MO,WE;COUNT=10\r\nEXDATE;TZID=W. Europe Standard "
    "Time:20261221T090000\r\n"
    "STATUS:TENTATIVE\r\nTRANSP:TRANSPARENT\r\nSEQUENCE:3\r\nX-MOZ-GENERATION:7\r\n"
    "ATTENDEE;CN=Ann Other;PARTSTAT=ACCEPTED;ROLE=REQ-PARTICIPANT:mailto:ann@example.org\r\n"
    "BEGIN:VALARM\r\nACTION:DISPLAY\r\nDESCRIPTION:Soon\r\nTRIGGER:-PT15M\r\nEND:VALARM\r\n"
    "BEGIN:VALARM\r\nACTION:AUDIO\r\nTRIGGER;VALUE=DATE-TIME:20261214T070000Z\r\nEND:VALARM\r\n"
    "END:VEVENT\r\nEND:VCALENDAR\r\n";

TEST_F(CalDavSync, AnotherProgramsRepeatingEntryKeepsItsInstancesRuleAndPropertiesWhenChangedHere)
{
    caldav::CurlTransport transport(server_->account());
    caldav::CalDavClient client(transport);
    const std::string url = calendar_ + "series.ics";
    ASSERT_TRUE(client.put(url, kPhoneSeries, "").ok());
    DataFolder a, b;
    EXPECT_EQ(sync(a).counts.received, 1);
    {
        // The topic is the series, not the moved instance that came first.
        auto s = a.load();
        EXPECT_EQ(outline(*s), std::vector<std::string>{"Team sync"});
        const TNimbusNode *n = findTitle(*s, "Team sync");
        ASSERT_NE(n, nullptr);
        EXPECT_TRUE(n->recur);
        EXPECT_EQ(n->rtype, kUnitWeeks);
        EXPECT_EQ(n->dlDate, "20261214");
        EXPECT_EQ(n->dlTime, "09:00:00");
    }
    a.edit([](TNimbusStructure &s) { findTitle(s, "Team sync")->text = "Team sync and lunch"; });
    EXPECT_EQ(sync(a).counts.sent, 1);

    int status = 0;
    std::string error;
    const std::string stored = client.get(url, status, error).data;
    for (const char *kept :
         {"SUMMARY:Team sync and lunch",
          "RECURRENCE-ID;TZID=W. Europe Standard Time:20261216T090000", "SUMMARY:Team sync (moved)",
          "BYDAY=MO,WE", "COUNT=10", "EXDATE;TZID=W. Europe Standard Time:20261221T090000",
          "STATUS:TENTATIVE", "TRANSP:TRANSPARENT", "SEQUENCE:3", "X-MOZ-GENERATION:7",
          "PARTSTAT=ACCEPTED", "TRIGGER:-PT15M", "ACTION:AUDIO", "TZID:W. Europe Standard Time"})
        EXPECT_NE(stored.find(kept), std::string::npos) << kept << " lost from\n" << stored;
    EXPECT_EQ(stored.find("TRIGGER:-P1D"), std::string::npos) << stored;
    EXPECT_EQ(calendar::validateCalendar(stored), std::vector<std::string>{});

    // Done once here, the topic rolls on a week: the series stays as the phone made it (its
    // first time, its count), and nothing needs to be sent.
    a.edit([](TNimbusStructure &s) {
        TNimbusNode *n = findTitle(s, "Team sync and lunch");
        n->dlDate = n->rsDate = "20261221";
    });
    EXPECT_EQ(sync(a).counts.sent, 0);
    const std::string rolled = client.get(url, status, error).data;
    EXPECT_NE(rolled.find("DTSTART;TZID=W. Europe Standard Time:20261214T090000"), std::string::npos) << rolled;
    for (const char *kept : {"FREQ=WEEKLY", "COUNT=10", "BYDAY=MO,WE"})
        EXPECT_NE(rolled.find(kept), std::string::npos) << kept << " lost from\n" << rolled;

    // Another copy reads the same series back, and changing its repeat here does replace the rule.
    sync(b);
    {
        auto sb = b.load();
        ASSERT_NE(findTitle(*sb, "Team sync and lunch"), nullptr);
        EXPECT_EQ(findTitle(*sb, "Team sync and lunch")->dlDate, "20261214");
        EXPECT_EQ(findTitle(*sb, "Team sync and lunch")->dlTime, "09:00:00");
    }
    b.edit([](TNimbusStructure &s) { findTitle(s, "Team sync and lunch")->rno = 2; });
    EXPECT_EQ(sync(b).counts.sent, 1);
    const std::string changed = client.get(url, status, error).data;
    EXPECT_EQ(changed.find("BYDAY=MO,WE"), std::string::npos) << changed;
    EXPECT_NE(changed.find("INTERVAL=2"), std::string::npos) << changed;
    EXPECT_NE(changed.find("RECURRENCE-ID"), std::string::npos) << changed;
    EXPECT_NE(changed.find("X-MOZ-GENERATION:7"), std::string::npos) << changed;
    EXPECT_EQ(sync(a).counts.received, 1);
    EXPECT_EQ(findTitle(*a.load(), "Team sync and lunch")->rno, 2);
    // A repeat ended here ends its changed instances too.
    a.edit([](TNimbusStructure &s) {
        TNimbusNode *n = findTitle(s, "Team sync and lunch");
        n->recur = false, n->dl = true;
    });
    EXPECT_EQ(sync(a).counts.sent, 1);
    const std::string ended = client.get(url, status, error).data;
    EXPECT_EQ(ended.find("RECURRENCE-ID"), std::string::npos) << ended;
    EXPECT_NE(ended.find("X-MOZ-GENERATION:7"), std::string::npos) << ended;
}

TEST_F(CalDavSync, APhoneChangeToWhatATopicDoesNotHoldIsNoConflictWithAChangeHere)
{
    caldav::CurlTransport transport(server_->account());
    caldav::CalDavClient client(transport);
    const std::string url = calendar_ + "phone.ics";
    ASSERT_TRUE(client.put(url, kPhoneEntry, "").ok());
    DataFolder a;
    sync(a);
    std::string placed = kPhoneEntry;
    placed.insert(placed.find("END:VTODO"), "LOCATION:Post office\r\n");
    int status = 0;
    std::string error;
    ASSERT_TRUE(client.put(url, placed, client.get(url, status, error).etag).ok());
    a.edit([](TNimbusStructure &s) { findTitle(s, "Pick up parcel")->pri = 2; });
    const caldav::SyncReport report = sync(a);
    EXPECT_EQ(report.counts.conflicts, 0);
    EXPECT_EQ(report.counts.sent, 1);
    EXPECT_EQ(outline(*a.load()), std::vector<std::string>{"Pick up parcel"});
    const std::string stored = client.get(url, status, error).data;
    EXPECT_NE(stored.find("LOCATION:Post office"), std::string::npos) << stored;
    EXPECT_NE(stored.find("PRIORITY:2"), std::string::npos) << stored;
    EXPECT_EQ(sync(a).counts.sent + sync(a).counts.received, 0);

    // The same when the phone's change arrives an instant before ours (412).
    a.edit([](TNimbusStructure &s) { findTitle(s, "Pick up parcel")->pri = 3; });
    InterposingTransport racing(server_->account());
    bool raced = false;
    racing.before = [&](const caldav::HttpRequest &r) {
        if (r.method != "PUT" || raced)
            return;
        raced = true;
        const caldav::FetchedItem current = client.get(url, status, error);
        std::string sorted = current.data;
        sorted.insert(sorted.find("END:VTODO"), "CATEGORIES:Errands\r\n");
        ASSERT_TRUE(client.put(url, sorted, current.etag).ok());
    };
    const caldav::SyncReport raceReport = a.sync(racing, calendar_);
    EXPECT_TRUE(raceReport.ok) << raceReport.summary();
    EXPECT_TRUE(raced);
    EXPECT_EQ(raceReport.counts.conflicts, 0);
    EXPECT_EQ(outline(*a.load()), std::vector<std::string>{"Pick up parcel"});
    const std::string both = client.get(url, status, error).data;
    EXPECT_NE(both.find("CATEGORIES:Errands"), std::string::npos) << both;
    EXPECT_NE(both.find("PRIORITY:3"), std::string::npos) << both;
}

TEST_F(CalDavSync, AnotherProgramsTaskKeepsItsStartStatusAndReminderWhenItsDueDateChangesHere)
{
    caldav::CurlTransport transport(server_->account());
    caldav::CalDavClient client(transport);
    const std::string url = calendar_ + "task.ics";
    ASSERT_TRUE(
        client
            .put(url,
                 "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//Mail//EN\r\nBEGIN:VTODO\r\n"
                 "UID:task-1@example.org\r\nDTSTAMP:20261201T080000Z\r\nSUMMARY:Tax return\r\n"
                 "DTSTART:20261210T080000Z\r\nDUE:20261220T160000Z\r\nSTATUS:CANCELLED\r\n"
                 "X-MOZ-LASTACK:20261201T080000Z\r\n"
                 "BEGIN:VALARM\r\nACTION:DISPLAY\r\nDESCRIPTION:Tax\r\nTRIGGER;RELATED=END:-"
                 "PT30M\r\nEND:VALARM\r\n"
                 "END:VTODO\r\nEND:VCALENDAR\r\n",
                 "")
            .ok());
    DataFolder a;
    sync(a);
    a.edit([](TNimbusStructure &s) { findTitle(s, "Tax return")->dlDate = "20261222"; });
    EXPECT_EQ(sync(a).counts.sent, 1);
    int status = 0;
    std::string error;
    const std::string stored = client.get(url, status, error).data;
    for (const char *kept : {"DTSTART:20261210T080000Z", "DUE:20261222T160000Z", "STATUS:CANCELLED",
                             "X-MOZ-LASTACK:20261201T080000Z", "TRIGGER;RELATED=END:-PT30M"})
        EXPECT_NE(stored.find(kept), std::string::npos) << kept << " lost from\n" << stored;
    EXPECT_EQ(stored.find("-P1D"), std::string::npos) << stored;
}

TEST_F(CalDavSync, EntriesThatCannotBeTopicsNameUnknownZonesOrHaveGrownTooLargeAreLeftAsTheyAre)
{
    caldav::CurlTransport transport(server_->account());
    caldav::CalDavClient client(transport);
    const std::string busy = calendar_ + "busy.ics";
    const std::string phone = calendar_ + "phone.ics";
    ASSERT_TRUE(
        client
            .put(busy,
                 "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//Mail//EN\r\nBEGIN:VFREEBUSY\r\n"
                 "UID:busy@example.org\r\nDTSTAMP:20261201T080000Z\r\n"
                 "FREEBUSY:20261215T080000Z/20261215T100000Z\r\nEND:VFREEBUSY\r\nEND:VCALENDAR\r\n",
                 "")
            .ok());
    ASSERT_TRUE(client.put(phone, kPhoneEntry, "").ok());
    // A zone named but not defined, as some mail programs write them.
    const std::string call = calendar_ + "call.ics";
    ASSERT_TRUE(client
                    .put(call,
                         "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//Mail//"
                         "EN\r\nBEGIN:VEVENT\r\nUID:call@example.org\r\n"
                         "DTSTAMP:20261201T080000Z\r\nSUMMARY:Call Bob\r\n"
                         "DTSTART;TZID=Pacific Standard Time:20261215T090000\r\n"
                         "DTEND;TZID=Pacific Standard "
                         "Time:20261215T100000\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n",
                         "")
                    .ok());
    DataFolder a;
    EXPECT_EQ(sync(a).counts.received, 2);
    EXPECT_EQ(outline(*a.load()), (std::vector<std::string>{"Call Bob", "Pick up parcel"}));
    EXPECT_TRUE(a.log.has("busy.ics: this kind of calendar entry cannot be a topic"))
        << ::testing::PrintToString(a.log.lines);
    EXPECT_TRUE(
        a.log.has("\"Pacific Standard Time\" is neither defined in the file nor known here"))
        << ::testing::PrintToString(a.log.lines);
    // A new title here leaves the other program's time as it wrote it.
    a.edit([](TNimbusStructure &s) { findTitle(s, "Call Bob")->text = "Call Bob back"; });
    EXPECT_EQ(sync(a).counts.sent, 1);
    {
        int status = 0;
        std::string error;
        const std::string stored = client.get(call, status, error).data;
        EXPECT_NE(stored.find("DTSTART;TZID=Pacific Standard Time:20261215T090000"),
                  std::string::npos)
            << stored;
        EXPECT_NE(stored.find("SUMMARY:Call Bob back"), std::string::npos) << stored;
    }

    // The phone's entry has grown past what we read (a large attachment; played by the
    // answer, since the test server takes minutes over such a file): a change made here
    // waits rather than replace it.
    std::string large = kPhoneEntry;
    large.insert(large.find("END:VTODO"),
                 "ATTACH;ENCODING=BASE64;VALUE=BINARY:" +
                     std::string(static_cast<std::size_t>(calendar::kMaxCalendarBytes), 'A') +
                     "\r\n");
    InterposingTransport grown(server_->account());
    grown.after = [&](const caldav::HttpRequest &request, caldav::HttpResponse &response) {
        if (request.method == "GET" && request.url == phone)
            response.body = large;
    };
    a.edit([](TNimbusStructure &s) { findTitle(s, "Pick up parcel")->pri = 3; });
    EXPECT_TRUE(a.sync(grown, calendar_).ok);
    EXPECT_TRUE(a.log.has("did not send the change of \"Pick up parcel\""))
        << ::testing::PrintToString(a.log.lines);
    EXPECT_EQ(grown.countMethod("PUT"), 0);
    int status = 0;
    std::string error;
    EXPECT_EQ(client.get(phone, status, error).data.find("PRIORITY:3"), std::string::npos);
    EXPECT_EQ(findTitle(*a.load(), "Pick up parcel")->pri, 3);
    EXPECT_TRUE(client.get(busy, status, error).data.find("FREEBUSY:") != std::string::npos);
}

// Entries with long descriptions against a transport that takes answers of 48 KB at most: a
// batch too large is fetched in halves, and an entry too large alone is skipped and kept.
// Another program's sub-tasks, listed before the tasks they belong to (and one whose
// parent names it back, a loop), keep their places under them.
TEST_F(CalDavSync, SubTasksListedBeforeTheirParentsGoUnderThem)
{
    caldav::CurlTransport transport(server_->account());
    caldav::CalDavClient client(transport);
    auto task = [](const std::string &uid, const std::string &summary, const std::string &parent) {
        return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//Phone//"
               "EN\r\nBEGIN:VTODO\r\nUID:" +
               uid + "\r\nDTSTAMP:20261201T080000Z\r\nSUMMARY:" + summary + "\r\n" +
               (parent.empty() ? "" : "RELATED-TO;RELTYPE=PARENT:" + parent + "\r\n") +
               "END:VTODO\r\nEND:VCALENDAR\r\n";
    };
    ASSERT_TRUE(
        client.put(calendar_ + "a1.ics", task("grandchild", "Buy paint", "child"), "").ok());
    ASSERT_TRUE(
        client.put(calendar_ + "a2.ics", task("child", "Paint the hall", "parent"), "").ok());
    ASSERT_TRUE(client.put(calendar_ + "a3.ics", task("parent", "Renovate", ""), "").ok());
    ASSERT_TRUE(client.put(calendar_ + "a4.ics", task("loop-a", "Loop A", "loop-b"), "").ok());
    ASSERT_TRUE(client.put(calendar_ + "a5.ics", task("loop-b", "Loop B", "loop-a"), "").ok());
    DataFolder a;
    const caldav::SyncReport report = sync(a);
    EXPECT_EQ(report.counts.received, 5);
    const std::vector<std::string> tree = outline(*a.load());
    EXPECT_NE(std::find(tree.begin(), tree.end(), "Renovate/Paint the hall/Buy paint"), tree.end())
        << ::testing::PrintToString(tree);
    EXPECT_EQ(tree.size(), 5u) << ::testing::PrintToString(tree);
    EXPECT_EQ(sync(a).counts.sent, 0);
}

TEST_F(CalDavSync, EntriesLargerThanAnAnswerMayBeAreFetchedInSmallerBatchesOrSkipped)
{
    caldav::TransportSettings small = server_->account();
    small.maxBytes = 48 * 1024;
    caldav::CurlTransport transport(server_->account());
    caldav::CalDavClient client(transport);
    auto entry = [](const std::string &uid, std::size_t length) {
        return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//Phone//"
               "EN\r\nBEGIN:VTODO\r\nUID:" +
               uid + "\r\nDTSTAMP:20261201T080000Z\r\nSUMMARY:Notes " + uid +
               "\r\nDESCRIPTION:" + std::string(length, 'x') + "\r\nEND:VTODO\r\nEND:VCALENDAR\r\n";
    };
    for (const char *uid : {"n1", "n2", "n3"})
        ASSERT_TRUE(client.put(calendar_ + uid + ".ics", entry(uid, 20'000), "").ok());
    ASSERT_TRUE(client.put(calendar_ + "huge.ics", entry("huge", 60'000), "").ok());
    DataFolder a;
    caldav::SyncReport first = a.sync(small, calendar_);
    ASSERT_TRUE(first.ok) << first.summary();
    EXPECT_EQ(first.counts.received, 3);
    EXPECT_TRUE(a.log.has("huge.ics: it is larger than")) << ::testing::PrintToString(a.log.lines);
    // ... and not asked for again at every sync, with or without sync tokens, until it changes.
    {
        InterposingTransport watched(small);
        int askedForHuge = 0;
        watched.before = [&](const caldav::HttpRequest &request) {
            askedForHuge += request.body.find("huge.ics") != std::string::npos ? 1 : 0;
        };
        for (const bool tokens : {true, false})
            EXPECT_TRUE(a.sync(watched, calendar_, tokens).ok);
        EXPECT_EQ(askedForHuge, 0);
        int status = 0;
        std::string error;
        const std::string huge = calendar_ + "huge.ics";
        ASSERT_TRUE(
            client.put(huge, entry("huge", 61'000), client.get(huge, status, error).etag).ok());
        EXPECT_TRUE(a.sync(watched, calendar_, false).ok);
        EXPECT_GT(askedForHuge, 0);
    }

    // An entry that grew too large meanwhile holds back the change made here.
    int status = 0;
    std::string error;
    const std::string n1 = calendar_ + "n1.ics";
    ASSERT_TRUE(client.put(n1, entry("n1", 60'000), client.get(n1, status, error).etag).ok());
    a.edit([](TNimbusStructure &s) { findTitle(s, "Notes n1")->pri = 5; });
    const caldav::SyncReport second = a.sync(small, calendar_);
    EXPECT_TRUE(second.ok) << second.summary();
    EXPECT_TRUE(a.log.has("did not send the change of \"Notes n1\""))
        << ::testing::PrintToString(a.log.lines);
    const std::string stored = client.get(n1, status, error).data;
    EXPECT_GT(stored.size(), 60'000u);
    EXPECT_EQ(stored.find("PRIORITY:5"), std::string::npos);
}

TEST_F(CalDavSync, DiscoveryFindsTheUsersCalendars)
{
    caldav::CurlTransport transport(server_->account());
    const caldav::DiscoveryResult found = caldav::discoverCalendars(transport, server_->root());
    ASSERT_TRUE(found.ok) << found.error;
    EXPECT_EQ(found.homeUrl, server_->home());
    bool seen = false;
    for (const caldav::CalendarInfo &c : found.calendars) {
        if (c.url == calendar_) {
            seen = true;
            EXPECT_EQ(c.displayName, "cal-DiscoveryFindsTheUsersCalendars");
            EXPECT_TRUE(c.syncCollection);
            EXPECT_TRUE(c.holdsTopics());
        }
    }
    EXPECT_TRUE(seen);
    const caldav::DiscoveryResult direct = caldav::discoverCalendars(transport, calendar_);
    ASSERT_TRUE(direct.ok) << direct.error;
    ASSERT_EQ(direct.calendars.size(), 1u);
    EXPECT_EQ(direct.calendars.front().url, calendar_);

    caldav::CurlTransport wrong(server_->account("wrong"));
    const caldav::DiscoveryResult refused = caldav::discoverCalendars(wrong, server_->root());
    EXPECT_FALSE(refused.ok);
    EXPECT_TRUE(refused.authFailed);
}

// The machine's zone changes between two runs of a syncing program (a laptop taken from Berlin
// to London): the first run there sends nothing, the event shows London time for the same
// instant, and a later rename goes out with the instant it always had.
TEST_F(CalDavSync, AZoneChangedBetweenTwoRunsMovesNothingOnTheServer)
{
    DataFolder a;
    a.edit([](TNimbusStructure &s) {
        addTopic(s, kSyncedTopic, "Quarterly review", [](TNimbusNode &n) {
            n.ttype = kTopicEvent, n.dl = true, n.dlDate = "20261215", n.dlTime = "09:00:00",
            n.durno = 1, n.durtype = kUnitHours;
        });
    });
    const std::string progress = a.path() + "progress.txt";
    auto run = [&](const std::string &zone) {
        std::filesystem::remove(progress);
        ChildProcess child(NIMBUS_SYNC_CHILD,
                           {a.path(), calendar_, kSyncedTopic, RadicaleServer::kUser,
                            RadicaleServer::kPassword, progress},
                           {"TZ=" + zone});
        EXPECT_TRUE(child.waitForExit(std::chrono::seconds(60)));
        EXPECT_EQ(child.exitCode(), 0) << "the sync in " << zone << " failed";
        std::ifstream in(progress);
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    };
    auto serverStart = [&] {
        const auto entries = serverEntries();
        EXPECT_EQ(entries.size(), 1u);
        return entries.empty() ? std::string() : entries.begin()->second;
    };
    EXPECT_EQ(run("Europe/Berlin").size(), 1u);
    EXPECT_NE(serverStart().find("DTSTART:20261215T080000Z"), std::string::npos) << serverStart();

    EXPECT_EQ(run("Europe/London"), std::vector<std::string>{})
        << "a change of zone alone was sent";
    EXPECT_EQ(findTitle(*a.load(), "Quarterly review")->dlTime, "08:00:00");
    a.edit([](TNimbusStructure &s) {
        findTitle(s, "Quarterly review")->text = "Quarterly review (room 2)";
    });
    EXPECT_EQ(run("Europe/London").size(), 1u);
    const std::string moved = serverStart();
    EXPECT_NE(moved.find("SUMMARY:Quarterly review (room 2)"), std::string::npos) << moved;
    EXPECT_NE(moved.find("DTSTART:20261215T080000Z"), std::string::npos) << moved;
    // Back home, the same instant shows Berlin time again, still without a request.
    EXPECT_EQ(run("Europe/Berlin"), std::vector<std::string>{});
    EXPECT_EQ(findTitle(*a.load(), "Quarterly review (room 2)")->dlTime, "09:00:00");
}

}  // namespace
}  // namespace nimbus::test
