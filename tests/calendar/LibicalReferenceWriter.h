// The calendar writer that builds every entry as a libical component, kept as the reference
// the direct writer is compared with.
#pragma once

#include <string>
#include <vector>

#include "calendar/CalendarTopic.h"
#include "calendar/IcsWriter.h"

namespace nimbus::calendar {

std::string referenceCalendar(const std::vector<CalendarTopic> &topics,
                              const WriteOptions &options);

} // namespace nimbus::calendar
