// The network half of a two-way sync between a snapshot of the synced subtree and one
// calendar: list what changed on the server (sync-collection where offered, else ETags),
// fetch it, send local creations, changes and deletions with conditional requests, and
// decide what the store must take over. The store itself is changed afterwards by
// applyChanges on the thread that owns it.
//
// Rules: a topic changed on one side only takes that side; changed on both sides (or
// refused with 412 because the server changed meanwhile), the local topic is kept and sent,
// and the server's version comes back beside it as "Conflict: <title>"; a deletion on one
// side of a topic changed on the other keeps the changed one. A change on the server to only
// what a topic does not hold (an instance, a place, people) is no change of the topic: the
// local change goes out over it and keeps it.
#pragma once

#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "caldav/CalDavClient.h"
#include "caldav/LocalSnapshot.h"
#include "caldav/SyncState.h"

namespace nimbus::caldav {

struct LocalChange {
    enum Kind {
        Add,       // a new topic from the server
        Update,    // the server's version replaces the topic
        Remove,    // removed on the server
        Conflict,  // the server's version goes beside the topic as "Conflict: <title>"
    };
    Kind kind = Add;
    std::string uni;           // the topic concerned (Update, Remove, Conflict)
    std::string expectedHash;  // its fingerprint when the snapshot was taken
    calendar::CalendarTopic remote;
    std::string remoteHash;    // fingerprint of the server's version
};

struct SyncCounts {
    int sent = 0;             // created or changed on the server
    int deletedOnServer = 0;
    int received = 0;         // added or changed here
    int removedHere = 0;
    int conflicts = 0;
    int refused = 0;          // topics the server would not take (they stay here)
    int heldHere = 0;         // changes here not sent because the calendar is read-only
};

struct ExchangeResult {
    bool ok = false;            // everything was exchanged
    std::string error;          // the first failure, for the user
    bool authFailed = false;
    std::vector<LocalChange> changes;
    SyncState state;            // the state with every exchange done so far
    SyncCounts counts;
    std::vector<std::string> log;
    std::size_t topicsHere = 0;  // topics of the calendar here when the sync began
};

inline constexpr std::size_t kWholeUploadMinimum = 200;

struct SyncOptions {
    std::string calendarUrl;
    bool useSyncCollection = true;     // false: ETag comparison only
    std::string stampNow;              // DTSTAMP of written entries ("yyyymmdd-hhmmss")
    const std::atomic<bool> *stop = nullptr;
    // The first sync of at least this many topics to an empty calendar sends the whole
    // calendar in one conditional PUT where the server takes that (0: never).
    std::size_t wholeUploadMinimum = kWholeUploadMinimum;
    // Called after each request that changes the server: done, total, a short text.
    std::function<void(int, int, const std::string &)> progress;
};

class SyncEngine {
public:
    SyncEngine(HttpTransport &transport, SyncOptions options);
    ExchangeResult exchange(const LocalSnapshot &snapshot, const SyncState &state);

private:
    CalDavClient client_;
    SyncOptions options_;
};

// The path a new entry gets on the server for a UID.
std::string entryPathFor(const std::string &calendarPath, const std::string &uid);

}  // namespace nimbus::caldav
