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

// The text of a property's value as a calendar program shows it.
std::string propertyText(icalproperty *property);

}  // namespace nimbus::calendar
