// What the parts of one exchange with a calendar share: the client, the options, the
// snapshot, the result so far, where the calendar lives, and the progress told.
#pragma once

#include <set>
#include <string>

#include "caldav/CalDavClient.h"
#include "caldav/EntryFingerprints.h"
#include "caldav/LocalSnapshot.h"
#include "caldav/ServerAddress.h"
#include "caldav/SyncEngine.h"
#include "caldav/SyncState.h"

namespace nimbus::caldav {

struct ExchangeContext {
    ExchangeContext(CalDavClient &client, const SyncOptions &options, const LocalSnapshot &snapshot,
                    const SyncState &state);

    CalDavClient &client;
    const SyncOptions &options;
    const LocalSnapshot &snapshot;
    const EntryFingerprints prints;
    ExchangeResult result;    // its state starts as the state of the last sync
    std::string base;         // scheme, host and port of the calendar's address
    std::string calendarPath; // ends with '/'
    int done = 0;             // requests that changed the server, for the progress
    int total = 0;
    std::set<std::string> boundUnis; // topics bound to an entry so far

    std::string urlOf(const std::string &path) const { return base + encodePath(path); }
    const LocalTopic *localOf(const std::string &uni) const;
    // The sync was stopped (told as the error) or has failed: nothing more is done.
    bool stopped();
    // One more request that changed the server, told to the progress.
    void step(const std::string &text);
    // A change the store takes over; a conflict is counted and logged.
    void addChange(LocalChange::Kind kind, const std::string &uni, const std::string &expected,
                   calendar::CalendarTopic remote);
};

} // namespace nimbus::caldav
