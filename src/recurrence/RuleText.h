// The text form of rules and series, in the words of an iCalendar RRULE
// ("FREQ=WEEKLY;INTERVAL=2;BYDAY=MO,WE,FR;COUNT=10"); a series adds its first date and its
// skipped and added dates ("START=20260105T090000;...;EXDATE=20260112;RDATE=20260120").
// Dates are wall-clock "YYYYMMDD" or "YYYYMMDDTHHMMSS". Parsing never throws and refuses
// what it does not understand (an hourly rule, a week number), with a reason.
#pragma once

#include <string>
#include <string_view>

#include "recurrence/RecurrenceRule.h"

namespace nimbus::recurrence {

bool parseRule(std::string_view text, Rule &rule, std::string &error);
std::string formatRule(const Rule &rule);

bool parseSeries(std::string_view text, Series &series, std::string &error);
std::string formatSeries(const Series &series);

// "20260105" or "20260105T090000" as a day and optional time of day.
bool parseDateText(std::string_view text, std::int64_t &day, std::optional<std::int64_t> &time);
std::string formatDateText(std::int64_t day, std::optional<std::int64_t> time);

} // namespace nimbus::recurrence
