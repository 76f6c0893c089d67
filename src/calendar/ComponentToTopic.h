// One VTODO, VEVENT or VJOURNAL as a topic. Shared by the importer and by the exporter, which
// reads each component it made back to find the fields that need an X-NIMBUS- property.
#pragma once

#include <string>

#include <libical/ical.h>

#include "calendar/CalendarTopic.h"

namespace nimbus::calendar {

// Fills topic from the component's standard properties and, when withNimbusFields is set,
// its X-NIMBUS- properties. False, with the reason in problem, when the component cannot be
// a topic (an unreadable or impossible date, a broken repeat rule).
bool componentToTopic(icalcomponent *component, CalendarTopic &topic, std::string &problem,
                      bool withNimbusFields = true);

// The pieces of that reading the writer also needs, to tell what the importer will make of the
// standard properties it writes:
// a title as one line of the tree (CR, LF and TAB become spaces);
void titleLine(const char *text, std::string &line);
// the repeat: unit and count from FREQ and INTERVAL, a rule the recurrence module can carry
// kept whole, whatever else the rule says (BYDAY, COUNT, UNTIL, ...) kept as a readable line;
// it takes the topic's date as already read;
void readRepeat(icalcomponent *component, CalendarTopic &topic);
// an event's length from seconds, as the largest unit that says it exactly (16-bit counts as
// AddPeriod takes them);
void setEventLength(TNimbusNode &n, long seconds, bool dateOnly);
// the urgency lead in days of an alarm that many seconds (negative) before the time.
int alarmLeadDays(int seconds);

// The text of a property's value as a calendar program shows it.
std::string propertyText(icalproperty *property);

}  // namespace nimbus::calendar
