// A change sent for an entry replaces the server's version of it. What that version holds that
// a topic cannot is carried into the version sent, so that a change made here never erases
// what another calendar program put there: properties of its own and of other programs, the
// exact wording of the dates, repeat rule and alarms while the topic did not change them, the
// changed instances of a repeating entry, other entries stored in the same resource and the
// time zones they name.
#pragma once

#include <string>

namespace nimbus::caldav {

struct MergedEntry {
    // False when the server's version cannot be read (too large, not a calendar, or no longer
    // holding the entry's UID): sending ours would replace what we cannot see, so nothing is sent.
    bool ok = false;
    std::string text; // the version to send
    std::string why;  // why the server's version could not be read
};

// ours: the calendar text written for one topic; theirs: the server's current version.
// pageFromTopic: the topic's details page makes DESCRIPTION and X-ALT-DESC, so the server's
// are not carried over.
MergedEntry keepServerParts(const std::string &ours, const std::string &theirs,
                            bool pageFromTopic = false);

} // namespace nimbus::caldav
