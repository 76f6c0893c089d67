// Calendar sync against a real Radicale server on 127.0.0.1 (the test server's configuration:
// storage in memory, no hook), each figure beside the same server's floor in the same run:
// - the first sync of 5,000 topics to an empty calendar, which goes as one conditional PUT of
//   the whole calendar, beside that same PUT sent straight through the transport;
// - the first sync of a smaller number of topics with entries sent one by one (Radicale checks
//   every new entry's UID against the whole calendar, so its time per PUT grows with the
//   calendar and 5,000 single PUTs take many minutes), beside the same PUTs without the engine;
// - a sync with nothing changed (one getlastmodified PROPFIND and the local snapshot), beside
//   the bare getlastmodified PROPFIND; the same where that date cannot stand in for the ctag
//   (one getctag PROPFIND), beside the bare getctag PROPFIND and the bare sync-collection
//   REPORT that a sync without either would send;
// - carrying a server's entry's own parts into 1,000 changes sent, beside writing their bodies.
// Usage: bench_caldav [topics [topics one by one]]   (defaults 5000 and 300)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <thread>

#include "caldav/CalDavClient.h"
#include "caldav/CompactTimezone.h"
#include "caldav/CurlTransport.h"
#include "caldav/LocalSnapshot.h"
#include "caldav/RadicaleServer.h"
#include "CalDavBenchStore.h"
#include "caldav/ServerEntryMerge.h"
#include "caldav/SyncEngine.h"
#include "caldav/SyncSession.h"
#include "caldav/SyncState.h"
#include "calendar/CalendarLinks.h"
#include "calendar/IcsWriter.h"
#include "calendar/TopicUid.h"
#include "store/TNimbusStructure.h"
#include "store/TopicCodes.h"

namespace {

using namespace nimbus;
using Steady = std::chrono::steady_clock;
using bench::entryBodies;
using bench::makeStore;

double secondsSince(Steady::time_point start) { return std::chrono::duration<double>(Steady::now() - start).count(); }

std::string collectionEtag(caldav::CalDavClient &client, const std::string &calendar)
{
    return client.collectionState(calendar).collection.etag;
}

}  // namespace

int main(int argc, char **argv)
{
    const int topics = argc > 1 ? std::atoi(argv[1]) : 5000;
    const int oneByOne = argc > 2 ? std::atoi(argv[2]) : 300;
    ::setenv("TZ", "Europe/Berlin", 1);
    test::RadicaleServer server;
    if (!server.running()) {
        std::fprintf(stderr, "Radicale did not start\n");
        return 1;
    }
    caldav::CurlTransport transport(server.account());
    caldav::CalDavClient client(transport);

    // The whole-calendar upload: the bare PUT first, then the engine's sync.
    test::TempFolder data;
    makeStore(data.path(), topics);
    const std::string floorCalendar = server.makeCalendar("floor");
    // Made before the floor's upload, so that it is not brand new when its first sync reads it.
    const std::string calendar = server.makeCalendar("bench");
    const std::string wholeBody = entryBodies(data.path(), true).front();
    auto start = Steady::now();
    const caldav::WriteResult floorPut = client.putCollection(floorCalendar, wholeBody, collectionEtag(client, floorCalendar));
    const double floorWhole = secondsSince(start);
    // What binding the uploaded entries by UID costs the server: the full listing (which
    // makes Radicale's sync history for every entry) and fetching every entry.
    start = Steady::now();
    const caldav::Listing floorListing = client.listAll(floorCalendar, true);
    std::vector<std::string> floorPaths;
    for (const auto &[path, etag] : floorListing.items)
        floorPaths.push_back(path);
    std::map<std::string, caldav::FetchedItem> floorItems;
    std::string floorError;
    client.fetch(floorCalendar, floorPaths, floorItems, floorError);
    const double floorBind = secondsSince(start);

    caldav::SessionSettings settings;
    settings.dataFolder = data.path();
    settings.calendarUrl = calendar;
    settings.subtree = "2";
    start = Steady::now();
    const caldav::SyncReport first = caldav::syncDataFolder(transport, settings, NullStoreLog::instance());
    const double initial = secondsSince(start);

    // Entries one by one, at a smaller size.
    test::TempFolder small;
    makeStore(small.path(), oneByOne);
    const std::vector<std::string> bodies = entryBodies(small.path(), false);
    const std::string floorSingles = server.makeCalendar("floor-singles");
    start = Steady::now();
    for (std::size_t i = 0; i < bodies.size(); ++i)
        client.put(floorSingles + "e" + std::to_string(i) + ".ics", bodies[i], "");
    const double floorPuts = secondsSince(start);
    caldav::SessionSettings singles = settings;
    singles.dataFolder = small.path();
    singles.calendarUrl = server.makeCalendar("singles");
    singles.wholeUploadMinimum = 0;
    start = Steady::now();
    const caldav::SyncReport single = caldav::syncDataFolder(transport, singles, NullStoreLog::instance());
    const double singleTime = secondsSince(start);

    // Quiet syncs and the bare requests alternate, five times each; the fastest of each
    // counts, so that a busy moment of the machine does not decide the figure. The first
    // quiet sync lists (the upload changed the calendar) and keeps the calendar's marks; the
    // REPORT asks with the token the last sync left. The calendar's date counts whole seconds
    // and is trusted once its second is past, so the rounds begin a little later.
    std::this_thread::sleep_for(std::chrono::milliseconds(2500));
    caldav::SyncReport quiet = caldav::syncDataFolder(transport, settings, NullStoreLog::instance());
    caldav::SyncState state;
    double floorReport = 1e9, floorCtag = 1e9, floorDate = 1e9, incremental = 1e9;
    caldav::Listing since;
    for (int round = 0; round < 5; ++round) {
        state.Load(data.path(), calendar);
        start = Steady::now();
        since = client.listChanges(calendar, state.syncToken);
        floorReport = std::min(floorReport, secondsSince(start));
        start = Steady::now();
        client.ctag(calendar);
        floorCtag = std::min(floorCtag, secondsSince(start));
        start = Steady::now();
        client.lastModified(calendar);
        floorDate = std::min(floorDate, secondsSince(start));
        start = Steady::now();
        quiet = caldav::syncDataFolder(transport, settings, NullStoreLog::instance());
        incremental = std::min(incremental, secondsSince(start));
    }
    state.Load(data.path(), calendar);
    const bool dateTrusted = state.lastModifiedFollows == "yes";
    // The same with a server whose date cannot stand in for the ctag.
    double incrementalByCtag = 1e9;
    for (int round = 0; round < 5; ++round) {
        caldav::SyncState untrusted;
        untrusted.Load(data.path(), calendar);
        untrusted.lastModifiedFollows.clear();
        untrusted.Save();
        start = Steady::now();
        quiet = caldav::syncDataFolder(transport, settings, NullStoreLog::instance());
        incrementalByCtag = std::min(incrementalByCtag, secondsSince(start));
    }
    state.Load(data.path(), calendar);

    // The engine's own share at 5,000 topics, without a server: the snapshot with every
    // fingerprint, and the entries' bodies.
    test::TempFolder big;
    makeStore(big.path(), 5000);
    TNimbusStructure store;
    store.SetPaths(big.path(), big.path());
    store.LoadStructure();
    caldav::SyncState none;
    calendar::CalendarLinks links;
    links.Load(big.path());
    start = Steady::now();
    const caldav::LocalSnapshot snapshot = caldav::takeSnapshot(store, "2", caldav::TopicUids(none, links));
    const double snapshotTime = secondsSince(start);

    // A change sent over an entry first carries the server's parts into it: the merge over a
    // phone's repeating meeting with a moved instance, alarms and attendees, 1,000 times,
    // beside writing the entry's body alone as many times.
    const std::string series =
        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Bench//Phone//EN\r\nBEGIN:VEVENT\r\nUID:" +
        snapshot.topics[0].topic.uid +
        "\r\nDTSTAMP:20261201T080000Z\r\nRECURRENCE-ID:20261216T080000Z\r\nDTSTART:"
        "20261217T100000Z\r\n"
        "SUMMARY:Moved\r\nEND:VEVENT\r\nBEGIN:VEVENT\r\nUID:" +
        snapshot.topics[0].topic.uid +
        "\r\nDTSTAMP:20261201T080000Z\r\nSUMMARY:Series\r\nDTSTART:20261214T080000Z\r\nDTEND:"
        "20261214T090000Z\r\n"
        "RRULE:FREQ=WEEKLY;BYDAY=MO,WE;COUNT=10\r\nX-MOZ-GENERATION:7\r\n"
        "ATTENDEE;CN=Ann;PARTSTAT=ACCEPTED:mailto:ann@example.org\r\n"
        "BEGIN:VALARM\r\nACTION:DISPLAY\r\nDESCRIPTION:Soon\r\nTRIGGER:-PT15M\r\nEND:VALARM\r\nEND:"
        "VEVENT\r\nEND:VCALENDAR\r\n";
    std::vector<calendar::CalendarTopic> firstTopic(1);
    firstTopic[0].node.AssignNode(snapshot.topics[0].topic.node);
    firstTopic[0].uid = snapshot.topics[0].topic.uid;
    std::size_t mergedBytes = 0;
    start = Steady::now();
    for (int i = 0; i < 1000; ++i)
        mergedBytes += caldav::withCompactTimezone(
                           calendar::writeCalendar(firstTopic, {"20261207-120000", true}))
                           .size();
    const double bodyTime = secondsSince(start);
    start = Steady::now();
    for (int i = 0; i < 1000; ++i) {
        const std::string body = caldav::withCompactTimezone(
            calendar::writeCalendar(firstTopic, {"20261207-120000", true}));
        mergedBytes += caldav::keepServerParts(body, series).text.size();
    }
    const double mergeTime = secondsSince(start);

    std::printf("%-48s %10s %10s\n", "calendar sync, local Radicale", "seconds", "baseline");
    std::printf("%-48s %10.2f %10.2f  (the same whole-calendar PUT alone, %d)\n",
                ("initial sync of " + std::to_string(topics) + " topics").c_str(), initial, floorWhole, floorPut.status);
    std::printf("%-48s %10s %10.2f  (listing and fetching the %zu entries alone)\n", "", "", floorBind,
                floorItems.size());
    std::printf("%-48s %10.2f %10.2f  (%d PUTs straight through the transport)\n",
                ("initial sync of " + std::to_string(oneByOne) + " topics one by one").c_str(), singleTime, floorPuts,
                oneByOne);
    std::printf("%-48s %10.3f %10.3f  (getlastmodified PROPFIND alone; the date %s)\n",
                "incremental sync, nothing changed", incremental, floorDate,
                dateTrusted ? "follows the ctag" : "was NOT trusted");
    std::printf("%-48s %10.3f %10.3f  (getctag PROPFIND alone)\n", "  the same, by the ctag", incrementalByCtag,
                floorCtag);
    std::printf("%-48s %10s %10.3f  (sync-collection REPORT alone, %s)\n", "", "", floorReport,
                since.ok ? "answered" : "failed");
    std::printf("%-48s %10.3f %10s  (%zu topics)\n", "snapshot and fingerprints, 5,000 topics", snapshotTime, "-",
                snapshot.topics.size());
    std::printf("%-48s %10.3f %10.3f  (writing the 1,000 bodies alone; %zu bytes)\n",
                "1,000 changes merged into the server's entries", mergeTime, bodyTime, mergedBytes);
    std::printf("%s\n%s\n%s\nctag kept: %s\n", first.summary().c_str(), single.summary().c_str(), quiet.summary().c_str(),
                state.ctag.empty() ? "no" : "yes");
    return first.ok && quiet.ok && single.ok ? 0 : 1;
}
