// Writes topics as one iCalendar file: a VCALENDAR with the local zone's VTIMEZONE, one
// VTODO, VEVENT or VJOURNAL per topic and one sub-task per checklist item.
#pragma once

#include <string>
#include <vector>

#include "calendar/CalendarTopic.h"

namespace nimbus::calendar {

struct WriteOptions {
    std::string stampNow;  // the current local stamp, for DTSTAMP ("yyyymmdd-hhmmss")
};

// The file's bytes (CR LF lines, folded at 75 octets by libical). Each topic's uid and
// parentUid must be set by the caller.
std::string writeCalendar(const std::vector<CalendarTopic> &topics, const WriteOptions &options);

// libical's own check of a file against the standard's rules; the problems it found, none
// when the file is valid.
std::vector<std::string> validateCalendar(const std::string &bytes);

}  // namespace nimbus::calendar
