// Synced topics hold local wall times, read in the zone this machine had when they were synced.
// After the machine moved to another zone (a laptop taken abroad), those times would name other
// instants, and the next change sent would move the meeting for everyone. So before a sync the
// times of every topic still as synced are converted to the new zone, keeping their instants:
// what is shown follows the zone, and nothing changes on the server. The state remembers the
// zone of its last sync ("zone" line).
#pragma once

#include <string>
#include <vector>

#include "caldav/LocalSnapshot.h"
#include "caldav/SyncState.h"

namespace nimbus {
class TNimbusStructure;
}

namespace nimbus::caldav {

struct ZoneMove {
    std::string uni;
    std::string dlDate, dlTime, rsDate, rsTime, fdate, fTime, cre;
    std::string hash; // the topic's fingerprint once moved
};

struct ZoneChange {
    std::string from, to;        // zone names; from empty: nothing moves (to: the zone now)
    std::vector<ZoneMove> moves; // topics whose times change
    int skipped = 0;             // topics left as they are (changed here since, or a time
                                 // that would land on midnight, which the store reads as none)
};

// What the move from the state's zone to zoneNow does to the synced subtree; nothing when the
// zones are the same, the state has none yet, or either zone is unknown.
ZoneChange planZoneChange(const TNimbusStructure &store, const std::string &subtree,
                          const SyncState &state, const TopicUids &uids, const std::string &zoneNow,
                          const PageAccess &pages = {});
// The state's side: the moved topics' fingerprints and the new zone. Save it before the store
// takes the moves, so that a crash between the two never converts a topic twice.
void applyZoneChange(const ZoneChange &change, SyncState &state);
// The store's side; true when a topic changed.
bool applyZoneChange(const ZoneChange &change, TNimbusStructure &store);
// The log line that says what moved.
std::string zoneChangeNote(const ZoneChange &change);

} // namespace nimbus::caldav
