// Finds the topic here that a server's entry already is, by what the two say, for a sync
// without any state to go by (its state file lost, or the calendar links that hold the
// topics' UIDs lost with it: the topics then carry other UIDs than their entries). Matching
// by content turns what would be a second copy on each side into the same topic, under the
// server's UID. Only a topic that says exactly what the entry says is taken, each at most
// once; a topic whose UID is on the server is left to the match by UID.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "caldav/LocalSnapshot.h"

namespace nimbus::caldav {

class ContentMatch {
public:
    // serverUids: every UID the server lists, whose topics are matched by UID instead.
    ContentMatch(const LocalSnapshot &snapshot, const std::set<std::string> &serverUids);

    // The topic that says what the entry says, taken so that no other entry gets it; null
    // when there is none left. The creation stamp counts only when the entry has one; the
    // parent is left out (the parent's UID may be one of those lost).
    const LocalTopic *take(const calendar::CalendarTopic &remote,
                           const std::set<std::string> &bound);

private:
    const LocalSnapshot &snapshot_;
    std::multimap<std::string, std::size_t> byContent_; // fingerprint without stamp or parent
};

} // namespace nimbus::caldav
