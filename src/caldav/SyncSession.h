// One whole sync of a data folder that no running program holds: read the store, the state
// and the calendar links, exchange with the server, apply, then save the store, the links and
// last the state (so that a sync cut short anywhere is repaired by the next one). The engine
// tests, the benchmark and command-line use go through here; the window runs the same steps
// with its own store.
#pragma once

#include <atomic>
#include <functional>
#include <string>

#include "caldav/DetailsPages.h"
#include "caldav/HttpTransport.h"
#include "caldav/SyncEngine.h"
#include "store/StoreLog.h"

namespace nimbus {
class Clock;
}

namespace nimbus::caldav {

struct SessionSettings {
    std::string dataFolder;  // ends with "/"
    std::string calendarUrl;
    std::string subtree;     // id of the topic or section whose sub-topics are synced
    bool useSyncCollection = true;
    std::size_t wholeUploadMinimum = kWholeUploadMinimum;
    const Clock *clock = nullptr;
    const std::atomic<bool> *stop = nullptr;
    std::function<void(int, int, const std::string &)> progress;
    // Asked before a sync removes many topics here at once (see RemovalGuard.h); without an
    // answer the topics stay.
    std::function<bool(const std::string &question)> confirmRemovals;
    // Details pages travel with the entries; rich pages need the converter to go out and
    // the writer to come in rich (without them a rich page stays out of the sync and
    // arriving pages are plain text).
    bool withPages = true;
    calendar::DetailsConverter *converter = nullptr;
    calendar::PageWriter *pageWriter = nullptr;
};

struct SyncReport {
    bool ok = false;
    std::string error;
    bool authFailed = false;
    SyncCounts counts;
    int requests = 0;
    // One line for the status area and the log.
    std::string summary() const;
};

SyncReport syncDataFolder(HttpTransport &transport, const SessionSettings &settings, StoreLog &log);

}  // namespace nimbus::caldav
