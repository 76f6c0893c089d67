// The synced subtree as the sync engine sees it: a copy of each topic's fields with its UID,
// its parent's UID and its fingerprint. Taken on the thread that owns the store, so that the
// network part of a sync can run elsewhere without touching the store.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "caldav/DetailsPages.h"
#include "calendar/CalendarTopic.h"

namespace nimbus {
class TNimbusStructure;
}
namespace nimbus::calendar {
class CalendarLinks;
}
namespace nimbus::recurrence {
struct Series;
}

namespace nimbus::caldav {

class SyncState;

// The UID of each topic: the one it was synced or imported under, else one made from this
// installation's id and the topic id.
class TopicUids {
public:
    TopicUids(const SyncState &state, const calendar::CalendarLinks &links);
    std::string uidOf(const std::string &uni) const;
    void remember(const std::string &uni, const std::string &uid) { known_[uni] = uid; }
    const std::string &installation() const { return installation_; }

private:
    std::string installation_;
    std::map<std::string, std::string> known_;  // topic id -> UID
};

// The title of the server's version kept beside a topic changed on both sides.
inline constexpr const char *kConflictPrefix = "Conflict: ";

struct LocalTopic {
    std::string uni;
    std::string hash;
    calendar::CalendarTopic topic; // topic.uid and topic.parentUid set; the page's text and HTML
    bool pageTravels = false;      // the details page is read and goes with the entry
};

struct LocalSnapshot {
    bool rootFound = false;
    std::string rootUni;
    std::vector<LocalTopic> topics;  // tree order
    std::map<std::string, std::size_t> byUni;
    std::map<std::string, std::size_t> byUid;
    std::set<std::string> localOnly;  // topic ids left out as conflict copies kept here
    bool withPages = false;           // details pages travel with the entries
};

// The series a topic's entry carries as its repeat: one the topic rolls by that says more than
// every N units (an entry with RRULE, EXDATE or RDATE reads back into such a one).
const recurrence::Series *repeatSeries(const TNimbusNode &node);

// The fingerprint of what sync carries of a topic: every field a calendar entry holds of it,
// its series (repeatSeries), its parent's UID and, where pages travel, its details page's text
// (comparableText; an empty page adds nothing, so fingerprints taken before pages travelled
// still hold for topics without one, as do those of topics without a series).
std::string topicFingerprint(const TNimbusNode &node, const std::string &parentUid,
                             const std::string &pageText = {});

// The first half of a snapshot, taken on the thread that owns the store: each topic's fields
// with its UID and its parent's UID, in tree order, without reading a page or fingerprinting
// anything, so that the store's thread waits only for the copy.
struct SubtreeCopy {
    LocalSnapshot snapshot; // no pages, fingerprints or indexes yet
    std::vector<int> kinds; // each topic's section kind, where its pages are found
};

SubtreeCopy copySubtree(const TNimbusStructure &store, const std::string &rootUni,
                        const TopicUids &uids, const std::set<std::string> &localOnly = {});
// The second half, on any thread: the pages read from their files (each as it is when read),
// the fingerprints and the indexes. log: where a page that cannot be read is told.
LocalSnapshot finishSnapshot(SubtreeCopy copy, const PageAccess &pages = {},
                             StoreLog *log = nullptr);

// Both halves at once. localOnly: the conflict copies a sync made here; those still titled
// "Conflict: ..." are left out (their sub-topics are synced under the copy's parent). pages:
// where the details pages are read from; without folders they do not travel.
LocalSnapshot takeSnapshot(const TNimbusStructure &store, const std::string &rootUni,
                           const TopicUids &uids, const std::set<std::string> &localOnly = {},
                           const PageAccess &pages = {}, StoreLog *log = nullptr);

}  // namespace nimbus::caldav
