// A topic as the text of its calendar entry and back: what sync sends of a topic and how it
// reads a server's entry.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "caldav/LocalSnapshot.h"
#include "calendar/CalendarTopic.h"

namespace nimbus::caldav {

// Why an entry too large to take is left out.
inline constexpr const char *kTooLarge = "it is larger than the largest answer this program takes";

// The topic as its entry says it. A repeating event with a whole rule is stated from its
// series' first date, as another program states it: every device rolls such an event on by
// the clock, so a roll here changes nothing there and is nothing to send.
void entryFields(TNimbusNode &entry, const TNimbusNode &topic);

// The topic an entry's calendar data holds: its first task, event or journal (the master of a
// repeating one). others: how many further entries of other UIDs the resource holds;
// warnings: what the reader found odd (unreadable values, unknown zones).
bool readEntry(const std::string &data, calendar::CalendarTopic &topic, std::string &why,
               std::size_t *others = nullptr, std::vector<std::string> *warnings = nullptr);

// The whole entry of one topic as it is sent: one-off times in UTC, the zone of a repeating
// one cut to the years it needs, the page where it travels. stampNow: its DTSTAMP.
std::string entryBody(const LocalTopic &local, const std::string &stampNow);

} // namespace nimbus::caldav
