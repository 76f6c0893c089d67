// The same working week against every real server the tests start (Radicale, Xandikos and
// DAViCal, each on 127.0.0.1): two data folders and a phone (python3-caldav, a CalDAV client no one
// here wrote) create, rename, complete, repeat and delete topics on every side, and every side
// ends with the same topics, with no duplicates and no losses.
#include <fstream>
#include <map>
#include <regex>
#include <sstream>

#include <gtest/gtest.h>

#include "../calendar/CalendarTestSupport.h"
#include "CalDavTestSupport.h"
#include "CalendarOnServer.h"
#include "DavicalServer.h"
#include "Phone.h"
#include "RadicaleServer.h"
#include "XandikosServer.h"
#include "caldav/CalDavDiscovery.h"
#include "caldav/DetailsPages.h"
#include "caldav/SyncState.h"
#include "calendar/CalendarLinks.h"
#include "fileio/FolderOps.h"
#include "store/ContentFiles.h"
#include "store/Scheduler.h"

namespace nimbus::test {
namespace {

template <class Server> class ServerMatrix : public CalendarOnServer<Server> {
protected:
    using CalendarOnServer<Server>::server_;
    using CalendarOnServer<Server>::calendar_;
    using CalendarOnServer<Server>::sync;
    // Two rounds, so that what one folder sent reaches the other.
    void syncAll(DataFolder &a, DataFolder &b)
    {
        for (int round = 0; round < 2; ++round) {
            sync(a);
            sync(b);
        }
    }
    Phone phone() { return Phone(calendar_, server_->account()); }
};

using Servers = ::testing::Types<RadicaleServer, XandikosServer, DavicalServer>;
TYPED_TEST_SUITE(ServerMatrix, Servers);

TYPED_TEST(ServerMatrix, TwoFoldersAndAPhoneEndWithTheSameTopics)
{
    DataFolder a, b;
    Phone phone = this->phone();
    a.edit([](TNimbusStructure &s) {
        addTopic(s, kSyncedTopic, "Plan the garden",
                 [](TNimbusNode &n) { n.dl = true, n.dlDate = "20261220"; });
        addTopic(s, kSyncedTopic, "Renew insurance",
                 [](TNimbusNode &n) { n.dl = true, n.dlDate = "20261230"; });
        addTopic(s, kSyncedTopic, "Club meeting", [](TNimbusNode &n) {
            n.ttype = kTopicEvent, n.dl = true, n.dlDate = "20261218", n.dlTime = "19:00:00",
            n.durno = 2, n.durtype = kUnitHours;
        });
        addTopic(s, kSyncedTopic, "Water the plants", [](TNimbusNode &n) {
            n.recur = true, n.dlDate = n.rsDate = "20261209", n.dlTime = "08:00:00", n.rno = 1,
            n.rtype = kUnitWeeks, n.flno = 1, n.fltyp = kUnitDays;
        });
    });
    this->sync(a);
    phone.run({"add-todo", "phone-parcel@example.org", "Pick up parcel", "20261211"});
    this->syncAll(a, b);
    const std::vector<std::string> first{"Club meeting", "Pick up parcel", "Plan the garden",
                                         "Renew insurance", "Water the plants"};
    EXPECT_EQ(outline(*a.load()), first);
    EXPECT_EQ(outline(*b.load()), first);
    EXPECT_EQ(phone.summaries(), first);

    // Every side changes something of its own.
    b.edit([](TNimbusStructure &s) {
        findTitle(s, "Plan the garden")->text = "Plan the vegetable garden";
    });
    a.edit([](TNimbusStructure &s) { s.Delete(s.IndexOf(findTitle(s, "Club meeting")->uni)); });
    phone.run({"rename", "phone-parcel@example.org", "Pick up the parcel"});
    std::string insurance;
    for (const auto &[uid, e] : phone.entries())
        if (e.summary == "Renew insurance")
            insurance = uid;
    ASSERT_FALSE(insurance.empty());
    phone.run({"complete", insurance});
    this->syncAll(a, b);

    const std::vector<std::string> second{"Pick up the parcel", "Plan the vegetable garden",
                                          "Renew insurance", "Water the plants"};
    for (DataFolder *folder : {&a, &b}) {
        auto store = folder->load();
        EXPECT_EQ(outline(*store), second);
        EXPECT_EQ(findTitle(*store, "Renew insurance")->status, kStatusCompleted);
        EXPECT_TRUE(findTitle(*store, "Water the plants")->recur);
    }
    EXPECT_EQ(phone.summaries(), second);
    EXPECT_EQ(phone.entries()[insurance].status, "COMPLETED");

    // The phone removes one; a completes one.
    phone.run({"delete", "phone-parcel@example.org"});
    a.edit([](TNimbusStructure &s) {
        TNimbusNode *plan = findTitle(s, "Plan the vegetable garden");
        plan->status = kStatusCompleted, plan->percent = 100, plan->fdate = "20261208",
        plan->fTime = "10:00:00";
    });
    this->syncAll(a, b);
    const std::vector<std::string> third{"Plan the vegetable garden", "Renew insurance",
                                         "Water the plants"};
    EXPECT_EQ(outline(*a.load()), third);
    EXPECT_EQ(outline(*b.load()), third);
    EXPECT_EQ(findTitle(*b.load(), "Plan the vegetable garden")->status, kStatusCompleted);
    EXPECT_EQ(phone.summaries(), third);
    for (const auto &[uid, e] : phone.entries()) {
        if (e.summary == "Plan the vegetable garden") {
            EXPECT_EQ(e.status, "COMPLETED");
        }
    }
}

// Rolls a repeating topic forward, as the program does when its time has passed, until it
// stands on or after the day.
void rollUntil(TNimbusStructure &s, const std::string &title, const std::string &day)
{
    TNimbusNode *node = findTitle(s, title);
    ASSERT_NE(node, nullptr);
    for (int i = 0; i < 100 && node->dlDate < day; ++i)
        schedule::RollRecurrence(*node, DateTime::fromCivil(2026, 12, 8, 12, 0, 0));
    ASSERT_GE(node->dlDate, day);
}

TYPED_TEST(ServerMatrix, ASeriesRolledForwardHereKeepsItsFirstTimeOnTheServer)
{
    DataFolder a, b;
    Phone phone = this->phone();
    // Made on a phone in October, in Berlin time; here it is December.
    phone.run({"add-weekly", "phone-standup@example.org", "Stand-up", "20261005T090000"});
    this->sync(a);
    ASSERT_EQ(outline(*a.load()), std::vector<std::string>{"Stand-up"});
    a.edit([](TNimbusStructure &s) {
        rollUntil(s, "Stand-up", "20261208");
        findTitle(s, "Stand-up")->text = "Weekly stand-up";
    });
    this->sync(a);
    PhoneEntry standup = phone.entries()["phone-standup@example.org"];
    EXPECT_EQ(standup.summary, "Weekly stand-up");
    EXPECT_EQ(standup.rule, "FREQ=WEEKLY");
    EXPECT_EQ(standup.start, "20261005T070000Z") << "the series was moved on the server";

    // A machine in New York rolls the same series by its own clock, across both countries'
    // changes of daylight-saving time, and changes only that: nothing needs to travel.
    {
        ScopedZone newYork("America/New_York");
        this->sync(b);
        b.edit([](TNimbusStructure &s) { rollUntil(s, "Weekly stand-up", "20261208"); });
        InterposingTransport watched(this->server_->account());
        const caldav::SyncReport quiet = b.sync(watched, this->calendar_);
        EXPECT_TRUE(quiet.ok) << quiet.summary();
        EXPECT_EQ(watched.countMethod("PUT"), 0);
        // A rename there keeps the series in Berlin time.
        b.edit([](TNimbusStructure &s) {
            findTitle(s, "Weekly stand-up")->text = "Stand-up (room 4)";
        });
        this->sync(b);
    }
    standup = phone.entries()["phone-standup@example.org"];
    EXPECT_EQ(standup.summary, "Stand-up (room 4)");
    EXPECT_EQ(standup.start, "20261005T070000Z");
    const caldav::SyncReport back = a.sync(this->server_->account(), this->calendar_);
    EXPECT_EQ(back.counts.received, 1);
    EXPECT_EQ(findTitle(*a.load(), "Stand-up (room 4)")->dlTime, "09:00:00");
}

// A data folder restored from a backup without its sync state (and perhaps without its
// calendar links too, which hold this installation's id): the next syncs find every topic
// again by its UID or, failing that, by what it says, and nothing is duplicated or turned
// into a conflict, here or on the server.
TYPED_TEST(ServerMatrix, ADataFolderRestoredWithoutItsSyncStateDuplicatesNothing)
{
    for (const bool linksLostToo : {false, true}) {
        SCOPED_TRACE(linksLostToo ? "both files lost" : "sync state lost");
        DataFolder a;
        Phone phone = this->phone();
        a.edit([](TNimbusStructure &s) {
            addTopic(s, kSyncedTopic, "Book the venue",
                     [](TNimbusNode &n) { n.dl = true, n.dlDate = "20261220"; });
            const std::string choir =
                addTopic(s, kSyncedTopic, "Choir practice", [](TNimbusNode &n) {
                    n.ttype = kTopicEvent, n.dl = true, n.dlDate = "20261216",
                    n.dlTime = "19:30:00", n.durno = 2, n.durtype = kUnitHours;
                });
            addTopic(s, choir, "Print the scores");
            addTopic(s, kSyncedTopic, "Book the venue",
                     [](TNimbusNode &n) { n.dl = true, n.dlDate = "20270110"; });
        });
        const std::string suffix = linksLostToo ? "-2" : "-1";
        phone.run(
            {"add-todo", "phone-keys" + suffix + "@example.org", "Copy the keys", "20261211"});
        phone.run(
            {"add-weekly", "phone-yoga" + suffix + "@example.org", "Yoga", "20261007T180000"});
        this->sync(a);
        this->sync(a);
        const std::vector<std::string> all{"Book the venue", "Book the venue",
                                           "Choir practice", "Choir practice/Print the scores",
                                           "Copy the keys",  "Yoga"};
        ASSERT_EQ(outline(*a.load()), all);
        const std::vector<std::string> onPhone{"Book the venue",   "Book the venue",
                                               "Choir practice",   "Copy the keys",
                                               "Print the scores", "Yoga"};
        ASSERT_EQ(phone.summaries(), onPhone);

        std::filesystem::remove(a.path() + caldav::SyncState::kFileName);
        if (linksLostToo)
            std::filesystem::remove(a.path() + calendar::CalendarLinks::kFileName);
        for (int round = 0; round < 3; ++round) {
            const caldav::SyncReport report = a.sync(this->server_->account(), this->calendar_);
            EXPECT_TRUE(report.ok) << report.summary();
            EXPECT_EQ(report.counts.sent + report.counts.received + report.counts.conflicts, 0)
                << "round " << round << ": " << report.summary();
        }
        EXPECT_EQ(outline(*a.load()), all);
        EXPECT_EQ(phone.summaries(), onPhone);

        // Changes still travel both ways under the UIDs found again.
        phone.run({"rename", "phone-keys" + suffix + "@example.org", "Copy the spare keys"});
        a.edit(
            [](TNimbusStructure &s) { findTitle(s, "Choir practice")->text = "Choir rehearsal"; });
        this->sync(a);
        const std::vector<std::string> renamed{
            "Book the venue",      "Book the venue",
            "Choir rehearsal",     "Choir rehearsal/Print the scores",
            "Copy the spare keys", "Yoga"};
        EXPECT_EQ(outline(*a.load()), renamed);
        EXPECT_EQ(phone.summaries(),
                  (std::vector<std::string>{"Book the venue", "Book the venue", "Choir rehearsal",
                                            "Copy the spare keys", "Print the scores", "Yoga"}));
        for (const auto &[uid, e] : phone.entries())
            phone.run({"delete", uid});
    }
}

// The folders of pages that every data folder of the program has.
void addContentFolders(const DataFolder &folder)
{
    for (const char *name : {"Packs", "Text", "CheckList"})
        std::filesystem::create_directories(folder.path() + name);
}

// The details page of a topic in a data folder, written and read the way the program does.
void writePage(const DataFolder &folder, const std::string &title, const std::string &bytes,
               bool rich = false)
{
    const ContentFolders folders = ContentFolders::inDataFolder(folder.path());
    folder.edit([&](TNimbusStructure &s) {
        TNimbusNode *node = findTitle(s, title);
        ASSERT_NE(node, nullptr) << title;
        TContent &content = node->LoadContent(folders, NullStoreLog::instance());
        if (content.pages.empty())
            content.AddDefaultPages();
        ASSERT_TRUE(content::SaveDetails(*content.pages[0], folders, bytes,
                                         content::kDetailsVersions, rich,
                                         NullStoreLog::instance()));
        ASSERT_TRUE(content::WriteContent(content, NullStoreLog::instance()));
        node->dam |= 1, node->dac = 1;
    });
}

std::string pageOf(const DataFolder &folder, const std::string &title)
{
    const ContentFolders folders = ContentFolders::inDataFolder(folder.path());
    const auto store = folder.load(); // held while the node is read
    const TNimbusNode *node = findTitle(*store, title);
    if (node == nullptr)
        return "(no topic " + title + ")";
    caldav::PageAccess access;
    access.folders = &folders;
    return caldav::readDetailsPage(*node, access, NullStoreLog::instance()).text;
}

// The pages' files with their old versions: a page not rewritten leaves this as it was.
std::vector<std::string> pageFiles(const DataFolder &folder)
{
    std::vector<std::string> names;
    fileio::listFiles(folder.path() + "Text/", names);
    std::sort(names.begin(), names.end());
    return names;
}

std::string phoneUidOf(Phone &phone, const std::string &summary)
{
    for (const auto &[uid, e] : phone.entries())
        if (e.summary == summary)
            return uid;
    return {};
}

// Notes written here reach the phone and the other data folder as DESCRIPTION; notes written
// on the phone become the page here; a page whose text did not change is never written again;
// a page changed on both sides keeps both texts.
TYPED_TEST(ServerMatrix, DetailsPagesTravelAsDescriptions)
{
    DataFolder a, b;
    addContentFolders(a);
    addContentFolders(b);
    Phone phone = this->phone();
    a.edit([](TNimbusStructure &s) {
        addTopic(s, kSyncedTopic, "Plan the garden",
                 [](TNimbusNode &n) { n.dl = true, n.dlDate = "20261220"; });
        addTopic(s, kSyncedTopic, "Renew insurance",
                 [](TNimbusNode &n) { n.dl = true, n.dlDate = "20261230"; });
    });
    // Line ends as an old page may have them; servers and phones give back LF and no last one.
    writePage(a, "Plan the garden", "Beds by the fence, buy seeds\r\n");
    this->sync(a);
    const std::string garden = phoneUidOf(phone, "Plan the garden");
    ASSERT_FALSE(garden.empty());
    EXPECT_EQ(phone.entries()[garden].description, "Beds by the fence, buy seeds");
    const caldav::SyncReport again = a.sync(this->server_->account(), this->calendar_);
    EXPECT_EQ(again.counts.sent + again.counts.received, 0) << again.summary();
    this->sync(b);
    EXPECT_EQ(pageOf(b, "Plan the garden"), "Beds by the fence, buy seeds");
    EXPECT_EQ(pageOf(b, "Renew insurance"), "");

    // The phone writes notes to both; a renames one (its page stays as it is).
    phone.run({"describe", garden, "Beds by the fence; seeds bought"});
    phone.run({"describe", phoneUidOf(phone, "Renew insurance"), "Policy 4711"});
    this->sync(a);
    EXPECT_EQ(pageOf(a, "Plan the garden"), "Beds by the fence; seeds bought");
    EXPECT_EQ(pageOf(a, "Renew insurance"), "Policy 4711");
    const std::vector<std::string> filesOfA = pageFiles(a);
    a.edit(
        [](TNimbusStructure &s) { findTitle(s, "Renew insurance")->text = "Renew the insurance"; });
    this->sync(a);
    this->sync(a);
    EXPECT_EQ(pageFiles(a), filesOfA) << "a page was written again with the same text";
    EXPECT_EQ(phone.entries()[garden].description, "Beds by the fence; seeds bought");
    this->syncAll(a, b);
    EXPECT_EQ(pageOf(b, "Renew the insurance"), "Policy 4711");
    const std::vector<std::string> filesOfB = pageFiles(b);
    phone.run({"rename", garden, "Plan the vegetable garden"});
    this->sync(b);
    EXPECT_EQ(pageOf(b, "Plan the vegetable garden"), "Beds by the fence; seeds bought");
    EXPECT_EQ(pageFiles(b), filesOfB) << "a rename on the phone rewrote the page";

    // Both sides change the same page: neither text is lost.
    writePage(b, "Plan the vegetable garden", "Order compost");
    phone.run({"describe", garden, "Ask the neighbours for seedlings"});
    this->sync(b);
    auto store = b.load();
    EXPECT_EQ(pageOf(b, "Plan the vegetable garden"), "Order compost");
    EXPECT_EQ(pageOf(b, "Conflict: Plan the vegetable garden"), "Ask the neighbours for seedlings");
    EXPECT_EQ(phone.entries()[garden].description, "Order compost");
    this->syncAll(a, b);
    EXPECT_EQ(pageOf(a, "Plan the vegetable garden"), "Order compost");
    EXPECT_EQ(findTitle(*a.load(), "Conflict: Plan the vegetable garden"), nullptr);

    // A page emptied here empties the description there.
    writePage(a, "Renew the insurance", "");
    this->syncAll(a, b);
    const std::string emptied =
        phone.entries()[phoneUidOf(phone, "Renew the insurance")].description;
    EXPECT_TRUE(emptied == "None" || emptied.empty()) << emptied;
    EXPECT_EQ(pageOf(b, "Renew the insurance"), "");
}

// What a user types is the server's address: the calendars are found from it (through the
// principal, or the well-known address), among them this test's own, with its name.
TYPED_TEST(ServerMatrix, TheCalendarIsFoundFromTheServersAddress)
{
    caldav::CurlTransport transport(this->server_->account());
    const caldav::DiscoveryResult found =
        caldav::discoverCalendars(transport, this->server_->root());
    ASSERT_TRUE(found.ok) << found.error;
    bool listed = false;
    for (const caldav::CalendarInfo &c : found.calendars)
        if (c.url == this->calendar_) {
            listed = true;
            EXPECT_EQ(c.displayName, "cal-TheCalendarIsFoundFromTheServersAddress");
            EXPECT_TRUE(c.holdsTopics());
        }
    EXPECT_TRUE(listed) << "the calendar was not among the " << found.calendars.size()
                        << " found at " << found.homeUrl;
}

// The first sync of many topics to an empty calendar (sent at once where the server takes a
// whole calendar, else one by one): each arrives once, and nothing travels again.
TYPED_TEST(ServerMatrix, AFirstSyncOfManyTopicsPutsEachThereOnce)
{
    DataFolder a, b;
    std::vector<std::string> titles;
    a.edit([&](TNimbusStructure &s) {
        for (int i = 0; i < 8; ++i) {
            titles.push_back("Errand " + std::to_string(i));
            addTopic(s, kSyncedTopic, titles.back(), [&](TNimbusNode &n) {
                n.dl = true, n.dlDate = "202612" + std::to_string(10 + i);
                if (i % 2 == 1)
                    n.ttype = kTopicEvent, n.dlTime = "18:00:00", n.durno = 1,
                    n.durtype = kUnitHours;
            });
        }
    });
    caldav::CurlTransport transport(this->server_->account());
    const caldav::SyncReport first = a.sync(transport, this->calendar_, true, 4);
    ASSERT_TRUE(first.ok) << first.summary();
    EXPECT_EQ(first.counts.sent, 8) << first.summary();
    Phone phone = this->phone();
    EXPECT_EQ(phone.summaries(), titles);
    for (int round = 0; round < 2; ++round) {
        const caldav::SyncReport again = a.sync(this->server_->account(), this->calendar_);
        EXPECT_EQ(again.counts.sent + again.counts.received + again.counts.conflicts, 0)
            << again.summary();
    }
    this->sync(b);
    EXPECT_EQ(outline(*b.load()), titles);
    EXPECT_EQ(outline(*a.load()), titles);
}

// Back after a fortnight away, with a sync token the server has dropped meanwhile (DAViCal
// keeps them for a week and then answers as if the token were new, without the entries
// removed since): the sync still learns what was removed there, and sends nothing twice. The
// server is made to forget by a token it handed out for another calendar.
TYPED_TEST(ServerMatrix, ASyncTokenTheServerNoLongerKnowsStillShowsRemovals)
{
    DataFolder a, other;
    Phone phone = this->phone();
    a.edit([](TNimbusStructure &s) {
        addTopic(s, kSyncedTopic, "Fix the bike");
        addTopic(s, kSyncedTopic, "Call the plumber");
    });
    phone.run({"add-todo", "phone-stamps@example.org", "Buy stamps", "20261211"});
    this->sync(a);
    ASSERT_EQ(outline(*a.load()),
              (std::vector<std::string>{"Buy stamps", "Call the plumber", "Fix the bike"}));

    // A token the server handed out, but for another calendar: one it does not know here.
    const std::string otherCalendar = this->server_->makeCalendar("cal-another-calendar");
    ASSERT_FALSE(otherCalendar.empty());
    other.edit([](TNimbusStructure &s) { addTopic(s, kSyncedTopic, "Elsewhere"); });
    ASSERT_TRUE(other.sync(this->server_->account(), otherCalendar).ok);
    caldav::SyncState elsewhere;
    elsewhere.Load(other.path(), otherCalendar);
    caldav::SyncState state;
    state.Load(a.path(), this->calendar_);
    ASSERT_FALSE(state.syncToken.empty()) << TypeParam::kName << " gave no sync token";
    state.syncToken = elsewhere.syncToken;
    state.syncTokenAt = "20000101-090000";
    ASSERT_TRUE(state.Save());

    phone.run({"delete", phoneUidOf(phone, "Call the plumber")});
    phone.run({"delete", "phone-stamps@example.org"});
    phone.run({"add-todo", "phone-milk@example.org", "Buy milk", "20261212"});
    this->sync(a);
    EXPECT_EQ(outline(*a.load()), (std::vector<std::string>{"Buy milk", "Fix the bike"}));
    EXPECT_EQ(phone.summaries(), (std::vector<std::string>{"Buy milk", "Fix the bike"}));
    const caldav::SyncReport quiet = a.sync(this->server_->account(), this->calendar_);
    EXPECT_EQ(quiet.counts.sent + quiet.counts.received + quiet.counts.conflicts, 0)
        << quiet.summary();
}

// A meeting from another device, with its organiser and guests: servers that schedule
// (DAViCal) mark the guests in what they store and answer the write without an ETag. A
// change here reaches the phone with the guests kept, and the next syncs find nothing to do.
TYPED_TEST(ServerMatrix, AMeetingWithGuestsKeepsThemAndSettles)
{
    DataFolder a, b;
    Phone phone = this->phone();
    const std::string meeting = "phone-review@example.org";
    phone.run({"add-meeting", meeting, "Design review", "20261215T140000"});
    this->sync(a);
    ASSERT_EQ(outline(*a.load()), std::vector<std::string>{"Design review"});
    a.edit([](TNimbusStructure &s) { findTitle(s, "Design review")->text = "Design review (v2)"; });
    this->sync(a);
    for (int round = 0; round < 2; ++round) {
        const caldav::SyncReport quiet = a.sync(this->server_->account(), this->calendar_);
        EXPECT_EQ(quiet.counts.sent + quiet.counts.received + quiet.counts.conflicts, 0)
            << "round " << round << ": " << quiet.summary();
    }
    EXPECT_EQ(phone.summaries(), std::vector<std::string>{"Design review (v2)"});
    phone.run({"ics", meeting});
    std::string ics;
    for (const std::string &line : phone.lines())
        ics += line.substr(0, line.size() - (line.ends_with('\r') ? 1 : 0)) + "\n";
    ics = std::regex_replace(ics, std::regex("\n "), ""); // unfolded
    EXPECT_NE(ics.find("mailto:guest@example.org"), std::string::npos) << ics;
    EXPECT_NE(ics.find("ORGANIZER"), std::string::npos) << ics;

    this->sync(b);
    EXPECT_EQ(outline(*b.load()), std::vector<std::string>{"Design review (v2)"});
    b.edit([](TNimbusStructure &s) { findTitle(s, "Design review (v2)")->dlTime = "16:30:00"; });
    this->syncAll(a, b);
    EXPECT_EQ(findTitle(*a.load(), "Design review (v2)")->dlTime, "16:30:00");
    EXPECT_EQ(findTitle(*a.load(), "Conflict: Design review (v2)"), nullptr);
    EXPECT_EQ(phone.summaries(), std::vector<std::string>{"Design review (v2)"});
}

} // namespace
} // namespace nimbus::test
