// Calendar sync against a real Radicale server on 127.0.0.1: the first sync of 5,000 topics
// (every one a PUT) and a second sync with nothing changed (one sync-collection REPORT and the
// local snapshot). Baselines from the same run: the same 5,000 entries PUT straight through
// the transport, without the engine; and one empty sync-collection REPORT.
// Usage: bench_caldav [topics]   (default 5000; Radicale checks every new entry's UID against
// the whole calendar, so its time per PUT grows with the calendar)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "caldav/CalDavClient.h"
#include "caldav/CurlTransport.h"
#include "caldav/SyncEngine.h"
#include "caldav/SyncSession.h"
#include "caldav/SyncState.h"
#include "caldav/LocalSnapshot.h"
#include "calendar/CalendarLinks.h"
#include "calendar/IcsWriter.h"
#include "calendar/TopicUid.h"
#include "store/TNimbusStructure.h"
#include "store/TopicCodes.h"
#include "caldav/RadicaleServer.h"

namespace {

using namespace nimbus;
using Steady = std::chrono::steady_clock;

double secondsSince(Steady::time_point start) { return std::chrono::duration<double>(Steady::now() - start).count(); }

void makeStore(const std::string &folder, int topics)
{
    test::writeFile(folder + "Structure.dat", "uni=1\r\ntext=Topics\r\nlev=0\r\ntype=1\r\nuni=2\r\ntext=Calendar\r\nlev=1\r\ntype=1\r\n");
    TNimbusStructure store;
    store.SetPaths(folder, folder);
    store.LoadStructure();
    for (int i = 0; i < topics; ++i) {
        auto node = std::make_unique<TNimbusNode>(std::to_string(100 + i));
        node->text = "Generated topic " + std::to_string(i);
        node->lev = i % 10 == 0 ? 2 : 3;  // groups of ten: one parent, nine children
        node->type = kSectionTopics;
        node->ttype = i % 3 == 0 ? kTopicEvent : kTopicTask;
        node->status = kStatusNotStarted;
        node->dl = true;
        node->dlDate = "2027" + std::string(i % 12 < 9 ? "0" : "") + std::to_string(i % 12 + 1) + "15";
        node->dlTime = i % 2 ? "10:30:00" : "";
        node->durno = 1;
        node->durtype = kUnitHours;
        node->pri = i % 10;
        node->cre = "20261201-090000";
        store.Append(std::move(node));
    }
    store.SaveStructure();
}

}  // namespace

int main(int argc, char **argv)
{
    const int topics = argc > 1 ? std::atoi(argv[1]) : 5000;
    ::setenv("TZ", "Europe/Berlin", 1);
    test::RadicaleServer server;
    if (!server.running()) {
        std::fprintf(stderr, "Radicale did not start\n");
        return 1;
    }
    test::TempFolder data;
    makeStore(data.path(), topics);

    // Baseline: the same number of entries PUT straight through the transport.
    const std::string floorCalendar = server.makeCalendar("floor");
    caldav::CurlTransport transport(server.account());
    caldav::CalDavClient client(transport);
    std::vector<std::string> bodies;
    {
        TNimbusStructure store;
        store.SetPaths(data.path(), data.path());
        store.LoadStructure();
        for (int i = 2; i < store.Count(); ++i) {
            std::vector<calendar::CalendarTopic> one(1);
            one[0].node.AssignNode(*store.Node(i));
            one[0].uid = calendar::topicUid("0123456789abcdef", store.Node(i)->uni);
            bodies.push_back(calendar::writeCalendar(one, {"20261207-120000"}));
        }
    }
    auto start = Steady::now();
    for (std::size_t i = 0; i < bodies.size(); ++i)
        client.put(floorCalendar + "e" + std::to_string(i) + ".ics", bodies[i], "");
    const double floorPuts = secondsSince(start);

    const std::string calendar = server.makeCalendar("bench");
    caldav::SessionSettings settings;
    settings.dataFolder = data.path();
    settings.calendarUrl = calendar;
    settings.subtree = "2";
    start = Steady::now();
    const caldav::SyncReport first = caldav::syncDataFolder(transport, settings, NullStoreLog::instance());
    const double initial = secondsSince(start);

    // Quiet syncs and the bare REPORT alternate, five times each; the fastest of each counts,
    // so that a busy moment of the machine does not decide the figure.
    caldav::SyncState state;
    state.Load(data.path());
    double floorReport = 1e9, incremental = 1e9;
    caldav::Listing since;
    caldav::SyncReport quiet;
    for (int round = 0; round < 5; ++round) {
        state.Load(data.path());  // the token the last sync left
        start = Steady::now();
        since = client.listChanges(calendar, state.syncToken);
        floorReport = std::min(floorReport, secondsSince(start));
        start = Steady::now();
        quiet = caldav::syncDataFolder(transport, settings, NullStoreLog::instance());
        incremental = std::min(incremental, secondsSince(start));
    }

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
    start = Steady::now();
    std::size_t bytes = 0;
    for (const caldav::LocalTopic &t : snapshot.topics) {
        std::vector<calendar::CalendarTopic> one(1);
        one[0].node.AssignNode(t.topic.node);
        one[0].uid = t.topic.uid;
        bytes += calendar::writeCalendar(one, {"20261207-120000"}).size();
    }
    const double bodiesTime = secondsSince(start);

    std::printf("%-48s %10s %10s\n", "calendar sync, local Radicale", "seconds", "baseline");
    std::printf("%-48s %10.2f %10.2f  (%d PUTs straight through the transport)\n",
                ("initial sync of " + std::to_string(topics) + " topics").c_str(), initial, floorPuts, topics);
    std::printf("%-48s %10.3f %10.3f  (the same sync-collection REPORT alone, %s)\n",
                "incremental sync, nothing changed", incremental, floorReport, since.ok ? "answered" : "failed");
    std::printf("%-48s %10.3f %10s  (%zu topics)\n", "snapshot and fingerprints, 5,000 topics", snapshotTime, "-",
                snapshot.topics.size());
    std::printf("%-48s %10.3f %10s  (%zu bytes)\n", "entry bodies, 5,000 topics", bodiesTime, "-", bytes);
    std::printf("%s\n%s\n", first.summary().c_str(), quiet.summary().c_str());
    return first.ok && quiet.ok ? 0 : 1;
}
