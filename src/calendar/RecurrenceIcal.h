// A topic's rich recurrence in iCalendar terms: RRULE (with BYDAY, BYMONTHDAY, BYMONTH,
// BYSETPOS, COUNT, UNTIL), EXDATE and RDATE read into a series in local wall-clock time, and
// written back so that another program reads the same occurrences.
#pragma once

#include <optional>
#include <string>

#include <libical/ical.h>

#include "recurrence/RecurrenceRule.h"

namespace nimbus::calendar {

// The series of a component whose start is dateKey and timeText (local); none when it has no
// RRULE, more than one, or one that cannot be carried (hourly, by week number, ...), or when
// its days in its own zone may not be its days here.
std::optional<recurrence::Series> readSeries(icalcomponent *c, const std::string &dateKey,
                                             const std::string &timeText);
// Whether a series says more than "every N units" from its first date.
bool isRichSeries(const recurrence::Series &series);

// The first date of a series as a date key and time text.
std::string seriesStartDate(const recurrence::Series &series);
std::string seriesStartTime(const recurrence::Series &series);
// Adds RRULE, EXDATE and RDATE for the series.
void addSeries(icalcomponent *c, const recurrence::Series &series);

} // namespace nimbus::calendar
