// Calendar sync against a real Xandikos server on 127.0.0.1 (storage in memory), each figure
// beside the same requests sent bare through the transport in the same run:
// - the first sync of 5,000 topics (Xandikos takes no whole-calendar PUT, so every entry goes
//   on its own; it commits each one to its git store), beside the same PUTs without the engine;
// - a sync with nothing changed, beside the bare getctag PROPFIND and the bare sync-collection
//   REPORT that a sync sends to find out.
// Usage: bench_caldav_xandikos [topics]   (default 5000)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "caldav/CalDavClient.h"
#include "caldav/CompactTimezone.h"
#include "caldav/CurlTransport.h"
#include "caldav/SyncSession.h"
#include "caldav/SyncState.h"
#include "caldav/XandikosServer.h"
#include "CalDavBenchStore.h"
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

}  // namespace

int main(int argc, char **argv)
{
    const int topics = argc > 1 ? std::atoi(argv[1]) : 5000;
    ::setenv("TZ", "Europe/Berlin", 1);
    test::XandikosServer server;
    if (!server.running()) {
        std::fprintf(stderr, "Xandikos did not start\n");
        return 1;
    }
    caldav::CurlTransport transport(server.account());
    caldav::CalDavClient client(transport);

    test::TempFolder data;
    makeStore(data.path(), topics);
    const std::vector<std::string> bodies = entryBodies(data.path(), false);
    const std::string floorCalendar = server.makeCalendar("floor");
    auto start = Steady::now();
    int floorRefused = 0;
    for (std::size_t i = 0; i < bodies.size(); ++i)
        floorRefused += client.put(floorCalendar + "e" + std::to_string(i) + ".ics", bodies[i], "").ok() ? 0 : 1;
    const double floorPuts = secondsSince(start);

    caldav::SessionSettings settings;
    settings.dataFolder = data.path();
    settings.calendarUrl = server.makeCalendar("bench");
    settings.subtree = "2";
    start = Steady::now();
    const caldav::SyncReport first = caldav::syncDataFolder(transport, settings, NullStoreLog::instance());
    const double initial = secondsSince(start);

    // Quiet syncs and the bare requests alternate, five times each; the fastest of each counts.
    caldav::SyncReport quiet = caldav::syncDataFolder(transport, settings, NullStoreLog::instance());
    double floorCtag = 1e9, floorReport = 1e9, incremental = 1e9;
    for (int round = 0; round < 5; ++round) {
        caldav::SyncState state;
        state.Load(data.path(), settings.calendarUrl);
        start = Steady::now();
        client.ctag(settings.calendarUrl);
        floorCtag = std::min(floorCtag, secondsSince(start));
        start = Steady::now();
        client.listChanges(settings.calendarUrl, state.syncToken);
        floorReport = std::min(floorReport, secondsSince(start));
        start = Steady::now();
        quiet = caldav::syncDataFolder(transport, settings, NullStoreLog::instance());
        incremental = std::min(incremental, secondsSince(start));
    }

    std::printf("%-48s %10s %10s\n", "calendar sync, local Xandikos", "seconds", "baseline");
    std::printf("%-48s %10.2f %10.2f  (the same %d PUTs straight through the transport, %d refused)\n",
                ("initial sync of " + std::to_string(topics) + " topics").c_str(), initial, floorPuts, topics,
                floorRefused);
    std::printf("%-48s %10.3f %10.3f  (getctag PROPFIND alone)\n", "incremental sync, nothing changed", incremental,
                floorCtag);
    std::printf("%-48s %10s %10.3f  (sync-collection REPORT alone)\n", "", "", floorReport);
    std::printf("%s\n%s\n", first.summary().c_str(), quiet.summary().c_str());
    return first.ok && quiet.ok ? 0 : 1;
}
