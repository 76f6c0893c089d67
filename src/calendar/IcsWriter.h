// Writes topics as one iCalendar file: a VCALENDAR with the local zone's VTIMEZONE, one
// VTODO, VEVENT or VJOURNAL per topic and one sub-task per checklist item.
#pragma once

#include <string>
#include <vector>

#include "calendar/CalendarTopic.h"

namespace nimbus::calendar {

struct WriteOptions {
    std::string stampNow;  // the current local stamp, for DTSTAMP ("yyyymmdd-hhmmss")
    // Times of entries that do not repeat go out in UTC, the same instants: only repeating
    // entries need the zone's rules (to keep their wall-clock time across daylight-saving
    // changes), and a server that rebuilds a zone for every entry it stores is spared that.
    bool oneOffTimesInUtc = false;
};

// Whether a topic's entry carries its date (DUE or DTSTART): a deadline or repeat with a
// readable date. An event without one has no start.
bool writesDate(const TNimbusNode &n);

// The file's bytes (CR LF lines, folded at 75 octets by libical). Each topic's uid and
// parentUid must be set by the caller.
std::string writeCalendar(const std::vector<CalendarTopic> &topics, const WriteOptions &options);

// libical's own check of a file against the standard's rules; the problems it found, none
// when the file is valid.
std::vector<std::string> validateCalendar(const std::string &bytes);

}  // namespace nimbus::calendar
