// Taking the server's changes into the store, on the thread that owns it: new topics placed
// under their parent (or the synced subtree's top), changed ones updated and moved, removed
// ones taken out (their sub-topics move up), conflicts placed beside the local topic. A topic
// edited here after the snapshot was taken is never overwritten: the server's version then
// goes beside it as a conflict. Arriving details pages are written where pages travel (a page
// already saying the same is left untouched). An entry's repeat beyond every N units becomes
// the topic's series, kept in rules ("Recurrence.dat"); one that no longer has such a repeat
// loses its series there. The caller saves the store and the rules, then the state.
#pragma once

#include <string>
#include <vector>

#include "caldav/DetailsPages.h"
#include "caldav/SyncEngine.h"
#include "store/StoreLog.h"

namespace nimbus {
class TNimbusStructure;
}
namespace nimbus::calendar {
class CalendarLinks;
}
namespace nimbus::recurrence {
class RecurrenceFile;
}

namespace nimbus::caldav {

struct ApplyResult {
    bool changed = false;  // the store was modified
    int added = 0;
    int updated = 0;
    int removed = 0;
    int conflicts = 0;
    std::vector<std::string> addedUnis;  // new topics, conflicts included
    std::vector<std::string> removedUnis; // topics removed here (their pages are still there)
    std::string error;
};

ApplyResult applyChanges(TNimbusStructure &store, const std::string &rootUni,
                         const std::vector<LocalChange> &changes, SyncState &state, TopicUids &uids,
                         calendar::CalendarLinks &links, const std::string &stampNow, StoreLog &log,
                         const PageAccess &pages = {}, recurrence::RecurrenceFile *rules = nullptr);

}  // namespace nimbus::caldav
