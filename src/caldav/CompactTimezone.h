// Entries sent to a server carry the local time zone's VTIMEZONE. The system's zone data
// gives every rule since the zone began (more than a century of them for most of Europe), and
// servers that rebuild the zone for each entry they store, as Radicale does, spend most of a
// PUT on that. Only the rules from the year before the earliest local time in the entry on
// are needed to read it exactly.
#pragma once

#include <string>

namespace nimbus::caldav {

// The calendar text with its VTIMEZONE cut to the rules that its local times need, or without
// it when no time refers to it; the text as it was when it has no VTIMEZONE or its zone or
// times cannot be read.
std::string withCompactTimezone(const std::string &calendarText);

} // namespace nimbus::caldav
